#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

struct SkinImages;

// The looks of the skinned control families other than push buttons, each
// composed apart at one image pixel per screen pixel (unless said otherwise)
// so that the control is put on the screen in one step.

// A combo's drop-down button: white in state 0, the hot (1) or pressed (2)
// background otherwise, the arrow centred on it.
QImage composeComboButton(const SkinImages &images, QSize size, int state, bool enabled);

// A combo without its text: white inside a one-pixel frame, the drop-down
// button of buttonWidth at the right edge, one pixel inside the frame.
QImage composeComboFace(const SkinImages &images, QSize size, int buttonWidth, int state,
                        bool enabled);

// A check box square of size: white in a frame, filled when hot (state 1) or
// pressed (2); check 1 shows the tick, 2 the indeterminate square. A disabled
// box has a pale frame and mark and no fill.
QImage composeCheckBox(const SkinImages &images, QSize size, int state, int check, bool enabled);

// An option button circle of size for state 0 normal, 1 hot, 2 pressed (no
// circle for other states), with the dot when checked; transparent around the
// circle.
QImage composeOptionButton(const SkinImages &images, QSize size, int state, bool checked,
                           bool enabled);

// One item of a header: where it lies along the header, its text, and its
// look: 0 normal, 1 hot, 2 pressed.
struct HeaderItem {
    int left = 0;
    int width = 0;
    QString text;
    int state = 0;
};

// A whole header: the background strip, then each item's frame and its text
// centred on one line with an end ellipsis. At ratio device pixels per pixel.
QImage composeHeader(const SkinImages &images, QSize size, qreal ratio, const QFont &font,
                     const QColor &text, const std::vector<HeaderItem> &items);

// A progress bar framed in the skin's colour, white inside, filled for
// fraction (0..1) of the inside from the left, or from the bottom when
// vertical.
QImage composeProgressBar(QSize size, double fraction, bool vertical);
