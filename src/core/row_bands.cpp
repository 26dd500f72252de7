#include "row_bands.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <system_error>
#include <thread>

namespace {

// Below this a second thread costs more than it saves.
constexpr qint64 ThreadedPixels = qint64(1) << 18;
// A big picture is cut into this many bands, taken in turn by whichever
// thread is free: on a busy machine, where the second thread may wait long
// for a core, the first goes on with the rest instead of waiting for it.
constexpr int BandsPerPicture = 32;

} // namespace

std::vector<RowBand> rowBands(int first, int end, int width)
{
    if (end <= first)
        return {};
    const int rows = end - first;
    if (rows < 2 || qint64(rows) * width < ThreadedPixels)
        return {{first, end}};
    const int count = std::min(rows, BandsPerPicture);
    std::vector<RowBand> bands;
    bands.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        bands.push_back({first + rows * i / count, first + rows * (i + 1) / count});
    return bands;
}

void runBands(std::size_t count, const std::function<void(std::size_t band)> &work)
{
    runBands(count, [&work](std::size_t band, std::size_t) { work(band); });
}

void runBands(std::size_t count,
              const std::function<void(std::size_t band, std::size_t thread)> &work)
{
    std::atomic<std::size_t> next{0};
    const auto takeBands = [&](std::size_t thread) {
        for (std::size_t i = next++; i < count; i = next++)
            work(i, thread);
    };
    std::optional<std::thread> helper;
    if (count > 1) {
        try {
            helper.emplace(takeBands, 1);
        } catch (const std::system_error &) {
            // No thread to be had: the calling thread does it all.
        }
    }
    takeBands(0);
    if (helper)
        helper->join();
}
