#pragma once

#include <QtGlobal>

#include <cstddef>
#include <functional>
#include <vector>

// Work on a big picture split into bands of rows, taken in turn by the calling
// thread and one more.

// A band of rows [first, end).
struct RowBand {
    int first = 0;
    int end = 0;
};

// The rows [first, end) cut into one band, or into several for two threads
// when the work is big enough to pay for a second thread.
std::vector<RowBand> rowBands(int first, int end, int width);

// Runs work(i) for the bands 0 .. count - 1 on the calling thread and one
// more, in any order. Each band must write only its own rows.
void runBands(std::size_t count, const std::function<void(std::size_t band)> &work);
// The same, told which thread runs the band: 0 the calling one, 1 the other,
// for work that keeps a workspace for each.
void runBands(std::size_t count,
              const std::function<void(std::size_t band, std::size_t thread)> &work);
