#include "control_painters.h"

#include "core/numbers.h"
#include "nine_grid.h"
#include "skin_colours.h"
#include "skin_images.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Copies the glyph (a part of source) centred on target, its key pixels left
// out: at (target size - glyph size) / 2, rounded half to even.
void copyCentred(QImage &target, const QImage &source, const QRect &glyph)
{
    const QPoint at(roundToInt((target.width() - glyph.width()) / 2.0),
                    roundToInt((target.height() - glyph.height()) / 2.0));
    TransparentCopy(target, QRect(at, glyph.size()), source, glyph.topLeft(), skin::Key);
}

} // namespace

QImage composeComboButton(const SkinImages &images, QSize size, int state, bool enabled)
{
    QImage button(size, QImage::Format_RGB32);
    if (size.isEmpty())
        return button;
    if (state == 1 || state == 2)
        DrawNineGrid(button, button.rect(), images.comboImage, skinrect::comboButton(state),
                     QMargins(2, 1, 1, 1));
    else
        FillBox(button, button.rect(), skin::White);
    copyCentred(button, images.comboImage, skinrect::comboArrow(enabled));
    return button;
}

QImage composeComboFace(const SkinImages &images, QSize size, int buttonWidth, int state,
                        bool enabled)
{
    QImage face(size, QImage::Format_RGB32);
    FillBox(face, face.rect(), skin::White);
    FrameBox(face, face.rect(), skin::frameColour(enabled));
    const QSize button(buttonWidth, size.height() - 2);
    if (!button.isEmpty()) {
        const QImage picture = composeComboButton(images, button, state, enabled);
        TransparentCopy(face, QRect(QPoint(size.width() - buttonWidth - 1, 1), button), picture,
                        QPoint(0, 0), skin::Key);
    }
    return face;
}

QImage composeCheckBox(const SkinImages &images, QSize size, int state, int check, bool enabled)
{
    QImage box(size, QImage::Format_RGB32);
    FillBox(box, box.rect(), skin::White);
    if (!enabled) {
        FrameBox(box, box.rect(), skin::FrameDisabled);
    } else {
        FrameBox(box, box.rect(), state == 2 ? skin::FramePressedCheck : skin::FrameEnabled);
        if (state == 1 || state == 2)
            DrawNineGrid(box, box.rect().adjusted(1, 1, -1, -1), images.optionImage,
                         skinrect::checkFill(state), QMargins());
    }
    if (check == 1 || check == 2)
        copyCentred(box, images.markImage,
                    check == 1 ? skinrect::checkMark(enabled) : skinrect::indeterminate(enabled));
    return box;
}

QImage composeOptionButton(const SkinImages &images, QSize size, int state, bool checked,
                           bool enabled)
{
    QImage option(size, QImage::Format_ARGB32_Premultiplied);
    option.fill(Qt::transparent);
    const int circle = enabled ? state : 3;
    if (circle >= 0 && circle <= 3)
        DrawNineGrid(option, option.rect(), images.optionImage, skinrect::optionCircle(circle),
                     QMargins(5, 5, 5, 5), skin::Key);
    if (checked)
        copyCentred(option, images.markImage, skinrect::optionDot(enabled));
    return option;
}

QImage composeHeader(const SkinImages &images, QSize size, qreal ratio, const QFont &font,
                     const QColor &text, const std::vector<HeaderItem> &items)
{
    QImage strip(size, QImage::Format_RGB32);
    if (size.isEmpty())
        return strip;
    DrawNineGrid(strip, strip.rect(), images.headerImage, skinrect::headerBackground(), QMargins());
    for (const HeaderItem &item : items)
        DrawNineGrid(strip, QRect(item.left, 0, item.width, size.height()), images.headerImage,
                     skinrect::headerItem(item.state), QMargins(1, 1, 1, 1));

    QImage header = ScreenImage(size, ratio);
    QPainter painter(&header);
    DrawLogical(painter, QPoint(0, 0), strip);
    painter.setFont(font);
    painter.setPen(text);
    const QFontMetrics metrics(font);
    for (const HeaderItem &item : items) {
        if (item.text.isEmpty() || item.width <= 0)
            continue;
        const QRect box(item.left, 0, item.width, size.height());
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine,
                         metrics.elidedText(item.text, Qt::ElideRight, item.width));
    }
    return header;
}

QImage composeProgressBar(QSize size, double fraction, bool vertical)
{
    QImage bar(size, QImage::Format_RGB32);
    FillBox(bar, bar.rect(), skin::FrameEnabled);
    const QRect inside = bar.rect().adjusted(1, 1, -1, -1);
    FillBox(bar, inside, skin::White);
    if (fraction <= 0.0 || inside.isEmpty())
        return bar;
    fraction = std::min(fraction, 1.0);
    const int cw = inside.width(), ch = inside.height();
    if (vertical) {
        const int top = roundToInt(ch - ch * fraction);
        FillBox(bar, QRect(inside.left(), inside.top() + top, cw, roundToInt(fraction * ch)),
                skin::ProgressFill);
    } else {
        FillBox(bar, QRect(inside.left(), inside.top(), roundToInt(fraction * cw), ch),
                skin::ProgressFill);
    }
    return bar;
}
