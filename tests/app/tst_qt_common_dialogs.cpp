#include "testmain.h"

#include "app/qt_common_dialogs.h"

#include <QStandardPaths>
#include <QTest>

class TestQtCommonDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void filterForm_data();
    void filterForm();
};

void TestQtCommonDialogs::filterForm_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bitmap") << "位图文件(*.bmp)|*.bmp|"
                            << "位图文件(*.bmp)";
    QTest::newRow("other patterns shown") << "位图文件(*.dib)|*.bmp|"
                                          << "位图文件(*.dib) (*.bmp)";
    QTest::newRow("no trailing bar") << "位图文件|*.bmp"
                                     << "位图文件 (*.bmp)";
    QTest::newRow("two entries") << "位图|*.bmp|所有文件|*.*|"
                                 << "位图 (*.bmp);;所有文件 (*.*)";
    QTest::newRow("several patterns") << "图片|*.bmp;*.jpg|"
                                      << "图片 (*.bmp *.jpg)";
    QTest::newRow("description alone") << "全部"
                                       << "全部 (*)";
    QTest::newRow("empty") << ""
                           << "";
}

void TestQtCommonDialogs::filterForm()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(QtCommonDialogs::qtFilter(filter), expected);
}

KALVO_TEST(TestQtCommonDialogs)
#include "tst_qt_common_dialogs.moc"
