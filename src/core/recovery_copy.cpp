#include "recovery_copy.h"

#include "document.h"

#include <algorithm>
#include <cstring>

namespace {

// The held picture's tiles are the copy's.
static_assert(recovery::TileSize == TiledPicture::TileSize);

constexpr std::size_t TileBytes = std::size_t(recovery::TileSize) * recovery::TileSize * 4;
// One slice of copying between two of the window's events.
constexpr qint64 SliceNanoseconds = 2'000'000;

} // namespace

RecoveryCopy::RecoveryCopy(Document &document, QObject *parent)
    : QObject(parent), m_document(document)
{
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (!m_writing)
            beginFrame();
    });
    m_slice.setInterval(0);
    connect(&m_slice, &QTimer::timeout, this, &RecoveryCopy::copySlice);
    Surface &canvas = m_document.canvas();
    connect(&canvas, &Surface::imageChanged, this, &RecoveryCopy::imageChanged);
    connect(&canvas, &Surface::sizeChanged, this, [this] { imageChanged(QRect()); });
}

RecoveryCopy::~RecoveryCopy()
{
    // The writer stops before what it reports to goes.
    m_writer.reset();
}

bool RecoveryCopy::start(const QString &folder)
{
    if (m_writer)
        return true;
    m_files = InstanceFiles::claim(folder);
    if (!m_files)
        return false;
    m_writer = std::make_unique<RecoveryWriter>(
        m_files->copyPath(), m_files->partPath(),
        [this](std::optional<RecoveryWriter::Report> report) {
            QMetaObject::invokeMethod(
                this, [this, report] { writerReport(report); }, Qt::QueuedConnection);
        });
    // The canvas as it is now is the first copy.
    m_forceFull = true;
    imageChanged(m_document.canvas().rect());
    return true;
}

std::vector<OrphanCopy> RecoveryCopy::orphans() const
{
    return m_files ? m_files->orphans() : std::vector<OrphanCopy>();
}

void RecoveryCopy::adopt(OrphanCopy &orphan)
{
    if (!m_writer)
        return;
    // Until this instance writes a copy of its own, the orphan's stands for
    // it: ending now would not lose the picture.
    m_writer->adopt(orphan.copyPath());
    orphan.remove();
    m_forceFull = true;
    imageChanged(m_document.canvas().rect());
}

void RecoveryCopy::endNormally()
{
    if (!m_writer)
        return;
    m_settle.stop();
    m_slice.stop();
    m_snapshot = TiledPicture();
    // The writer ends with the tile in hand; what it wrote goes with the rest.
    m_writer.reset();
    m_files->remove();
    m_files.reset();
    if (m_finished)
        std::exchange(m_finished, {})();
}

void RecoveryCopy::finish(std::function<void()> done)
{
    if (!m_writer || (m_sinceFailure.isValid() && m_sinceFailure.elapsed() < RetryDelay)) {
        done();
        return;
    }
    m_finished = std::move(done);
    m_settle.stop();
    if (!m_writing && m_anyDirty)
        beginFrame();
    finishIfDone();
}

void RecoveryCopy::finishIfDone()
{
    if (m_finished && !m_writing && !m_anyDirty)
        std::exchange(m_finished, {})();
}

void RecoveryCopy::imageChanged(const QRect &area)
{
    if (!m_writer)
        return;
    const QSize size = m_document.canvas().size();
    if (size != m_grid.size) {
        m_grid = recovery::TileGrid{size};
        m_dirty.assign(static_cast<std::size_t>(m_grid.count()), true);
    } else {
        const QRect changed = area & QRect(QPoint(0, 0), size);
        if (changed.isEmpty())
            return;
        const int columns = m_grid.columns();
        for (int row = changed.top() / recovery::TileSize;
             row <= changed.bottom() / recovery::TileSize; ++row) {
            for (int column = changed.left() / recovery::TileSize;
                 column <= changed.right() / recovery::TileSize; ++column)
                m_dirty[static_cast<std::size_t>(row * columns + column)] = true;
        }
    }
    if (!m_anyDirty)
        m_firstChange.start();
    m_anyDirty = true;
    schedule();
}

void RecoveryCopy::schedule()
{
    if (m_writing || !m_anyDirty || m_finished)
        return;
    qint64 wait = std::min<qint64>(m_settleDelay, MaxDelay - m_firstChange.elapsed());
    if (m_sinceFailure.isValid())
        wait = std::max(wait, RetryDelay - m_sinceFailure.elapsed());
    m_settle.start(static_cast<int>(std::max<qint64>(0, wait)));
}

std::size_t RecoveryCopy::queueLimit() const
{
    // A sixty-fourth of the picture, within bounds, waits for the writer.
    const auto picture = static_cast<std::size_t>(m_frameSize.width()) *
                         static_cast<std::size_t>(m_frameSize.height()) * 4;
    return std::clamp(picture / 64, 2 * TileBytes, std::size_t(16) << 20);
}

void RecoveryCopy::beginFrame()
{
    Surface &canvas = m_document.canvas();
    m_snapshot = canvas.hold();
    m_frameSize = m_snapshot.size();
    const recovery::TileGrid grid{m_frameSize};
    const auto pictureBytes = std::int64_t(m_frameSize.width()) * m_frameSize.height() * 4;
    const bool sameGrid = grid.size == m_grid.size;
    std::int64_t dirtyBytes = 0;
    for (int i = 0; sameGrid && i < grid.count(); ++i) {
        if (m_dirty[static_cast<std::size_t>(i)]) {
            const QRect area = grid.tileRect(i);
            dirtyBytes += std::int64_t(area.width()) * area.height() * 4;
        }
    }
    // The copy on disk stays within the picture's own size: a frame that
    // would take it past that starts a new copy instead.
    const bool full = m_forceFull || !sameGrid || m_frameSize != m_copySize ||
                      m_copyBytes + dirtyBytes > pictureBytes;
    m_pending.clear();
    for (int i = 0; i < grid.count(); ++i) {
        if (full || m_dirty[static_cast<std::size_t>(i)])
            m_pending.push_back(i);
    }
    std::fill(m_dirty.begin(), m_dirty.end(), false);
    m_anyDirty = false;
    m_firstChange.invalidate();
    recovery::FrameHeader frame;
    frame.full = full;
    frame.size = m_frameSize;
    frame.background = canvas.backColour();
    frame.tiles = static_cast<std::uint32_t>(m_pending.size());
    m_writer->beginFrame(frame);
    m_writing = true;
    m_next = 0;
    m_slice.start();
}

void RecoveryCopy::copySlice()
{
    const recovery::TileGrid grid{m_frameSize};
    QElapsedTimer clock;
    clock.start();
    while (m_next < m_pending.size() && clock.nsecsElapsed() < SliceNanoseconds) {
        if (!m_writer->hasRoom(queueLimit())) {
            // The writer says when it has taken some.
            m_slice.stop();
            return;
        }
        const int index = m_pending[m_next++];
        const QRect area = grid.tileRect(index);
        const auto bytes = static_cast<std::size_t>(area.width() * area.height()) * 4;
        auto pixels = std::make_unique_for_overwrite<char[]>(bytes);
        if (!m_snapshot.copyTile(index % grid.columns(), index / grid.columns(),
                                 reinterpret_cast<uchar *>(pixels.get())))
            std::memset(pixels.get(), 0, bytes);
        m_writer->addTile(static_cast<std::uint32_t>(index), std::move(pixels), bytes);
    }
    if (m_next < m_pending.size())
        return;
    m_slice.stop();
    m_writer->endFrame();
    // Nothing is kept for the copy once its tiles are on their way.
    m_snapshot = TiledPicture();
    m_pending.clear();
    m_pending.shrink_to_fit();
}

void RecoveryCopy::writerReport(std::optional<RecoveryWriter::Report> report)
{
    if (!m_writer)
        return;
    if (!report) {
        if (m_writing && m_next < m_pending.size())
            m_slice.start();
        return;
    }
    m_writing = false;
    m_copyBytes = report->copyBytes;
    if (report->written) {
        m_forceFull = false;
        m_copySize = m_frameSize;
        m_sinceFailure.invalidate();
        emit written();
    } else {
        // Quietly: the next try comes later, and writes the whole picture.
        m_forceFull = true;
        m_sinceFailure.start();
        std::fill(m_dirty.begin(), m_dirty.end(), true);
        if (!m_dirty.empty() && !m_anyDirty)
            m_firstChange.start();
        m_anyDirty = !m_dirty.empty();
        if (m_finished) {
            // No copy can be had now: the end does not wait for one.
            std::exchange(m_finished, {})();
            return;
        }
    }
    if (m_finished && m_anyDirty)
        beginFrame();
    else
        schedule();
    finishIfDone();
}
