#pragma once

#include "colour.h"
#include "instance_files.h"
#include "recovery_format.h"
#include "recovery_writer.h"
#include "tile_journal.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Document;

// The recovery copy of the document's canvas: once the canvas has stayed
// unchanged for a moment (and at the latest MaxDelay after a change), the
// tiles that changed since the last copy are handed to a writer thread. The
// canvas is held as it is then (which costs nothing until it is drawn on),
// and its tiles are copied a few at a time between the window's events, only
// as fast as the writer takes them, so that neither the memory nor the
// window waits for the disk. A normal end removes the copy; any other end
// leaves it for the next start to offer.
class RecoveryCopy : public QObject
{
    Q_OBJECT

public:
    // The longest a change waits for the canvas to settle.
    static constexpr int MaxDelay = 1500;
    // After a copy could not be written, the next try waits this long.
    static constexpr int RetryDelay = 30000;

    explicit RecoveryCopy(Document &document, QObject *parent = nullptr);
    // Leaves the copy on disk, as an abnormal end would.
    ~RecoveryCopy() override;

    // Keeps a copy in folder from now on, made if missing; false, with no
    // copy kept, when the folder cannot be used.
    bool start(const QString &folder);
    QString copyPath() const { return m_files ? m_files->copyPath() : QString(); }

    // The copies of instances that ended abnormally, newest first.
    std::vector<OrphanCopy> orphans() const;
    // The orphan's copy becomes this instance's: the canvas shows its picture.
    void adopt(OrphanCopy &orphan);

    // The program ends normally: the copy goes and nothing more is written.
    void endNormally();
    // Writes what the copy lacks at once, then calls done; at once when the
    // copy is up to date or cannot be written.
    void finish(std::function<void()> done);

    // How long the canvas must stay unchanged before a copy is written.
    void setSettleDelay(int milliseconds) { m_settleDelay = milliseconds; }

signals:
    // The copy on disk now holds the canvas as it was when the copy began.
    void written();

private:
    void imageChanged(const QRect &area);
    void schedule();
    void beginFrame();
    void copySlice();
    void writerReport(std::optional<RecoveryWriter::Report> report);
    void finishIfDone();
    std::size_t queueLimit() const;

    Document &m_document;
    std::optional<InstanceFiles> m_files;
    std::unique_ptr<RecoveryWriter> m_writer;

    // The tiles of the canvas changed since the last copy began.
    recovery::TileGrid m_grid;
    std::vector<bool> m_dirty;
    bool m_anyDirty = false;
    QElapsedTimer m_firstChange;

    // What the copy on disk holds.
    bool m_forceFull = true;
    QSize m_copySize;
    std::int64_t m_copyBytes = 0;

    // The copy being written: the canvas as it was, and its tiles to go.
    bool m_writing = false;
    TiledPicture m_snapshot;
    QSize m_frameSize;
    std::vector<int> m_pending;
    std::size_t m_next = 0;

    QTimer m_settle;
    QTimer m_slice;
    QElapsedTimer m_sinceFailure;
    int m_settleDelay = 300;
    std::function<void()> m_finished;
};
