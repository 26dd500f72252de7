#pragma once

#include <QtGlobal>

// Whether the machine can give the program a picture-sized piece of memory
// now. On Linux a big allocation rarely fails: the memory is only promised,
// and the out-of-memory killer ends the process when the pages are touched.
// So what a picture needs is compared beforehand with what the machine has to
// spare (MemAvailable) and, when the process runs under a memory limit (a
// control group's), with the room left under that limit.
namespace memory {

// No limit.
inline constexpr qint64 Unlimited = -1;

// Whether needed bytes fit in available bytes and in the room under the
// limit (Unlimited: none), keeping a reserve for the rest of the program.
bool fits(qint64 needed, qint64 available, qint64 limitRoom);

// fits() against the machine's room now: MemAvailable, and the room left
// under the process's memory limit (the limit less what the group uses, its
// file cache counted as room since the system reclaims it first). Below a few megabytes always
// true: small pieces are not worth the look.
bool canAllocate(qint64 bytes);

} // namespace memory
