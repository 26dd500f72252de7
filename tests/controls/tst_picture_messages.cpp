#include "testmain.h"

#include "controls/picture_messages.h"

#include <QTest>

Q_DECLARE_METATYPE(PictureError)

class TestPictureMessages : public QObject
{
    Q_OBJECT

private slots:
    void messagesNameTheFile_data();
    void messagesNameTheFile();
};

void TestPictureMessages::messagesNameTheFile_data()
{
    QTest::addColumn<PictureError>("error");
    QTest::addColumn<QString>("message");
    const QString open = QStringLiteral("无法打开文件 \"/tmp/a %2 b.bmp\": ");
    const QString save = QStringLiteral("无法保存文件 \"/tmp/a %2 b.bmp\": ");
    QTest::newRow("truncated") << PictureError::Truncated << open + QStringLiteral("文件不完整。");
    QTest::newRow("not a picture")
        << PictureError::NotPicture << open + QStringLiteral("不是可识别的图片文件。");
    QTest::newRow("too large") << PictureError::TooLarge << open + QStringLiteral("图片太大。");
    QTest::newRow("no folder") << PictureError::NoFolder << save + QStringLiteral("文件夹不存在。");
    QTest::newRow("not a file") << PictureError::NotFile << open + QStringLiteral("不是普通文件。");
    QTest::newRow("not a file to replace")
        << PictureError::TargetNotFile << save + QStringLiteral("不是普通文件。");
    QTest::newRow("read-only") << PictureError::ReadOnly << save + QStringLiteral("文件是只读的。");
    QTest::newRow("disk full") << PictureError::DiskFull << save + QStringLiteral("磁盘空间不足。");
    QTest::newRow("none") << PictureError::None << QString();
}

void TestPictureMessages::messagesNameTheFile()
{
    QFETCH(PictureError, error);
    QFETCH(QString, message);
    QCOMPARE(pictureErrorMessage(error, QStringLiteral("/tmp/a %2 b.bmp")), message);
}

KALVO_TEST(TestPictureMessages)
#include "tst_picture_messages.moc"
