#include "testmain.h"

#include "core/surface.h"
#include "filters/image_tools.h"
#include "filters/picture_mask.h"
#include "test_pictures.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr Colour Red = 0x000000FF;

// Every ring drawn one by one, as the frame is defined.
void everyRing(Surface &surface, int first, int last, Colour colour)
{
    for (int i = first; i <= last; ++i)
        surface.line(QPointF(i - 1, i - 1), QPointF(surface.width() - i, surface.height() - i),
                     colour, Surface::LineForm::Box);
}

} // namespace

class TestImageTools : public QObject
{
    Q_OBJECT

private slots:
    void flipMovesEveryPixel_data();
    void flipMovesEveryPixel();
    void borderCountsPixels_data();
    void borderCountsPixels();
    void borderEqualsEveryRing_data();
    void borderEqualsEveryRing();
    void maskKeysOutMagenta_data();
    void maskKeysOutMagenta();
};

void TestImageTools::flipMovesEveryPixel_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("onScreen");
    const QSize sizes[] = {{1, 1}, {1, 6}, {7, 1}, {3, 2}, {13, 7}, {16, 8}, {37, 10}};
    for (const QSize size : sizes) {
        for (int mode : {0, 1, 2, 9}) {
            QTest::addRow("%dx%d mode %d", size.width(), size.height(), mode)
                << size << mode << false;
        }
    }
    QTest::newRow("screen only") << QSize(13, 7) << 2 << true;
}

void TestImageTools::flipMovesEveryPixel()
{
    QFETCH(QSize, size);
    QFETCH(int, mode);
    QFETCH(bool, onScreen);
    const QImage before = numberedPicture(size.width(), size.height());
    Surface surface;
    surface.setPicture(before);
    surface.setAutoRedraw(!onScreen);
    QVERIFY(FlipImage(surface, mode));
    // A flip drawn on the screen only is wiped by the refresh that ends it.
    const bool mirrorX = !onScreen && mode != 1;
    const bool mirrorY = !onScreen && mode != 0;
    const QImage after = surface.grabLayer(surface.rect());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int fromX = mirrorX ? size.width() - 1 - x : x;
            const int fromY = mirrorY ? size.height() - 1 - y : y;
            QCOMPARE(after.pixel(x, y), before.pixel(fromX, fromY));
        }
    }
}

void TestImageTools::borderCountsPixels_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("coloured");
    QTest::newRow("negative") << -2 << 0;
    QTest::newRow("ring 0 only") << 0 << 0;
    QTest::newRow("default") << 1 << 36;
    QTest::newRow("three") << 3 << 100 - 16;
    QTest::newRow("to the centre") << 5 << 100;
    QTest::newRow("millions") << 3000000 << 100;
}

void TestImageTools::borderCountsPixels()
{
    QFETCH(int, width);
    QFETCH(int, coloured);
    Surface surface(10, 10);
    QVERIFY(DrawBorder(surface, width, Red));
    const QImage image = surface.image();
    int count = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const int depth = std::min({x, y, 9 - x, 9 - y});
            const Colour expected = depth < width ? Red : 0x00FFFFFF;
            QCOMPARE(fromQRgb(image.pixel(x, y)), expected);
            count += expected == Red;
        }
    }
    QCOMPARE(count, coloured);
}

void TestImageTools::borderEqualsEveryRing_data()
{
    QTest::addColumn<int>("pen");
    QTest::addColumn<int>("style");
    for (int style = 0; style <= 4; ++style)
        QTest::addRow("thin style %d", style) << 1 << style;
    for (int pen : {2, 3, 4, 7, 10})
        QTest::addRow("pen %d", pen) << pen << 1;
}

void TestImageTools::borderEqualsEveryRing()
{
    QFETCH(int, pen);
    QFETCH(int, style);
    const QSize sizes[] = {{1, 1}, {1, 5}, {6, 1}, {2, 2}, {7, 4}, {10, 10}, {13, 9}, {4, 23}};
    for (const QSize size : sizes) {
        const int longer = std::max(size.width(), size.height());
        // Past this every ring lies wholly outside, whatever the pen.
        const int outside = longer + Surface::MaxDrawWidth;
        Surface rings;
        rings.setPicture(numberedPicture(size.width(), size.height()));
        rings.setDrawWidth(pen);
        rings.setDrawStyle(style);
        int drawn = -1;
        for (int width : {-1, 0, 1, 2, 3, 4, 5, 6, 8, 11, longer, longer + 6, outside, 2000000}) {
            everyRing(rings, drawn + 1, std::min(width, outside), Red);
            drawn = std::max(drawn, std::min(width, outside));
            Surface border;
            border.setPicture(numberedPicture(size.width(), size.height()));
            border.setDrawWidth(pen);
            border.setDrawStyle(style);
            QVERIFY(DrawBorder(border, width, Red));
            if (border.image() != rings.image())
                QFAIL(qPrintable(QStringLiteral("%1x%2, width %3")
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(width)));
        }
    }
}

void TestImageTools::maskKeysOutMagenta_data()
{
    QTest::addColumn<QRect>("hole");
    QTest::newRow("no hole") << QRect();
    QTest::newRow("square in the middle") << QRect(30, 30, 40, 40);
    QTest::newRow("all hole") << QRect(0, 0, 100, 100);
}

void TestImageTools::maskKeysOutMagenta()
{
    QFETCH(QRect, hole);
    QImage mask(100, 100, QImage::Format_RGB32);
    mask.fill(qRgb(0, 128, 0));
    for (int y = hole.top(); y <= hole.bottom(); ++y) {
        for (int x = hole.left(); x <= hole.right(); ++x)
            mask.setPixel(x, y, toQRgb(MaskKey));
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("mask.bmp"));
    QCOMPARE(savePicture(mask, path), PictureError::None);

    const QImage before = numberedPicture(400, 200);
    Surface canvas, holder(1, 1, MaskKey), scratch(3, 3, MaskKey);
    canvas.setPicture(before);
    QCOMPARE(LoadMask(holder, path), PictureError::None);
    QVERIFY(LayMask(canvas, scratch, holder, Surface::StretchMode::Halftone));
    // The hole, stretched 4 times wide and twice high, shows the old picture;
    // the mask's edges blend into it and cover the canvas.
    const QRect seen(hole.left() * 4 + 2, hole.top() * 2 + 1, hole.width() * 4 - 4,
                     hole.height() * 2 - 2);
    const QImage after = canvas.image();
    for (int y = 0; y < 200; y += 3) {
        for (int x = 0; x < 400; x += 3) {
            if (hole.isValid() && seen.contains(x, y))
                QCOMPARE(after.pixel(x, y), before.pixel(x, y));
            else if (!hole.isValid() || !hole.adjusted(-1, -1, 1, 1).contains(x / 4, y / 2))
                QCOMPARE(after.pixel(x, y), qRgb(0, 128, 0));
        }
    }
    QCOMPARE(scratch.size(), canvas.size());
    QVERIFY(!holder.hasPicture() && !scratch.hasPicture());
}

KALVO_TEST(TestImageTools)
#include "tst_image_tools.moc"
