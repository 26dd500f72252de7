#pragma once

#include <QPointF>
#include <QWidget>

// One of the small handles at the canvas's edges that resize it when dragged.
// It shows a white-framed blue square and reports the mouse in its own
// pixels; the main window decides what a press or a drag does.
class ResizeGrip : public QWidget
{
    Q_OBJECT

public:
    explicit ResizeGrip(QWidget *parent = nullptr);

    // The picture every grip shows.
    static QImage picture();

signals:
    void pressed(Qt::MouseButton button, QPointF at);
    // A move, with the buttons held during it.
    void moved(Qt::MouseButtons buttons, QPointF at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
