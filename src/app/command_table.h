#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class frmmain;
class QMenuBar;

// One entry of the menu bar: a menu, an item or a separator, in the order
// the menus show them.
struct CommandRow {
    // Keys: keys alone, in no menu.
    enum class Kind { Menu, Item, CheckedItem, Separator, Keys };

    Kind kind;
    // objectName of the menu that holds the entry; nullptr for the menu bar.
    const char *menu;
    // The entry's objectName.
    const char *name;
    // UTF-8; "" for a separator.
    const char *caption;
    // What choosing the item does; nullptr where the window binds the item
    // itself.
    void (*handler)(frmmain &window) = nullptr;
    // Shown in the menu.
    QKeySequence shortcut = {};
    // Keys that choose the item as well, not shown in the menu.
    QList<QKeySequence> hiddenKeys = {};
};

// Every entry of the menu bar, menus before their entries.
const QList<CommandRow> &commandTable();

// Builds the menus and actions of the table into bar and connects each
// item's handler (with window) and keys.
void buildCommands(const QList<CommandRow> &table, QMenuBar *bar, frmmain &window);
