#pragma once

#include "controls/flat_button.h"
#include "tools/tool_palette.h"

#include <QImage>
#include <QStringList>

// The captions of the tool palette, each checked in the plain and the chosen
// look at whatever scale the test runs: every pixel that the caption changes
// must lie right of the icon, inside the edge rings and within the icon's
// rows. Returns one line for each caption that strays, or that shows nothing.
inline QStringList captionsOutsideTheirFace(ToolPalette &palette)
{
    QStringList strays;
    palette.resize(126, ToolCount * ToolPalette::ButtonHeight);
    for (int i = 0; i < ToolCount; ++i) {
        for (bool chosen : {false, true}) {
            palette.showSelected(chosen ? i : -1);
            FlatButton *button = palette.button(i);
            const QImage with = button->grab().toImage();
            const QString caption = button->caption();
            button->setCaption(QString());
            const QImage without = button->grab().toImage();
            button->setCaption(caption);

            const int scale = qRound(with.devicePixelRatio());
            const int iconTop = (button->height() - 16) / 2;
            // The icon spans columns 5 to 20; the etched edge takes two rings.
            const QRect face(
                21 * scale, std::max(iconTop, 2) * scale, (button->width() - 2 - 21) * scale,
                (std::min(iconTop + 16, button->height() - 2) - std::max(iconTop, 2)) * scale);
            QRect ink;
            for (int y = 0; y < with.height(); ++y) {
                for (int x = 0; x < with.width(); ++x) {
                    if (with.pixel(x, y) != without.pixel(x, y))
                        ink |= QRect(x, y, 1, 1);
                }
            }
            if (ink.isEmpty() || !face.contains(ink)) {
                strays << QStringLiteral("%1 (%2): ink %3,%4 %5x%6 outside %7,%8 %9x%10")
                              .arg(caption)
                              .arg(chosen ? QStringLiteral("chosen") : QStringLiteral("plain"))
                              .arg(ink.x())
                              .arg(ink.y())
                              .arg(ink.width())
                              .arg(ink.height())
                              .arg(face.x())
                              .arg(face.y())
                              .arg(face.width())
                              .arg(face.height());
            }
        }
    }
    return strays;
}
