#pragma once

#include <QFrame>

// A container with a sunken two-pixel border whose children live in the area
// inside the border: they are placed from its inner top-left corner and
// clipped by the border, never drawn over it.
class BorderedBox : public QFrame
{
    Q_OBJECT

public:
    static constexpr int Border = 2;

    explicit BorderedBox(QWidget *parent = nullptr);

    // The parent for the box's children.
    QWidget *client() const;
    // Inner size: the size minus the border on each side, never negative.
    QSize innerSize() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_client;
};
