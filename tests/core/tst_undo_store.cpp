#include "testmain.h"

#include "core/surface.h"
#include "core/tile_pool.h"
#include "core/undo_store.h"

#include <QSignalSpy>
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
    void restoreReportsWhatChanged();
    void canvasKeepsItsBuffer();
    void sharedTilesAfterEachStep_data();
    void sharedTilesAfterEachStep();
    void shortOfMemoryChangesNothing_data();
    void shortOfMemoryChangesNothing();
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
    QCOMPARE(store.before().toImage(), before);
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
    QVERIFY(store.before().isNull());
    QVERIFY(store.restoreBefore());
    QCOMPARE(canvas.size(), QSize(300, 200));
    QCOMPARE(canvas.getPixel(10, 10), Colour(0x00336699));

    store.takeBefore();
    store.takeAfter();
    store.clear();
    QVERIFY(store.before().isNull());
    QVERIFY(store.after().isNull());
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
    QCOMPARE(store.before().toImage(), expected);
    QCOMPARE(store.before().size(), QSize(200, 150));
}

void TestUndoStore::unchangedTilesAreShared()
{
    Surface canvas(400, 300, 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    canvas.setPixel(130, 5, 0x000000FF);
    store.takeAfter();

    const TiledPicture &before = store.before();
    const TiledPicture &after = store.after();
    QCOMPARE(after.columns(), 4);
    QCOMPARE(after.rows(), 3);
    // Only the tile drawn into is kept apart, by the picture taken before.
    for (int row = 0; row < after.rows(); ++row) {
        for (int column = 0; column < after.columns(); ++column) {
            const bool changed = column == 1 && row == 0;
            QCOMPARE(before.storedTile(column, row) != nullptr, changed);
            QVERIFY(after.storedTile(column, row) == nullptr);
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
    const TiledPicture &before = store.before();
    QVERIFY(before.storedTile(0, 0) == nullptr);
    QVERIFY(before.storedTile(2, 2) != nullptr);
    QVERIFY(store.after().storedTile(2, 2) == nullptr);
}

// Undo and Redo tell the views only of the tiles written back, so that a
// shrunk copy of a big picture redoes only those; a picture of another size
// changes everything.
void TestUndoStore::restoreReportsWhatChanged()
{
    Surface canvas(1000, 700, 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    drawMark(canvas, 300, 290, 10, 0x000000FF);
    store.takeAfter();
    QSignalSpy changes(&canvas, &Surface::imageChanged);
    QVERIFY(store.restoreBefore());
    QVERIFY(store.restoreAfter());
    QCOMPARE(changes.count(), 2);
    for (const QList<QVariant> &change : changes)
        QCOMPARE(change.at(0).toRect(), QRect(256, 256, 128, 128));
    QVERIFY(canvas.setSize(400, 300));
    changes.clear();
    QVERIFY(store.restoreBefore());
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toRect(), QRect(0, 0, 1000, 700));
}

void TestUndoStore::canvasKeepsItsBuffer()
{
    // A press, a 100 x 100 stroke and a release on a big picture: the stroke
    // keeps the four tiles it touched, and the canvas goes on drawing into
    // its own buffer.
    Surface canvas(8000, 6000, 0x00FFFFFF);
    UndoStore store(canvas);
    const uchar *buffer = canvas.image().constBits();
    store.takeBefore();
    drawMark(canvas, 1000, 700, 100, 0x000000FF);
    store.takeAfter();
    drawMark(canvas, 10, 10, 100, 0x0000FF00);
    QCOMPARE(canvas.image().constBits(), buffer);

    const TiledPicture &before = store.before();
    const TiledPicture &after = store.after();
    int before_ = 0;
    int after_ = 0;
    for (int row = 0; row < after.rows(); ++row) {
        for (int column = 0; column < after.columns(); ++column) {
            before_ += before.storedTile(column, row) != nullptr;
            after_ += after.storedTile(column, row) != nullptr;
        }
    }
    QCOMPARE(before_, 4 + 1);
    QCOMPARE(after_, 1);
}

namespace {

// The grid of a held pair, one character a tile, rows split by '/': '.' both
// read the canvas's own pixels, 'x' neither keeps a copy but one reads them
// through a mask, '=' both keep one shared copy, '2' each keeps its own, 'b'
// only the before-picture keeps one, 'a' only the after-picture.
QString sharing(const TiledPicture &before, const TiledPicture &after)
{
    QString grid;
    for (int row = 0; row < before.rows(); ++row) {
        if (row > 0)
            grid += u'/';
        for (int column = 0; column < before.columns(); ++column) {
            const uchar *b = before.storedTile(column, row);
            const uchar *a = after.storedTile(column, row);
            const bool masked = before.tileMask(column, row) || after.tileMask(column, row);
            grid += !b && !a ? (masked ? u'x' : u'.')
                    : b && a ? (a == b ? u'=' : u'2')
                    : b      ? u'b'
                             : u'a';
        }
    }
    return grid;
}

} // namespace

void TestUndoStore::sharedTilesAfterEachStep_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<bool>("live");
    QTest::addColumn<QSize>("canvasSize");

    const QSize start(384, 256);
    QTest::newRow("stroke") << "S"
                            << ".b./..." << true << start;
    QTest::newRow("stroke, undo") << "SU"
                                  << ".a./..." << true << start;
    QTest::newRow("stroke, undo, redo") << "SUR"
                                        << ".b./..." << true << start;
    QTest::newRow("two strokes") << "ST"
                                 << ".../..b" << true << start;
    QTest::newRow("stroke, filter") << "SF"
                                    << "=2=/===" << true << start;
    QTest::newRow("stroke, filter, undo") << "SFU"
                                          << "aaa/aaa" << true << start;
    QTest::newRow("stroke, fill") << "SL"
                                  << "=2=/===" << true << start;
    QTest::newRow("stroke, fill, undo") << "SLU"
                                        << "aaa/aaa" << true << start;
    QTest::newRow("stroke, invert") << "SI"
                                    << "xbx/xxx" << true << start;
    QTest::newRow("stroke, invert, undo") << "SIU"
                                          << ".a./..." << true << start;
    QTest::newRow("stroke, invert, redo") << "SIR"
                                          << ".b./..." << true << start;
    QTest::newRow("stroke, invert, stroke") << "SIS"
                                            << ".b./..." << true << start;
    QTest::newRow("stroke, invert twice") << "SII"
                                          << ".b./..." << true << start;
    QTest::newRow("stroke, resize") << "SZ"
                                    << ".b./..." << false << QSize(512, 200);
    QTest::newRow("stroke, resize, undo") << "SZU"
                                          << ".a./..." << true << start;
    QTest::newRow("stroke, open") << "SO"
                                  << ".b./..." << false << QSize(100, 80);
    QTest::newRow("stroke, open, undo") << "SOU"
                                        << ".a./..." << true << start;
    QTest::newRow("stroke, new") << "SN"
                                 << ".b./..." << false << start;
    QTest::newRow("stroke, new, redo") << "SNR"
                                       << ".b./..." << true << start;
    QTest::newRow("stroke, new, stroke") << "SNS"
                                         << ".b./..." << true << start;
}

void TestUndoStore::sharedTilesAfterEachStep()
{
    QFETCH(QString, steps);
    QFETCH(QString, grid);
    QFETCH(bool, live);
    QFETCH(QSize, canvasSize);

    Surface canvas(384, 256, 0x00FFFFFF);
    UndoStore store(canvas);
    drawMark(canvas, 0, 0, 384, 0x00102030);
    drawMark(canvas, 200, 100, 50, 0x00405060);
    store.takeBefore();
    store.takeAfter();
    QImage before;
    QImage after;
    for (const QChar step : std::as_const(steps)) {
        switch (step.toLatin1()) {
        case 'S':
        case 'T':
            store.takeBefore();
            before = canvas.image().copy();
            if (step == u'S')
                drawMark(canvas, 130, 5, 10, 0x000000FF);
            else
                drawMark(canvas, 300, 200, 10, 0x0000FF00);
            store.takeAfter();
            after = canvas.image().copy();
            break;
        case 'U':
            QVERIFY(store.restoreBefore());
            QCOMPARE(canvas.image(), before);
            break;
        case 'R':
            QVERIFY(store.restoreAfter());
            QCOMPARE(canvas.image(), after);
            break;
        case 'F':
            QVERIFY(canvas.editPixels([](QImage &pixels) {
                pixels.invertPixels();
                return true;
            }));
            break;
        case 'L':
            canvas.extFloodFill(QPointF(0, 0), 0x00102030, 0x00FFFF00);
            break;
        case 'I':
            QVERIFY(canvas.editPixels(
                [](QImage &pixels) {
                    pixels.invertPixels();
                    return true;
                },
                0x00FFFFFF));
            break;
        case 'Z':
            QVERIFY(canvas.setSize(512, 200));
            break;
        case 'O':
            QVERIFY(canvas.setPicture(QImage(100, 80, QImage::Format_RGB32)));
            drawMark(canvas, 0, 0, 100, 0x00777777);
            break;
        case 'N':
            // As the New command does it.
            canvas.clearPicture();
            QVERIFY(canvas.setSize(384, 256));
            canvas.setBackColour(0x00FFFF00);
            break;
        }
    }
    QCOMPARE(sharing(store.before(), store.after()), grid);
    QCOMPARE(store.before().isLive(), live);
    QCOMPARE(canvas.size(), canvasSize);
    // The pixels of both held pictures are the pictures taken.
    QCOMPARE(store.before().toImage(), before);
    QCOMPARE(store.after().toImage(), after);
    QVERIFY(store.restoreAfter());
    QCOMPARE(canvas.image(), after);
    QVERIFY(store.restoreBefore());
    QCOMPARE(canvas.image(), before);
}

void TestUndoStore::shortOfMemoryChangesNothing_data()
{
    QTest::addColumn<QChar>("step");
    QTest::addColumn<QSize>("size");
    // Few tiles are kept one by one, many on two threads.
    for (const QSize size : {QSize(640, 512), QSize(1280, 1024)}) {
        const QByteArray tiles = QByteArray::number(size.width() / 128 * size.height() / 128);
        QTest::newRow("undo, " + tiles + " tiles") << QChar('U') << size;
        QTest::newRow("filter, " + tiles + " tiles") << QChar('F') << size;
        QTest::newRow("stroke, " + tiles + " tiles") << QChar('S') << size;
    }
}

void TestUndoStore::shortOfMemoryChangesNothing()
{
    QFETCH(QChar, step);
    QFETCH(QSize, size);
    Surface canvas(size.width(), size.height(), 0x00FFFFFF);
    UndoStore store(canvas);
    store.takeBefore();
    drawMark(canvas, 10, 10, 300, 0x000000FF);
    store.takeAfter();
    const QImage before = store.before().toImage();
    const QImage after = store.after().toImage();
    const QImage shown = canvas.image().copy();

    // Room for a few tiles only.
    setTilePoolLimit(12);
    switch (step.toLatin1()) {
    case 'U':
        QVERIFY(!store.restoreBefore());
        break;
    case 'F':
        QVERIFY(!canvas.editPixels([](QImage &pixels) {
            pixels.invertPixels();
            return true;
        }));
        break;
    case 'S':
        drawMark(canvas, 0, 0, size.width(), 0x0000FF00);
        break;
    }
    setTilePoolLimit(0);
    QCOMPARE(canvas.image(), shown);
    QCOMPARE(store.before().toImage(), before);
    QCOMPARE(store.after().toImage(), after);
    QVERIFY(store.restoreBefore());
    QCOMPARE(canvas.image(), before);
}

KALVO_TEST(TestUndoStore)
#include "tst_undo_store.moc"
