#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include <array>

struct SkinImages;

// Everything a push button's four state images are drawn from: two equal
// looks give the same images.
struct ButtonLook {
    QSize size;
    // Device pixels per pixel of the screen the button is on.
    qreal ratio = 1;
    QString caption;
    QFont font;
    bool focus = false;

    friend bool operator==(const ButtonLook &, const ButtonLook &) = default;
};

// The images of states 0 normal, 1 hover, 2 pressed and 3 disabled: the
// state's frame of buttonImage stretched to the button's size, the caption on
// one line centred in the button less 2 pixels all round ("&" underlines the
// next character, an ellipsis ends a caption that does not fit), grey for the
// disabled state and black otherwise; with the focus, a dotted rectangle on
// that inner box.
std::array<QImage, 4> RenderButtonStates(const SkinImages &images, const ButtonLook &look);

// Each channel of target becomes (source * alpha + target * (255 - alpha)) /
// 255, rounded: one constant opacity for the whole image. The two images have
// the same size and a 32-bit format.
void BlendConstant(QImage &target, const QImage &source, int alpha);
