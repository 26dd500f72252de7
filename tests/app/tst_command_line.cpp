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
#include <QTemporaryDir>
#include <QTest>

namespace {

// What a user sees of the window after start-up: sizes, places, the chosen
// tool, where the next file dialog starts, the messages shown.
QStringList stateOf(frmmain &window, const ScriptedDialogs &dialogs)
{
    QStringList state{window.statusPanel(3), QString::number(window.document().CurrentTool),
                      window.document().AppPath};
    const auto place = [](const QWidget *w) {
        return QStringLiteral("%1,%2 %3x%4")
            .arg(w->x())
            .arg(w->y())
            .arg(w->width())
            .arg(w->height());
    };
    state << place(window.canvasView());
    for (const QWidget *grip : window.findChildren<QWidget *>(QStringLiteral("pGrip")))
        state << place(grip);
    for (const QScrollBar *bar : {window.horizontalBar(), window.verticalBar()})
        state << QStringLiteral("%1 %2").arg(bar->maximum()).arg(bar->isEnabled());
    for (const auto &message : dialogs.of(QStringLiteral("message")))
        state << message.title + message.text;
    return state;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void opensFirstArgumentAsOpenDoes_data();
    void opensFirstArgumentAsOpenDoes();
};

void TestCommandLine::opensFirstArgumentAsOpenDoes_data()
{
    // The arguments, and whether the start-up pencil stays chosen because
    // nothing could be opened.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("pencilStays");
    QTest::newRow("a picture") << QStringList{"good.bmp"} << false;
    QTest::newRow("the first of two") << QStringList{"good.bmp", "bad.bmp"} << false;
    QTest::newRow("a damaged file") << QStringList{"bad.bmp", "good.bmp"} << true;
    QTest::newRow("a missing file") << QStringList{"missing.bmp"} << true;
}

// The reference is a second window where the same file is chosen in Open.
void TestCommandLine::opensFirstArgumentAsOpenDoes()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, pencilStays);
    QTemporaryDir folder;
    QCOMPARE(savePicture(numberedPicture(900, 40), folder.filePath("good.bmp")),
             PictureError::None);
    QFile bad(folder.filePath("bad.bmp"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("BM and nothing more") > 0);

    ScriptedDialogs dialogs;
    ScriptedDialogs openDialogs;
    frmmain window(dialogs);
    frmmain opened(openDialogs);
    for (frmmain *w : {&window, &opened}) {
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    // Names relative to the folder a terminal is in.
    const QString here = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    window.openFromCommandLine(arguments);
    QVERIFY(QDir::setCurrent(here));
    openDialogs.fileNames.push_back(folder.filePath(arguments.first()));
    opened.findChild<QAction *>(QStringLiteral("mnuOpen"))->trigger();

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
