#include "testmain.h"

#include "core/surface.h"
#include "test_pictures.h"

#include <QBitmap>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr Colour White = 0x00FFFFFF;
constexpr Colour Black = 0;
constexpr Colour Red = 0x000000FF;
constexpr Colour Blue = 0x00FF0000;

int countColour(const QImage &image, Colour colour)
{
    const QRgb rgb = toQRgb(colour);
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == rgb ? 1 : 0;
    }
    return n;
}

QImage screenOf(const Surface &surface)
{
    return surface.grabLayer(surface.rect());
}

} // namespace

class TestSurface : public QObject
{
    Q_OBJECT

private slots:
    void startsWhite();
    void pictureAssignmentResizes();
    void pictureNoneClearsAndKeepsSize();
    void backColourKeepsThePictureOnTop();
    void resizingKeepsTheTopLeft();
    void shrinkingThenEnlargingLosesTheCutPixels();
    void sizeTheMachineCannotHoldFailsCleanly_data();
    void sizeTheMachineCannotHoldFailsCleanly();
    void persistenceOffLeavesNoTraceAfterRefresh();
    void previewCostsItsOwnArea();
    void persistentDrawingWipesThePreview();
    void pointOutsideIsNoColour_data();
    void pointOutsideIsNoColour();
    void writesOutsideAreIgnored();
    void dashesOnlyOnOnePixelPens_data();
    void dashesOnlyOnOnePixelPens();
    void clickWithAWidePenIsARoundDot();
    void boxesAndFilledBoxes();
    void shapesAreTheSameFromEitherCorner_data();
    void shapesAreTheSameFromEitherCorner();
    void circleFillsInsideThePen();
    void floodFillStopsAtAOneUnitDifference();
    void floodFillDoesNotLeakThroughCorners();
    void floodFillWithPatternTilesFromTheOrigin();
    void floodFillOnThePreviewLayer();
    void keyedCopyLeavesExactlyTheKeyOut();
    void stretchMirrors_data();
    void stretchMirrors();
    void halftoneShrinkIsTheRoundedMean_data();
    void halftoneShrinkIsTheRoundedMean();
    void defaultStretchTakesNearestPixels();
    void stretchFromIsAResizedStretch_data();
    void stretchFromIsAResizedStretch();
    void stretchKeyedIsAKeyedStretch_data();
    void stretchKeyedIsAKeyedStretch();
    void bitBltClipsAndCopiesWithinOneSurface();
    void gradientBlends_data();
    void gradientBlends();
    void textLandsOnTheCurrentLayer();
};

void TestSurface::startsWhite()
{
    Surface s(760, 568);
    QCOMPARE(s.size(), QSize(760, 568));
    QCOMPARE(countColour(s.image(), White), 760 * 568);
    QVERIFY(s.autoRedraw());
    QCOMPARE(s.drawWidth(), 1);
}

void TestSurface::pictureAssignmentResizes()
{
    Surface s(760, 568);
    QSignalSpy sizes(&s, &Surface::sizeChanged);
    const QImage picture = numberedPicture(100, 50);
    QVERIFY(s.setPicture(picture));
    QCOMPARE(s.size(), QSize(100, 50));
    QCOMPARE(s.image(), picture);
    QCOMPARE(sizes.count(), 1);
}

void TestSurface::pictureNoneClearsAndKeepsSize()
{
    Surface s(40, 30, Blue);
    s.line({0, 0}, {39, 29}, Red);
    const QImage drawn = s.image();
    // Cleared where it is while nothing else reads it; a picture held from
    // it keeps what it held either way.
    const TiledPicture held = s.hold();
    s.clearPicture();
    QCOMPARE(s.size(), QSize(40, 30));
    QCOMPARE(countColour(s.image(), Blue), 40 * 30);
    QCOMPARE(held.toImage(), drawn);
    QVERIFY(s.setPicture(numberedPicture(40, 30)));
    s.clearPicture();
    QCOMPARE(countColour(s.image(), Blue), 40 * 30);
    s.setBackColour(Red);
    QCOMPARE(countColour(s.image(), Red), 40 * 30);
    QCOMPARE(held.toImage(), drawn);
}

void TestSurface::backColourKeepsThePictureOnTop()
{
    Surface s(10, 10);
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 1, qRgb(0, 255, 0));
    QVERIFY(s.setPicture(picture));
    s.setBackColour(Red);
    QCOMPARE(s.size(), QSize(4, 4));
    QCOMPARE(s.getPixel(1, 1), rgbColour(0, 255, 0));
    QCOMPARE(s.getPixel(0, 0), Red);
    // An opaque picture covering everything stays as it is.
    const QImage opaque = numberedPicture(8, 6);
    s.setPicture(opaque);
    s.setBackColour(White);
    QCOMPARE(s.image(), opaque);
    // Drawing over it goes at the next background colour; once merged, the
    // picture goes too.
    s.setPixel(2, 2, Red);
    s.setBackColour(Red);
    QCOMPARE(s.image(), opaque);
    QVERIFY(s.hasPicture());
    s.mergePicture();
    QVERIFY(!s.hasPicture());
    s.setBackColour(White);
    QCOMPARE(s.getPixel(2, 2), White);
}

void TestSurface::resizingKeepsTheTopLeft()
{
    Surface s(200, 200, Blue);
    const QImage picture = numberedPicture(200, 200);
    s.setPicture(picture);
    QVERIFY(s.setSize(300, 300));
    const QImage after = s.image();
    QCOMPARE(after.copy(0, 0, 200, 200), picture);
    QCOMPARE(countColour(after.copy(200, 0, 100, 300), Blue), 100 * 300);
    QCOMPARE(countColour(after.copy(0, 200, 300, 100), Blue), 300 * 100);
}

void TestSurface::shrinkingThenEnlargingLosesTheCutPixels()
{
    Surface s(200, 200);
    s.setPicture(numberedPicture(200, 200));
    QVERIFY(s.setWidth(100));
    QVERIFY(s.setHeight(100));
    QVERIFY(s.setSize(200, 200));
    QCOMPARE(s.image().copy(0, 0, 100, 100), numberedPicture(100, 100));
    QCOMPARE(countColour(s.image(), White), 200 * 200 - 100 * 100);
}

void TestSurface::sizeTheMachineCannotHoldFailsCleanly_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("huge") << 100000 << 100000;
    QTest::newRow("zero") << 0 << 10;
    QTest::newRow("negative") << 10 << -1;
    QTest::newRow("too wide") << 1 << 70000;
}

void TestSurface::sizeTheMachineCannotHoldFailsCleanly()
{
    QFETCH(int, width);
    QFETCH(int, height);
    Surface s(30, 20);
    const QImage picture = numberedPicture(30, 20);
    s.setPicture(picture);
    QVERIFY(!Surface::canHold(width, height));
    QVERIFY(!s.setSize(width, height));
    QCOMPARE(s.size(), QSize(30, 20));
    QCOMPARE(s.image(), picture);
}

void TestSurface::persistenceOffLeavesNoTraceAfterRefresh()
{
    Surface s(50, 50);
    s.setAutoRedraw(false);
    s.line({5, 5}, {40, 40}, Red);
    QCOMPARE(countColour(s.image(), Red), 0);
    QCOMPARE(countColour(screenOf(s), Red), 36);
    QCOMPARE(s.getPixel(20, 20), Red);
    s.refresh();
    QCOMPARE(countColour(screenOf(s), Red), 0);
    QCOMPARE(s.getPixel(20, 20), White);
    QVERIFY(s.previewRect().isEmpty());
    s.setAutoRedraw(true);
    QCOMPARE(countColour(s.image(), White), 2500);
}

void TestSurface::previewCostsItsOwnArea()
{
    Surface s(4000, 3000);
    QSignalSpy screen(&s, &Surface::screenChanged);
    QSignalSpy image(&s, &Surface::imageChanged);
    s.setAutoRedraw(false);
    s.line({1000, 1000}, {1199, 1199}, Red, Surface::LineForm::Box);
    QVERIFY(s.previewRect().width() <= 200 + 2 * 64);
    QVERIFY(s.previewRect().height() <= 200 + 2 * 64);
    QCOMPARE(image.count(), 0);
    QCOMPARE(screen.count(), 1);
    const QRect changed = screen.takeFirst().at(0).toRect();
    QVERIFY(changed.contains(QRect(1000, 1000, 200, 200)));
    QVERIFY(changed.width() < 300);
    s.refresh();
    QCOMPARE(screen.count(), 1);
    QVERIFY(screen.takeFirst().at(0).toRect().width() < 400);
}

void TestSurface::persistentDrawingWipesThePreview()
{
    Surface s(100, 100);
    s.setAutoRedraw(false);
    s.line({0, 50}, {99, 50}, Red);
    s.setAutoRedraw(true);
    s.pset({10, 10}, Blue);
    QCOMPARE(countColour(screenOf(s), Red), 0);
    QCOMPARE(s.getPixel(10, 10), Blue);
    QCOMPARE(s.image().pixel(10, 10), toQRgb(Blue));
}

void TestSurface::pointOutsideIsNoColour_data()
{
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<uint>("expected");
    QTest::newRow("left of the first column") << QPointF(-1, 0) << NoColour;
    QTest::newRow("width") << QPointF(20, 0) << NoColour;
    QTest::newRow("height") << QPointF(0, 10) << NoColour;
    QTest::newRow("inside") << QPointF(19, 9) << White;
    QTest::newRow("rounds to inside") << QPointF(19.5, 9.5) << NoColour;
    QTest::newRow("rounds half to even") << QPointF(18.5, 8.5) << White;
}

void TestSurface::pointOutsideIsNoColour()
{
    QFETCH(QPointF, at);
    QFETCH(uint, expected);
    Surface s(20, 10);
    QCOMPARE(s.point(at), expected);
}

void TestSurface::writesOutsideAreIgnored()
{
    Surface s(10, 10);
    s.setPixel(-1, 5, Red);
    s.setPixel(10, 5, Red);
    s.setPixel(5, 5, Red);
    s.setDrawWidth(7);
    s.line({-50, -50}, {-20, -40}, Red);
    QCOMPARE(countColour(s.image(), Red), 1);
}

void TestSurface::dashesOnlyOnOnePixelPens_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("gaps");
    QTest::newRow("solid 1") << 0 << 1 << false;
    QTest::newRow("dash 1") << 1 << 1 << true;
    QTest::newRow("dot 1") << 2 << 1 << true;
    QTest::newRow("dash-dot 1") << 3 << 1 << true;
    QTest::newRow("dash-dot-dot 1") << 4 << 1 << true;
    QTest::newRow("dash 3") << 1 << 3 << false;
    QTest::newRow("dot 2") << 2 << 2 << false;
}

void TestSurface::dashesOnlyOnOnePixelPens()
{
    QFETCH(int, style);
    QFETCH(int, width);
    QFETCH(bool, gaps);
    Surface s(100, 20);
    s.setDrawStyle(style);
    s.setDrawWidth(width);
    s.line({10, 10}, {89, 10}, Black);
    int drawn = 0;
    for (int x = 10; x <= 89; ++x)
        drawn += s.getPixel(x, 10) == Black ? 1 : 0;
    QCOMPARE(drawn < 80, gaps);
    QVERIFY(drawn > 0);
    // Outlines follow the style too, but fills stay solid.
    Surface box(60, 60);
    box.ellipse({5, 5}, {54, 54}, Pen{Red, width, style, true, Red});
    QCOMPARE(box.getPixel(30, 30), Red);
    QCOMPARE(countColour(box.image(), Red) > 0, true);
}

void TestSurface::clickWithAWidePenIsARoundDot()
{
    Surface s(40, 40);
    s.setDrawWidth(5);
    s.line({20, 20}, {20, 20}, Black);
    QCOMPARE(countColour(s.image(), Black), 21);
    Surface p(40, 40);
    p.setDrawWidth(5);
    p.pset({20, 20}, Black);
    QCOMPARE(p.image(), s.image());
    QCOMPARE(p.getPixel(20, 18), Black);
    QCOMPARE(p.getPixel(18, 18), White);
    // A one-pixel click is one pixel.
    Surface one(5, 5);
    one.line({2, 2}, {2, 2}, Black);
    QCOMPARE(countColour(one.image(), Black), 1);
}

void TestSurface::boxesAndFilledBoxes()
{
    Surface s(30, 30);
    s.line({20, 15}, {5, 5}, Red, Surface::LineForm::Box);
    QCOMPARE(countColour(s.image(), Red), 2 * 16 + 2 * 9);
    QCOMPARE(s.getPixel(5, 5), Red);
    QCOMPARE(s.getPixel(20, 15), Red);
    QCOMPARE(s.getPixel(10, 10), White);
    Surface f(30, 30);
    f.line({5, 5}, {15, 15}, Blue, Surface::LineForm::FilledBox);
    QCOMPARE(countColour(f.image(), Blue), 121);
    // A wide pen outlines the filled box too, so the stamp grows.
    Surface w(30, 30);
    w.setDrawWidth(3);
    w.line({5, 5}, {15, 15}, Blue, Surface::LineForm::FilledBox);
    QCOMPARE(w.getPixel(4, 10), Blue);
    QCOMPARE(w.getPixel(3, 10), White);
}

void TestSurface::shapesAreTheSameFromEitherCorner_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("filled");
    for (int kind = 0; kind < 3; ++kind) {
        for (int width : {1, 2, 5}) {
            for (bool filled : {true, false})
                QTest::addRow("kind %d width %d filled %d", kind, width, int(filled))
                    << kind << width << filled;
        }
    }
}

void TestSurface::shapesAreTheSameFromEitherCorner()
{
    QFETCH(int, kind);
    QFETCH(int, width);
    QFETCH(bool, filled);
    auto draw = [&](QPointF a, QPointF b) {
        Surface s(80, 60);
        const Pen pen{Red, width, 0, filled};
        if (kind == 0)
            s.ellipse(a, b, pen);
        else if (kind == 1)
            s.roundRect(a, b, 12, 12, pen);
        else
            s.line(a, b, pen, Surface::LineForm::Box);
        return s.image();
    };
    const QImage downRight = draw({10, 8}, {61, 45});
    QCOMPARE(draw({61, 45}, {10, 8}), downRight);
    QCOMPARE(draw({61, 8}, {10, 45}), downRight);
    // Symmetric about the box's centre lines; an even round pen is centred on
    // a pixel corner, which shifts a box's sides by half a pixel.
    if (kind == 2 && width % 2 == 0)
        return;
    const int grow = width;
    const QImage inner = downRight.copy(10 - grow, 8 - grow, 52 + 2 * grow, 38 + 2 * grow);
    QCOMPARE(inner.mirrored(true, false), inner);
    QCOMPARE(inner.mirrored(false, true), inner);
}

void TestSurface::circleFillsInsideThePen()
{
    Surface s(50, 50);
    s.circle({25, 25}, 10, Pen{Red, 1, 0, true, Red});
    QCOMPARE(s.getPixel(25, 25), Red);
    QCOMPARE(s.getPixel(15, 25), Red);
    QCOMPARE(s.getPixel(35, 25), Red);
    QCOMPARE(s.getPixel(25, 15), Red);
    QCOMPARE(s.getPixel(14, 25), White);
    Surface hollow(50, 50);
    hollow.circle({25, 25}, 10, Pen{Red});
    QCOMPARE(hollow.getPixel(25, 25), White);
    QCOMPARE(hollow.getPixel(35, 25), Red);
}

void TestSurface::floodFillStopsAtAOneUnitDifference()
{
    Surface s(20, 20, rgbColour(100, 100, 100));
    // A ring one unit off the inside colour.
    s.line({5, 5}, {14, 14}, rgbColour(100, 100, 101), Surface::LineForm::Box);
    s.extFloodFill({10, 10}, rgbColour(100, 100, 100), Red);
    QCOMPARE(countColour(s.image(), Red), 8 * 8);
    QCOMPARE(s.getPixel(5, 10), rgbColour(100, 100, 101));
    QCOMPARE(s.getPixel(2, 2), rgbColour(100, 100, 100));
    // The start pixel must have the colour asked for.
    s.extFloodFill({2, 2}, Blue, Red);
    QCOMPARE(countColour(s.image(), Blue), 0);
}

void TestSurface::floodFillDoesNotLeakThroughCorners()
{
    Surface s(10, 10);
    // A diagonal wall: neighbours touch only at corners.
    for (int i = 0; i < 10; ++i)
        s.setPixel(i, 9 - i, Black);
    s.extFloodFill({0, 0}, White, Red);
    QCOMPARE(countColour(s.image(), Red), 45);
    QCOMPARE(s.getPixel(9, 9), White);
}

void TestSurface::floodFillWithPatternTilesFromTheOrigin()
{
    Surface s(8, 8);
    s.line({0, 0}, {7, 0}, Black);
    QImage pattern(2, 2, QImage::Format_RGB32);
    pattern.setPixel(0, 0, toQRgb(Red));
    pattern.setPixel(1, 0, toQRgb(White));
    pattern.setPixel(0, 1, toQRgb(White));
    pattern.setPixel(1, 1, toQRgb(Blue));
    s.extFloodFill({4, 4}, White, Black, pattern);
    QCOMPARE(s.getPixel(0, 0), Black);
    QCOMPARE(s.getPixel(2, 2), Red);
    QCOMPARE(s.getPixel(3, 3), Blue);
    QCOMPARE(s.getPixel(3, 2), White);
    QCOMPARE(countColour(s.image(), Red), 12);
    // A second fill over the same region, whose white cells equal the colour
    // being filled, must still finish and paint only the region.
    s.extFloodFill({3, 2}, White, Black, pattern);
    QCOMPARE(s.getPixel(0, 0), Black);
}

void TestSurface::floodFillOnThePreviewLayer()
{
    Surface s(10, 10);
    s.setAutoRedraw(false);
    s.extFloodFill({5, 5}, White, Red);
    QCOMPARE(countColour(screenOf(s), Red), 100);
    QCOMPARE(countColour(s.image(), Red), 0);
}

void TestSurface::keyedCopyLeavesExactlyTheKeyOut()
{
    const Colour magenta = rgbColour(255, 0, 255);
    Surface source(4, 1);
    source.setPixel(0, 0, magenta);
    source.setPixel(1, 0, rgbColour(254, 0, 255));
    source.setPixel(2, 0, Red);
    source.setPixel(3, 0, magenta);
    Surface target(4, 1, Blue);
    target.transparentBlt(QRect(0, 0, 4, 1), source, QRect(0, 0, 4, 1), magenta);
    QCOMPARE(target.getPixel(0, 0), Blue);
    QCOMPARE(target.getPixel(1, 0), rgbColour(254, 0, 255));
    QCOMPARE(target.getPixel(2, 0), Red);
    QCOMPARE(target.getPixel(3, 0), Blue);
    // Stretched twice as wide, each source pixel covers two.
    Surface wide(8, 1, Blue);
    wide.transparentBlt(QRect(0, 0, 8, 1), source, QRect(0, 0, 4, 1), magenta);
    QCOMPARE(wide.getPixel(0, 0), Blue);
    QCOMPARE(wide.getPixel(1, 0), Blue);
    QCOMPARE(wide.getPixel(4, 0), Red);
    QCOMPARE(wide.getPixel(5, 0), Red);
}

void TestSurface::stretchMirrors_data()
{
    QTest::addColumn<QRect>("destination");
    QTest::addColumn<QRect>("source");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("left-right") << QRect(3, 0, -3, 2) << QRect(0, 0, 3, 2) << true << false;
    QTest::newRow("top-bottom") << QRect(0, 2, 3, -2) << QRect(0, 0, 3, 2) << false << true;
    QTest::newRow("both by source") << QRect(0, 0, 3, 2) << QRect(3, 2, -3, -2) << true << true;
    QTest::newRow("none") << QRect(0, 0, 3, 2) << QRect(0, 0, 3, 2) << false << false;
}

void TestSurface::stretchMirrors()
{
    QFETCH(QRect, destination);
    QFETCH(QRect, source);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);
    const QImage picture = numberedPicture(3, 2);
    Surface from(3, 2);
    from.setPicture(picture);
    for (auto mode : {Surface::StretchMode::Default, Surface::StretchMode::Halftone}) {
        Surface to(3, 2);
        to.setStretchMode(mode);
        to.stretchBlt(destination, from, source);
        QCOMPARE(to.image(), picture.mirrored(horizontal, vertical));
    }
}

void TestSurface::halftoneShrinkIsTheRoundedMean_data()
{
    QTest::addColumn<QSize>("from");
    QTest::addColumn<QSize>("to");
    QTest::newRow("halves") << QSize(100, 100) << QSize(50, 50);
    // Big enough to be worked in bands on two threads, with uneven overlaps.
    QTest::newRow("two and a half") << QSize(1500, 1000) << QSize(600, 450);
    QTest::newRow("one pixel less") << QSize(1000, 700) << QSize(999, 699);
}

// Each output pixel is the mean of the source area under it, each source
// pixel weighed by how much of it lies there, rounded half to even.
void TestSurface::halftoneShrinkIsTheRoundedMean()
{
    QFETCH(QSize, from);
    QFETCH(QSize, to);
    QImage picture(from, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < from.height(); ++y) {
        for (int x = 0; x < from.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            picture.setPixel(x, y, 0xFF000000u | (seed >> 8));
        }
    }
    Surface source(from.width(), from.height());
    source.setPicture(picture);
    Surface target(to.width(), to.height());
    target.setStretchMode(Surface::StretchMode::Halftone);
    target.stretchBlt(QRect(QPoint(0, 0), to), source, QRect(QPoint(0, 0), from));
    // Overlap of source pixel k with output pixel t, in units where a source
    // pixel is `out` wide and an output pixel `in` wide.
    const auto overlap = [](qint64 k, qint64 t, qint64 in, qint64 out) {
        return std::max<qint64>(0,
                                std::min((k + 1) * out, (t + 1) * in) - std::max(k * out, t * in));
    };
    const qint64 total = qint64(from.width()) * from.height();
    const QImage result = target.image();
    for (int ty = 0; ty < to.height(); ++ty) {
        for (int tx = 0; tx < to.width(); ++tx) {
            qint64 sums[3] = {0, 0, 0};
            for (int y = int(qint64(ty) * from.height() / to.height());
                 y < from.height() && overlap(y, ty, from.height(), to.height()) > 0; ++y) {
                for (int x = int(qint64(tx) * from.width() / to.width());
                     x < from.width() && overlap(x, tx, from.width(), to.width()) > 0; ++x) {
                    const qint64 w = overlap(x, tx, from.width(), to.width()) *
                                     overlap(y, ty, from.height(), to.height());
                    const QRgb p = picture.pixel(x, y);
                    sums[0] += w * qRed(p);
                    sums[1] += w * qGreen(p);
                    sums[2] += w * qBlue(p);
                }
            }
            int channels[3];
            for (int c = 0; c < 3; ++c) {
                qint64 q = sums[c] / total;
                const qint64 r2 = 2 * (sums[c] % total);
                channels[c] = int(q + (r2 > total || (r2 == total && q % 2 == 1)));
            }
            const QRgb expected = qRgb(channels[0], channels[1], channels[2]);
            if (result.pixel(tx, ty) != expected)
                QCOMPARE(result.pixel(tx, ty), expected);
        }
    }
}

void TestSurface::defaultStretchTakesNearestPixels()
{
    Surface from(4, 1);
    from.setPicture(numberedPicture(4, 1));
    Surface to(2, 1);
    to.stretchBlt(QRect(0, 0, 2, 1), from, QRect(0, 0, 4, 1));
    QCOMPARE(to.image().pixel(0, 0), numberedPicture(4, 1).pixel(1, 0));
    QCOMPARE(to.image().pixel(1, 0), numberedPicture(4, 1).pixel(3, 0));
    // Enlarging with either mode keeps a flat area flat.
    Surface flat(2, 2, Red);
    Surface big(9, 7);
    big.setStretchMode(Surface::StretchMode::Halftone);
    big.stretchBlt(QRect(0, 0, 9, 7), flat, QRect(0, 0, 2, 2));
    QCOMPARE(countColour(big.image(), Red), 63);
}

void TestSurface::stretchFromIsAResizedStretch_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("halftone");
    for (const bool halftone : {false, true}) {
        const char *mode = halftone ? "halftone" : "default";
        QTest::addRow("%s, larger", mode) << QSize(23, 17) << halftone;
        QTest::addRow("%s, smaller", mode) << QSize(5, 3) << halftone;
        QTest::addRow("%s, same", mode) << QSize(12, 9) << halftone;
    }
}

void TestSurface::stretchFromIsAResizedStretch()
{
    QFETCH(QSize, size);
    QFETCH(bool, halftone);
    const auto mode = halftone ? Surface::StretchMode::Halftone : Surface::StretchMode::Default;
    Surface source(12, 9);
    source.setPicture(numberedPicture(12, 9));
    Surface expected(1, 1);
    expected.setStretchMode(mode);
    QVERIFY(expected.setSize(size.width(), size.height()));
    expected.stretchBlt(QRect(QPoint(0, 0), size), source, source.rect());
    Surface target(30, 30, Red);
    target.setStretchMode(mode);
    QSignalSpy sizes(&target, &Surface::sizeChanged);
    QVERIFY(target.stretchFrom(source, size));
    QCOMPARE(target.image(), expected.image());
    QCOMPARE(sizes.count(), 1);
    // The source is read, not taken.
    QCOMPARE(source.image(), numberedPicture(12, 9));
    QVERIFY(!target.stretchFrom(source, QSize(1 << 17, 1)));
    QCOMPARE(target.image(), expected.image());
}

void TestSurface::stretchKeyedIsAKeyedStretch_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("halftone");
    QTest::addColumn<bool>("persistent");
    for (const bool halftone : {false, true}) {
        for (const bool persistent : {true, false}) {
            const char *mode = halftone ? "halftone" : "default";
            const char *layer = persistent ? "image" : "screen";
            QTest::addRow("%s, %s, larger", mode, layer)
                << QSize(530, 300) << halftone << persistent;
            QTest::addRow("%s, %s, smaller", mode, layer) << QSize(5, 3) << halftone << persistent;
            QTest::addRow("%s, %s, same", mode, layer) << QSize(12, 9) << halftone << persistent;
        }
    }
}

// The same pixels as a stretch into a surface of the target's size followed
// by a keyed copy of it, without the surface in between.
void TestSurface::stretchKeyedIsAKeyedStretch()
{
    QFETCH(QSize, size);
    QFETCH(bool, halftone);
    QFETCH(bool, persistent);
    const auto mode = halftone ? Surface::StretchMode::Halftone : Surface::StretchMode::Default;
    constexpr Colour Key = 0x00FF00FF;
    Surface source(12, 9);
    source.setPicture(numberedPicture(12, 9));
    source.line(QPointF(2, 2), QPointF(7, 6), Key, Surface::LineForm::FilledBox);
    Surface stretched(1, 1);
    stretched.setStretchMode(mode);
    QVERIFY(stretched.setSize(size.width(), size.height()));
    stretched.stretchBlt(stretched.rect(), source, source.rect());
    Surface target(size.width(), size.height());
    target.setPicture(numberedPicture(size.width(), size.height()).mirrored(true, true));
    QImage expected = target.image();
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (stretched.getPixel(x, y) != Key)
                expected.setPixel(x, y, toQRgb(stretched.getPixel(x, y)));
        }
    }
    target.setAutoRedraw(persistent);
    QVERIFY(target.stretchKeyed(source, mode, Key));
    QCOMPARE(target.grabLayer(target.rect()), expected);
    QCOMPARE(target.image() == expected, persistent);
}

void TestSurface::bitBltClipsAndCopiesWithinOneSurface()
{
    Surface s(6, 1);
    s.setPicture(numberedPicture(6, 1));
    const QImage before = s.image();
    // Overlapping copy to the right within the same surface.
    s.bitBlt(QRect(2, 0, 4, 1), s, QPoint(0, 0));
    for (int x = 0; x < 4; ++x)
        QCOMPARE(s.image().pixel(x + 2, 0), before.pixel(x, 0));
    // A source reaching past its edge copies only what exists.
    Surface target(6, 1, Blue);
    target.bitBlt(QRect(0, 0, 6, 1), s, QPoint(3, 0));
    QCOMPARE(target.image().pixel(2, 0), s.image().pixel(5, 0));
    QCOMPARE(target.getPixel(3, 0), Blue);
}

void TestSurface::gradientBlends_data()
{
    QTest::addColumn<QPoint>("corner1");
    QTest::addColumn<QPoint>("corner2");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<uint>("expected");
    // Black to white over 4 pixels: intensities 0, 64, 128, 192 (x 256).
    QTest::newRow("first pixel") << QPoint(0, 0) << QPoint(4, 2) << false << QPoint(0, 1) << 0u;
    QTest::newRow("second pixel") << QPoint(0, 0) << QPoint(4, 2) << false << QPoint(1, 1)
                                  << rgbColour(63, 63, 63);
    QTest::newRow("last pixel") << QPoint(0, 0) << QPoint(4, 2) << false << QPoint(3, 0)
                                << rgbColour(191, 191, 191);
    QTest::newRow("right edge excluded")
        << QPoint(0, 0) << QPoint(4, 2) << false << QPoint(4, 0) << rgbColour(1, 2, 3);
    QTest::newRow("dragged leftwards")
        << QPoint(4, 0) << QPoint(0, 2) << false << QPoint(3, 0) << 0u;
    QTest::newRow("vertical") << QPoint(0, 0) << QPoint(2, 4) << true << QPoint(1, 2)
                              << rgbColour(127, 127, 127);
    QTest::newRow("zero width") << QPoint(1, 0) << QPoint(1, 4) << false << QPoint(1, 1)
                                << rgbColour(1, 2, 3);
}

void TestSurface::gradientBlends()
{
    QFETCH(QPoint, corner1);
    QFETCH(QPoint, corner2);
    QFETCH(bool, vertical);
    QFETCH(QPoint, probe);
    QFETCH(uint, expected);
    Surface s(6, 6, rgbColour(1, 2, 3));
    s.gradientFill(corner1, Black, corner2, White, vertical);
    QCOMPARE(s.getPixel(probe.x(), probe.y()), expected);
}

void TestSurface::textLandsOnTheCurrentLayer()
{
    Surface s(200, 60);
    const QSize size = s.textSize(QStringLiteral("Kalvo"));
    QVERIFY(size.width() > 0 && size.height() > 0);
    s.setAutoRedraw(false);
    s.textOut({10, 10}, QStringLiteral("Kalvo"), Red);
    QCOMPARE(countColour(s.image(), Red), 0);
    const int onScreen = countColour(screenOf(s), Red);
    QVERIFY(onScreen > 10);
    s.refresh();
    s.setAutoRedraw(true);
    s.textOut({10, 10}, QStringLiteral("Kalvo"), Red);
    QCOMPARE(countColour(s.image(), Red), onScreen);
    // Plain pixels only: no blended edge colours.
    const QImage image = s.image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            QVERIFY(image.pixel(x, y) == toQRgb(Red) || image.pixel(x, y) == toQRgb(White));
    }
    // The text starts at the given top-left corner.
    const QRect bounds =
        QRegion(QBitmap::fromImage(image.createMaskFromColor(toQRgb(Red), Qt::MaskOutColor)))
            .boundingRect();
    QVERIFY(bounds.top() >= 10 && bounds.left() >= 9);
}

KALVO_TEST(TestSurface)
#include "tst_surface.moc"
