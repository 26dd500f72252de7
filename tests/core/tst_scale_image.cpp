#include "core/scale_image.h"
#include "core/surface.h"
#include "testmain.h"

#include <QTest>

#include <algorithm>

namespace {

constexpr Colour Magenta = 0x00FF00FF;

// Pixels that differ inside every 2 x 2 block, with sums that need rounding.
void fillPattern(Surface &surface)
{
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            surface.setPixel(x, y,
                             rgbColour((x * 37 + y * 11) % 256, (x * y) % 256, (x + 3 * y) % 256));
}

bool allPixels(const Surface &surface, Colour colour)
{
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (surface.getPixel(x, y) != colour)
                return false;
    return true;
}

} // namespace

class TestScaleImage : public QObject
{
    Q_OBJECT

private slots:
    void shrinkAveragesBlocks();
    void stretchesOneAxisOnly();
    void shrinkIsTheRoundedAreaMean_data();
    void shrinkIsTheRoundedAreaMean();
    void refusesSizesThatCannotBeHeld_data();
    void refusesSizesThatCannotBeHeld();
};

void TestScaleImage::shrinkAveragesBlocks()
{
    Surface source(100, 100);
    Surface scratch(10, 10, Magenta);
    fillPattern(source);
    QImage before = source.image();

    QVERIFY(ScaleImage(source, scratch, 50, 50));
    QCOMPARE(source.size(), QSize(50, 50));
    QVERIFY(!source.hasPicture());
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            int sum[3] = {};
            for (int j = 0; j < 2; ++j) {
                for (int i = 0; i < 2; ++i) {
                    const QRgb p = before.pixel(2 * x + i, 2 * y + j);
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                }
            }
            // The mean of four, rounded half to even.
            auto mean = [](int s) {
                return s % 4 == 2 ? (s / 4) + (s / 4) % 2 : (s + 1) / 4;
            };
            QCOMPARE(source.getPixel(x, y), rgbColour(mean(sum[0]), mean(sum[1]), mean(sum[2])));
        }
    }
    QCOMPARE(scratch.size(), QSize(50, 50));
    QVERIFY(allPixels(scratch, Magenta));
}

void TestScaleImage::stretchesOneAxisOnly()
{
    Surface source(100, 100);
    Surface scratch(1, 1, Magenta);
    fillPattern(source);
    const QImage before = source.image();
    QVERIFY(ScaleImage(source, scratch, 200, 100));
    QCOMPARE(source.size(), QSize(200, 100));
    // Each row is a horizontal stretch of the same row: its ends stay.
    for (int y = 0; y < 100; ++y) {
        QCOMPARE(source.getPixel(0, y), fromQRgb(before.pixel(0, y)));
        QCOMPARE(source.getPixel(199, y), fromQRgb(before.pixel(99, y)));
    }
    // A picture constant down each column stays constant down each column.
    Surface stripes(10, 10);
    for (int x = 0; x < 10; ++x)
        stripes.line(QPointF(x, 0), QPointF(x, 9), rgbColour(x * 25, 0, 255 - x * 25));
    QVERIFY(ScaleImage(stripes, scratch, 20, 10));
    for (int x = 0; x < 20; ++x)
        for (int y = 1; y < 10; ++y)
            QCOMPARE(stripes.getPixel(x, y), stripes.getPixel(x, 0));
    QCOMPARE(scratch.size(), QSize(20, 10));
    QVERIFY(allPixels(scratch, Magenta));
}

void TestScaleImage::shrinkIsTheRoundedAreaMean_data()
{
    QTest::addColumn<QSize>("size");
    // Totals that are not powers of two, so that every quotient is inexact.
    QTest::newRow("30 x 70") << QSize(30, 70);
    QTest::newRow("7 x 13") << QSize(7, 13);
    QTest::newRow("99 x 1") << QSize(99, 1);
}

// Against a reference in integers: each source pixel weighted by the area it
// shares with the output pixel, the sum over the whole area rounded to
// nearest with ties to even.
void TestScaleImage::shrinkIsTheRoundedAreaMean()
{
    QFETCH(QSize, size);
    Surface source(100, 100);
    Surface scratch(1, 1);
    fillPattern(source);
    const QImage before = source.image();
    QVERIFY(ScaleImage(source, scratch, size.width(), size.height()));
    const auto overlap = [](qint64 k, qint64 dw, qint64 t, qint64 sw) {
        return std::max<qint64>(0, std::min((k + 1) * dw, (t + 1) * sw) - std::max(k * dw, t * sw));
    };
    const qint64 total = qint64(100) * 100;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            qint64 sum[3] = {};
            for (int j = 0; j < 100; ++j) {
                const qint64 wy = overlap(j, size.height(), y, 100);
                for (int i = 0; wy > 0 && i < 100; ++i) {
                    const qint64 w = wy * overlap(i, size.width(), x, 100);
                    const QRgb p = before.pixel(i, j);
                    sum[0] += w * qRed(p);
                    sum[1] += w * qGreen(p);
                    sum[2] += w * qBlue(p);
                }
            }
            int mean[3];
            for (int c = 0; c < 3; ++c) {
                const qint64 q = sum[c] / total, r = sum[c] % total;
                mean[c] = int(q + (2 * r > total || (2 * r == total && q % 2 == 1)));
            }
            QCOMPARE(source.getPixel(x, y), rgbColour(mean[0], mean[1], mean[2]));
        }
    }
}

void TestScaleImage::refusesSizesThatCannotBeHeld_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("zero") << 0 << 10;
    QTest::newRow("negative") << 10 << -1;
    QTest::newRow("too many pixels") << 60000 << 60000;
}

void TestScaleImage::refusesSizesThatCannotBeHeld()
{
    QFETCH(int, width);
    QFETCH(int, height);
    Surface source(8, 6);
    Surface scratch(3, 3, Magenta);
    fillPattern(source);
    scratch.setPixel(1, 1, 0);
    const QImage before = source.image();
    QVERIFY(!ScaleImage(source, scratch, width, height));
    QCOMPARE(source.image(), before);
    QCOMPARE(scratch.getPixel(1, 1), Colour(0));
}

KALVO_TEST(TestScaleImage)
#include "tst_scale_image.moc"
