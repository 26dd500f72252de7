#pragma once

#include <QWidget>

// An etched horizontal separator: a shadow row above a highlight row, across
// the whole width. It keeps its height of two pixels whatever its container
// asks for.
class Line3D : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = 2;

    explicit Line3D(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
