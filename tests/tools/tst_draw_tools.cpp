#include "testmain.h"
#include "tool_rig.h"
#include "tools/curve_polygon.h"

#include <QTest>

#include <algorithm>

namespace {

QPointF pointOf(const QString &text)
{
    const QStringList xy = text.split(u',');
    return {xy[0].toDouble(), xy[1].toDouble()};
}

// Runs a script of canvas events with one button: "p10,5" press, "m10,5"
// move, "r10,5" release, "c10,5" click, "d" double-click (alone, as the
// canvas reports it), "t多边形" another tool, by its caption.
void play(ToolRig &rig, const QString &script, int button = 1)
{
    for (const QString &step : script.split(u' ')) {
        const QString arg = step.mid(1);
        const QPointF at = arg.contains(u',') ? pointOf(arg) : QPointF();
        const char kind = static_cast<char>(step[0].unicode());
        if (kind == 'p' || kind == 'c')
            rig.input.press(Qt::MouseButton(button), {}, at);
        if (kind == 'm')
            rig.input.move(Qt::MouseButtons(button), {}, at);
        if (kind == 'r' || kind == 'c')
            rig.input.release(Qt::MouseButton(button), {}, at);
        if (kind == 'd')
            rig.input.doubleClick();
        if (kind == 't') {
            const auto &rows = toolTable();
            const auto row = std::find_if(rows.begin(), rows.end(),
                                          [&](const ToolRow &r) { return r.captionText() == arg; });
            QVERIFY2(row != rows.end(), qPrintable(arg));
            rig.state.currentTool = row->id;
        }
    }
}

constexpr Colour Red = 0x000000FF;
constexpr Colour Blue = 0x00FF0000;

} // namespace

class TestDrawTools : public QObject
{
    Q_OBJECT

private slots:
    void curveAndPolygonEdges_data();
    void curveAndPolygonEdges();
    void fill_data();
    void fill();
    void gradient_data();
    void gradient();
    void colourPick_data();
    void colourPick();
};

void TestDrawTools::curveAndPolygonEdges_data()
{
    QTest::addColumn<ToolId>("tool");
    QTest::addColumn<QString>("events");
    // ".x,y" a dot, "x1,y1-x2,y2" a line, with the pen of the first colour.
    QTest::addColumn<QString>("edges");
    QTest::addColumn<bool>("polyOpen");

    QTest::newRow("polygon by clicks") << ToolId::Polygon << "c10,10 c40,10 c40,40"
                                       << ".10,10 10,10-40,10 40,10-40,40" << true;
    QTest::newRow("polygon by drags, joined at the press")
        << ToolId::Polygon << "p10,10 m20,30 r30,15 p50,40 m55,45 r60,20 c70,50"
        << ".10,10 10,10-30,15 30,15-50,40 50,40-60,20 60,20-70,50" << true;
    QTest::newRow("double-click ends the chain")
        << ToolId::Polygon << "c10,10 p40,10 r40,10 d r40,10"
        << ".10,10 10,10-40,10" << false;
    QTest::newRow("after a double-click a new chain starts")
        << ToolId::Polygon << "c10,10 p40,10 r40,10 d r40,10 c20,40 c60,40"
        << ".10,10 10,10-40,10 .20,40 20,40-60,40" << true;
    QTest::newRow("chain survives a change of tool")
        << ToolId::Polygon << "c10,10 t选定 c60,50 t多边形 c40,40"
        << ".10,10 10,10-40,40" << true;
    QTest::newRow("chain keeps its vertex through an eraser stroke")
        << ToolId::Polygon << "c10,10 t橡皮擦 p60,50 m62,52 r62,52 t多边形 c40,40"
        << ".10,10 10,10-40,40" << true;
    QTest::newRow("curve closes at the release") << ToolId::Curve << "p10,10 m30,10 m30,30 r10,30"
                                                 << "10,10-30,10 30,10-30,30 10,10-10,30" << false;
    QTest::newRow("curve released where pressed: a dot") << ToolId::Curve << "c20,20"
                                                         << ".20,20" << false;
}

void TestDrawTools::curveAndPolygonEdges()
{
    QFETCH(ToolId, tool);
    QFETCH(QString, events);
    QFETCH(QString, edges);
    QFETCH(bool, polyOpen);
    ToolRig rig(80, 60, tool);
    play(rig, events);

    Surface expected(80, 60);
    for (const QString &edge : edges.split(u' ')) {
        if (edge.startsWith(u'.'))
            expected.pset(pointOf(edge.mid(1)), Red);
        else
            expected.line(pointOf(edge.section(u'-', 0, 0)), pointOf(edge.section(u'-', 1)), Red);
    }
    QCOMPARE(rig.canvas.image(), expected.image());
    QCOMPARE(static_cast<const PolygonTool &>(rig.input.tool(ToolId::Polygon)).chainOpen(),
             polyOpen);
}

void TestDrawTools::fill_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("button");
    QTest::addColumn<Colour>("pen");
    QTest::addColumn<QSize>("pattern"); // empty: colour mode; invalid: no pattern loaded
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QString>("region"); // "inside" / "ring" / "outside" the ring, or "none"

    QTest::newRow("colour") << 60 << 1 << Red << QSize() << QPointF(20, 20) << "inside";
    QTest::newRow("colour, right button")
        << 60 << 2 << Blue << QSize() << QPointF(50, 5) << "outside";
    QTest::newRow("pattern over the pen colour, tiled from the origin")
        << 60 << 1 << White << QSize(3, 5) << QPointF(20, 20) << "inside";
    QTest::newRow("pattern on long spans")
        << 1300 << 1 << Red << QSize(7, 2) << QPointF(1000, 5) << "outside";
    QTest::newRow("pattern holding the colour filled over, long spans")
        << 1300 << 1 << White << QSize(7, 2) << QPointF(1000, 5) << "outside";
    QTest::newRow("pattern wider than long spans")
        << 1300 << 1 << Red << QSize(601, 3) << QPointF(1000, 5) << "outside";
    QTest::newRow("pattern list empty: pen colour")
        << 60 << 1 << Red << QSize(0, 0) << QPointF(20, 20) << "inside";
    QTest::newRow("half pixel rounds to even")
        << 60 << 1 << Red << QSize() << QPointF(30.5, 20) << "ring";
    QTest::newRow("outside the picture") << 60 << 1 << Red << QSize() << QPointF(-1, 5) << "none";
}

void TestDrawTools::fill()
{
    QFETCH(int, width);
    QFETCH(int, button);
    QFETCH(Colour, pen);
    QFETCH(QSize, pattern);
    QFETCH(QPointF, at);
    QFETCH(QString, region);
    ToolRig rig(width, 40, ToolId::Fill);
    (button == 1 ? rig.host.firstColour : rig.host.secondColour) = pen;
    rig.canvas.line({10, 10}, {30, 30}, Black, Surface::LineForm::Box);
    const QImage before = rig.canvas.image();
    // The pattern holds the pen colour: with a white pen, the colour filled over.
    QImage tile(pattern.isEmpty() ? QSize(1, 1) : pattern, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            tile.setPixel(x, y, qRgb(x * 37 % 256, y * 90 % 256, 9));
    tile.setPixel(0, 0, toQRgb(pen));
    rig.options.fillType = pattern.isValid() ? 1 : 0;
    rig.options.pattern = pattern.isEmpty() ? QImage() : tile;
    play(rig, QStringLiteral("c%1,%2").arg(at.x()).arg(at.y()), button);

    const QImage image = rig.canvas.image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const bool box = x >= 10 && x <= 30 && y >= 10 && y <= 30;
            const bool ring = box && (x == 10 || x == 30 || y == 10 || y == 30);
            const bool filled = region == (!box ? "outside" : ring ? "ring" : "inside");
            const QRgb want = !filled             ? before.pixel(x, y)
                              : pattern.isEmpty() ? toQRgb(pen)
                                                  : tile.pixel(x % tile.width(), y % tile.height());
            if (image.pixel(x, y) != want)
                QFAIL(qPrintable(QStringLiteral("%1,%2 wrong").arg(x).arg(y)));
        }
    }
}

void TestDrawTools::gradient_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<Colour>("first");
    QTest::addColumn<QRect>("painted");

    const QRect box(10, 5, 40, 20);
    QTest::newRow("left to right") << false << QPointF(10, 5) << QPointF(50, 25) << Red << box;
    QTest::newRow("top to bottom") << true << QPointF(10, 5) << QPointF(50, 25) << Red << box;
    QTest::newRow("dragged left and up")
        << false << QPointF(50, 25) << QPointF(10, 5) << Red << box;
    QTest::newRow("dragged up, vertical")
        << true << QPointF(10, 25) << QPointF(50, 5) << Red << box;
    QTest::newRow("half pixels round to even")
        << false << QPointF(10.5, 5.5) << QPointF(50.5, 25.5) << Red << QRect(10, 6, 40, 20);
    QTest::newRow("system colour as shown")
        << true << QPointF(10, 5) << QPointF(50, 25) << ButtonFace << box;
    QTest::newRow("zero width") << false << QPointF(20, 5) << QPointF(20, 30) << Red << QRect();
}

void TestDrawTools::gradient()
{
    QFETCH(bool, vertical);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(Colour, first);
    QFETCH(QRect, painted);
    ToolRig rig(60, 40, ToolId::Gradient);
    rig.options.gradientDirection = vertical ? 1 : 0;
    rig.host.firstColour = first;
    rig.input.press(Qt::RightButton, {}, from);
    rig.input.move(Qt::RightButton, {}, to);
    // The preview is a black box on the screen only.
    QCOMPARE(countNot(rig.canvas.image(), White), 0);
    QCOMPARE(pixelAt(rig.canvas.grabScreen(rig.canvas.rect()), from.toPoint()), Black);
    rig.input.release(Qt::RightButton, {}, to);

    const QImage image = rig.canvas.image();
    QCOMPARE(boundsNot(image, White), painted);
    if (painted.isEmpty())
        return;
    // The first colour on the press side, constant across the blend.
    const QPoint press(std::clamp(int(from.x()), painted.left(), painted.right()),
                       std::clamp(int(from.y()), painted.top(), painted.bottom()));
    const QPoint far = painted.topLeft() + painted.bottomRight() - press;
    const QPoint across = vertical ? QPoint(far.x(), press.y()) : QPoint(press.x(), far.y());
    QCOMPARE(pixelAt(image, press), resolveColour(first));
    QCOMPARE(pixelAt(image, across), resolveColour(first));
    QVERIFY(pixelAt(image, far) != resolveColour(first));
}

void TestDrawTools::colourPick_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("events");
    QTest::addColumn<Colour>("colour1");
    QTest::addColumn<Colour>("colour2");

    const Colour a = 0x00102030, b = 0x00405060;
    QTest::newRow("left") << 1 << "c4,4" << a << Blue;
    QTest::newRow("right changes only the second") << 2 << "c4,4" << Red << a;
    QTest::newRow("dragging keeps picking") << 1 << "p4,4 m20,10 m25,5 r25,5" << b << Blue;
    QTest::newRow("outside keeps the last") << 2 << "p25,5 m-3,5 m50,5 r50,5" << Red << b;
    QTest::newRow("press outside") << 1 << "c-1,-1" << Red << Blue;
    QTest::newRow("middle picks nothing") << 4 << "c4,4" << Red << Blue;
}

void TestDrawTools::colourPick()
{
    QFETCH(int, button);
    QFETCH(QString, events);
    QFETCH(Colour, colour1);
    QFETCH(Colour, colour2);
    ToolRig rig(40, 30, ToolId::ColourPick);
    rig.canvas.setPixel(4, 4, 0x00102030);
    rig.canvas.setPixel(25, 5, 0x00405060);
    play(rig, events, button);
    QCOMPARE(rig.host.firstColour, colour1);
    QCOMPARE(rig.host.secondColour, colour2);
    QCOMPARE(countNot(rig.canvas.image(), White), 2);
}

KALVO_TEST(TestDrawTools)
#include "tst_draw_tools.moc"
