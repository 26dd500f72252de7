#include "bordered_box.h"

BorderedBox::BorderedBox(QWidget *parent) : QFrame(parent), m_client(new QWidget(this))
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

void BorderedBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_client->resize(innerSize());
}
