#include "core/large_image.h"
#include "testmain.h"

#include <QTest>

class TestLargeImage : public QObject
{
    Q_OBJECT

private slots:
    void behavesLikeAnImage_data();
    void behavesLikeAnImage();
    void refusesEmptySizes();
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

KALVO_TEST(TestLargeImage)
#include "tst_large_image.moc"
