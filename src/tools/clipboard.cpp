#include "clipboard.h"

#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/large_image.h"
#include "core/numbers.h"
#include "core/surface.h"
#include "tool_state.h"

#include <algorithm>
#include <cstring>

namespace {

// A paste goes onto the canvas this many rows at a time, so that its
// temporary copies stay small however large the clipboard picture is.
constexpr int PasteBand = 256;

} // namespace

Clipboard::Clipboard(Surface &canvas, Surface &picture, ToolState &state, Document &document,
                     CommonDialogs &dialogs, QWidget *owner)
    : m_canvas(canvas), m_picture(picture), m_state(state), m_document(document),
      m_dialogs(dialogs), m_owner(owner)
{
}

std::optional<QImage> Clipboard::take(const QRect &selection) const
{
    if (!Surface::canHold(selection.width(), selection.height()))
        return std::nullopt;
    QImage taken = newLargeImage(selection.width(), selection.height());
    if (taken.isNull())
        return std::nullopt;
    const QRect inside = selection & m_canvas.rect();
    if (inside != selection)
        taken.fill(toQRgb(m_canvas.backColor()));
    const QImage image = m_canvas.image();
    const auto bytes = static_cast<std::size_t>(inside.width()) * sizeof(QRgb);
    const int column = inside.left() - selection.left();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb *>(taken.scanLine(y - selection.top())) + column,
                    reinterpret_cast<const QRgb *>(image.constScanLine(y)) + inside.left(), bytes);
    return taken;
}

bool Clipboard::replace(const QRect &selection, const QString &command)
{
    if (selection.isEmpty())
        return false;
    const std::optional<QImage> taken = take(selection);
    if (!taken || !m_picture.setPicture(*taken)) {
        m_dialogs.message(m_owner, QStringLiteral("选定区域太大，内存无法容纳"), command,
                          CommonDialogs::Icon::Warning);
        return false;
    }
    m_state.PastePending = false;
    return true;
}

bool Clipboard::copy(const QRect &selection)
{
    return replace(selection, QStringLiteral("复制"));
}

bool Clipboard::cut(const QRect &selection)
{
    if (!replace(selection, QStringLiteral("剪切")))
        return false;
    // Into the picture, even when the Delete key comes while a button is held.
    const bool persistent = m_canvas.autoRedraw();
    m_canvas.setAutoRedraw(true);
    m_canvas.line(selection.topLeft(), selection.bottomRight(), m_canvas.backColor(),
                  Surface::LineForm::FilledBox);
    m_canvas.setAutoRedraw(persistent);
    m_canvas.refresh();
    return true;
}

void Clipboard::paste()
{
    m_state.PastePending = true;
    m_document.CurrentTool = -1;
}

void Clipboard::preview(QPointF at)
{
    // A tool chosen after Paste may draw straight into the picture and leave
    // persistence on; the preview must still go no further than the screen.
    const bool persistent = m_canvas.autoRedraw();
    m_canvas.setAutoRedraw(false);
    m_canvas.refresh();
    place(at);
    m_canvas.setAutoRedraw(persistent);
}

void Clipboard::commit(QPointF at)
{
    place(at);
}

void Clipboard::place(QPointF at)
{
    const QSize size = m_picture.size();
    const QPoint corner(roundToInt(at.x() - size.width() / 2),
                        roundToInt(at.y() - size.height() / 2));
    const QRect target = QRect(corner, size) & m_canvas.rect();
    const Colour key = m_canvas.backColor();
    for (int top = target.top(); top <= target.bottom(); top += PasteBand) {
        const QRect band(target.left(), top, target.width(),
                         std::min(PasteBand, target.bottom() + 1 - top));
        const QPoint from = band.topLeft() - corner;
        if (m_keyed)
            m_canvas.transparentBlt(band, m_picture, QRect(from, band.size()), key);
        else
            m_canvas.bitBlt(band, m_picture, from);
    }
}
