#pragma once

#include "controls/flat_button.h"
#include "tools/tool_palette.h"

#include <QImage>
#include <QStringList>

// Every caption of the tool palette, plain and chosen, at whatever scale the
// test runs: the pixels that the caption changes must lie right of the icon
// (columns 5 to 20), inside the two edge rings and within the icon's rows.
// Returns the captions that stray or show nothing.
inline QStringList captionsOutsideTheirFace(ToolPalette &palette)
{
    QStringList strays;
    palette.resize(126, ToolCount * ToolPalette::ButtonHeight);
    for (const ToolRow &row : toolTable()) {
        for (std::optional<ToolId> chosen : {std::optional<ToolId>(), std::optional(row.id)}) {
            palette.showSelected(chosen);
            FlatButton *button = palette.button(row.id);
            const QImage with = button->grab().toImage();
            const QString caption = button->caption();
            button->setCaption(QString());
            const QImage without = button->grab().toImage();
            button->setCaption(caption);

            const int s = qRound(with.devicePixelRatio());
            const int top = std::max((button->height() - 16) / 2, 2);
            const int bottom = std::min(top + 16, button->height() - 2);
            const QRect face(21 * s, top * s, (button->width() - 23) * s, (bottom - top) * s);
            QRect ink;
            for (int y = 0; y < with.height(); ++y) {
                for (int x = 0; x < with.width(); ++x) {
                    if (with.pixel(x, y) != without.pixel(x, y))
                        ink |= QRect(x, y, 1, 1);
                }
            }
            if (ink.isEmpty() || !face.contains(ink))
                strays << caption + (chosen ? QStringLiteral(" (chosen)") : QString());
        }
    }
    return strays;
}
