#include "testmain.h"

#include "app/frmmain.h"
#include "controls/picture_box.h"
#include "core/picture_file.h"
#include "scripted_dialogs.h"
#include "test_pictures.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// What a user sees of a window after start-up, a picture aside.
QStringList stateOf(frmmain &window, const ScriptedDialogs &dialogs)
{
    QStringList state;
    const Surface &canvas = window.canvas();
    state << QStringLiteral("canvas %1x%2").arg(canvas.width()).arg(canvas.height())
          << QStringLiteral("view %1,%2 %3x%4")
                 .arg(window.canvasView()->x())
                 .arg(window.canvasView()->y())
                 .arg(window.canvasView()->width())
                 .arg(window.canvasView()->height())
          << QStringLiteral("size panel %1").arg(window.statusPanel(3))
          << QStringLiteral("tool %1").arg(window.document().CurrentTool)
          << QStringLiteral("next folder %1").arg(window.document().AppPath);
    for (const QScrollBar *bar : {window.horizontalBar(), window.verticalBar()})
        state << QStringLiteral("bar %1..%2 %3")
                     .arg(bar->minimum())
                     .arg(bar->maximum())
                     .arg(bar->isEnabled());
    const auto grips = window.findChildren<QWidget *>(QStringLiteral("pGrip"));
    for (const QWidget *grip : grips)
        state << QStringLiteral("grip %1,%2").arg(grip->x()).arg(grip->y());
    for (const auto &message : dialogs.of(QStringLiteral("message")))
        state << QStringLiteral("message %1 | %2").arg(message.title, message.text);
    return state;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensFirstArgumentAsOpenDoes_data();
    void opensFirstArgumentAsOpenDoes();

private:
    QTemporaryDir m_folder;
    QString m_good;
    QString m_bad;
};

void TestCommandLine::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_folder.isValid());
    m_good = m_folder.filePath(QStringLiteral("good.bmp"));
    QCOMPARE(savePicture(numberedPicture(900, 40), m_good), PictureError::None);
    m_bad = m_folder.filePath(QStringLiteral("bad.bmp"));
    QFile bad(m_bad);
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("BM and nothing more") > 0);
}

void TestCommandLine::opensFirstArgumentAsOpenDoes_data()
{
    // The arguments, and whether the start-up pencil stays chosen (the
    // picture could not be had, so nothing was opened).
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("pencilStays");
    QTest::newRow("a picture") << QStringList{"good.bmp"} << false;
    QTest::newRow("the first of two") << QStringList{"good.bmp", "bad.bmp"} << false;
    QTest::newRow("a damaged file") << QStringList{"bad.bmp"} << true;
    QTest::newRow("the first of two, damaged") << QStringList{"bad.bmp", "good.bmp"} << true;
    QTest::newRow("a missing file") << QStringList{"missing.bmp"} << true;
}

// The reference is a second window where the same file is chosen in Open.
void TestCommandLine::opensFirstArgumentAsOpenDoes()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, pencilStays);
    // Relative names, as typed in a terminal in the picture's folder.
    const QString here = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder.path()));

    ScriptedDialogs dialogs;
    frmmain window(dialogs);
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.openFromCommandLine(arguments);

    ScriptedDialogs openDialogs;
    frmmain opened(openDialogs);
    opened.Form_Load();
    opened.show();
    QVERIFY(QTest::qWaitForWindowExposed(&opened));
    openDialogs.fileNames.push_back(m_folder.filePath(arguments.first()));
    opened.findChild<QAction *>(QStringLiteral("mnuOpen"))->trigger();
    QVERIFY(QDir::setCurrent(here));

    if (pencilStays) {
        QCOMPARE(window.document().CurrentTool, 1);
        opened.document().CurrentTool = 1;
    }
    QCOMPARE(window.canvas().image(), opened.canvas().image());
    QCOMPARE(stateOf(window, dialogs), stateOf(opened, openDialogs));
    QCOMPARE(dialogs.of(QStringLiteral("message")).size(), std::size_t(pencilStays ? 1 : 0));
}

KALVO_TEST(TestCommandLine)
#include "tst_command_line.moc"
