#include "testmain.h"

#include "core/surface.h"
#include "core/undo_store.h"

#include <QTest>

namespace {

void drawMark(Surface &canvas, int x, int y, int size, Colour colour)
{
    canvas.line(QPointF(x, y), QPointF(x + size - 1, y + size - 1), colour,
                Surface::LineForm::FilledBox);
}

} // namespace

class TestUndoStore : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void restoreTakesTheHeldSize();
    void emptyHolderClearsAndKeepsSize();
    void snapshotIndependentOfLaterDrawing();
    void unchangedTilesAreShared();
    void restoreLeavesNothingToCopy();
    void canvasKeepsItsBuffer();
};

void TestUndoStore::roundTrip_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("smaller than a tile") << QSize(100, 60);
    QTest::newRow("partial edge tiles") << QSize(300, 129);
    QTest::newRow("exact tiles") << QSize(256, 256);
}

void TestUndoStore::roundTrip()
{
    QFETCH(QSize, size);
    Surface canvas(size.width(), size.height(), 0x00FFFFFF);
    UndoStore store(canvas);
    drawMark(canvas, 0, 0, 3, 0x000000FF);

    store.takeBefore();
    const QImage before = canvas.image();
    drawMark(canvas, size.width() / 2, size.height() / 2, 140, 0x0000FF00);
    drawMark(canvas, size.width() - 1, size.height() - 1, 1, 0x00FF0000);
    store.takeAfter();
    const QImage after = canvas.image();
    QVERIFY(before != after || size == QSize(1, 1));

    drawMark(canvas, 0, 0, 500, 0x00123456);
    QVERIFY(store.restoreBefore());
    QCOMPARE(canvas.image(), before);
    QVERIFY(store.restoreAfter());
    QCOMPARE(canvas.image(), after);
    QVERIFY(store.restoreBefore());
    QVERIFY(store.restoreBefore());
    QCOMPARE(canvas.image(), before);

    // A press right after an undo takes the restored picture as it is.
    store.takeBefore();
    QCOMPARE(store.masktemp().toImage(), before);
}

void TestUndoStore::restoreTakesTheHeldSize()
{
    Surface canvas(760, 568, 0x00FFFFFF);
    UndoStore store(canvas);
    drawMark(canvas, 700, 500, 20, 0x000000FF);
    store.takeBefore();
    const QImage before = canvas.image();
    store.takeAfter();

    QVERIFY(canvas.setSize(200, 200));
    drawMark(canvas, 10, 10, 5, 0x0000FF00);
    QVERIFY(store.restoreBefore());
    QCOMPARE(canvas.size(), QSize(760, 568));
    QCOMPARE(canvas.image(), before);

    // And a smaller snapshot back onto the bigger canvas.
    QVERIFY(canvas.setSize(50, 40));
    store.takeBefore();
    const QImage small = canvas.image();
    QVERIFY(canvas.setSize(900, 900));
    QVERIFY(store.restoreBefore());
    QCOMPARE(canvas.image(), small);
    QVERIFY(store.restoreAfter());
    QCOMPARE(canvas.image(), before);
}

void TestUndoStore::emptyHolderClearsAndKeepsSize()
{
    Surface canvas(300, 200, 0x00336699);
    UndoStore store(canvas);
    drawMark(canvas, 5, 5, 50, 0x000000FF);
    QVERIFY(store.masktemp().isNull());
    QVERIFY(store.restoreBefore());
    QCOMPARE(canvas.size(), QSize(300, 200));
    QCOMPARE(canvas.getPixel(10, 10), Colour(0x00336699));

    store.takeBefore();
    store.takeAfter();
    store.clear();
    QVERIFY(store.masktemp().isNull());
    QVERIFY(store.PM().isNull());
    drawMark(canvas, 5, 5, 50, 0x000000FF);
    QVERIFY(store.restoreAfter());
    QCOMPARE(canvas.size(), QSize(300, 200));
    QCOMPARE(canvas.getPixel(10, 10), Colour(0x00336699));
}

void TestUndoStore::snapshotIndependentOfLaterDrawing()
{
    Surface canvas(200, 150, 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    const QImage expected = canvas.image().copy();
    drawMark(canvas, 0, 0, 200, 0x00000000);
    canvas.setPixel(199, 149, 0x0000FF00);
    QCOMPARE(store.masktemp().toImage(), expected);
    QCOMPARE(store.masktemp().size(), QSize(200, 150));
}

void TestUndoStore::unchangedTilesAreShared()
{
    Surface canvas(400, 300, 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    canvas.setPixel(130, 5, 0x000000FF);
    store.takeAfter();

    const TiledPicture &before = store.masktemp();
    const TiledPicture &after = store.PM();
    QCOMPARE(after.columns(), 4);
    QCOMPARE(after.rows(), 3);
    for (int row = 0; row < after.rows(); ++row) {
        for (int column = 0; column < after.columns(); ++column) {
            const bool changed = column == 1 && row == 0;
            const bool shared =
                before.tile(column, row).constBits() == after.tile(column, row).constBits();
            QCOMPARE(shared, !changed);
        }
    }
    QCOMPARE(after.tile(1, 0).pixel(2, 5), qRgb(255, 0, 0));
    QCOMPARE(before.tile(1, 0).pixel(2, 5), qRgb(255, 255, 255));
}

void TestUndoStore::restoreLeavesNothingToCopy()
{
    Surface canvas(300, 300, 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    drawMark(canvas, 0, 0, 300, 0x000000FF);
    store.takeAfter();
    QVERIFY(store.restoreBefore());
    store.takeBefore();
    canvas.setPixel(299, 299, 0);
    store.takeAfter();
    // Only the last tile was drawn into since the undo.
    const TiledPicture &before = store.masktemp();
    const TiledPicture &after = store.PM();
    QCOMPARE(before.tile(0, 0).constBits(), after.tile(0, 0).constBits());
    QVERIFY(before.tile(2, 2).constBits() != after.tile(2, 2).constBits());
}

void TestUndoStore::canvasKeepsItsBuffer()
{
    // A press, a 100 x 100 stroke and a release on a big picture: the release
    // copies only the four tiles the stroke touched, and the canvas goes on
    // drawing into its own buffer.
    Surface canvas(8000, 6000, 0x00FFFFFF);
    UndoStore store(canvas);
    const uchar *buffer = canvas.image().constBits();
    store.takeBefore();
    drawMark(canvas, 1000, 700, 100, 0x000000FF);
    store.takeAfter();
    drawMark(canvas, 10, 10, 100, 0x0000FF00);
    QCOMPARE(canvas.image().constBits(), buffer);

    const TiledPicture &before = store.masktemp();
    const TiledPicture &after = store.PM();
    int copied = 0;
    for (int row = 0; row < after.rows(); ++row) {
        for (int column = 0; column < after.columns(); ++column)
            copied += before.tile(column, row).constBits() != after.tile(column, row).constBits();
    }
    QCOMPARE(copied, 4);
}

KALVO_TEST(TestUndoStore)
#include "tst_undo_store.moc"
