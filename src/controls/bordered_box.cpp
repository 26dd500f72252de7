#include "bordered_box.h"

#include <QPaintEvent>
#include <QPainter>

class BorderedBox::Inside : public QWidget
{
public:
    using QWidget::QWidget;

    QColor background;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!background.isValid())
            return;
        QPainter painter(this);
        painter.fillRect(event->rect(), background);
    }
};

BorderedBox::BorderedBox(QWidget *parent) : QFrame(parent), m_client(new Inside(this))
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWidth(Border);
    m_client->move(Border, Border);
}

QWidget *BorderedBox::client() const
{
    return m_client;
}

QSize BorderedBox::innerSize() const
{
    // From the box's own size: a hidden box gets its resize event only when
    // shown, so the inside may still have its old size.
    return {qMax(0, width() - 2 * Border), qMax(0, height() - 2 * Border)};
}

void BorderedBox::setBackground(const QColor &colour)
{
    m_client->background = colour;
    m_client->update();
}

void BorderedBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_client->resize(innerSize());
}
