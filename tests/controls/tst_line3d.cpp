#include "testmain.h"

#include "controls/line3d.h"
#include "core/colour.h"

#include <QStandardPaths>
#include <QTest>

class TestLine3D : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void keepsItsHeight_data();
    void keepsItsHeight();
    void rowsSpanTheWidth_data();
    void rowsSpanTheWidth();
};

void TestLine3D::keepsItsHeight_data()
{
    QTest::addColumn<int>("asked");
    QTest::newRow("taller") << 40;
    QTest::newRow("one") << 1;
    QTest::newRow("zero") << 0;
    QTest::newRow("two") << 2;
}

void TestLine3D::keepsItsHeight()
{
    QFETCH(int, asked);
    QWidget window;
    Line3D line(&window);
    QCOMPARE(line.height(), 2);
    line.resize(120, asked);
    QCOMPARE(line.size(), QSize(120, 2));
    line.setGeometry(5, 6, 80, asked);
    QCOMPARE(line.geometry(), QRect(5, 6, 80, 2));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    line.resize(90, asked);
    QCOMPARE(line.size(), QSize(90, 2));
    // Even with its limits lifted by the container.
    line.setMinimumHeight(0);
    line.setMaximumHeight(QWIDGETSIZE_MAX);
    line.resize(60, asked);
    QCOMPARE(line.size(), QSize(60, 2));
}

void TestLine3D::rowsSpanTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("narrow") << 7;
    QTest::newRow("wide") << 300;
}

void TestLine3D::rowsSpanTheWidth()
{
    QFETCH(int, width);
    Line3D line;
    line.resize(10, 2);
    line.resize(width, 2);
    const QImage shot = line.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(width, 2));
    const QRgb shadow = toQRgb(ButtonShadow) | 0xFF000000u;
    const QRgb highlight = toQRgb(ButtonHighlight) | 0xFF000000u;
    QVERIFY(shadow != highlight);
    for (int x = 0; x < width; ++x) {
        QCOMPARE(shot.pixel(x, 0), shadow);
        QCOMPARE(shot.pixel(x, 1), highlight);
    }
}

KALVO_TEST(TestLine3D)
#include "tst_line3d.moc"
