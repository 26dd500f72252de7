#pragma once

#include <QString>

#include <optional>
#include <vector>

// A copy left in the recovery folder by an instance that is gone, held for
// this instance (its lock taken) until it is dropped: no other instance
// offers it meanwhile.
class OrphanCopy
{
public:
    OrphanCopy(QString folder, QString id, int lockFd);
    OrphanCopy(OrphanCopy &&other) noexcept;
    OrphanCopy &operator=(OrphanCopy &&other) noexcept;
    OrphanCopy(const OrphanCopy &) = delete;
    OrphanCopy &operator=(const OrphanCopy &) = delete;
    // Lets go of the copy, which stays for a later start.
    ~OrphanCopy();

    QString copyPath() const;
    // Deletes the copy and what belongs to it.
    void remove();

private:
    QString m_folder;
    QString m_id;
    int m_lockFd = -1;
};

// This instance's place in the recovery folder, which every running instance
// of the program shares: a lock file, held while the instance runs (the system
// lets go of it however the process ends), the copy and the part of a new copy
// being written. The lock is in place before the copy, so a copy whose lock
// can be taken belongs to an instance that is gone.
class InstanceFiles
{
public:
    // Claims a place in folder, made if missing; nothing when the folder
    // cannot be written.
    static std::optional<InstanceFiles> claim(const QString &folder);

    InstanceFiles(InstanceFiles &&other) noexcept;
    InstanceFiles &operator=(InstanceFiles &&other) noexcept;
    InstanceFiles(const InstanceFiles &) = delete;
    InstanceFiles &operator=(const InstanceFiles &) = delete;
    // Lets go of the lock; the files stay, as after an abnormal end.
    ~InstanceFiles();

    QString folder() const { return m_folder; }
    QString copyPath() const;
    QString partPath() const;

    // The copies of instances that are gone, newest first, each held until
    // dropped. Leftovers of such instances without a copy are deleted.
    std::vector<OrphanCopy> orphans() const;

    // A normal end: the lock file goes too (after the copy).
    void remove();

private:
    InstanceFiles(QString folder, QString id, int lockFd);

    QString m_folder;
    QString m_id;
    int m_lockFd = -1;
};
