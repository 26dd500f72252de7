#pragma once

#include "colour.h"

#include <QString>

// The state that the main window shares with its dialogs and commands. One
// instance, owned by the main window and handed to whoever needs it.
struct Document {
    // Index of the active drawing tool, 0..21 in palette order; -1 = none.
    int CurrentTool = -1;
    // Outcome of the last modal dialog: DialogConfirmed (the brightness
    // dialog: BrightnessConfirmed) or DialogCancelled.
    int DialogResult = DialogCancelled;
    // Size handed between the main window and the New and Scale dialogs.
    int NewWidth = 0;
    int NewHeight = 0;
    Colour NewBackColor = 0x00FFFFFF;
    // The folder of the last file chosen (start folder of the file dialogs),
    // and the folder of the sample brushes and patterns; both end in a
    // separator.
    QString AppPath;
    QString DataPath;

    // The image border and picture mask dialogs: the frame's width and colour
    // and the path of the mask picture confirmed.
    int BorderWidth = 0;
    Colour BorderColor = 0;
    QString MaskFile;

    static constexpr int DialogConfirmed = 1;
    static constexpr int DialogCancelled = 2;
    static constexpr int BrightnessConfirmed = 6;
};
