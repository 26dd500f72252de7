#include "testmain.h"

#include "core/formats.h"
#include "encoded_pictures.h"
#include "seed_corpus.h"
#include "test_pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

#include <sys/stat.h>

Q_DECLARE_METATYPE(PictureError)

namespace {

// Blocks of 8 x 8 in strong colours, 4 across and 2 down, so that a turned or
// mirrored picture shows even after JPEG's losses.
QImage blocks()
{
    const QList<QRgb> colours = {qRgb(255, 0, 0),   qRgb(0, 255, 0),    qRgb(0, 0, 255),
                                 qRgb(255, 255, 0), qRgb(0, 255, 255),  qRgb(255, 0, 255),
                                 qRgb(0, 0, 0),     qRgb(255, 255, 255)};
    QImage image(32, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, colours.at(y / 8 * 4 + x / 8));
    return image;
}

// An Exif block that says orientation, little-endian as phones write it.
QByteArray exif(int orientation)
{
    return QByteArray("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18) +
           bytesOf({quint32(orientation)}) + QByteArray(7, '\0');
}

quint32 crc(const QByteArray &bytes)
{
    quint32 value = 0xFFFFFFFFu;
    for (const char c : bytes) {
        value ^= static_cast<uchar>(c);
        for (int bit = 0; bit < 8; ++bit)
            value = value & 1 ? (value >> 1) ^ 0xEDB88320u : value >> 1;
    }
    return ~value;
}

QByteArray bigEndian(quint32 value)
{
    return bytesOf({value >> 24, value >> 16, value >> 8, value});
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    return bigEndian(static_cast<quint32>(data.size())) + type + data + bigEndian(crc(type + data));
}

QByteArray littleEndian(quint32 value)
{
    return bytesOf({value, value >> 8, value >> 16, value >> 24});
}

// The file with the orientation recorded the way its format records it.
QByteArray oriented(const QString &extension, int orientation)
{
    const QByteArray data = encoded(blocks(), extension);
    if (extension == QLatin1String("jpg")) {
        const QByteArray segment = "Exif" + QByteArray(2, '\0') + exif(orientation);
        const auto length = static_cast<quint32>(segment.size() + 2);
        return data.left(2) + "\xFF\xE1" + bigEndian(length).mid(2) + segment + data.mid(2);
    }
    if (extension == QLatin1String("png"))
        return data.left(33) + pngChunk("eXIf", exif(orientation)) + data.mid(33);
    // WebP: a chunk after the picture's, and the RIFF length to match.
    const QByteArray chunk = "EXIF" + littleEndian(26) + exif(orientation);
    QByteArray riff = data + chunk;
    riff.replace(4, 4, littleEndian(static_cast<quint32>(riff.size() - 8)));
    return riff;
}

// The picture as it stands once the orientation is applied, by Qt's own turns.
QImage upright(const QImage &stored, int orientation)
{
    const QImage turned = stored.transformed(QTransform().rotate(90));
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5:
        return turned.mirrored(true, false);
    case 6:
        return turned;
    case 7:
        return turned.mirrored(false, true);
    case 8:
        return stored.transformed(QTransform().rotate(270));
    default:
        return stored;
    }
}

} // namespace

class TestPictureFormats : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void photosStandUpright_data();
    void photosStandUpright();
    void transparencyIsReported_data();
    void transparencyIsReported();
    void onlyRegularFilesAreRead();

private:
    QString write(const QByteArray &bytes)
    {
        keepAsSeed(bytes);
        const QString path = m_dir.filePath(QStringLiteral("picture"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    QTemporaryDir m_dir;
};

void TestPictureFormats::damagedFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<PictureError>("error");
    const QImage picture = numberedPicture(97, 61);
    // Bytes are flipped where the format checks them: PNG's checksums, the
    // GIF's and the WebP's codes, the JPEG's code tables. JPEG and TIFF keep
    // no checksum of their pixels: a change there shows only when it breaks
    // the decoding, as an end marker in the middle of the data does.
    struct Kind {
        const char *name;
        QByteArray bytes;
        QList<int> flips; // where, in percent of the length
        PictureError cut;
    };
    const QList<Kind> kinds = {
        {"PNG", encoded(picture, QStringLiteral("png")), {30, 60}, PictureError::Truncated},
        {"JPEG", encoded(picture, QStringLiteral("jpg")), {10}, PictureError::Truncated},
        {"GIF",
         gifOf(picture.convertToFormat(QImage::Format_Indexed8)
                   .convertToFormat(QImage::Format_RGB32)),
         {30, 60},
         PictureError::Truncated},
        {"WebP", encoded(picture, QStringLiteral("webp")), {30, 60}, PictureError::Truncated},
        // Qt's TIFF decoder does not tell a cut file from a damaged one.
        {"TIFF", encoded(picture, QStringLiteral("tif")), {}, PictureError::Damaged},
    };
    for (const Kind &kind : kinds) {
        QTest::addRow("%s whole", kind.name) << kind.bytes << PictureError::None;
        for (const int percent : {10, 50, 90, 99})
            QTest::addRow("%s cut at %d %%", kind.name, percent)
                << kind.bytes.left(kind.bytes.size() * percent / 100) << kind.cut;
        for (const int percent : kind.flips) {
            QByteArray flipped = kind.bytes;
            const qsizetype at = flipped.size() * percent / 100;
            for (qsizetype i = at; i < at + 8; ++i)
                flipped[i] = static_cast<char>(~flipped[i]);
            QTest::addRow("%s flipped at %d %%", kind.name, percent)
                << flipped << PictureError::Damaged;
        }
    }
    QByteArray ended = kinds.at(1).bytes;
    ended.insert(ended.size() / 2, "\xFF\xD9");
    QTest::newRow("JPEG with an end marker in its data") << ended << PictureError::Damaged;
    const QByteArray png = kinds.at(0).bytes;
    const QByteArray huge = QByteArray("\0\0\xEA\x60\0\0\xEA\x60\x08\x02\0\0\0", 13);
    QTest::newRow("PNG of 60000 x 60000")
        << png.left(8) + pngChunk("IHDR", huge) + png.mid(33) << PictureError::TooLarge;
    QByteArray jpeg = kinds.at(1).bytes;
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    jpeg.replace(frame + 5, 4, QByteArray("\xEA\x60\xEA\x60", 4));
    QTest::newRow("JPEG of 60000 x 60000") << jpeg << PictureError::TooLarge;
    QByteArray gif = kinds.at(2).bytes;
    gif.replace(6, 4, QByteArray("\x60\xEA\x60\xEA", 4));
    QTest::newRow("GIF of 60000 x 60000") << gif << PictureError::TooLarge;
    QTest::newRow("a sound") << QByteArray("RIFF\x04\0\0\0WAVE", 12) << PictureError::NotPicture;
}

void TestPictureFormats::damagedFilesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(PictureError, error);
    const LoadedPicture loaded = loadPicture(write(bytes));
    QCOMPARE(loaded.error, error);
    QCOMPARE(loaded.image.isNull(), error != PictureError::None);
    if (error == PictureError::None)
        QCOMPARE(loaded.image.size(), QSize(97, 61));
}

void TestPictureFormats::photosStandUpright_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("orientation");
    for (int orientation = 1; orientation <= 8; ++orientation)
        QTest::addRow("JPEG %d", orientation)
            << oriented(QStringLiteral("jpg"), orientation) << orientation;
    QTest::newRow("PNG 6") << oriented(QStringLiteral("png"), 6) << 6;
    QTest::newRow("WebP 8") << oriented(QStringLiteral("webp"), 8) << 8;
    QByteArray tiff;
    QBuffer buffer(&tiff);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    writer.write(blocks());
    QTest::newRow("TIFF 6") << tiff << 6;
}

void TestPictureFormats::photosStandUpright()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, orientation);
    const LoadedPicture loaded = loadPicture(write(bytes));
    QCOMPARE(loaded.error, PictureError::None);
    const QImage expected = upright(blocks(), orientation);
    QCOMPARE(loaded.image.size(), expected.size());
    // The middle of every block, within JPEG's losses.
    for (int y = 4; y < expected.height(); y += 8) {
        for (int x = 4; x < expected.width(); x += 8) {
            const QRgb got = loaded.image.pixel(x, y), want = expected.pixel(x, y);
            QVERIFY2(std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
                             std::abs(qBlue(got) - qBlue(want)) <
                         48,
                     qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
        }
    }
}

void TestPictureFormats::transparencyIsReported_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("transparent");
    QImage opaque(6, 4, QImage::Format_ARGB32);
    opaque.fill(qRgba(10, 20, 30, 255));
    QImage seeThrough = opaque;
    seeThrough.setPixel(2, 1, qRgba(0, 0, 0, 0));
    QTest::newRow("PNG with an alpha channel, all opaque") << encoded(opaque, "png") << false;
    QTest::newRow("PNG with a transparent pixel") << encoded(seeThrough, "png") << true;
    QTest::newRow("WebP with a transparent pixel") << encoded(seeThrough, "webp") << true;
}

void TestPictureFormats::transparencyIsReported()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, transparent);
    const LoadedPicture loaded = loadPicture(write(bytes));
    QCOMPARE(loaded.error, PictureError::None);
    QCOMPARE(loaded.transparent, transparent);
    QCOMPARE(loaded.image.format(), transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

// A named pipe would hold a reader until something writes to it: it is
// refused before it is opened for reading, as a folder and a device are.
void TestPictureFormats::onlyRegularFilesAreRead()
{
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.bmp"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString &path : {pipe, m_dir.path(), QStringLiteral("/dev/zero")}) {
        const LoadedPicture loaded = loadPicture(path);
        QCOMPARE(loaded.error, PictureError::NotFile);
        QVERIFY(loaded.image.isNull());
    }
    QCOMPARE(savePicture(blocks(), pipe), PictureError::TargetNotFile);
    QVERIFY(!QFileInfo(pipe).isFile());
}

KALVO_TEST(TestPictureFormats)
#include "tst_picture_formats.moc"
