#include "memory_room.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace memory {

namespace {

// Allocations below this are not checked.
constexpr qint64 CheckedBytes = qint64(8) << 20;
// Kept free for the rest of the program (windows, dialogs, file buffers),
// besides a sixteenth of what is asked for.
constexpr qint64 ReserveBytes = qint64(64) << 20;

// The number after key in a "key value" file (kB in /proc/meminfo);
// Unlimited when missing.
qint64 field(const std::string &path, const std::string &key, qint64 unit = 1)
{
    std::ifstream in(path);
    std::string name;
    std::string value;
    std::string rest;
    while (in >> name >> value) {
        std::getline(in, rest);
        if (name == key || name == key + ':') {
            try {
                return std::stoll(value) * unit;
            } catch (const std::exception &) {
                return Unlimited;
            }
        }
    }
    return Unlimited;
}

// The single number in a file; Unlimited for "max", a missing file or an
// implausibly large value (cgroup v1 writes a huge number for no limit).
qint64 number(const std::string &path)
{
    std::ifstream in(path);
    std::string value;
    if (!(in >> value) || value == "max")
        return Unlimited;
    try {
        const long long n = std::stoll(value);
        return n >= (qint64(1) << 60) ? Unlimited : n;
    } catch (const std::exception &) {
        return Unlimited;
    }
}

struct Group {
    bool unified = false;
    // The folders of the process's group and, for the unified hierarchy,
    // of every group above it (their limits hold too).
    std::vector<std::string> folders;
};

std::vector<std::string> split(const std::string &line, char separator)
{
    std::vector<std::string> parts;
    std::stringstream in(line);
    std::string part;
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

// The memory controller's group of this process: from /proc/self/cgroup its
// path, from /proc/self/mountinfo where that hierarchy is mounted.
Group findGroup()
{
    std::string v1Path;
    std::string v2Path;
    bool haveV2 = false;
    std::ifstream groups("/proc/self/cgroup");
    for (std::string line; std::getline(groups, line);) {
        const auto first = line.find(':');
        const auto second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string path = line.substr(second + 1);
        if (controllers.empty()) {
            v2Path = path;
            haveV2 = true;
        }
        for (const std::string &controller : split(controllers, ',')) {
            if (controller == "memory")
                v1Path = path;
        }
    }
    Group group;
    std::ifstream mounts("/proc/self/mountinfo");
    for (std::string line; std::getline(mounts, line);) {
        const std::vector<std::string> words = split(line, ' ');
        const auto dash = std::find(words.begin(), words.end(), "-");
        if (words.size() < 5 || dash == words.end() || dash + 3 > words.end())
            continue;
        const std::string &root = words[3];
        const std::string &mountPoint = words[4];
        const std::string &type = *(dash + 1);
        const bool memory = type == "cgroup" && (*(dash + 3)).find("memory") != std::string::npos;
        const bool unified = type == "cgroup2" && haveV2 && v1Path.empty();
        if (!memory && !unified)
            continue;
        std::string path = memory ? v1Path : v2Path;
        // Within a container the mount's root is the group's own path.
        if (root != "/" && path.rfind(root, 0) == 0)
            path = path.substr(root.size());
        std::string folder = mountPoint + path;
        group.unified = unified;
        group.folders.push_back(folder);
        while (unified && folder.size() > mountPoint.size()) {
            folder = folder.substr(0, folder.rfind('/'));
            if (folder.size() >= mountPoint.size())
                group.folders.push_back(folder);
        }
        return group;
    }
    return group;
}

qint64 roomUnder(const Group &group)
{
    qint64 room = Unlimited;
    for (const std::string &folder : group.folders) {
        // cgroup v1 gives the limit of the whole hierarchy above in one figure.
        const qint64 limit = group.unified
                                 ? number(folder + "/memory.max")
                                 : field(folder + "/memory.stat", "hierarchical_memory_limit");
        if (limit == Unlimited || limit >= (qint64(1) << 60))
            continue;
        const qint64 used =
            number(folder + (group.unified ? "/memory.current" : "/memory.usage_in_bytes"));
        const std::string stat = folder + "/memory.stat";
        const char *inactive = group.unified ? "inactive_file" : "total_inactive_file";
        const char *active = group.unified ? "active_file" : "total_active_file";
        const qint64 cache =
            std::max<qint64>(0, field(stat, inactive)) + std::max<qint64>(0, field(stat, active));
        const qint64 left = limit - std::max<qint64>(0, used) + cache;
        room = room == Unlimited ? left : std::min(room, left);
    }
    return room;
}

} // namespace

bool fits(qint64 needed, qint64 available, qint64 limitRoom)
{
    const qint64 wanted = needed + needed / 16 + ReserveBytes;
    return (available == Unlimited || wanted <= available) &&
           (limitRoom == Unlimited || wanted <= limitRoom);
}

bool canAllocate(qint64 bytes)
{
    if (bytes < CheckedBytes)
        return true;
    static const Group group = findGroup();
    return fits(bytes, field("/proc/meminfo", "MemAvailable", 1024), roomUnder(group));
}

} // namespace memory
