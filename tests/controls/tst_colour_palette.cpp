#include "testmain.h"

#include "controls/colour_palette.h"
#include "scripted_dialogs.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QImage grabOf(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestColourPalette : public QObject
{
    Q_OBJECT

private slots:
    void cellAt_data();
    void cellAt();
    void press_data();
    void press();
    void itemClickComesFirstAndMayChangeTheCell();
    void customColours();
    void doubleClickRedefinesTheCell();
    void cancelledChooserChangesNothing();
    void swapColours();
    void sizeSnapsBack();
    void paintsCellsAndSamples();
};

void TestColourPalette::cellAt_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("cell");
    QTest::newRow("first cell") << 32.0 << 0.0 << 0;
    QTest::newRow("second row") << 40.0 << 20.0 << 1;
    QTest::newRow("last cell") << 255.0 << 31.0 << 27;
    QTest::newRow("indicator box") << 31.0 << 10.0 << -1;
    QTest::newRow("half rounds to even, up") << 47.5 << 15.5 << 3;
    QTest::newRow("half rounds to even, down") << 46.5 << 0.0 << 0;
    QTest::newRow("rounds up into next column") << 47.6 << 0.0 << 2;
    QTest::newRow("right of the grid") << 256.0 << 0.0 << -1;
    QTest::newRow("below the grid") << 100.0 << 32.0 << -1;
    QTest::newRow("left of the control") << -20.0 << 0.0 << -1;
}

void TestColourPalette::cellAt()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, cell);
    QCOMPARE(ColourPalette::cellAt(x, y), cell);
}

void TestColourPalette::press_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<uint>("colour1");
    QTest::addColumn<uint>("colour2");
    QTest::addColumn<int>("itemClicks");
    QTest::newRow("left on white")
        << QPoint(40, 20) << Qt::LeftButton << 0x00FFFFFFu << 0x00FFFFFFu << 1;
    QTest::newRow("right on purple")
        << QPoint(250, 5) << Qt::RightButton << 0u << rgbColour(111, 49, 152) << 1;
    QTest::newRow("middle sets Color2")
        << QPoint(200, 20) << Qt::MiddleButton << 0u << rgbColour(153, 217, 234) << 1;
    QTest::newRow("indicator box") << QPoint(31, 10) << Qt::LeftButton << 0u << 0x00FFFFFFu << 0;
}

void TestColourPalette::press()
{
    QFETCH(QPoint, at);
    QFETCH(Qt::MouseButton, button);
    QFETCH(uint, colour1);
    QFETCH(uint, colour2);
    QFETCH(int, itemClicks);
    ColourPalette palette;
    int clicks = 0;
    connect(&palette, &ColourPalette::itemClicked, this, [&](Colour *, int *) { ++clicks; });
    QTest::mouseClick(&palette, button, {}, at);
    QCOMPARE(palette.colour1(), Colour(colour1));
    QCOMPARE(palette.colour2(), Colour(colour2));
    QCOMPARE(clicks, itemClicks);
}

void TestColourPalette::itemClickComesFirstAndMayChangeTheCell()
{
    ColourPalette palette;
    Colour seenColour1 = NoColour;
    Colour seenCell = NoColour;
    int seenButton = 0;
    connect(&palette, &ColourPalette::itemClicked, this, [&](Colour *cell, int *button) {
        seenColour1 = palette.colour1();
        seenCell = *cell;
        seenButton = *button;
        *cell = 0x00123456;
        *button = 2;
    });
    QSignalSpy colour2Changes(&palette, &ColourPalette::colour2Changed);
    QTest::mouseClick(&palette, Qt::LeftButton, {}, QPoint(40, 20));
    QCOMPARE(seenColour1, Colour(0));
    QCOMPARE(seenCell, Colour(0x00FFFFFF));
    QCOMPARE(seenButton, 1);
    QCOMPARE(palette.colour1(), Colour(0));
    QCOMPARE(palette.colour2(), Colour(0x00123456));
    QCOMPARE(palette.cellColour(1), Colour(0x00123456));
    QCOMPARE(colour2Changes.count(), 1);
}

void TestColourPalette::customColours()
{
    const auto custom = ColourPalette::customColoursFor(rgbColour(250, 10, 100));
    QCOMPARE(custom[0], rgbColour(255, 25, 115));
    QCOMPARE(custom[1], rgbColour(255, 40, 130));
    QCOMPARE(custom[15], rgbColour(255, 250, 255));
}

void TestColourPalette::doubleClickRedefinesTheCell()
{
    ColourPalette palette;
    ScriptedDialogs dialogs;
    palette.setDialogs(&dialogs);
    palette.setOpenFullColourDialog(false);
    dialogs.colours.push_back(rgbColour(1, 2, 3));
    QTest::mouseClick(&palette, Qt::RightButton, {}, QPoint(250, 5));
    QTest::mouseDClick(&palette, Qt::RightButton, {}, QPoint(250, 5));

    const auto requests = dialogs.of(QStringLiteral("colour"));
    QCOMPARE(requests.size(), std::size_t(1));
    QCOMPARE(requests[0].start, rgbColour(111, 49, 152));
    QCOMPARE(requests[0].customColours, ColourPalette::customColoursFor(rgbColour(111, 49, 152)));
    QCOMPARE(requests[0].full, false);
    QCOMPARE(palette.cellColour(26), rgbColour(1, 2, 3));
    QCOMPARE(palette.colour2(), rgbColour(1, 2, 3));
    QCOMPARE(palette.colour1(), Colour(0));
    QCOMPARE(grabOf(palette).pixel(32 + 16 * 13 + 7, 7), qRgb(1, 2, 3));
}

void TestColourPalette::cancelledChooserChangesNothing()
{
    ColourPalette palette;
    ScriptedDialogs dialogs;
    palette.setDialogs(&dialogs);
    palette.setColour1(0x00ABCDEF);
    QTest::mouseClick(&palette, Qt::LeftButton, {}, QPoint(40 + 16, 5));
    QTest::mouseDClick(&palette, Qt::LeftButton, {}, QPoint(40 + 16, 5));
    QCOMPARE(dialogs.of(QStringLiteral("colour")).size(), std::size_t(1));
    QCOMPARE(palette.cellColour(2), rgbColour(70, 70, 70));
    // The press before the double-click already chose the cell.
    QCOMPARE(palette.colour1(), rgbColour(70, 70, 70));

    // A double-click on the indicator box opens nothing.
    QTest::mouseClick(&palette, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(&palette, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(dialogs.of(QStringLiteral("colour")).size(), std::size_t(1));
}

void TestColourPalette::swapColours()
{
    ColourPalette palette;
    QSignalSpy colour1Changes(&palette, &ColourPalette::colour1Changed);
    QSignalSpy colour2Changes(&palette, &ColourPalette::colour2Changed);
    palette.swapColours();
    QCOMPARE(palette.colour1(), Colour(0x00FFFFFF));
    QCOMPARE(palette.colour2(), Colour(0));
    QCOMPARE(colour1Changes.count(), 1);
    QCOMPARE(colour2Changes.count(), 1);
    QCOMPARE(palette.property("Color1").toUInt(), 0x00FFFFFFu);
    QVERIFY(palette.accessibleDescription().contains(QStringLiteral("RGB(255, 255, 255)")));
}

void TestColourPalette::sizeSnapsBack()
{
    QWidget holder;
    ColourPalette palette(&holder);
    palette.resize(100, 50);
    QCOMPARE(palette.size(), QSize(256, 32));
    palette.setGeometry(0, 0, 400, 10);
    QCOMPARE(palette.size(), QSize(256, 32));
}

void TestColourPalette::paintsCellsAndSamples()
{
    ColourPalette palette;
    palette.setColour1(rgbColour(10, 20, 30));
    palette.setColour2(rgbColour(200, 100, 50));
    const QImage image = grabOf(palette);
    QCOMPARE(image.size(), QSize(256, 32));
    for (int i = 0; i < ColourPalette::CellCount; ++i) {
        const int x = 32 + 16 * (i / 2);
        const int y = 16 * (i % 2);
        QCOMPARE(image.pixel(x + 7, y + 7), toQRgb(palette.cellColour(i)));
        QCOMPARE(image.pixel(x + 2, y + 13), toQRgb(palette.cellColour(i)));
        // The raised cell frame: shadow at the top left, white at the right.
        QCOMPARE(image.pixel(x, y), toQRgb(ButtonShadow));
        QCOMPARE(image.pixel(x + 15, y + 8), qRgb(255, 255, 255));
    }
    // Color1's sample at (3, 4), Color2's overlapping it at (10, 11).
    QCOMPARE(image.pixel(7, 8), qRgb(10, 20, 30));
    QCOMPARE(image.pixel(20, 20), qRgb(200, 100, 50));
    QCOMPARE(image.pixel(0, 10), toQRgb(ButtonShadow));
}

KALVO_TEST(TestColourPalette)
#include "tst_colour_palette.moc"
