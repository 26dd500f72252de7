#include "resample.h"

#include "large_image.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct Tap {
    int index;
    std::int64_t weight;
};

// For every output index along one axis, the source indices that feed it and
// their integer weights, which add up to the same total for every output.
struct AxisPlan {
    std::vector<std::size_t> first; // taps[first[i] .. first[i + 1])
    std::vector<Tap> taps;
    std::int64_t total = 1;
};

AxisPlan planAxis(int from, int to, ResampleFilter filter)
{
    AxisPlan plan;
    plan.first.reserve(static_cast<std::size_t>(to) + 1);
    const std::int64_t sw = from, dw = to;
    for (std::int64_t t = 0; t < dw; ++t) {
        plan.first.push_back(plan.taps.size());
        if (filter == ResampleFilter::Nearest || sw == dw) {
            plan.taps.push_back({static_cast<int>(((2 * t + 1) * sw) / (2 * dw)), 1});
        } else if (sw > dw) {
            // Box filter, in units where a source pixel is dw wide and an
            // output pixel sw wide.
            const std::int64_t lo = t * sw, hi = (t + 1) * sw;
            for (std::int64_t k = lo / dw; k * dw < hi; ++k) {
                const std::int64_t w = std::min((k + 1) * dw, hi) - std::max(k * dw, lo);
                if (w > 0)
                    plan.taps.push_back({static_cast<int>(k), w});
            }
        } else {
            // Linear, centres aligned: the position of the output centre in
            // source pixels, times 2 * dw.
            const std::int64_t position = (2 * t + 1) * sw - dw;
            const std::int64_t k = position < 0 ? 0 : position / (2 * dw);
            const std::int64_t r = position < 0 ? 0 : position % (2 * dw);
            if (k >= sw - 1 || r == 0) {
                plan.taps.push_back({static_cast<int>(std::min(k, sw - 1)), 2 * dw});
            } else {
                plan.taps.push_back({static_cast<int>(k), 2 * dw - r});
                plan.taps.push_back({static_cast<int>(k + 1), r});
            }
        }
    }
    plan.first.push_back(plan.taps.size());
    if (filter == ResampleFilter::Nearest || sw == dw)
        plan.total = 1;
    else
        plan.total = sw > dw ? sw : 2 * dw;
    return plan;
}

// n / d rounded to nearest, ties to even; n >= 0, d > 0.
int roundedQuotient(std::int64_t n, std::int64_t d)
{
    std::int64_t q = n / d;
    const std::int64_t r2 = 2 * (n % d);
    if (r2 > d || (r2 == d && (q & 1)))
        ++q;
    return static_cast<int>(q);
}

QImage nearest(const QImage &source, QSize size, bool mirrorX, bool mirrorY)
{
    QImage out = newLargeImage(size.width(), size.height());
    if (out.isNull())
        return out;
    const AxisPlan xs = planAxis(source.width(), size.width(), ResampleFilter::Nearest);
    const AxisPlan ys = planAxis(source.height(), size.height(), ResampleFilter::Nearest);
    for (int j = 0; j < size.height(); ++j) {
        const auto *src = reinterpret_cast<const QRgb *>(
            source.constScanLine(ys.taps[static_cast<std::size_t>(j)].index));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(mirrorY ? size.height() - 1 - j : j));
        for (int i = 0; i < size.width(); ++i)
            dst[mirrorX ? size.width() - 1 - i : i] =
                src[xs.taps[static_cast<std::size_t>(i)].index];
    }
    return out;
}

} // namespace

QImage resample(const QImage &input, QSize size, bool mirrorX, bool mirrorY, ResampleFilter filter)
{
    if (input.isNull() || size.isEmpty())
        return {};
    const QImage source = input.convertToFormat(QImage::Format_RGB32);
    if (filter == ResampleFilter::Nearest || source.size() == size)
        return nearest(source, size, mirrorX, mirrorY);

    QImage out = newLargeImage(size.width(), size.height());
    if (out.isNull())
        return out;
    const AxisPlan xs = planAxis(source.width(), size.width(), filter);
    const AxisPlan ys = planAxis(source.height(), size.height(), filter);
    const std::int64_t total = xs.total * ys.total;
    const auto columns = static_cast<std::size_t>(size.width());

    // Source rows resampled along x, kept while later output rows still need
    // them; the taps move forward monotonically.
    std::vector<std::vector<std::int64_t>> cache;
    std::vector<int> cachedIndex;
    auto horizontal = [&](int k) -> const std::vector<std::int64_t> & {
        for (std::size_t c = 0; c < cachedIndex.size(); ++c) {
            if (cachedIndex[c] == k)
                return cache[c];
        }
        if (cache.size() >= 4) {
            cache.erase(cache.begin());
            cachedIndex.erase(cachedIndex.begin());
        }
        std::vector<std::int64_t> row(columns * 3, 0);
        const auto *src = reinterpret_cast<const QRgb *>(source.constScanLine(k));
        for (std::size_t i = 0; i < columns; ++i) {
            std::int64_t r = 0, g = 0, b = 0;
            for (std::size_t t = xs.first[i]; t < xs.first[i + 1]; ++t) {
                const QRgb p = src[xs.taps[t].index];
                r += xs.taps[t].weight * qRed(p);
                g += xs.taps[t].weight * qGreen(p);
                b += xs.taps[t].weight * qBlue(p);
            }
            row[3 * i] = r;
            row[3 * i + 1] = g;
            row[3 * i + 2] = b;
        }
        cache.push_back(std::move(row));
        cachedIndex.push_back(k);
        return cache.back();
    };

    std::vector<std::int64_t> sums(columns * 3);
    for (int j = 0; j < size.height(); ++j) {
        std::fill(sums.begin(), sums.end(), 0);
        const auto uj = static_cast<std::size_t>(j);
        for (std::size_t t = ys.first[uj]; t < ys.first[uj + 1]; ++t) {
            const std::vector<std::int64_t> &row = horizontal(ys.taps[t].index);
            const std::int64_t w = ys.taps[t].weight;
            for (std::size_t c = 0; c < sums.size(); ++c)
                sums[c] += w * row[c];
        }
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(mirrorY ? size.height() - 1 - j : j));
        for (std::size_t i = 0; i < columns; ++i) {
            const QRgb p =
                qRgb(roundedQuotient(sums[3 * i], total), roundedQuotient(sums[3 * i + 1], total),
                     roundedQuotient(sums[3 * i + 2], total));
            dst[mirrorX ? columns - 1 - i : i] = p;
        }
    }
    return out;
}
