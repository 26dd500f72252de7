#include "instance_files.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace {

const QString CopySuffix = QStringLiteral(".copy");
const QString LockSuffix = QStringLiteral(".lock");
const QString PartSuffix = QStringLiteral(".part");

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString pathOf(const QString &folder, const QString &id, const QString &suffix)
{
    return folder + QLatin1Char('/') + id + suffix;
}

void removeFile(const QString &path)
{
    unlink(native(path).constData());
}

// The lock at path taken for this instance: a regular file no running
// instance holds. -1 when it is held, or is no regular file.
int takeLock(const QString &path)
{
    // Never waits: whatever sits in the lock's place is only opened.
    int fd = open(native(path).constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT)
        fd = open(native(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  0600);
    if (fd < 0)
        return -1;
    struct stat status {
    };
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool isRegularFile(const QString &path)
{
    struct stat status {
    };
    return lstat(native(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

HeldPlace::HeldPlace(QString folder, QString id, int lockFd)
    : m_folder(std::move(folder)), m_id(std::move(id)), m_lockFd(lockFd)
{
}

HeldPlace::HeldPlace(HeldPlace &&other) noexcept
    : m_folder(std::move(other.m_folder)), m_id(std::move(other.m_id)),
      m_lockFd(std::exchange(other.m_lockFd, -1))
{
}

HeldPlace &HeldPlace::operator=(HeldPlace &&other) noexcept
{
    if (this != &other) {
        release();
        m_folder = std::move(other.m_folder);
        m_id = std::move(other.m_id);
        m_lockFd = std::exchange(other.m_lockFd, -1);
    }
    return *this;
}

HeldPlace::~HeldPlace()
{
    release();
}

void HeldPlace::release()
{
    if (m_lockFd >= 0)
        close(m_lockFd);
    m_lockFd = -1;
}

QString HeldPlace::copyPath() const
{
    return pathOf(m_folder, m_id, CopySuffix);
}

QString HeldPlace::partPath() const
{
    return pathOf(m_folder, m_id, PartSuffix);
}

void HeldPlace::remove()
{
    if (m_lockFd < 0)
        return;
    removeFile(copyPath());
    removeFile(partPath());
    // Last, while still held: a copy is never seen without its lock.
    removeFile(pathOf(m_folder, m_id, LockSuffix));
    release();
}

OrphanCopy::OrphanCopy(QString folder, QString id, int lockFd)
    : HeldPlace(std::move(folder), std::move(id), lockFd)
{
}

std::optional<InstanceFiles> InstanceFiles::claim(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return std::nullopt;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString id = QStringLiteral("%1-%2").arg(getpid()).arg(
            QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
        const QString lock = pathOf(folder, id, LockSuffix);
        // Locked before it is in place, so that no instance looking for
        // copies left behind ever takes it for one that is gone.
        const QString hidden = pathOf(folder, QLatin1Char('.') + id, LockSuffix);
        const int fd = open(native(hidden).constData(),
                            O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return std::nullopt;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0 || isRegularFile(lock) ||
            rename(native(hidden).constData(), native(lock).constData()) != 0) {
            removeFile(hidden);
            close(fd);
            continue;
        }
        return InstanceFiles(folder, id, fd);
    }
    return std::nullopt;
}

InstanceFiles::InstanceFiles(QString folder, QString id, int lockFd)
    : HeldPlace(std::move(folder), std::move(id), lockFd)
{
}

std::vector<OrphanCopy> InstanceFiles::orphans() const
{
    std::vector<std::pair<qint64, OrphanCopy>> found;
    const QDir dir(folder());
    const QStringList locks =
        dir.entryList({QLatin1Char('*') + LockSuffix}, QDir::Files | QDir::System);
    for (const QString &name : locks) {
        const QString other = name.chopped(LockSuffix.size());
        // Without QDir::Hidden, an id's lock while it is being made is not listed.
        if (other == id())
            continue;
        const int fd = takeLock(pathOf(folder(), other, LockSuffix));
        if (fd < 0)
            continue;
        OrphanCopy orphan(folder(), other, fd);
        struct stat status {
        };
        if (lstat(native(orphan.copyPath()).constData(), &status) != 0) {
            // Gone before it wrote a copy: nothing to offer.
            orphan.remove();
            continue;
        }
        found.emplace_back(qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
                           std::move(orphan));
    }
    std::sort(found.begin(), found.end(),
              [](const auto &a, const auto &b) { return a.first > b.first; });
    std::vector<OrphanCopy> orphans;
    orphans.reserve(found.size());
    for (auto &[modified, orphan] : found)
        orphans.push_back(std::move(orphan));
    return orphans;
}
