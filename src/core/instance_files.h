#pragma once

#include <QString>

#include <optional>
#include <vector>

// A place in the recovery folder (an instance's lock file, its copy and the
// part of a new copy) held through the lock file's open descriptor; the
// system lets go of the lock however the process ends.
class HeldPlace
{
public:
    HeldPlace(HeldPlace &&other) noexcept;
    HeldPlace &operator=(HeldPlace &&other) noexcept;
    HeldPlace(const HeldPlace &) = delete;
    HeldPlace &operator=(const HeldPlace &) = delete;
    // Lets go of the lock; the files stay, as after an abnormal end.
    ~HeldPlace();

    QString folder() const { return m_folder; }
    QString copyPath() const;
    QString partPath() const;
    // Deletes the copy, the part and, last, the lock file, and lets go.
    void remove();

protected:
    HeldPlace(QString folder, QString id, int lockFd);
    QString id() const { return m_id; }

private:
    void release();

    QString m_folder;
    QString m_id;
    int m_lockFd = -1;
};

// A copy left in the recovery folder by an instance that is gone, held for
// this instance (its lock taken) until it is dropped: no other instance
// offers it meanwhile.
class OrphanCopy : public HeldPlace
{
public:
    OrphanCopy(QString folder, QString id, int lockFd);
};

// This instance's place in the recovery folder, which every running instance
// of the program shares: a lock file, held while the instance runs (the system
// lets go of it however the process ends), the copy and the part of a new copy
// being written. The lock is in place before the copy, so a copy whose lock
// can be taken belongs to an instance that is gone.
class InstanceFiles : public HeldPlace
{
public:
    // Claims a place in folder, made if missing; nothing when the folder
    // cannot be written.
    static std::optional<InstanceFiles> claim(const QString &folder);

    // The copies of instances that are gone, newest first, each held until
    // dropped. Leftovers of such instances without a copy are deleted.
    std::vector<OrphanCopy> orphans() const;

private:
    InstanceFiles(QString folder, QString id, int lockFd);
};
