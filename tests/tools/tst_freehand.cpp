#include "testmain.h"
#include "tool_rig.h"
#include "tools/freehand.h"

#include <QTest>

namespace {

// A 5 × 3 brush: black corners, one nearly black pixel, magenta elsewhere.
QImage smallBrush()
{
    QImage brush(5, 3, QImage::Format_RGB32);
    brush.fill(toQRgb(TransparentKey));
    brush.setPixel(0, 0, qRgb(0, 0, 0));
    brush.setPixel(4, 2, qRgb(0, 0, 0));
    brush.setPixel(2, 1, qRgb(1, 0, 0));
    return brush;
}

// A canvas painted over in black, so that erasing shows.
void paintBlack(Surface &canvas)
{
    canvas.line({0, 0}, QPointF(canvas.width(), canvas.height()), Black,
                Surface::LineForm::FilledBox);
}

} // namespace

class TestFreehand : public QObject
{
    Q_OBJECT

private slots:
    void pencilClickLeavesADotOfTheLineWidth_data();
    void pencilClickLeavesADotOfTheLineWidth();
    void pencilFollowsThePointer();
    void brushStampsRecolouredAndCentred();
    void brushFollowsPenAndBrushChanges();
    void brushWithMagentaPenDrawsNothing();
    void airbrushReach_data();
    void airbrushReach();
    void airbrushFirstDotStaysBehind();
    void eraser_data();
    void eraser();
    void eraserPaintsTheBackColour();
};

void TestFreehand::pencilClickLeavesADotOfTheLineWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("style");
    QTest::newRow("width 1") << 1 << 0;
    QTest::newRow("width 5") << 5 << 0;
    QTest::newRow("width 5 dashed") << 5 << 1;
    QTest::newRow("width 12") << 12 << 0;
}

void TestFreehand::pencilClickLeavesADotOfTheLineWidth()
{
    QFETCH(int, width);
    QFETCH(int, style);
    ToolRig rig(40, 40, ToolId::Pencil);
    rig.canvas.setDrawWidth(width);
    rig.canvas.setDrawStyle(style);
    rig.click(20, 20);

    Surface expected(40, 40);
    expected.setDrawWidth(width);
    expected.pset({20, 20}, rig.host.firstColour);
    QCOMPARE(rig.canvas.image(), expected.image());
    if (width == 5) {
        // A disc, not a square: the edge middles are in, the corners out.
        QCOMPARE(pixelAt(rig.canvas.image(), {22, 20}), rig.host.firstColour);
        QCOMPARE(pixelAt(rig.canvas.image(), {20, 18}), rig.host.firstColour);
        QCOMPARE(pixelAt(rig.canvas.image(), {22, 22}), White);
    }
}

void TestFreehand::pencilFollowsThePointer()
{
    ToolRig rig(60, 40, ToolId::Pencil);
    rig.canvas.setDrawStyle(1);
    rig.input.press(Qt::LeftButton, {}, QPointF(5, 5));
    rig.input.move(Qt::LeftButton, {}, QPointF(40, 5));
    rig.input.move(Qt::LeftButton, {}, QPointF(40, 30));
    QCOMPARE(rig.state.anchorX, 40.0f);
    QCOMPARE(rig.state.anchorY, 30.0f);
    rig.input.release(Qt::LeftButton, {}, QPointF(40, 30));

    Surface expected(60, 40);
    expected.setDrawStyle(1);
    expected.line({5, 5}, {5, 5}, rig.host.firstColour);
    expected.line({5, 5}, {40, 5}, rig.host.firstColour);
    expected.line({40, 5}, {40, 30}, rig.host.firstColour);
    QCOMPARE(rig.canvas.image(), expected.image());
    // Width 1 keeps the dashes, so the stroke has gaps.
    QVERIFY(countNot(rig.canvas.image(), White) < 36 + 25);
}

void TestFreehand::brushStampsRecolouredAndCentred()
{
    ToolRig rig(40, 30, ToolId::Brush);
    rig.options.brushSource.setPicture(smallBrush());
    rig.click(20, 20);
    const QImage image = rig.canvas.image();
    // 5 × 3 stamp: top-left at (20 - 2, 20 - 1).
    QCOMPARE(pixelAt(image, {18, 19}), rig.host.firstColour);
    QCOMPARE(pixelAt(image, {22, 21}), rig.host.firstColour);
    QCOMPARE(pixelAt(image, {20, 20}), rgbColour(1, 0, 0));
    QCOMPARE(countNot(image, White), 3);
    // The loaded bitmap itself stays black.
    QCOMPARE(pixelAt(rig.options.brushSource.image(), {0, 0}), Black);
}

void TestFreehand::brushFollowsPenAndBrushChanges()
{
    ToolRig rig(40, 30, ToolId::Brush);
    rig.options.brushSource.setPicture(smallBrush());
    rig.click(10, 10, Qt::LeftButton);
    rig.click(30, 10, Qt::RightButton);
    QCOMPARE(pixelAt(rig.canvas.image(), {8, 9}), rig.host.firstColour);
    QCOMPARE(pixelAt(rig.canvas.image(), {28, 9}), rig.host.secondColour);

    // A new brush bitmap of another size is picked up at once.
    QImage bar(3, 1, QImage::Format_RGB32);
    bar.fill(qRgb(0, 0, 0));
    rig.options.brushSource.setPicture(bar);
    rig.click(20, 25, Qt::RightButton);
    QCOMPARE(boundsNot(rig.canvas.image().copy(0, 22, 40, 8), White), QRect(19, 3, 3, 1));
}

void TestFreehand::brushWithMagentaPenDrawsNothing()
{
    ToolRig rig(40, 30, ToolId::Brush);
    rig.options.brushSource.setPicture(smallBrush());
    rig.host.firstColour = TransparentKey;
    rig.click(20, 20);
    QCOMPARE(countNot(rig.canvas.image(), White), 1); // the nearly black pixel
}

void TestFreehand::airbrushReach_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QRect>("reach");
    // Dot centres run from -5 to 10 × width - 6; wider dots add their radius.
    QTest::newRow("width 1") << 1 << QRect(QPoint(-5, -5), QPoint(4, 4));
    QTest::newRow("width 5") << 5 << QRect(QPoint(-7, -7), QPoint(46, 46));
}

void TestFreehand::airbrushReach()
{
    QFETCH(int, width);
    QFETCH(QRect, reach);
    ToolRig rig(160, 160, ToolId::Airbrush);
    rig.canvas.setDrawWidth(width);
    RandomSource expectedSequence;
    rig.input.press(Qt::LeftButton, {}, QPointF(60, 60));
    for (int i = 0; i < 22; ++i)
        expectedSequence.next();
    QCOMPARE(rig.random.next(), expectedSequence.next()); // 11 pairs per call
    for (int i = 0; i < 300; ++i)
        rig.input.move(Qt::LeftButton, {}, QPointF(60, 60));
    rig.input.release(Qt::LeftButton, {}, QPointF(60, 60));
    // Over 3300 dots fill the whole reach and nothing beyond it.
    QCOMPARE(boundsNot(rig.canvas.image(), White), reach.translated(60, 60));
}

void TestFreehand::airbrushFirstDotStaysBehind()
{
    ToolRig rig(120, 120, ToolId::Airbrush);
    rig.state.anchorX = 20;
    rig.state.anchorY = 20;
    ToolContext context = rig.context();
    AirbrushTool().drag(context, {80, 80, Qt::LeftButton, {}});
    const QImage image = rig.canvas.image();
    QCOMPARE(countNot(image.copy(10, 10, 20, 20), White), 1);
    QVERIFY(countNot(image.copy(70, 70, 20, 20), White) >= 1);
    QCOMPARE(countNot(image, White), countNot(image.copy(10, 10, 20, 20), White) +
                                         countNot(image.copy(70, 70, 20, 20), White));
    QCOMPARE(rig.state.anchorX, 80.0f);
}

void TestFreehand::eraser_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("eraseWidth");
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<QList<QPoint>>("cleared");
    QTest::addColumn<QList<QPoint>>("kept");
    using P = QList<QPoint>;
    QTest::newRow("square 10") << 0 << 10 << 1 << P{{25, 25}, {35, 35}, {25, 35}, {30, 30}}
                               << P{{24, 30}, {36, 30}, {30, 24}, {30, 36}};
    QTest::newRow("square 7") << 0 << 7 << 1 << P{{27, 27}, {34, 34}} << P{{26, 30}, {35, 30}};
    QTest::newRow("square 10, pen 3")
        << 0 << 10 << 3 << P{{24, 30}, {36, 30}} << P{{23, 30}, {37, 30}};
    QTest::newRow("round 10") << 1 << 10 << 1
                              << P{{30, 20}, {40, 30}, {30, 40}, {20, 30}, {36, 36}, {30, 30}}
                              << P{{41, 30}, {30, 41}, {19, 30}, {38, 38}};
}

void TestFreehand::eraser()
{
    QFETCH(int, shape);
    QFETCH(int, eraseWidth);
    QFETCH(int, lineWidth);
    QFETCH(QList<QPoint>, cleared);
    QFETCH(QList<QPoint>, kept);
    ToolRig rig(60, 60, ToolId::Eraser);
    paintBlack(rig.canvas);
    rig.canvas.setDrawWidth(lineWidth);
    rig.options.eraserShape = shape;
    rig.options.eraserWidth = eraseWidth;
    rig.click(30, 30);
    for (const QPoint &p : cleared)
        QVERIFY2(pixelAt(rig.canvas.image(), p) == White,
                 qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint &p : kept)
        QVERIFY2(pixelAt(rig.canvas.image(), p) == Black,
                 qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
}

void TestFreehand::eraserPaintsTheBackColour()
{
    ToolRig rig(40, 40, ToolId::Eraser);
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    rig.canvas.setBackColour(0x0000FF00);
    rig.canvas.setPicture(picture);
    rig.click(20, 20);
    QCOMPARE(pixelAt(rig.canvas.image(), {20, 20}), Colour(0x0000FF00));
    QCOMPARE(pixelAt(rig.canvas.image(), {5, 5}), rgbColour(10, 20, 30));
}

KALVO_TEST(TestFreehand)
#include "tst_freehand.moc"
