#include "mouse_pointer.h"

#include <QWidget>

#include <iterator>

void applyMousePointer(QWidget &widget, int code, const QPixmap &icon)
{
    static constexpr Qt::CursorShape Shapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::SizeAllCursor,   Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    constexpr int CustomPointer = 99;
    if (code == CustomPointer && !icon.isNull())
        widget.setCursor(QCursor(icon));
    else if (code > 0 && code < static_cast<int>(std::size(Shapes)))
        widget.setCursor(Shapes[code]);
    else
        widget.unsetCursor();
}
