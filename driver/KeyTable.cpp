// Lookups over the key table; the rows themselves live with the handlers they call.
#include "KeyTable.h"

const char* const KEY_TABLE_NOTE = "letters are case-sensitive: W walks, w does nothing";

const KeyBinding* findKey(const KeyRow* rows, int count, int code) {
    for (int i = 0; i < count; i++)
        for (const KeyBinding& b : rows[i].bindings)
            if (b.act != nullptr && b.code == code) return &b;
    return nullptr;
}

std::string keyTableMarkdown(const KeyRow* rows, int count) {
    std::string table = "| Key | What it does |\n|---|---|\n";
    for (int i = 0; i < count; i++)
        table += std::string("| `") + rows[i].keys + "` | " + rows[i].help + " |\n";
    return table;
}
