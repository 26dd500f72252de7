#include "mouse_pointer.h"

#include "core/numbers.h"

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

bool MousePointer::setCode(QWidget &widget, int code)
{
    const auto code16 = toInt16(code);
    if (!code16)
        return false;
    m_code = *code16;
    applyMousePointer(widget, m_code, m_icon);
    return true;
}

void MousePointer::setIcon(QWidget &widget, const QPixmap &icon)
{
    m_icon = icon;
    applyMousePointer(widget, m_code, m_icon);
}
