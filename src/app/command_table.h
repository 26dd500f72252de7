#pragma once

#include "core/colour.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class CanvasView;
class CommonDialogs;
class Editor;
class QMenuBar;
class QWidget;

// What a command works on: the editor, the palette's two colours as the
// command is chosen, the dialogs and the widget they are shown over, and the
// canvas view that the zoom keys act on. The last two are nullptr where there
// is no window.
struct CommandContext {
    Editor &editor;
    Colour colour1;
    Colour colour2;
    CommonDialogs &dialogs;
    QWidget *owner = nullptr;
    CanvasView *view = nullptr;
};

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
    // What choosing the item does; a checked item's toggles its mark.
    void (*handler)(const CommandContext &context) = nullptr;
    // Shown in the menu.
    QKeySequence shortcut = {};
    // Keys that choose the item as well, not shown in the menu.
    QList<QKeySequence> hiddenKeys = {};
    // A checked item: whether its mark shows.
    bool (*checked)(const Editor &editor) = nullptr;
};

// Every entry of the menu bar, menus before their entries.
const QList<CommandRow> &commandTable();
// The row of table named name; nullptr for none.
const CommandRow *commandRow(const QList<CommandRow> &table, const QString &name);

// Builds the menus and actions of the table into bar and the hidden keys into
// window. Choosing an item runs its handler on the context that context makes
// at that moment; a checked item's mark follows the editor after its own
// command and whenever the editor's settings change by themselves.
void buildCommands(const QList<CommandRow> &table, QMenuBar *bar, QWidget &window,
                   const std::function<CommandContext()> &context);
