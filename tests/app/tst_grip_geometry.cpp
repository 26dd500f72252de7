#include "app/grip_geometry.h"
#include "controls/scroll_ranges.h"
#include "testmain.h"

#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<QSize>)

class TestGripGeometry : public QObject
{
    Q_OBJECT

private slots:
    void placesGrips_data();
    void placesGrips();
    void scrollRanges_data();
    void scrollRanges();
    void dragStep_data();
    void dragStep();
    void onlyTheLeftButtonStartsADrag();
};

void TestGripGeometry::placesGrips_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QPoint>("right");
    QTest::addColumn<QPoint>("corner");
    QTest::addColumn<QPoint>("bottom");
    QTest::newRow("760 x 568") << QSize(760, 568) << QPoint(760, 281) << QPoint(760, 568)
                               << QPoint(377, 568);
    // (1 - 6) \ 2 truncates toward zero: -2, not -3.
    QTest::newRow("height 1") << QSize(1, 1) << QPoint(1, -2) << QPoint(1, 1) << QPoint(-2, 1);
    QTest::newRow("odd sizes") << QSize(201, 7) << QPoint(201, 0) << QPoint(201, 7)
                               << QPoint(97, 7);
}

void TestGripGeometry::placesGrips()
{
    QFETCH(QSize, canvas);
    QFETCH(QPoint, right);
    QFETCH(QPoint, corner);
    QFETCH(QPoint, bottom);
    const auto grips = gripPositions(canvas);
    QCOMPARE(grips[0], right);
    QCOMPARE(grips[1], corner);
    QCOMPARE(grips[2], bottom);
}

void TestGripGeometry::scrollRanges_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QSize>("viewport");
    QTest::addColumn<int>("hMax");
    QTest::addColumn<bool>("hEnabled");
    QTest::addColumn<int>("vMax");
    QTest::addColumn<bool>("vEnabled");
    QTest::addColumn<QSize>("units"); // pixels per step
    const QSize one(1, 1);
    QTest::newRow("start-up canvas")
        << QSize(760, 568) << QSize(876, 436) << -98 << false << 150 << true << one;
    QTest::newRow("exactly fits") << QSize(100, 100) << QSize(118, 118) << 0 << false << 0 << false
                                  << one;
    QTest::newRow("one over") << QSize(101, 100) << QSize(118, 118) << 1 << true << 0 << false
                              << one;
    QTest::newRow("16 bits") << QSize(33249, 10) << QSize(500, 400) << 32767 << true << -372
                             << false << one;
    QTest::newRow("huge canvas steps by 2")
        << QSize(65536, 40000) << QSize(500, 400) << 32527 << true << 19809 << true << QSize(2, 2);
    QTest::newRow("6400 % of 8000 pixels")
        << QSize(512000, 10) << QSize(876, 436) << 31947 << true << -408 << false << QSize(16, 1);
    QTest::newRow("huge viewport clamps")
        << QSize(1, 1) << QSize(40000, 40000) << -32768 << false << -32768 << false << one;
}

void TestGripGeometry::scrollRanges()
{
    QFETCH(QSize, canvas);
    QFETCH(QSize, viewport);
    const ScrollRanges ranges = ::scrollRanges(canvas, viewport);
    QTEST(ranges.horizontalMaximum, "hMax");
    QTEST(ranges.horizontalEnabled, "hEnabled");
    QTEST(ranges.verticalMaximum, "vMax");
    QTEST(ranges.verticalEnabled, "vEnabled");
    QTEST(QSize(ranges.horizontalUnit, ranges.verticalUnit), "units");
}

void TestGripGeometry::dragStep_data()
{
    QTest::addColumn<int>("grip");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QPointF>("grab");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<std::optional<QSize>>("result");
    const int left = Qt::LeftButton;
    QTest::newRow("corner 30 right 20 down")
        << 1 << QSize(200, 200) << QPointF(3, 3) << QPointF(33, 23) << left
        << std::optional(QSize(230, 220));
    QTest::newRow("right edge changes width only")
        << 0 << QSize(200, 150) << QPointF(2, 2) << QPointF(-48, 40) << left
        << std::optional(QSize(150, 150));
    QTest::newRow("bottom edge changes height only")
        << 2 << QSize(200, 150) << QPointF(2, 2) << QPointF(40, 12) << left
        << std::optional(QSize(200, 160));
    QTest::newRow("width stops at 1") << 0 << QSize(200, 150) << QPointF(2, 2) << QPointF(-5000, 2)
                                      << left << std::optional(QSize(1, 150));
    QTest::newRow("corner stops at 1 x 1")
        << 1 << QSize(20, 20) << QPointF(2, 2) << QPointF(-100, -100) << left
        << std::optional(QSize(1, 1));
    QTest::newRow("less than a pixel does nothing")
        << 1 << QSize(50, 40) << QPointF(2, 2) << QPointF(2.9, 1.2) << left
        << std::optional(QSize(50, 40));
    // 1.5 pixels are 22.5 twips, rounded to 22, which is one whole pixel.
    QTest::newRow("fractions cut toward zero")
        << 1 << QSize(50, 40) << QPointF(2, 2) << QPointF(3.5, 0.5) << left
        << std::optional(QSize(51, 39));
    QTest::newRow("right button ignored") << 1 << QSize(50, 40) << QPointF(2, 2) << QPointF(30, 30)
                                          << int(Qt::RightButton) << std::optional<QSize>();
    QTest::newRow("no button ignored") << 1 << QSize(50, 40) << QPointF(2, 2) << QPointF(30, 30)
                                       << int(Qt::NoButton) << std::optional<QSize>();
}

void TestGripGeometry::dragStep()
{
    QFETCH(int, grip);
    QFETCH(QSize, canvas);
    QFETCH(QPointF, grab);
    QFETCH(QPointF, at);
    QFETCH(int, buttons);
    QFETCH(std::optional<QSize>, result);
    GripDrag drag;
    drag.press(Qt::LeftButton, grab);
    const QPoint gripPos = gripPositions(canvas)[static_cast<std::size_t>(grip)];
    QCOMPARE(gripDragStep(drag, grip, gripPos, canvas, Qt::MouseButtons(buttons), at), result);
}

void TestGripGeometry::onlyTheLeftButtonStartsADrag()
{
    GripDrag drag;
    drag.press(Qt::RightButton, QPointF(3, 3));
    QVERIFY(!drag.dragging);
    const QSize canvas(100, 100);
    QCOMPARE(
        gripDragStep(drag, 1, gripPositions(canvas)[1], canvas, Qt::LeftButton, QPointF(40, 40)),
        std::optional<QSize>());
    drag.press(Qt::LeftButton, QPointF(3, 3));
    // A later right press does not move the grab point.
    drag.press(Qt::RightButton, QPointF(0, 0));
    QCOMPARE(
        gripDragStep(drag, 1, gripPositions(canvas)[1], canvas, Qt::LeftButton, QPointF(13, 3)),
        std::optional(QSize(110, 100)));
}

KALVO_TEST(TestGripGeometry)
#include "tst_grip_geometry.moc"
