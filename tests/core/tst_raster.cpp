#include "testmain.h"

#include "core/raster.h"

#include <QTest>

#include <set>

using namespace raster;

namespace {

// Row widths of a shape, top to bottom.
QList<int> widths(const RowShape &shape)
{
    QList<int> out;
    for (const Span &s : shape.rows)
        out << (s.empty() ? 0 : s.right - s.left + 1);
    return out;
}

// True when the shape is its own mirror image about the centre of box.
bool mirrorSymmetric(const RowShape &shape, const QRect &box)
{
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const int mx = box.left() + box.right() - x;
            const int my = box.top() + box.bottom() - y;
            if (shape.contains(x, y) != shape.contains(mx, y) ||
                shape.contains(x, y) != shape.contains(x, my))
                return false;
        }
    }
    return true;
}

} // namespace

class TestRaster : public QObject
{
    Q_OBJECT

private slots:
    void dotIsARoundDisc_data();
    void dotIsARoundDisc();
    void ellipseIsSymmetricAndFillsItsBox_data();
    void ellipseIsSymmetricAndFillsItsBox();
    void cornersInAnyOrderGiveTheSameShape();
    void roundRectCornersAreCut();
    void capsuleCoversBothDotsAndTheBand();
    void linePathIsTheSameBothWays_data();
    void linePathIsTheSameBothWays();
    void linePathClipsWithoutWalkingTheWholeLine();
    void outlineVisitsEachBoundaryPixelOnce_data();
    void outlineVisitsEachBoundaryPixelOnce();
    void dashPatterns();
};

void TestRaster::dotIsARoundDisc_data()
{
    QTest::addColumn<int>("diameter");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("2") << 2 << QList<int>{2, 2};
    QTest::newRow("3") << 3 << QList<int>{3, 3, 3};
    QTest::newRow("4") << 4 << QList<int>{2, 4, 4, 2};
    QTest::newRow("5") << 5 << QList<int>{3, 5, 5, 5, 3};
    QTest::newRow("6") << 6 << QList<int>{4, 6, 6, 6, 6, 4};
}

void TestRaster::dotIsARoundDisc()
{
    QFETCH(int, diameter);
    QFETCH(QList<int>, rows);
    const RowShape dot = capsuleShape({10, 10}, {10, 10}, diameter, -100, 100);
    QList<int> found;
    for (int w : widths(dot)) {
        if (w > 0)
            found << w;
    }
    QCOMPARE(found, rows);
    const QRect box = dot.bounds();
    QCOMPARE(box.width(), diameter);
    QCOMPARE(box.height(), diameter);
    QVERIFY(mirrorSymmetric(dot, box));
    // Odd dots centre on their pixel.
    if (diameter % 2 == 1)
        QCOMPARE(box.center(), QPoint(10, 10));
}

void TestRaster::ellipseIsSymmetricAndFillsItsBox_data()
{
    QTest::addColumn<QRect>("box");
    QTest::newRow("circle 11") << QRect(0, 0, 11, 11);
    QTest::newRow("even circle") << QRect(3, 4, 12, 12);
    QTest::newRow("wide") << QRect(0, 0, 61, 7);
    QTest::newRow("flat even") << QRect(0, 0, 100, 2);
    QTest::newRow("tall thin") << QRect(0, 0, 2, 100);
    QTest::newRow("one pixel") << QRect(5, 5, 1, 1);
    QTest::newRow("line") << QRect(0, 0, 30, 1);
    QTest::newRow("big odd") << QRect(-50, -20, 301, 157);
}

void TestRaster::ellipseIsSymmetricAndFillsItsBox()
{
    QFETCH(QRect, box);
    const RowShape shape = ellipseShape(box.topLeft(), box.bottomRight());
    QCOMPARE(shape.bounds(), box);
    QVERIFY(mirrorSymmetric(shape, box));
    // No row of the box is missing, and rows widen towards the middle.
    const QList<int> w = widths(shape);
    for (int i = 0; i < w.size(); ++i)
        QVERIFY2(w[i] > 0, qPrintable(QStringLiteral("row %1 empty").arg(i)));
    for (int i = 1; i <= (w.size() - 1) / 2; ++i)
        QVERIFY(w[i] >= w[i - 1]);
}

void TestRaster::cornersInAnyOrderGiveTheSameShape()
{
    const QPoint a(3, 40), b(57, 9);
    for (auto make : {&ellipseShape, &rectShape}) {
        const RowShape downRight = make(QPoint(a.x(), b.y()), QPoint(b.x(), a.y()));
        const RowShape upLeft = make(QPoint(b.x(), a.y()), QPoint(a.x(), b.y()));
        QCOMPARE(upLeft.top, downRight.top);
        QVERIFY(upLeft.rows == downRight.rows);
    }
    const RowShape r1 = roundRectShape(a, b, 12, 12);
    const RowShape r2 = roundRectShape(b, a, 12, 12);
    QVERIFY(r1.rows == r2.rows);
}

void TestRaster::roundRectCornersAreCut()
{
    const QRect box(0, 0, 40, 30);
    const RowShape shape = roundRectShape(box.topLeft(), box.bottomRight(), 12, 12);
    QCOMPARE(shape.bounds(), box);
    QVERIFY(mirrorSymmetric(shape, box));
    QVERIFY(!shape.contains(0, 0));
    QVERIFY(!shape.contains(39, 29));
    QVERIFY(shape.contains(20, 0));
    QVERIFY(shape.contains(0, 15));
    // Beyond the corner's reach the sides are straight.
    QCOMPARE(shape.rows[6], (Span{0, 39}));
    QCOMPARE(shape.rows[23], (Span{0, 39}));
    // A corner larger than the box is cut down to the box.
    QCOMPARE(roundRectShape({0, 0}, {3, 3}, 12, 12).bounds(), QRect(0, 0, 4, 4));
}

void TestRaster::capsuleCoversBothDotsAndTheBand()
{
    const RowShape capsule = capsuleShape({10, 10}, {40, 10}, 5, -100, 100);
    const RowShape dotA = capsuleShape({10, 10}, {10, 10}, 5, -100, 100);
    const RowShape dotB = capsuleShape({40, 10}, {40, 10}, 5, -100, 100);
    const QRect box = capsule.bounds();
    QCOMPARE(box, QRect(QPoint(8, 8), QPoint(42, 12)));
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (dotA.contains(x, y) || dotB.contains(x, y))
                QVERIFY(capsule.contains(x, y));
        }
    }
    // The band between the dots is as thick as the pen.
    for (int x = 11; x < 40; ++x) {
        for (int y = 8; y <= 12; ++y)
            QVERIFY(capsule.contains(x, y));
    }
    // Only the asked rows are computed.
    const RowShape clipped = capsuleShape({0, 0}, {0, 100000}, 3, 10, 12);
    QCOMPARE(clipped.bounds(), QRect(QPoint(-1, 10), QPoint(1, 12)));
}

void TestRaster::linePathIsTheSameBothWays_data()
{
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");
    QTest::newRow("flat") << QPoint(0, 0) << QPoint(9, 0);
    QTest::newRow("shallow") << QPoint(0, 0) << QPoint(4, 1);
    QTest::newRow("steep") << QPoint(2, 0) << QPoint(5, 17);
    QTest::newRow("diagonal") << QPoint(10, 10) << QPoint(0, 0);
    QTest::newRow("negative slope") << QPoint(0, 9) << QPoint(13, 2);
    QTest::newRow("point") << QPoint(3, 3) << QPoint(3, 3);
}

void TestRaster::linePathIsTheSameBothWays()
{
    QFETCH(QPoint, a);
    QFETCH(QPoint, b);
    const QRect clip(-100, -100, 300, 300);
    auto pixels = [&](QPoint from, QPoint to) {
        std::set<std::pair<int, int>> set;
        for (const PathPixel &p : linePath(from, to, clip))
            set.emplace(p.point.x(), p.point.y());
        return set;
    };
    const auto forward = pixels(a, b);
    QVERIFY(forward == pixels(b, a));
    QVERIFY(forward.count({a.x(), a.y()}) == 1);
    QVERIFY(forward.count({b.x(), b.y()}) == 1);
    const int expected = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())) + 1;
    QCOMPARE(static_cast<int>(forward.size()), expected);
}

void TestRaster::linePathClipsWithoutWalkingTheWholeLine()
{
    const QRect clip(0, 0, 10, 10);
    const std::vector<PathPixel> path = linePath({-CoordinateLimit, 5}, {CoordinateLimit, 5}, clip);
    QCOMPARE(static_cast<int>(path.size()), 10);
    QCOMPARE(path.front().point, QPoint(0, 5));
    // Steps count from the line's start, so dashes do not shift with the clip.
    QCOMPARE(path.front().step, CoordinateLimit);
}

void TestRaster::outlineVisitsEachBoundaryPixelOnce_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRect>("box");
    QTest::newRow("box") << 0 << QRect(0, 0, 10, 6);
    QTest::newRow("thin box") << 0 << QRect(0, 0, 2, 5);
    QTest::newRow("ellipse") << 1 << QRect(0, 0, 21, 13);
    QTest::newRow("flat ellipse") << 1 << QRect(0, 0, 40, 3);
    QTest::newRow("round rect") << 2 << QRect(0, 0, 30, 20);
    QTest::newRow("one row") << 0 << QRect(0, 0, 5, 1);
}

void TestRaster::outlineVisitsEachBoundaryPixelOnce()
{
    QFETCH(int, kind);
    QFETCH(QRect, box);
    const RowShape shape = kind == 0   ? rectShape(box.topLeft(), box.bottomRight())
                           : kind == 1 ? ellipseShape(box.topLeft(), box.bottomRight())
                                       : roundRectShape(box.topLeft(), box.bottomRight(), 12, 12);
    std::set<std::pair<int, int>> boundary;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (shape.contains(x, y) && (!shape.contains(x - 1, y) || !shape.contains(x + 1, y) ||
                                         !shape.contains(x, y - 1) || !shape.contains(x, y + 1)))
                boundary.emplace(x, y);
        }
    }
    const std::vector<QPoint> path = outlinePath(shape);
    std::set<std::pair<int, int>> visited;
    for (const QPoint &p : path)
        QVERIFY2(visited.emplace(p.x(), p.y()).second, "pixel visited twice");
    QVERIFY(visited == boundary);
    // The walk moves to a neighbouring pixel at each step, except where a
    // merged row is split.
    int jumps = 0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const QPoint d = path[i] - path[i - 1];
        if (std::abs(d.x()) > 1 || std::abs(d.y()) > 1)
            ++jumps;
    }
    QVERIFY(jumps <= 2);
}

void TestRaster::dashPatterns()
{
    for (int step = 0; step < 100; ++step)
        QVERIFY(dashOn(0, step));
    for (int style = 1; style <= 4; ++style) {
        int on = 0;
        for (int step = 0; step < 120; ++step)
            on += dashOn(style, step) ? 1 : 0;
        QVERIFY2(on > 0 && on < 120, qPrintable(QString::number(style)));
        QVERIFY(dashOn(style, 0));
    }
    QVERIFY(dashOn(2, 0) && !dashOn(2, 3) && dashOn(2, 6));
}

KALVO_TEST(TestRaster)
#include "tst_raster.moc"
