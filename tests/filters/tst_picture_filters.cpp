#include "testmain.h"

#include "core/numbers.h"
#include "core/random.h"
#include "core/surface.h"
#include "filters/picture_filters.h"

#include <QTest>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Filter = std::function<FilterOutcome(Surface &)>;
using Spot = std::array<Colour, 4>;

// The filters as the plainest loops: a snapshot of every pixel into a
// channel array with a spare column and row read as the no-colour value, then
// one pixel at a time, x outer and y inner, each result written at once.
class PixelArray
{
public:
    explicit PixelArray(const QImage &picture)
        : m_width(picture.width()), m_height(picture.height()),
          m_values(std::size_t(3) * (m_width + 1) * (m_height + 1))
    {
        for (int x = 0; x <= m_width; ++x) {
            for (int y = 0; y <= m_height; ++y) {
                const auto c = static_cast<std::int32_t>(
                    picture.rect().contains(x, y) ? fromQRgb(picture.pixel(x, y)) : NoColour);
                at(0, x, y) = c % 256;
                at(1, x, y) = (c >> 8) % 256;
                at(2, x, y) = (c >> 16) & 0xFF;
            }
        }
    }

    int &at(int channel, int x, int y)
    {
        return m_values[std::size_t((channel * (m_width + 1) + x) * (m_height + 1) + y)];
    }

private:
    int m_width;
    int m_height;
    std::vector<int> m_values;
};

void put(QImage &picture, int x, int y, int red, int green, int blue)
{
    if (picture.rect().contains(x, y))
        picture.setPixel(x, y, toQRgb(rgbColour(red, green, blue)));
}

using Reference = std::function<void(QImage &, PixelArray &, int w, int h)>;

// Each pixel from its own channels.
Reference pointReference(std::function<std::array<int, 3>(std::array<int, 3>)> f, int extra = 0)
{
    return [f, extra](QImage &out, PixelArray &p, int w, int h) {
        for (int x = 0; x < w + extra; ++x) {
            for (int y = 0; y < h + extra; ++y) {
                const auto c = f({p.at(0, x, y), p.at(1, x, y), p.at(2, x, y)});
                put(out, x, y, c[0], c[1], c[2]);
            }
        }
    };
}

void blurReference(QImage &out, PixelArray &p, int w, int h)
{
    for (int x = 1; x <= w - 2; ++x) {
        for (int y = 1; y <= h - 2; ++y) {
            int v[3];
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int i = -1; i <= 1; ++i) {
                    for (int j = -1; j <= 1; ++j)
                        sum += p.at(c, x + i, y + j);
                }
                v[c] = roundToInt(sum / 9.0);
            }
            put(out, x, y, v[0], v[1], v[2]);
        }
    }
}

Reference sharpenReference(float s)
{
    return [s](QImage &out, PixelArray &p, int w, int h) {
        for (int x = 1; x <= w - 2; ++x) {
            for (int y = 1; y <= h - 2; ++y) {
                int v[3];
                for (int c = 0; c < 3; ++c) {
                    const int d = p.at(c, x, y) - p.at(c, x - 1, y - 1);
                    v[c] = std::max(0, int(*roundToInt16(double(s) * d + p.at(c, x, y))));
                }
                put(out, x, y, v[0], v[1], v[2]);
            }
        }
    };
}

Reference noiseReference(int n)
{
    return [n](QImage &out, PixelArray &p, int w, int h) {
        for (int x = 0; x < w; ++x) {
            for (int y = 0; y < h; ++y) {
                int v[3];
                for (int c = 0; c < 3; ++c) {
                    const double u = programRandom().next();
                    v[c] = std::max(0, int(*roundToInt16((2 * n + 1) * u - n + p.at(c, x, y))));
                }
                put(out, x, y, v[0], v[1], v[2]);
            }
        }
    };
}

void diffuseReference(QImage &out, PixelArray &p, int w, int h)
{
    for (int x = 2; x <= w - 3; ++x) {
        for (int y = 2; y <= h - 3; ++y) {
            const double d = 2 * programRandom().next() - 2;
            const int sx = roundToInt(x + d);
            const int sy = roundToInt(y + d);
            put(out, x, y, p.at(0, sx, sy), p.at(1, sx, sy), p.at(2, sx, sy));
        }
    }
}

void pixelReference(QImage &out, PixelArray &p, int w, int h)
{
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            put(out, roundToInt(x + std::cos(y)), roundToInt(y + std::sin(x)), p.at(0, x, y),
                p.at(1, x, y), p.at(2, x, y));
        }
    }
}

void mirrorReference(QImage &out, PixelArray &p, int w, int h)
{
    for (int x = 0; x <= (w - 1) / 2; ++x) {
        for (int y = 0; y < h; ++y)
            put(out, w - 1 - x, y, p.at(0, x, y), p.at(1, x, y), p.at(2, x, y));
    }
}

// Seeded noise with every channel value, and flat patches so that equal
// neighbours occur too.
QImage scrambled(int width, int height, std::uint64_t seed)
{
    RandomSource random(seed);
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool flat = (x / 7 + y / 5) % 4 == 0;
            const auto channel = [&] {
                return int(random.next() * 256);
            };
            picture.setPixel(x, y,
                             flat ? qRgb(90, 180, 45) : qRgb(channel(), channel(), channel()));
        }
    }
    return picture;
}

std::unique_ptr<Surface> surfaceOf(const QImage &picture)
{
    auto surface = std::make_unique<Surface>();
    surface->setPicture(picture);
    return surface;
}

} // namespace

class TestPictureFilters : public QObject
{
    Q_OBJECT

private slots:
    void matchesPlainLoops_data();
    void matchesPlainLoops();
    void pixelExamples_data();
    void pixelExamples();
    void refusalsLeaveThePicture_data();
    void refusalsLeaveThePicture();
    void previewLayerOnly();
};

void TestPictureFilters::matchesPlainLoops_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<Reference>("reference");

    const auto rgb = [](int r, int g, int b) {
        return pointReference([r, g, b](std::array<int, 3> c) {
            return std::array<int, 3>{std::max(0, c[0] + r), std::max(0, c[1] + g),
                                      std::max(0, c[2] + b)};
        });
    };
    const auto remove = [](int channel) {
        return pointReference([channel](std::array<int, 3> c) {
            if (channel >= 0 && channel <= 2)
                c[std::size_t(channel)] = 0;
            return c;
        });
    };
    QTest::newRow("invert")
        << Filter(InvertImage)
        << pointReference(
               [](std::array<int, 3> c) {
                   return std::array<int, 3>{255 - c[0], 255 - c[1], 255 - c[2]};
               },
               1);
    QTest::newRow("grey") << Filter(GrayImage) << pointReference([](std::array<int, 3> c) {
        const int g = (c[0] + c[1] + c[2]) / 3;
        return std::array<int, 3>{g, g, g};
    });
    for (int channel : {0, 1, 2, 3}) {
        QTest::addRow("remove %d", channel)
            << Filter([channel](Surface &s) { return RemoveChannel(s, std::int16_t(channel)); })
            << remove(channel);
    }
    for (auto [r, g, b] : {std::array{50, 0, -50}, std::array{-300, 255, 32767}}) {
        QTest::addRow("rgb %d %d %d", r, g, b) << Filter([=](Surface &s) {
            return AdjustRgb(s, std::int16_t(r), std::int16_t(g), std::int16_t(b));
        }) << rgb(r, g, b);
    }
    QTest::newRow("brightness -100")
        << Filter([](Surface &s) { return AdjustBrightness(s, -100); }) << rgb(-100, -100, -100);
    QTest::newRow("blur") << Filter(BlurImage) << Reference(blurReference);
    for (float s : {1.2f, 0.0f, -0.75f, 2.5f, 127.0f}) {
        QTest::addRow("sharpen %g", double(s))
            << Filter([s](Surface &surface) { return SharpenImage(surface, s); })
            << sharpenReference(s);
    }
    for (int n : {16, 0, -5, 16383, -16384}) {
        QTest::addRow("noise %d", n)
            << Filter([n](Surface &s) { return AddNoise(s, std::int16_t(n)); })
            << noiseReference(n);
    }
    QTest::newRow("diffuse") << Filter(DiffuseImage) << Reference(diffuseReference);
    QTest::newRow("pixel effect") << Filter(PixelEffect) << Reference(pixelReference);
    QTest::newRow("mirror") << Filter(MirrorImage) << Reference(mirrorReference);
}

void TestPictureFilters::matchesPlainLoops()
{
    QFETCH(Filter, filter);
    QFETCH(Reference, reference);

    // Odd sizes, tiny ones, and one big enough to be cut into two bands.
    for (QSize size : {QSize(37, 23), QSize(1, 1), QSize(2, 9), QSize(5, 5), QSize(641, 431)}) {
        const QImage picture = scrambled(size.width(), size.height(), 7 + size.width());
        QImage expected = picture;
        PixelArray array(picture);
        programRandom().reseed(99);
        reference(expected, array, size.width(), size.height());
        const double nextAfterReference = programRandom().next();

        const auto surface = surfaceOf(picture);
        programRandom().reseed(99);
        QCOMPARE(filter(*surface), FilterOutcome::Done);
        QCOMPARE(surface->image(), expected);
        // As many draws as the plain loop, no more, no fewer.
        QCOMPARE(programRandom().next(), nextAfterReference);
    }
}

void TestPictureFilters::pixelExamples_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QSize>("size");
    // x, y, the colour there before, the colour after; the rest is black.
    QTest::addColumn<QList<Spot>>("spots");

    const QSize one(1, 1);
    const auto removeRed = [](Surface &s) {
        return RemoveChannel(s, 0);
    };
    const auto sharpen1 = [](Surface &s) {
        return SharpenImage(s, 1.0f);
    };
    const auto row = [](const char *name, Filter f, QSize size, QList<Spot> spots) {
        QTest::newRow(name) << f << size << spots;
    };
    row("grey drops the remainder", GrayImage, one, {{0, 0, 0xFEFFFF, 0xFEFEFE}});
    row("no red in red", removeRed, one, {{0, 0, 0x0000FF, 0}});
    row("no red in white", removeRed, one, {{0, 0, 0xFFFFFF, 0xFFFF00}});
    row("invert", InvertImage, one, {{0, 0, 0x030201, 0xFCFDFE}});
    row("brightness +100", [](Surface &s) { return AdjustBrightness(s, 100); }, one,
        {{0, 0, 0x0064C8, 0x64C8FF}});
    row("brightness -100", [](Surface &s) { return AdjustBrightness(s, -100); }, one,
        {{0, 0, 0x0064C8, 0x000064}});
    row("balance", [](Surface &s) { return AdjustRgb(s, 50, 0, -50); }, one,
        {{0, 0, 0x1480E6, 0x0080FF}});
    // A white pixel on black spreads 255 / 9 = 28 over its neighbourhood.
    row("blur", BlurImage, QSize(7, 7),
        {{3, 3, 0xFFFFFF, 0x1C1C1C}, {2, 2, 0, 0x1C1C1C}, {4, 4, 0, 0x1C1C1C}, {1, 1, 0, 0}});
    row("blur leaves a 2-wide canvas", BlurImage, QSize(2, 9), {{0, 4, 0xFFFFFF, 0xFFFFFF}});
    row("sharpen limits 300", sharpen1, QSize(3, 3),
        {{0, 0, 0x646464, 0x646464}, {1, 1, 0xC8C8C8, 0xFFFFFF}});
    row("sharpen pulls down", sharpen1, QSize(3, 3),
        {{0, 0, 0xFAFAFA, 0xFAFAFA}, {1, 1, 0xC8C8C8, 0x969696}});
    // cos 0 = 1, sin 0 = 0; sin 1 = 0.84 rounds to 1.
    row("pixel effect", PixelEffect, QSize(4, 4),
        {{0, 0, 0xAA, 0xAA}, {1, 0, 0xBB00, 0xAA}, {2, 1, 0, 0xBB00}});
}

void TestPictureFilters::pixelExamples()
{
    QFETCH(Filter, filter);
    QFETCH(QSize, size);
    QFETCH(QList<Spot>, spots);

    Surface surface(size.width(), size.height(), 0);
    for (const Spot &spot : spots)
        surface.setPixel(int(spot[0]), int(spot[1]), spot[2]);
    QCOMPARE(filter(surface), FilterOutcome::Done);
    for (const Spot &spot : spots)
        QCOMPARE(surface.getPixel(int(spot[0]), int(spot[1])), spot[3]);
}

void TestPictureFilters::refusalsLeaveThePicture_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<bool>("uniform");
    QTest::addColumn<FilterOutcome>("outcome");

    const auto sharpen = [](float s) {
        return Filter([s](Surface &c) { return SharpenImage(c, s); });
    };
    const auto noise = [](int n) {
        return Filter([n](Surface &c) { return AddNoise(c, std::int16_t(n)); });
    };
    QTest::newRow("sharpen beyond 16 bits") << sharpen(200.0f) << false << FilterOutcome::Overflow;
    QTest::newRow("sharpen 1e30") << sharpen(1e30f) << false << FilterOutcome::Overflow;
    QTest::newRow("sharpen 1e30 on a flat picture")
        << sharpen(1e30f) << true << FilterOutcome::Done;
    QTest::newRow("noise 16384") << noise(16384) << false << FilterOutcome::Overflow;
    QTest::newRow("noise -16385") << noise(-16385) << false << FilterOutcome::Overflow;
}

void TestPictureFilters::refusalsLeaveThePicture()
{
    QFETCH(Filter, filter);
    QFETCH(bool, uniform);
    QFETCH(FilterOutcome, outcome);

    QImage picture = scrambled(41, 29, 3);
    if (uniform)
        picture.fill(qRgb(1, 2, 3));
    const auto surface = surfaceOf(picture);
    programRandom().reseed(5);
    QCOMPARE(filter(*surface), outcome);
    QCOMPARE(surface->image(), picture);
    if (outcome != FilterOutcome::Done)
        QCOMPARE(programRandom().next(), RandomSource(5).next());
}

void TestPictureFilters::previewLayerOnly()
{
    // With persistence off a filter changes the screen only, as drawing does.
    const QImage picture = scrambled(30, 20, 11);
    const auto surface = surfaceOf(picture);
    surface->setAutoRedraw(false);
    QCOMPARE(InvertImage(*surface), FilterOutcome::Done);
    QCOMPARE(surface->image(), picture);
    QImage inverted = picture;
    inverted.invertPixels();
    QCOMPARE(surface->grabLayer(surface->rect()), inverted);
    surface->refresh();
    QCOMPARE(surface->grabLayer(surface->rect()), picture);
}

KALVO_TEST(TestPictureFilters)
#include "tst_picture_filters.moc"
