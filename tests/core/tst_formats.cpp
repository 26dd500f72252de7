#include "testmain.h"

#include "core/formats.h"
#include "test_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    void everyWrittenFormatReadsBack_data();
    void everyWrittenFormatReadsBack();
    void saveTargetRule_data();
    void saveTargetRule();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
};

void TestFormats::dialogTypesComeFromTheTable()
{
    QCOMPARE(openDialogTypes(),
             QStringLiteral("所有图片(*.bmp *.png *.jpg *.jpeg *.gif *.webp *.tif *.tiff)|"
                            "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff|"
                            "位图文件(*.bmp)|*.bmp|PNG 图像(*.png)|*.png|"
                            "JPEG 图像(*.jpg *.jpeg)|*.jpg;*.jpeg|GIF 图像(*.gif)|*.gif|"
                            "WebP 图像(*.webp)|*.webp|TIFF 图像(*.tif *.tiff)|*.tif;*.tiff|"));
    QCOMPARE(saveDialogTypes(), QStringLiteral("位图文件(*.bmp)|*.bmp|PNG 图像(*.png)|*.png|"
                                               "JPEG 图像(*.jpg *.jpeg)|*.jpg;*.jpeg|"
                                               "WebP 图像(*.webp)|*.webp|"
                                               "TIFF 图像(*.tif *.tiff)|*.tif;*.tiff|"));
    // Every writer is listed in Save, in order.
    int type = 0;
    for (const PictureFormat &format : pictureFormats()) {
        QCOMPARE(saveDialogTypes().contains(format.caption), format.write != nullptr);
        if (format.write)
            QCOMPARE(&savedFormat(type++), &format);
    }
    QCOMPARE(&savedFormat(type), &bitmapFormat());
    QCOMPARE(&savedFormat(-1), &bitmapFormat());
}

void TestFormats::everyWrittenFormatReadsBack_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<int>("tolerance");
    QImage smooth(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < smooth.height(); ++y)
        for (int x = 0; x < smooth.width(); ++x)
            smooth.setPixel(x, y, qRgb(x * 3, y * 4, 128));
    QTest::newRow("bitmap") << 0 << numberedPicture(37, 23) << 0;
    QTest::newRow("PNG") << 1 << numberedPicture(37, 23) << 0;
    // Smooth enough for quality 90 to keep every channel close.
    QTest::newRow("JPEG") << 2 << smooth << 8;
    QTest::newRow("WebP") << 3 << numberedPicture(37, 23) << 0;
    QTest::newRow("TIFF") << 4 << numberedPicture(37, 23) << 0;
    // Several bands, each compressed on its own and joined into one stream:
    // grain, which is coded without the search for repeats, over a drawing.
    QImage bands = numberedPicture(700, 1300);
    quint32 grain = 1;
    for (int y = 0; y < 700; ++y) {
        auto *row = reinterpret_cast<QRgb *>(bands.scanLine(y));
        for (int x = 0; x < bands.width(); ++x) {
            grain = grain * 1664525u + 1013904223u;
            row[x] = qRgb(100 + (grain >> 29), 120 + (grain >> 26 & 7), 90 + (grain >> 23 & 7));
        }
    }
    QTest::newRow("PNG in bands") << 1 << bands << 0;
}

void TestFormats::everyWrittenFormatReadsBack()
{
    QFETCH(int, type);
    QFETCH(QImage, picture);
    QFETCH(int, tolerance);
    const PictureFormat &format = savedFormat(type);
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
}

void TestFormats::saveTargetRule_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("type"); // 0 bitmap, 1 PNG, 2 JPEG
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("format");
    const auto row = [](const char *tag, const char *typed, int type, const char *saved,
                        const char *format) {
        QTest::newRow(tag) << QString::fromUtf8(typed) << type << QString::fromUtf8(saved)
                           << QString::fromUtf8(format);
    };
    row("bitmap keeps a bare name", "/a/holiday", 0, "/a/holiday", "位图文件");
    row("a typed PNG name is PNG", "/a/holiday.png", 0, "/a/holiday.png", "PNG 图像");
    row("a typed JPEG name is JPEG", "/a/holiday.JPEG", 0, "/a/holiday.JPEG", "JPEG 图像");
    row("a typed bitmap name wins over PNG", "/a/holiday.bmp", 1, "/a/holiday.bmp", "位图文件");
    row("a typed TIFF name", "/a/scan.Tif", 2, "/a/scan.Tif", "TIFF 图像");
    row("PNG appended to a bare name", "/a/holiday", 1, "/a/holiday.png", "PNG 图像");
    row("JPEG appended", "/a/holiday", 2, "/a/holiday.jpg", "JPEG 图像");
    row("an extension Kalvo cannot write", "/a/notes.txt", 1, "/a/notes.txt.png", "PNG 图像");
    row("bitmap after an unknown extension", "/a/v1.2", 0, "/a/v1.2.bmp", "位图文件");
    row("GIF is read only", "/a/anim.gif", 2, "/a/anim.gif.jpg", "JPEG 图像");
    row("a dotted folder is no extension", "/a.png/holiday", 1, "/a.png/holiday.png", "PNG 图像");
    row("a leading dot is no extension", "/a/.png", 0, "/a/.png", "位图文件");
}

void TestFormats::saveTargetRule()
{
    QFETCH(QString, typed);
    QFETCH(int, type);
    QFETCH(QString, saved);
    QFETCH(QString, format);
    const SaveTarget target = saveTarget(typed, type);
    QCOMPARE(target.path, saved);
    QCOMPARE(target.format->caption, format);
}

void TestFormats::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<int>("type");
    for (int type = 0; &savedFormat(type) != &bitmapFormat() || type == 0; ++type)
        QTest::addRow("%s", qPrintable(savedFormat(type).caption)) << type;
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
