// The controls in short, one row a key or group of keys: shown by --help and by the F1 panel.
#ifndef QORVEL_KEYHELP_H
#define QORVEL_KEYHELP_H

struct KeyHelp {
    const char* keys;
    const char* what;
};

// Said above the table, in both places.
extern const char* const KEY_HELP_NOTE;
extern const KeyHelp KEY_HELP[];
extern const int KEY_HELP_ROWS;

#endif
