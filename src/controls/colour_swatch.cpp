#include "colour_swatch.h"

#include <QPainter>
#include <qdrawutil.h>

ColourSwatch::ColourSwatch(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setColour(0);
}

void ColourSwatch::setColour(Colour colour)
{
    m_colour = colour;
    const ColourChannels c = splitColour(resolveColour(colour));
    setAccessibleDescription(
        QStringLiteral("红 %1, 绿 %2, 蓝 %3").arg(c.red).arg(c.green).arg(c.blue));
    update();
}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QBrush fill{QColor::fromRgb(toQRgb(m_colour))};
    qDrawWinPanel(&painter, rect(), palette(), true, &fill);
    if (hasFocus()) {
        // Dots that stand out from the colour they lie on.
        const ColourChannels c = splitColour(resolveColour(m_colour));
        const bool light = c.red + c.green + c.blue > 3 * 127;
        painter.setPen(QPen(light ? Qt::black : Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}
