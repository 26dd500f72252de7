#pragma once

#include "canvas_transform.h"
#include "picture_box.h"

#include <QRect>

class Document;
class QPainter;

// The document's canvas on the screen: the picture with the selection frame
// and the clone marker above it, which never touch the picture, and the mouse
// and keys over it, positions mapped to canvas pixels by its transform.
class CanvasView : public PictureBox
{
    Q_OBJECT

public:
    explicit CanvasView(QWidget *parent = nullptr);

    // The document shown; not owned.
    void setDocument(Document *document);

    const CanvasTransform &transform() const { return m_transform; }

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
    void paintDottedFrame(QPainter &painter, const QRect &frame, const QRect &dirty) const;

    Document *m_document = nullptr;
    CanvasTransform m_transform;
};
