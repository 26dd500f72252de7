#pragma once

#include <QRect>
#include <QWidget>

class QPainter;
class Surface;

// Shows a Surface at 1:1 and reports the mouse and keyboard in the terms the
// canvas handlers use: buttons 1 left, 2 right, 4 middle; shift bits 1 Shift,
// 2 Ctrl, 4 Alt; positions in surface pixels; Windows virtual-key codes.
// The selection frame and the marker are drawn above the picture and never
// touch the surface.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // The surface shown; not owned. The widget takes its size.
    void setSurface(Surface *surface);
    Surface *surface() const { return m_surface; }

    void setSelectionFrame(const QRect &frame);
    void hideSelectionFrame();
    QRect selectionFrame() const { return m_selectionFrame; }

    void setMarker(const QRect &marker);
    void hideMarker();
    QRect marker() const { return m_marker; }

    QSize sizeHint() const override;

    // The Windows virtual-key code of a Qt key, 0 for keys without one.
    static int virtualKeyCode(int qtKey);

signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void dblClick();
    void keyUp(int keyCode);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void followSize();
    // The pixels an overlay frame covers, for repainting it.
    static QRect frameArea(const QRect &frame);
    void moveOverlay(QRect &overlay, const QRect &to);
    static void paintDottedFrame(QPainter &painter, const QRect &frame, const QRect &dirty);

    Surface *m_surface = nullptr;
    QRect m_selectionFrame;
    QRect m_marker;
};
