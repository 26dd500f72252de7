#include "bitmap_builder.h"
#include "core/picture_file.h"
#include "testmain.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <unistd.h>

using namespace bitmap_builder;

Q_DECLARE_METATYPE(PictureError)

namespace {

const QList<QRgb> Four = {qRgb(10, 20, 30), qRgb(255, 0, 0), qRgb(0, 200, 0), qRgb(1, 2, 250)};

// Pixels of a 24-bit picture whose every pixel differs.
std::vector<std::vector<QRgb>> gradient(int width, int height)
{
    std::vector<std::vector<QRgb>> rows(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[y].push_back(qRgb(x * 13 % 256, y * 29 % 256, (x + y) * 7 % 256));
    return rows;
}

QByteArray valid24()
{
    return file({40, 20, 10, 24}, colourRows(gradient(20, 10), 3));
}

} // namespace

class TestPictureFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void loadsBitmaps_data();
    void loadsBitmaps();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void recognisesContentNotName();
    void savesAndLoadsBack_data();
    void savesAndLoadsBack();
    void savesUnderExactlyTheName();
    void reportsFailedSaves();

private:
    QString write(const QString &name, const QByteArray &bytes)
    {
        keepAsSeed(bytes);
        const QString path = m_dir.filePath(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return {};
        return path;
    }

    // With KALVO_SEED_FOLDER set (make fuzz), every file built here is also
    // kept there under its test row's name: the fuzzer's seed corpus.
    static void keepAsSeed(const QByteArray &bytes)
    {
        const QString folder = qEnvironmentVariable("KALVO_SEED_FOLDER");
        if (folder.isEmpty())
            return;
        QString name =
            QStringLiteral("%1-%2").arg(QString::fromLatin1(QTest::currentTestFunction()),
                                        QString::fromLatin1(QTest::currentDataTag()));
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
        QFile seed(QDir(folder).filePath(name));
        QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write(bytes) == bytes.size());
    }

    QTemporaryDir m_dir;
};

void TestPictureFile::loadsBitmaps_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QImage>("expected");

    const std::vector<std::vector<int>> bits = {{0, 1, 1, 0, 1, 0, 0, 1, 1},
                                                {1, 0, 0, 1, 0, 1, 1, 0, 0}};
    const QList<QRgb> mono = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    QTest::addRow("1 bit, odd width")
        << file({40, 9, 2, 1, 0, 0, {}, mono}, packedRows(bits, 1)) << indexedImage(bits, mono);

    const std::vector<std::vector<int>> nibbles = {{0, 1, 2}, {3, 2, 1}, {1, 1, 0}};
    QTest::addRow("4 bit, palette of 4")
        << file({40, 3, 3, 4, 0, 4, {}, Four}, packedRows(nibbles, 4))
        << indexedImage(nibbles, Four);

    const std::vector<std::vector<int>> bytes8 = {{3, 2, 1, 0, 3}, {0, 0, 1, 2, 2}};
    QTest::addRow("8 bit, odd width")
        << file({40, 5, 2, 8, 0, 4, {}, Four}, packedRows(bytes8, 8)) << indexedImage(bytes8, Four);
    QTest::addRow("8 bit, top-down")
        << file({40, 5, -2, 8, 0, 4, {}, Four}, packedRows(bytes8, 8, true))
        << indexedImage(bytes8, Four);
    QTest::addRow("8 bit, core header")
        << file({12, 5, 2, 8, 0, 0, {}, Four}, packedRows(bytes8, 8)) << indexedImage(bytes8, Four);

    const auto colours = gradient(7, 3);
    QTest::addRow("24 bit, padded rows")
        << file({40, 7, 3, 24}, colourRows(colours, 3)) << imageOf(colours);
    QTest::addRow("24 bit, top-down")
        << file({40, 7, -3, 24}, colourRows(colours, 3, true)) << imageOf(colours);
    QTest::addRow("24 bit, 1 x 1")
        << file({40, 1, 1, 24}, colourRows({{qRgb(9, 8, 7)}}, 3)) << imageOf({{qRgb(9, 8, 7)}});
    QTest::addRow("24 bit, V5 header")
        << file({124, 7, 3, 24}, colourRows(colours, 3)) << imageOf(colours);
    QTest::addRow("32 bit, alpha ignored")
        << file({40, 7, 3, 32}, colourRows(colours, 4)) << imageOf(colours);

    // 0x00RRGGBB stored as B G R A: swapping the masks swaps red and blue.
    QTest::addRow("32 bit, bit fields")
        << file({40, 1, 1, 32, 3, 0, {0x000000FF, 0x0000FF00, 0x00FF0000}}, bytes({10, 20, 30, 0}))
        << imageOf({{qRgb(10, 20, 30)}});

    // 555: 0x7C00 red, 0x001F blue, 0x0010 blue 16 of 31.
    QTest::addRow("16 bit 555") << file({40, 3, 1, 16},
                                        le16(0x7C00) + le16(0x001F) + le16(0x0010) + le16(0))
                                << imageOf({{qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 0, 132)}});
    // 565: green has 6 bits; 32 of 63 is 129.5 -> 130.
    const QByteArray pixels565 = le16(0xF800) + le16(0x07E0) + le16(0x0400) + le16(0x0020);
    const QImage image565 =
        imageOf({{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 130, 0), qRgb(0, 4, 0)}});
    QTest::addRow("16 bit 565 bit fields")
        << file({40, 4, 1, 16, 3, 0, {0xF800, 0x07E0, 0x001F}}, pixels565) << image565;
    QTest::addRow("16 bit 565, V4 header")
        << file({108, 4, 1, 16, 3, 0, {0xF800, 0x07E0, 0x001F}}, pixels565) << image565;

    // Bottom row: run of 3, early end of line; middle: absolute run; top:
    // delta of 2, run of 2, end of bitmap.
    QTest::addRow("RLE8 delta and end of line")
        << file({40, 4, 3, 8, 1, 4, {}, Four},
                bytes({3, 1, 0, 0, 0, 4, 2, 3, 2, 3, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1}))
        << indexedImage({{0, 0, 3, 3}, {2, 3, 2, 3}, {1, 1, 1, 0}}, Four);
    QTest::addRow("RLE8 odd absolute run")
        << file({40, 3, 1, 8, 1, 4, {}, Four}, bytes({0, 3, 1, 2, 3, 0, 0, 1}))
        << indexedImage({{1, 2, 3}}, Four);
    QTest::addRow("RLE4 runs and absolute")
        << file({40, 5, 2, 4, 2, 4, {}, Four}, bytes({5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1}))
        << indexedImage({{3, 1, 2, 0, 0}, {1, 2, 1, 2, 1}}, Four);
    // Five pixels take three bytes, padded to four.
    QTest::addRow("RLE4 odd absolute run")
        << file({40, 6, 1, 4, 2, 4, {}, Four}, bytes({0, 5, 0x12, 0x31, 0x20, 0, 1, 0x30, 0, 1}))
        << indexedImage({{1, 2, 3, 1, 2, 3}}, Four);
    QTest::addRow("RLE4 delta across rows")
        << file({40, 5, 2, 4, 2, 4, {}, Four}, bytes({2, 0x11, 0, 2, 1, 1, 2, 0x22, 0, 1}))
        << indexedImage({{0, 0, 0, 2, 2}, {1, 1, 0, 0, 0}}, Four);
}

void TestPictureFile::loadsBitmaps()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QImage, expected);
    const LoadedPicture loaded = loadPicture(write(QStringLiteral("good.bmp"), bytes));
    QCOMPARE(loaded.error, PictureError::None);
    QCOMPARE(loaded.image.format(), QImage::Format_RGB32);
    QCOMPARE(loaded.image, expected);
}

void TestPictureFile::refusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<PictureError>("error");

    const QByteArray good = valid24();
    for (int cut : {2, 10, 17, 30, 54, 100, int(good.size()) - 1})
        QTest::addRow("cut at %d", cut) << good.left(cut) << PictureError::Truncated;
    QTest::addRow("zero bytes") << QByteArray() << PictureError::Truncated;
    QTest::addRow("text") << QByteArray("hello, this is not a picture") << PictureError::NotPicture;
    QTest::addRow("unknown header size")
        << (good.left(14) + le32(64) + good.mid(18)) << PictureError::NotPicture;
    QTest::addRow("100000 x 100000")
        << file({40, 100000, 100000, 24}, QByteArray(64, '\0')) << PictureError::TooLarge;
    QTest::addRow("width 0") << file({40, 0, 1, 24}, QByteArray(4, '\0')) << PictureError::Damaged;
    QTest::addRow("7 bits per pixel")
        << file({40, 1, 1, 7}, QByteArray(4, '\0')) << PictureError::Damaged;

    QByteArray pastEnd = good;
    pastEnd.replace(10, 4, le32(static_cast<quint32>(good.size() + 10)));
    QTest::addRow("pixel offset past the end") << pastEnd << PictureError::Truncated;
    QByteArray intoHeader = good;
    intoHeader.replace(10, 4, le32(20));
    QTest::addRow("pixel offset inside the header") << intoHeader << PictureError::Damaged;

    QTest::addRow("palette index out of range")
        << file({40, 2, 1, 8, 0, 2, {}, Four.mid(0, 2)}, bytes({1, 5, 0, 0}))
        << PictureError::Damaged;
    QTest::addRow("RLE index out of range")
        << file({40, 2, 1, 8, 1, 2, {}, Four.mid(0, 2)}, bytes({2, 3, 0, 1}))
        << PictureError::Damaged;
    QTest::addRow("RLE stream cut short")
        << file({40, 4, 2, 8, 1, 4, {}, Four}, bytes({4, 1, 0, 0, 2})) << PictureError::Truncated;
    QTest::addRow("RLE run past the row")
        << file({40, 4, 1, 8, 1, 4, {}, Four}, bytes({5, 1, 0, 1})) << PictureError::Damaged;
    QTest::addRow("RLE absolute run past the row")
        << file({40, 2, 1, 8, 1, 4, {}, Four}, bytes({0, 3, 1, 1, 1, 0, 0, 1}))
        << PictureError::Damaged;
    QTest::addRow("RLE delta past the last row")
        << file({40, 4, 2, 8, 1, 4, {}, Four}, bytes({0, 2, 0, 5, 1, 1, 0, 1}))
        << PictureError::Damaged;
    QTest::addRow("RLE top-down") << file({40, 1, -1, 8, 1, 4, {}, Four}, bytes({1, 1, 0, 1}))
                                  << PictureError::Damaged;
    QTest::addRow("bit fields of 24 bits")
        << file({40, 1, 1, 24, 3, 0, {0xFF, 0xFF00, 0xFF0000}}, QByteArray(4, '\0'))
        << PictureError::Damaged;
    QTest::addRow("broken mask") << file({40, 1, 1, 16, 3, 0, {0x5, 0x7E0, 0x1F}}, le32(0))
                                 << PictureError::Damaged;
    QTest::addRow("embedded JPEG")
        << file({40, 1, 1, 24, 4}, QByteArray(4, '\0')) << PictureError::NotPicture;

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(30, 20, QImage::Format_RGB32).save(&buffer, "PNG");
    QTest::addRow("PNG cut short") << png.left(png.size() / 2) << PictureError::Damaged;
}

void TestPictureFile::refusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(PictureError, error);
    const LoadedPicture loaded = loadPicture(write(QStringLiteral("bad.bmp"), bytes));
    QCOMPARE(loaded.error, error);
    QVERIFY(loaded.image.isNull());
}

void TestPictureFile::recognisesContentNotName()
{
    QImage picture(5, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, qRgb(x * 50, y * 60, 7));
    const QString png = m_dir.filePath(QStringLiteral("really_png.bmp"));
    QVERIFY(picture.save(png, "PNG"));
    LoadedPicture loaded = loadPicture(png);
    QCOMPARE(loaded.error, PictureError::None);
    QCOMPARE(loaded.image, picture);

    const QString bmp = write(QStringLiteral("really_bmp.png"), valid24());
    loaded = loadPicture(bmp);
    QCOMPARE(loaded.error, PictureError::None);
    QCOMPARE(loaded.image, imageOf(gradient(20, 10)));

    QCOMPARE(loadPicture(m_dir.filePath(QStringLiteral("missing.bmp"))).error,
             PictureError::CannotRead);
    QCOMPARE(loadPicture(m_dir.path()).error, PictureError::CannotRead);
    // Neither waits: a pipe with no writer, a device that never ends.
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.bmp"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QCOMPARE(loadPicture(pipe).error, PictureError::CannotRead);
    QCOMPARE(loadPicture(QStringLiteral("/dev/zero")).error, PictureError::CannotRead);
}

void TestPictureFile::savesAndLoadsBack_data()
{
    QTest::addColumn<QImage>("image");
    QTest::newRow("1 x 1") << imageOf({{qRgb(1, 2, 3)}});
    QTest::newRow("odd width") << imageOf(gradient(7, 5));
    QTest::newRow("width of 4") << imageOf(gradient(4, 3));
    const auto large = [](int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = qRgb(x % 256, y % 256, (x * y) % 251);
        }
        return image;
    };
    // Big enough to be decoded into memory of its own.
    QTest::newRow("large") << large(2101, 1100);
    // Big enough to be read on two threads, with an odd number of rows.
    QTest::newRow("read in halves") << large(2600, 2201);
}

void TestPictureFile::savesAndLoadsBack()
{
    QFETCH(QImage, image);
    const QString path = m_dir.filePath(QStringLiteral("round.bmp"));
    QCOMPARE(savePicture(image, path), PictureError::None);

    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray content = saved.readAll();
    const int rowBytes = (image.width() * 3 + 3) / 4 * 4;
    QCOMPARE(content.size(), 54 + rowBytes * image.height());
    QVERIFY(content.startsWith("BM"));
    QCOMPARE(content.mid(14, 4), le32(40));
    QCOMPARE(content.mid(28, 2), le16(24));
    QCOMPARE(content.mid(30, 4), le32(0));
    // Bottom row first.
    const QRgb bottomLeft = image.pixel(0, image.height() - 1);
    QCOMPARE(content.mid(54, 3), bytes({qBlue(bottomLeft), qGreen(bottomLeft), qRed(bottomLeft)}));

    const LoadedPicture loaded = loadPicture(path);
    QCOMPARE(loaded.error, PictureError::None);
    QCOMPARE(loaded.image, image);
}

void TestPictureFile::savesUnderExactlyTheName()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older file in the way");
    old.close();

    const QImage image = imageOf(gradient(3, 2));
    QCOMPARE(savePicture(image, path), PictureError::None);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("picture")});
    QCOMPARE(loadPicture(path).image, image);
}

void TestPictureFile::reportsFailedSaves()
{
    const QImage image = imageOf(gradient(3, 2));
    const QString noFolder = m_dir.filePath(QStringLiteral("no/such/folder/a.bmp"));
    QCOMPARE(savePicture(image, noFolder), PictureError::NoFolder);
    QVERIFY(!QFile::exists(noFolder));

    // A folder where the file should be: the save fails, the folder stays.
    const QString folder = m_dir.filePath(QStringLiteral("taken.bmp"));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("taken.bmp")));
    QCOMPARE(savePicture(image, folder), PictureError::CannotWrite);
    QVERIFY(QFileInfo(folder).isDir());

    if (geteuid() == 0)
        QSKIP("file permissions do not bind the superuser");
    const QString locked = m_dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("locked")));
    const QString target = locked + QStringLiteral("/old.bmp");
    QCOMPARE(savePicture(image, target), PictureError::None);
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    QCOMPARE(savePicture(imageOf(gradient(5, 5)), target), PictureError::NoPermission);
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(loadPicture(target).image, image);
}

KALVO_TEST(TestPictureFile)
#include "tst_picture_file.moc"
