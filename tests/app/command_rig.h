#pragma once

#include "app/command_table.h"
#include "app/editor.h"
#include "scripted_dialogs.h"

// An editor with its dialogs scripted and no window around it, whose
// commands run by their menu item's name as the menus run them.
struct CommandRig {
    // Runs the command table's item name; false when there is none.
    bool run(const QString &name)
    {
        const CommandRow *row = commandRow(commandTable(), name);
        if (!row || !row->handler)
            return false;
        row->handler({editor, colour1, colour2, dialogs});
        return true;
    }
    Document &document() { return editor.document(); }
    Surface &canvas() { return editor.document().canvas(); }

    ScriptedDialogs dialogs;
    Editor editor{dialogs};
    // The palette's colours.
    Colour colour1 = 0x00000000;
    Colour colour2 = 0x00FFFFFF;
};
