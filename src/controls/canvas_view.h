#pragma once

#include "canvas_transform.h"
#include "scroll_ranges.h"

#include <QRect>
#include <QWidget>

#include <memory>
#include <vector>

class Document;
class QPainter;
class QWheelEvent;
class ReducedPicture;

// The viewport onto the document's canvas: the picture at any zoom, scrolled,
// with the grey around it and the selection frame and the clone marker above
// it, which never touch the picture; and the mouse and keys over the picture,
// positions mapped to canvas pixels. Its transform holds the zoom and the
// scroll (the origin is minus the scroll position), and it paints and maps
// only through it. The scroll position counts steps of the window's scroll
// bars, which the window binds to it; they lie over the view's right and
// bottom edges.
class CanvasView : public QWidget
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
    // Screen pixels per picture pixel.
    double zoom() const { return m_transform.scale(); }
    // Where the picture lies in the view; only presses there reach it, none
    // on the grey around it.
    QRect pictureRect() const;

    // The zoom steps levels up (or down), or to zoom, about the middle of the
    // part of the view that the scroll bars leave visible; or about anchor
    // (view pixels), whose picture point stays in its place as far as the
    // scroll bars reach. A stroke keeps the zoom it started at: nothing
    // changes while a button pressed on the picture is held.
    void zoomBy(int steps);
    void zoomTo(double zoom);
    void zoomAbout(double zoom, QPointF anchor);
    // The zoom steps levels up (or down, for a negative steps) from zoom,
    // within 12.5 % and 6400 %.
    static double zoomStep(double zoom, int steps);

    const ScrollRanges &scrollRanges() const { return m_ranges; }
    // In steps of the bars.
    QPoint scrollPosition() const { return m_scroll; }
    // Kept within the bars' ranges.
    void scrollTo(QPoint position);

    // A turn of the wheel at at (view pixels), over the view or over what
    // lies on it: with Ctrl a zoom step per notch about that point, else a
    // scroll.
    void turnWheel(const QWheelEvent &event, QPointF at);

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF at);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at);
    void dblClick();
    void keyUp(Qt::Key key);
    // The bars' ranges changed: the picture's size, the zoom or the view's.
    void scrollRangesChanged();
    void scrolled(QPoint position);
    // A zoom step, or another size of the picture, gave it another size on
    // the screen.
    void pictureRectChanged();
    void zoomed(double zoom);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Where the buttons held went when the first of them was pressed.
    enum class Grab { None, Picture, Grey };
    // When a change of the view reaches the screen.
    enum class Shown { WithTheRest, AtOnce };

    // A press or double-click: whether it reaches the picture.
    bool pressReachesPicture(const QMouseEvent &event);
    // A move or release: whether it reaches the picture.
    bool reachesPicture(const QMouseEvent &event) const;
    // The picture's size on the screen at zoom.
    QSize shownSize(double zoom) const;
    void canvasResized();
    // The ranges for the picture's size at the zoom and the view's size, and
    // the scroll position kept within them. AtOnce paints the view before
    // anyone hears of the change, when it moved or zoomed.
    void updateRanges(QPoint wanted, double zoom, Shown shown = Shown::WithTheRest);
    // The transform for the zoom and the scroll position.
    void placePicture(double zoom);
    // A frame overlay moved from previous to current (canvas pixels).
    void overlayMoved(const QRect &current, const QRect &previous);
    QPointF canvasPoint(QPointF view) const;

    // canvas_view_paint.cpp
    // The picture within dirty, the view rectangle being repainted, at 1:1.
    void paintActualSize(QPainter &painter, const QRect &dirty);
    // The same at a zoom other than 1:1.
    void paintZoomed(QPainter &painter, const QRect &dirty);
    // The picture pixels area under dirty, factor device pixels per picture
    // pixel, or picture pixels per device pixel; ratio device pixels per view
    // pixel.
    void paintEnlarged(QPainter &painter, const QRect &dirty, const QRect &area, int factor,
                       double ratio);
    void paintReduced(QPainter &painter, const QRect &area, int factor, double ratio);
    // The scratch, at least size large.
    QImage &scratch(QSize size);
    // The top left size device pixels of the scratch, at at (view pixels).
    void drawScratch(QPainter &painter, QPointF at, QSize size, double ratio) const;
    void paintDottedFrame(QPainter &painter, const QRect &frame, const QRect &dirty) const;

    Document *m_document = nullptr;
    CanvasTransform m_transform;
    ScrollRanges m_ranges;
    QPoint m_scroll;
    std::unique_ptr<ReducedPicture> m_reduced;
    // Where the zoomed picture is made before it is drawn: kept from one
    // repaint to the next, and made as large as the view when the view takes
    // its size, since memory touched for the first time is slow to have.
    QImage m_scratch;
    // The picture column of each device column of an enlarged repaint, and
    // the device columns that show the grid.
    std::vector<int> m_enlargedColumns;
    std::vector<int> m_gridColumns;
    Grab m_grab = Grab::None;
    int m_wheelZoom = 0; // wheel turns towards the next zoom step
};
