#pragma once

#include <QWidget>

class Surface;

// Shows a Surface at 1:1, screen layer included, and takes its size.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // The surface shown; not owned.
    void setSurface(Surface *surface);
    Surface *surface() const { return m_surface; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    // Where a change of the surface's screen within area shows.
    virtual QRect viewArea(const QRect &area) const { return area; }
    // The widget's size for a surface of this size.
    virtual QSize viewSize(QSize surfaceSize) const { return surfaceSize; }
    void followSize();

private:
    Surface *m_surface = nullptr;
};
