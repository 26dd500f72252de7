#include "core/large_image.h"
#include "core/tile_pool.h"
#include "test_pictures.h"
#include "testmain.h"

#include <QTest>

class TestLargeImage : public QObject
{
    Q_OBJECT

private slots:
    void behavesLikeAnImage_data();
    void behavesLikeAnImage();
    void refusesEmptySizes();
    void pooledCopies_data();
    void pooledCopies();
    void pooledPiecesComeBack();
};

void TestLargeImage::behavesLikeAnImage_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("small") << QSize(10, 3);
    QTest::newRow("large") << QSize(2048, 1100);
}

void TestLargeImage::behavesLikeAnImage()
{
    QFETCH(QSize, size);
    QImage image = newLargeImage(size.width(), size.height());
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(size.width() - 1, size.height() - 1, qRgb(9, 9, 9));
    // Copies share until written, then part.
    QImage copy = image;
    copy.setPixel(0, 0, qRgb(7, 7, 7));
    QCOMPARE(image.pixel(0, 0), qRgb(1, 2, 3));
    QCOMPARE(copy.pixel(size.width() - 1, size.height() - 1), qRgb(9, 9, 9));
    image = QImage();
    QCOMPARE(copy.pixel(1, 1), qRgb(1, 2, 3));
}

void TestLargeImage::refusesEmptySizes()
{
    QVERIFY(newLargeImage(0, 5).isNull());
    QVERIFY(newLargeImage(5, -1).isNull());
}

void TestLargeImage::pooledCopies_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("whole tile") << QRect(128, 0, 128, 128) << QRect(128, 0, 128, 128);
    QTest::newRow("edge tile") << QRect(256, 128, 128, 128) << QRect(256, 128, 44, 72);
    QTest::newRow("outside") << QRect(400, 0, 10, 10) << QRect();
    QTest::newRow("too large") << QRect(0, 0, 300, 200) << QRect();
}

void TestLargeImage::pooledCopies()
{
    QFETCH(QRect, area);
    QFETCH(QRect, expected);
    const QImage image = numberedPicture(300, 200);
    const QImage tile = pooledCopy(image, area);
    QCOMPARE(tile.isNull(), expected.isNull());
    if (!expected.isNull())
        QCOMPARE(tile, image.copy(expected));
}

void TestLargeImage::pooledPiecesComeBack()
{
    // More tiles than one block holds, released and taken again in a
    // different order: every tile keeps its own pixels.
    QImage source(128, 128, QImage::Format_RGB32);
    std::vector<QImage> tiles;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 200; ++i) {
            source.fill(qRgb(i % 256, round, 7));
            tiles.push_back(pooledCopy(source, source.rect()));
        }
        for (std::size_t i = 0; i < tiles.size(); i += 2)
            tiles[i] = QImage();
    }
    for (const QImage &tile : tiles) {
        if (!tile.isNull())
            QCOMPARE(qBlue(tile.pixel(127, 127)), 7);
    }
    for (std::size_t i = tiles.size() - 199; i < tiles.size(); i += 2) {
        QCOMPARE(qRed(tiles[i].pixel(5, 5)), static_cast<int>(i % 200) % 256);
        QCOMPARE(qGreen(tiles[i].pixel(5, 5)), 2);
    }
}

KALVO_TEST(TestLargeImage)
#include "tst_large_image.moc"
