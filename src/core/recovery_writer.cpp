#include "recovery_writer.h"

#include <QFile>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zstd.h>

#include <cerrno>

namespace {

// Written out in pieces of this size.
constexpr std::size_t BufferBytes = std::size_t(64) << 10;
// Drawing and filters come first when the two compete for a core.
constexpr int Niceness = 10;
// Zstandard's fastest: the copy is written often and read once.
constexpr int CompressionLevel = 1;

} // namespace

RecoveryWriter::RecoveryWriter(QString copyPath, QString partPath, Notify notify)
    : m_copyPath(std::move(copyPath)), m_partPath(std::move(partPath)), m_notify(std::move(notify)),
      m_thread([this] { run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void RecoveryWriter::push(Item item)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queuedBytes += item.bytes;
        m_queue.push_back(std::move(item));
    }
    m_wake.notify_one();
}

void RecoveryWriter::beginFrame(const recovery::FrameHeader &frame)
{
    Item item;
    item.frame = frame;
    push(std::move(item));
}

void RecoveryWriter::addTile(std::uint32_t index, std::unique_ptr<char[]> pixels, std::size_t bytes)
{
    Item item;
    item.kind = Item::Kind::Tile;
    item.index = index;
    item.pixels = std::move(pixels);
    item.bytes = bytes;
    push(std::move(item));
}

void RecoveryWriter::endFrame()
{
    Item item;
    item.kind = Item::Kind::End;
    push(std::move(item));
}

bool RecoveryWriter::hasRoom(std::size_t limit)
{
    const std::lock_guard lock(m_mutex);
    m_queueLimit = limit;
    if (m_queuedBytes < m_queueLimit)
        return true;
    m_wantRoom = true;
    return false;
}

bool RecoveryWriter::adopt(const QString &path)
{
    const std::lock_guard lock(m_mutex);
    m_replaced = true;
    return rename(QFile::encodeName(path).constData(), QFile::encodeName(m_copyPath).constData()) ==
           0;
}

void RecoveryWriter::run()
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), Niceness);
    m_context = ZSTD_createCCtx();
    if (m_context) {
        ZSTD_CCtx_setParameter(m_context, ZSTD_c_compressionLevel, CompressionLevel);
        ZSTD_CCtx_setParameter(m_context, ZSTD_c_checksumFlag, 1);
    }
    for (;;) {
        Item item;
        bool roomAgain = false;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                break;
            item = std::move(m_queue.front());
            m_queue.pop_front();
            m_queuedBytes -= item.bytes;
            if (m_wantRoom && m_queuedBytes <= m_queueLimit / 2) {
                m_wantRoom = false;
                roomAgain = true;
            }
        }
        if (roomAgain)
            m_notify(std::nullopt);
        switch (item.kind) {
        case Item::Kind::Begin:
            begin(item.frame);
            break;
        case Item::Kind::Tile:
            tile(item);
            break;
        case Item::Kind::End:
            end();
            break;
        }
    }
    if (m_out >= 0 && m_out != m_copyFd)
        close(m_out);
    if (m_copyFd >= 0)
        close(m_copyFd);
    ZSTD_freeCCtx(m_context);
}

void RecoveryWriter::begin(const recovery::FrameHeader &frame)
{
    m_frame = frame;
    m_failed = !m_context;
    m_buffer.clear();
    {
        const std::lock_guard lock(m_mutex);
        if (m_replaced && m_copyFd >= 0) {
            close(m_copyFd);
            m_copyFd = -1;
        }
        m_replaced = false;
    }
    if (frame.full) {
        m_frame.sequence = 0;
        // Never waits: a pipe in the part's place is refused, not written to.
        m_out = open(QFile::encodeName(m_partPath).constData(),
                     O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
        m_flushed = 0;
        if (m_out < 0)
            m_failed = true;
        else
            put(recovery::fileHeader());
    } else {
        m_frame.sequence = m_nextSequence;
        m_out = m_copyFd;
        m_flushed = m_committed;
        if (m_out < 0)
            m_failed = true;
    }
    put(recovery::frameHeader(m_frame));
}

void RecoveryWriter::tile(const Item &item)
{
    if (m_failed)
        return;
    m_compressed.resize(ZSTD_compressBound(item.bytes));
    const std::size_t stored = ZSTD_compress2(m_context, m_compressed.data(), m_compressed.size(),
                                              item.pixels.get(), item.bytes);
    if (ZSTD_isError(stored)) {
        m_failed = true;
        return;
    }
    put(recovery::tileHeader(item.index, static_cast<std::uint32_t>(stored),
                             static_cast<std::uint32_t>(item.bytes), m_frame.sequence));
    put(m_compressed.data(), stored);
}

void RecoveryWriter::end()
{
    put(recovery::frameEnd(m_frame));
    flush();
    Report report;
    if (!m_failed && m_frame.full) {
        // The new copy takes the old one's place whole, or not at all.
        const std::lock_guard lock(m_mutex);
        m_failed = rename(QFile::encodeName(m_partPath).constData(),
                          QFile::encodeName(m_copyPath).constData()) != 0;
    }
    if (m_failed) {
        if (m_frame.full) {
            if (m_out >= 0)
                close(m_out);
            unlink(QFile::encodeName(m_partPath).constData());
        } else if (m_copyFd >= 0 && ftruncate(m_copyFd, m_committed) != 0) {
            // The copy still reads as of its last frame; it is not added to.
            close(m_copyFd);
            m_copyFd = -1;
        }
    } else {
        if (m_frame.full) {
            if (m_copyFd >= 0)
                close(m_copyFd);
            m_copyFd = m_out;
            m_nextSequence = 1;
        } else {
            ++m_nextSequence;
        }
        m_committed = m_flushed;
        report.written = true;
    }
    m_out = -1;
    report.copyBytes = m_copyFd >= 0 ? m_committed : 0;
    m_notify(report);
}

void RecoveryWriter::put(const char *data, std::size_t bytes)
{
    if (m_failed)
        return;
    m_buffer.insert(m_buffer.end(), data, data + bytes);
    if (m_buffer.size() >= BufferBytes)
        flush();
}

void RecoveryWriter::flush()
{
    std::size_t done = 0;
    while (!m_failed && done < m_buffer.size()) {
        const ssize_t written = pwrite(m_out, m_buffer.data() + done, m_buffer.size() - done,
                                       m_flushed + static_cast<std::int64_t>(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            m_failed = true;
        else
            done += static_cast<std::size_t>(written);
    }
    m_flushed += static_cast<std::int64_t>(done);
    m_buffer.clear();
}
