#pragma once

#include "canvas_transform.h"
#include "picture_box.h"

#include <QRect>

#include <memory>

class Document;
class QPainter;
class ReducedPicture;

// The document's canvas on the screen: the picture with the selection frame
// and the clone marker above it, which never touch the picture, and the mouse
// and keys over it, positions mapped to canvas pixels by its transform.
class CanvasView : public PictureBox
{
    Q_OBJECT

public:
    // From this zoom on, a grid marks the edges of the picture pixels.
    static constexpr double GridZoom = 8;

    explicit CanvasView(QWidget *parent = nullptr);
    ~CanvasView() override;

    // The document shown; not owned.
    void setDocument(Document *document);

    const CanvasTransform &transform() const { return m_transform; }
    // Screen pixels per picture pixel; the widget takes the picture's size
    // at that zoom.
    double zoom() const { return m_transform.scale(); }
    void setZoom(double zoom);
    // The zoom steps levels up (or down, for a negative steps) from zoom,
    // within 12.5 % and 6400 %.
    static double zoomStep(double zoom, int steps);

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF at);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at);
    void dblClick();
    void keyUp(Qt::Key key);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    QRect viewArea(const QRect &area) const override { return m_transform.toView(area); }
    QSize viewSize(QSize surfaceSize) const override;

private:
    // A frame overlay moved from previous to current (canvas pixels).
    void overlayMoved(const QRect &current, const QRect &previous);
    QPointF canvasPoint(QPointF view) const;
    // The picture within the view rectangle dirty at a zoom other than 1:1.
    void paintZoomed(QPainter &painter, const QRect &dirty);
    // factor device pixels per picture pixel, or picture pixels per device
    // pixel; ratio device pixels per view pixel.
    void paintEnlarged(QPainter &painter, const QRect &area, int factor, double ratio);
    void paintReduced(QPainter &painter, const QRect &area, int factor, double ratio);
    void paintDottedFrame(QPainter &painter, const QRect &frame, const QRect &dirty) const;

    Document *m_document = nullptr;
    CanvasTransform m_transform;
    std::unique_ptr<ReducedPicture> m_reduced;
};
