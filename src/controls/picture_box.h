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

private:
    void followSize();

    Surface *m_surface = nullptr;
};
