#pragma once

#include "recovery_format.h"

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

struct ZSTD_CCtx_s;

// Writes the frames of a recovery copy on a thread of its own, at a low
// priority, so that the thread that hands it the tiles never waits for the
// disk or for the compressor. A frame is begun, given its tiles and ended;
// a full frame goes to the part file and takes the copy's place once it is
// complete, any other is appended to the copy. Whatever goes wrong (a full
// disk, a folder that cannot be written) fails the frame quietly and leaves
// the copy as it was before it.
class RecoveryWriter
{
public:
    struct Report {
        bool written = false;
        // The copy's size on disk after the frame.
        std::int64_t copyBytes = 0;
    };
    // Called on the writer's thread: with a report when a frame is done,
    // with nothing when the queue has room again after it was found full.
    using Notify = std::function<void(std::optional<Report>)>;

    RecoveryWriter(QString copyPath, QString partPath, Notify notify);
    // Finishes the tile in hand, not the queue.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter &) = delete;
    RecoveryWriter &operator=(const RecoveryWriter &) = delete;

    // frame.sequence is the writer's own.
    void beginFrame(const recovery::FrameHeader &frame);
    // pixels: the tile's rows one after another.
    void addTile(std::uint32_t index, std::unique_ptr<char[]> pixels, std::size_t bytes);
    void endFrame();
    // Whether another tile may be queued while at most limit bytes of tiles
    // wait; when not, the writer notifies once it has room.
    bool hasRoom(std::size_t limit);

    // The copy at path becomes this writer's copy; the next frame must be full.
    bool adopt(const QString &path);

private:
    struct Item {
        enum class Kind { Begin, Tile, End } kind = Kind::Begin;
        recovery::FrameHeader frame;
        std::uint32_t index = 0;
        std::unique_ptr<char[]> pixels;
        std::size_t bytes = 0;
    };

    void push(Item item);
    void run();
    void begin(const recovery::FrameHeader &frame);
    void tile(const Item &item);
    void end();
    void put(const char *data, std::size_t bytes);
    void put(const std::vector<char> &bytes) { put(bytes.data(), bytes.size()); }
    void flush();

    const QString m_copyPath;
    const QString m_partPath;
    const Notify m_notify;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Item> m_queue;
    std::size_t m_queuedBytes = 0;
    std::size_t m_queueLimit = 0;
    bool m_wantRoom = false;
    bool m_stopping = false;
    // Guarded by m_mutex: an adopted copy is not appended to.
    bool m_replaced = false;

    // The writer thread's own.
    recovery::FrameHeader m_frame;
    int m_copyFd = -1;
    int m_out = -1;
    std::int64_t m_committed = 0;
    std::uint32_t m_nextSequence = 0;
    std::int64_t m_flushed = 0;
    std::vector<char> m_buffer;
    std::vector<char> m_compressed;
    bool m_failed = false;
    ZSTD_CCtx_s *m_context = nullptr;

    std::thread m_thread;
};
