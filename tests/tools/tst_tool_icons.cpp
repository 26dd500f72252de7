#include "testmain.h"
#include "tools/tool.h"
#include "tools/tool_icons.h"
#include "tools/tool_options.h"

#include <QSet>
#include <QTest>

class TestToolIcons : public QObject
{
    Q_OBJECT

private slots:
    void everyToolHasItsOwnIcon();
};

void TestToolIcons::everyToolHasItsOwnIcon()
{
    const QRgb key = toQRgb(TransparentKey);
    QSet<QByteArray> seen;
    for (const ToolRow &row : toolTable()) {
        const QImage icon = row.icon().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(icon.size(), QSize(16, 16));
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                drawn += icon.pixel(x, y) != key;
        // Something to see, and enough background left to look cut out.
        QVERIFY2(drawn >= 12 && drawn <= 200, qPrintable(row.captionText()));
        const QByteArray bytes(reinterpret_cast<const char *>(icon.constBits()),
                               static_cast<qsizetype>(icon.sizeInBytes()));
        QVERIFY2(!seen.contains(bytes), qPrintable(row.captionText()));
        seen.insert(bytes);
    }
}

KALVO_TEST(TestToolIcons)
#include "tst_tool_icons.moc"
