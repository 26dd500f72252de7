#include "testmain.h"

#include "core/surface.h"
#include "filters/image_tools.h"
#include "filters/picture_mask.h"
#include "scripted_dialogs.h"
#include "test_pictures.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr Colour Red = 0x000000FF;
constexpr QRgb Green = 0xFF00C800;

// Every ring drawn one by one, as the frame is defined.
void everyRing(Surface &surface, int first, int last)
{
    for (int i = first; i <= last; ++i)
        surface.line(QPointF(i - 1, i - 1), QPointF(surface.width() - i, surface.height() - i), Red,
                     Surface::LineForm::Box);
}

} // namespace

class TestImageTools : public QObject
{
    Q_OBJECT

private slots:
    void flipMovesEveryPixel_data();
    void flipMovesEveryPixel();
    void borderEqualsEveryRing_data();
    void borderEqualsEveryRing();
    void maskCoversAllButMagenta_data();
    void maskCoversAllButMagenta();
};

void TestImageTools::flipMovesEveryPixel_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("onScreen");
    for (const QSize size : {QSize(1, 1), QSize(1, 6), QSize(7, 1), QSize(3, 2), QSize(37, 10)}) {
        for (int mode : {0, 1, 2, 9})
            QTest::addRow("%dx%d mode %d", size.width(), size.height(), mode)
                << size << mode << false;
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
            QCOMPARE(after.pixel(x, y), before.pixel(mirrorX ? size.width() - 1 - x : x,
                                                     mirrorY ? size.height() - 1 - y : y));
        }
    }
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
    auto fresh = [&](QSize size) {
        auto surface = std::make_unique<Surface>();
        surface->setPicture(numberedPicture(size.width(), size.height()));
        surface->setDrawWidth(pen);
        surface->setDrawStyle(style);
        return surface;
    };
    // Taller pictures too: thin pens walk a few rows of every ring at a time.
    for (const QSize size :
         {QSize(1, 1), QSize(1, 5), QSize(6, 1), QSize(2, 2), QSize(7, 4), QSize(10, 10),
          QSize(13, 9), QSize(4, 23), QSize(31, 24), QSize(9, 70), QSize(40, 33)}) {
        const int longer = std::max(size.width(), size.height());
        // Past this every ring lies wholly outside, whatever the pen.
        const int outside = longer + Surface::MaxDrawWidth;
        const auto rings = fresh(size);
        int drawn = -1;
        for (int width : {-1, 0, 1, 2, 3, 4, 5, 6, 8, 11, 15, longer, longer + 6, 2000000}) {
            everyRing(*rings, drawn + 1, std::min(width, outside));
            drawn = std::max(drawn, std::min(width, outside));
            const auto border = fresh(size);
            QVERIFY(DrawBorder(*border, width, Red));
            QVERIFY2(border->image() == rings->image(), qPrintable(QStringLiteral("%1x%2, width %3")
                                                                       .arg(size.width())
                                                                       .arg(size.height())
                                                                       .arg(width)));
        }
    }
}

void TestImageTools::maskCoversAllButMagenta_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRect>("hole");
    QTest::addColumn<int>("fewestKept");
    QTest::addColumn<int>("mostKept");
    QTest::newRow("no hole") << "mask.bmp" << QRect() << 0 << 0;
    // Stretched 4 times wide and twice high; its blended edges cover too.
    QTest::newRow("hole") << "mask.bmp" << QRect(30, 30, 40, 40) << 156 * 78 << 160 * 80;
    QTest::newRow("all hole") << "mask.bmp" << QRect(0, 0, 100, 100) << 80000 << 80000;
    QTest::newRow("empty path") << "" << QRect() << 80000 << 80000;
}

void TestImageTools::maskCoversAllButMagenta()
{
    QFETCH(QString, file);
    QFETCH(QRect, hole);
    QFETCH(int, fewestKept);
    QFETCH(int, mostKept);
    QTemporaryDir folder;
    QImage mask(100, 100, QImage::Format_RGB32);
    mask.fill(Green);
    QPainter(&mask).fillRect(hole, QColor::fromRgb(toQRgb(MaskKey)));
    QVERIFY(mask.save(folder.filePath("mask.bmp"), "BMP"));
    const QImage before = numberedPicture(400, 200);
    Surface canvas, holder(1, 1, MaskKey);
    canvas.setPicture(before);
    ScriptedDialogs dialogs;
    ApplyMask({canvas, holder}, file.isEmpty() ? file : folder.filePath(file), dialogs, nullptr);
    const QImage after = canvas.image();
    int kept = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 400; ++x) {
            const bool same = after.pixel(x, y) == before.pixel(x, y);
            kept += same;
            QVERIFY(same || hole.isValid() || after.pixel(x, y) == Green);
        }
    }
    QVERIFY2(kept >= fewestKept && kept <= mostKept, qPrintable(QString::number(kept)));
    QVERIFY(dialogs.requests.empty());
    QVERIFY(!holder.hasPicture());
}

KALVO_TEST(TestImageTools)
#include "tst_image_tools.moc"
