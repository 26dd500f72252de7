#include "palette_captions.h"
#include "testmain.h"

#include <QTest>

// This program runs at twice the density, as on a high-density screen: the
// scale must be set before the application object exists.
[[maybe_unused]] static const bool doubleDensity = qputenv("QT_SCALE_FACTOR", "2");

class TestScaledCaptions : public QObject
{
    Q_OBJECT

private slots:
    void captionsLieInsideTheirFace()
    {
        ToolPalette palette;
        QCOMPARE(palette.button(ToolId::Select)->grab().devicePixelRatio(), 2.0);
        const QStringList strays = captionsOutsideTheirFace(palette);
        QVERIFY2(strays.isEmpty(), qPrintable(strays.join(QLatin1Char('\n'))));
    }
};

KALVO_TEST(TestScaledCaptions)
#include "tst_scaled_captions.moc"
