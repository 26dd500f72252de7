#pragma once

#include <QPixmap>

class QWidget;

// The pointer shape codes of the program's controls: 0 default (the
// container's pointer), 1 arrow, 2 cross, 3 text beam, 4 icon, 5 size all, 6 size
// NE-SW, 7 size N-S, 8 size NW-SE, 9 size W-E, 10 up arrow, 11 busy, 12 no
// drop, 13 arrow and busy, 14 arrow and question mark, 15 size all, 99 custom
// (the control's mouse icon). Unknown codes show the default pointer.
void applyMousePointer(QWidget &widget, int code, const QPixmap &icon);

// The MousePointer and MouseIcon properties of a control: a 16-bit shape code
// and a custom image, applied to the control's cursor as they change.
class MousePointer
{
public:
    int code() const { return m_code; }
    const QPixmap &icon() const { return m_icon; }
    // False, and nothing changes, when code does not fit in 16 bits.
    bool setCode(QWidget &widget, int code);
    void setIcon(QWidget &widget, const QPixmap &icon);

private:
    int m_code = 0;
    QPixmap m_icon;
};
