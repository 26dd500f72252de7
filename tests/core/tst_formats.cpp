#include "testmain.h"

#include "core/formats.h"
#include "test_pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The largest difference of one channel between two pictures of one size.
int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// Files written while it lives may not grow past limit bytes; a write beyond
// fails as on a full disk, without the signal that would end the test.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_old;
        lower.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void dialogTypesComeFromTheTable();
    void savedFormatFollowsTheSaveList();
    void everyWrittenFormatReadsBack_data();
    void everyWrittenFormatReadsBack();
    void extensionRule_data();
    void extensionRule();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
};

void TestFormats::dialogTypesComeFromTheTable()
{
    QCOMPARE(
        openDialogTypes(),
        QStringLiteral("位图文件(*.bmp)|*.bmp|"
                       "所有图片(*.bmp *.png *.jpg *.jpeg *.gif)|*.bmp;*.png;*.jpg;*.jpeg;*.gif|"));
    QCOMPARE(saveDialogTypes(), QStringLiteral("位图文件(*.bmp)|*.bmp|PNG 图像(*.png)|*.png|"
                                               "JPEG 图像(*.jpg *.jpeg)|*.jpg;*.jpeg|"));
    // Every format is listed among all pictures, and every writer in Save.
    for (const PictureFormat &format : pictureFormats()) {
        for (const QString &extension : format.extensions)
            QVERIFY(openDialogTypes().contains(QStringLiteral("*.") + extension));
        QCOMPARE(saveDialogTypes().contains(format.caption), format.write != nullptr);
    }
}

void TestFormats::savedFormatFollowsTheSaveList()
{
    QCOMPARE(&savedFormat(0), &bitmapFormat());
    QCOMPARE(savedFormat(1).caption, QStringLiteral("PNG 图像"));
    QCOMPARE(savedFormat(2).caption, QStringLiteral("JPEG 图像"));
    QCOMPARE(&savedFormat(3), &bitmapFormat());
    QCOMPARE(&savedFormat(-1), &bitmapFormat());
}

void TestFormats::everyWrittenFormatReadsBack_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("bitmap") << 0 << 0;
    QTest::newRow("PNG") << 1 << 0;
    // Smooth enough for quality 90 to keep every channel close.
    QTest::newRow("JPEG") << 2 << 8;
}

void TestFormats::everyWrittenFormatReadsBack()
{
    QFETCH(int, type);
    QFETCH(int, tolerance);
    const PictureFormat &format = savedFormat(type);
    QImage picture =
        tolerance == 0 ? numberedPicture(37, 23) : QImage(64, 48, QImage::Format_RGB32);
    if (tolerance != 0) {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 3, y * 4, 128));
    }
    const QString path = m_dir.filePath(QStringLiteral("back.") + format.extensions.first());
    QCOMPARE(savePicture(picture, path, format), PictureError::None);

    // Other programs know the file by its content.
    const QByteArray content = contentOf(path);
    QCOMPARE(formatOfContent(content.left(signatureLength())), &format);
    const LoadedPicture loaded = loadPicture(path);
    QCOMPARE(loaded.error, PictureError::None);
    QCOMPARE(loaded.image.format(), QImage::Format_RGB32);
    QCOMPARE(loaded.image.size(), picture.size());
    if (tolerance == 0)
        QCOMPARE(loaded.image, picture);
    QVERIFY(largestDifference(loaded.image, picture) <= tolerance);
    if (format.caption == QStringLiteral("JPEG 图像")) {
        QByteArray quality90;
        QBuffer buffer(&quality90);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(90);
        QVERIFY(writer.write(picture));
        QCOMPARE(content, quality90);
    }
}

void TestFormats::extensionRule_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("saved");
    QTest::newRow("bitmap keeps a bare name") << 0 << "/a/holiday"
                                              << "/a/holiday";
    QTest::newRow("bitmap keeps any extension") << 0 << "/a/holiday.png"
                                                << "/a/holiday.png";
    QTest::newRow("PNG appended") << 1 << "/a/holiday"
                                  << "/a/holiday.png";
    QTest::newRow("PNG kept") << 1 << "/a/holiday.png"
                              << "/a/holiday.png";
    QTest::newRow("PNG in capitals kept") << 1 << "/a/HOLIDAY.PNG"
                                          << "/a/HOLIDAY.PNG";
    QTest::newRow("PNG after another extension") << 1 << "/a/holiday.bmp"
                                                 << "/a/holiday.bmp.png";
    QTest::newRow("PNG after a dotted folder") << 1 << "/a.png/holiday"
                                               << "/a.png/holiday.png";
    QTest::newRow("JPEG appended") << 2 << "/a/holiday"
                                   << "/a/holiday.jpg";
    QTest::newRow("JPEG .jpeg kept") << 2 << "/a/holiday.jpeg"
                                     << "/a/holiday.jpeg";
    QTest::newRow("JPEG .Jpg kept") << 2 << "/a/holiday.Jpg"
                                    << "/a/holiday.Jpg";
    QTest::newRow("extension alone is no name") << 1 << "/a/png"
                                                << "/a/png.png";
}

void TestFormats::extensionRule()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    QFETCH(QString, saved);
    QCOMPARE(savedPath(savedFormat(type), name), saved);
}

void TestFormats::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("bitmap") << 0;
    QTest::newRow("PNG") << 1;
    QTest::newRow("JPEG") << 2;
}

void TestFormats::failedWriteKeepsTheOldFile()
{
    QFETCH(int, type);
    const PictureFormat &format = savedFormat(type);
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("old.") + format.extensions.first());
    const QImage old = numberedPicture(3, 2);
    QCOMPARE(savePicture(old, path, format), PictureError::None);
    const QByteArray before = contentOf(path);
    PictureError error = PictureError::None;
    {
        // The new picture cannot be written whole, as on a full disk.
        const FileSizeLimit limit(64);
        error = savePicture(numberedPicture(300, 200), path, format);
    }
    QVERIFY(error != PictureError::None);
    QCOMPARE(contentOf(path), before);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
}

KALVO_TEST(TestFormats)
#include "tst_formats.moc"
