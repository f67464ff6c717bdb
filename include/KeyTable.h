// The keys, one row a key or group of keys: the names shown for it, its line of help and what
// each of its keys does. The key handling, the F1 panel, --help and the README's table are all
// made from the one table, so they cannot disagree.
#ifndef QORVEL_KEYTABLE_H
#define QORVEL_KEYTABLE_H

#include <string>

// GLUT's special keys, kept apart from the character keys 0 to 255.
const int SPECIAL_KEY = 0x100;

struct KeyBinding {
    int code;          // a character, or SPECIAL_KEY + GLUT's code
    void (*act)();
};

const int KEY_ROW_BINDINGS = 6;

struct KeyRow {
    const char* keys;  // as the panel and --help name them; the README quotes them alike
    const char* help;
    KeyBinding bindings[KEY_ROW_BINDINGS];  // none for the mouse's rows
};

// Said above the table, in every place it is shown.
extern const char* const KEY_TABLE_NOTE;
// Defined with the key handling in the driver.
extern const KeyRow KEY_TABLE[];
extern const int KEY_TABLE_ROWS;

// The binding of a key in the table, or null.
const KeyBinding* findKey(const KeyRow* rows, int count, int code);
// The table as the README writes it: a header, then "| `keys` | help |" a row.
std::string keyTableMarkdown(const KeyRow* rows, int count);

#endif
