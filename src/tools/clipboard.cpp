#include "clipboard.h"

#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/large_image.h"
#include "core/numbers.h"
#include "core/row_bands.h"
#include "core/surface.h"
#include "tool_state.h"

#include <algorithm>
#include <cstring>

namespace {

// A paste goes onto the canvas this many rows at a time, so that its
// temporary copies stay small however large the clipboard picture is.
constexpr int PasteBand = 256;

} // namespace

Clipboard::Clipboard(Document &document, ToolState &state, const UserDialogs &ask)
    : m_document(document), m_state(state), m_ask(ask)
{
}

std::optional<QImage> Clipboard::take(const QRect &selection) const
{
    if (!Surface::canHold(selection.width(), selection.height()))
        return std::nullopt;
    QImage taken = newLargeImage(selection.width(), selection.height());
    if (taken.isNull())
        return std::nullopt;
    const Surface &canvas = m_document.canvas();
    const QRect inside = selection & canvas.rect();
    if (inside != selection)
        taken.fill(toQRgb(canvas.backColour()));
    const QImage image = canvas.image();
    const auto bytes = static_cast<std::size_t>(inside.width()) * sizeof(QRgb);
    const int column = inside.left() - selection.left();
    // On two threads, which share the first touches of a big copy's memory;
    // rows as plain pointers, since QImage's own calls are not for threads.
    uchar *target = taken.bits();
    const qsizetype targetStride = taken.bytesPerLine();
    const uchar *source = image.constBits();
    const qsizetype sourceStride = image.bytesPerLine();
    const std::vector<RowBand> bands = rowBands(inside.top(), inside.bottom() + 1, inside.width());
    runBands(bands.size(), [&](std::size_t band) {
        for (int y = bands[band].first; y < bands[band].end; ++y)
            std::memcpy(
                reinterpret_cast<QRgb *>(target + (y - selection.top()) * targetStride) + column,
                reinterpret_cast<const QRgb *>(source + y * sourceStride) + inside.left(), bytes);
    });
    return taken;
}

bool Clipboard::replace(const QRect &selection, const QString &command)
{
    if (selection.isEmpty())
        return false;
    const std::optional<QImage> taken = take(selection);
    if (!taken || !m_document.clipboard().setPicture(*taken)) {
        m_ask.dialogs.message(m_ask.owner, QStringLiteral("选定区域太大，内存无法容纳"), command,
                              CommonDialogs::Icon::Warning);
        return false;
    }
    m_state.pastePending = false;
    return true;
}

bool Clipboard::copySelection()
{
    if (!replace(m_document.selection(), QStringLiteral("复制")))
        return false;
    m_document.clearSelection();
    return true;
}

bool Clipboard::cutSelection()
{
    if (!cut(m_document.selection()))
        return false;
    m_document.clearSelection();
    return true;
}

bool Clipboard::cut(const QRect &selection)
{
    if (!replace(selection, QStringLiteral("剪切")))
        return false;
    Surface &canvas = m_document.canvas();
    canvas.line(selection.topLeft(), selection.bottomRight(), canvas.backColour(),
                Surface::LineForm::FilledBox);
    canvas.refresh();
    return true;
}

void Clipboard::paste()
{
    m_state.pastePending = true;
    m_state.currentTool.reset();
}

void Clipboard::preview(QPointF at)
{
    m_document.canvas().preview([&] { place(at); });
}

void Clipboard::commit(QPointF at)
{
    place(at);
}

void Clipboard::place(QPointF at)
{
    Surface &canvas = m_document.canvas();
    const Surface &picture = m_document.clipboard();
    const QSize size = picture.size();
    const QPoint corner(roundToInt(at.x() - size.width() / 2),
                        roundToInt(at.y() - size.height() / 2));
    const QRect target = QRect(corner, size) & canvas.rect();
    const Colour key = canvas.backColour();
    for (int top = target.top(); top <= target.bottom(); top += PasteBand) {
        const QRect band(target.left(), top, target.width(),
                         std::min(PasteBand, target.bottom() + 1 - top));
        const QPoint from = band.topLeft() - corner;
        if (m_keyed)
            canvas.transparentBlt(band, picture, QRect(from, band.size()), key);
        else
            canvas.bitBlt(band, picture, from);
    }
}
