#include "app/command_line.h"
#include "app/command_table.h"
#include "testmain.h"

#include "app/editor.h"
#include "app/main_window.h"
#include "app/new_image_dialog.h"
#include "app/scale_dialog.h"
#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
// The double builds its records from partial initialiser lists.
#include "scripted_dialogs.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void caption();
    void topLevelMenus();
    void menuItems();
    void hiddenKeys_data();
    void hiddenKeys();
    void zoomKeys_data();
    void zoomKeys();
    void opaqueItemUncheckedAfterStartUp();
    void aboutShowsProgramNameAndVersion();
    void layoutAtStartSize();
    void layoutSurvivesMinimiseAndRestore();
    void layoutFollowsWindowSize_data();
    void layoutFollowsWindowSize();
    void scrollingMovesCanvas();
    void statusPanelsAtStart();
    void paths();
    void addBackslash_data();
    void addBackslash();
    void lowercaseXReachesWindow_data();
    void lowercaseXReachesWindow();
    void textFieldOfDialogKeepsX();
    void exitClosesAtOnce();
    void fieldsReadWhatTheyShow();
    void statusPanelsReadTheirValues();

private:
    void showWindow();

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_editor = std::make_unique<Editor>(*m_dialogs);
    m_window = std::make_unique<MainWindow>(*m_editor);
    m_window->startUp();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    m_editor.reset();
    m_dialogs.reset();
}

void TestMainWindow::showWindow()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindow::caption()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Kalvo"));
}

void TestMainWindow::topLevelMenus()
{
    QStringList captions;
    const auto actions = m_window->menuBar()->actions();
    for (const QAction *action : actions)
        captions << action->text();
    QCOMPARE(captions, (QStringList{"文件(&F)", "编辑(&E)", "图像(&I)", "滤镜(&F)", "关于(&A)"}));
    QVERIFY(!m_window->findChild<QAction *>("mnuAbout")->menu());
}

void TestMainWindow::menuItems()
{
    // Every menu of the window holds exactly the table's entries for it, in
    // the table's order.
    QHash<QString, QList<QAction *>> built;
    built.insert(QString(), m_window->menuBar()->actions());
    for (QMenu *menu : m_window->findChildren<QMenu *>()) {
        if (!menu->objectName().isEmpty())
            built.insert(menu->objectName(), menu->actions());
    }
    QHash<QString, QList<QAction *>> listed;
    for (const CommandRow &row : commandTable()) {
        if (row.kind == CommandRow::Kind::Keys)
            continue;
        const QString name = QString::fromLatin1(row.name);
        auto *submenu = m_window->findChild<QMenu *>(name);
        QAction *item = row.kind == CommandRow::Kind::Menu ? submenu->menuAction()
                                                           : m_window->findChild<QAction *>(name);
        QVERIFY2(item, row.name);
        listed[QString::fromLatin1(row.menu)] << item;
        QCOMPARE(item->isSeparator(), row.kind == CommandRow::Kind::Separator);
        if (!item->isSeparator())
            QCOMPARE(item->text(), QString::fromUtf8(row.caption));
        QCOMPARE(item->shortcut(), row.shortcut);
        QCOMPARE(item->isCheckable(), row.kind == CommandRow::Kind::CheckedItem);
        QVERIFY(item->isEnabled());
        QVERIFY(item->isVisible());
    }
    for (auto menu = listed.cbegin(); menu != listed.cend(); ++menu)
        QCOMPARE(built.value(menu.key()), menu.value());
    QCOMPARE(built.size(), listed.size());
}

void TestMainWindow::hiddenKeys_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("focus"); // objectName of the widget with the keyboard
    QTest::addColumn<bool>("fires");

    const auto row = [](const char *tag, QKeySequence keys, const char *item,
                        const char *focus = "SrcDc", bool fires = true) {
        QTest::newRow(tag) << keys << QString::fromLatin1(item) << QString::fromLatin1(focus)
                           << fires;
    };
    row("undo", QKeySequence(Qt::CTRL | Qt::Key_Z), "CX");
    row("redo", QKeySequence(Qt::CTRL | Qt::Key_Y), "HH");
    row("redo, shifted", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "HH");
    row("cut", QKeySequence(Qt::CTRL | Qt::Key_X), "mnuCut");
    row("copy", QKeySequence(Qt::CTRL | Qt::Key_C), "mnuCopy");
    row("paste", QKeySequence(Qt::CTRL | Qt::Key_V), "mnuPaste");
    row("undo from a tool button", QKeySequence(Qt::CTRL | Qt::Key_Z), "CX", "Command1");
    row("a list has the keyboard", QKeySequence(Qt::CTRL | Qt::Key_Z), "CX", "cboDW", false);
}

void TestMainWindow::hiddenKeys()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, item);
    QFETCH(QString, focus);
    QFETCH(bool, fires);
    showWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *action = m_window->findChild<QAction *>(item);
    QSignalSpy triggered(action, &QAction::triggered);
    auto *target = m_window->findChild<QWidget *>(focus);
    target->setFocus();
    QTest::keySequence(target, keys);
    QCOMPARE(triggered.size(), fires ? 1 : 0);
    // The menu shows none of them.
    QVERIFY(action->shortcut() != keys);
}

void TestMainWindow::zoomKeys_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<double>("zoom"); // from 100 %
    const auto row = [](const char *tag, QKeySequence keys, double zoom,
                        const char *focus = "SrcDc") {
        QTest::newRow(tag) << keys << QString::fromLatin1(focus) << zoom;
    };
    row("Ctrl+=", QKeySequence(Qt::CTRL | Qt::Key_Equal), 2);
    row("Ctrl++", QKeySequence(Qt::CTRL | Qt::Key_Plus), 2);
    // Shift and = as X reports it.
    row("Ctrl+Shift++", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus), 2);
    row("keypad +", QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus), 2);
    row("Ctrl+-", QKeySequence(Qt::CTRL | Qt::Key_Minus), 0.5);
    row("keypad -", QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus), 0.5);
    row("Ctrl+0", QKeySequence(Qt::CTRL | Qt::Key_0), 1);
    row("a list has the keyboard", QKeySequence(Qt::CTRL | Qt::Key_Equal), 1, "cboDW");
}

void TestMainWindow::zoomKeys()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, focus);
    QFETCH(double, zoom);
    showWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *target = m_window->findChild<QWidget *>(focus);
    target->setFocus();
    QTest::keySequence(target, keys);
    QCOMPARE(m_window->canvasView()->zoom(), zoom);
    // X makes one press of Shift and = match several keys of the row, which
    // Qt reports as ambiguous: the row acts all the same.
    if (QByteArray(QTest::currentDataTag()) == "Ctrl+Shift++") {
        auto *shortcut = m_window->findChildren<QShortcut *>(QStringLiteral("zoomIn")).constLast();
        m_window->canvasView()->zoomTo(1);
        QMetaObject::invokeMethod(shortcut, "activatedAmbiguously");
        QCOMPARE(m_window->canvasView()->zoom(), 2.0);
    }
    // Ctrl+0 comes back from any level.
    m_window->canvasView()->zoomTo(8);
    QTest::keySequence(target, QKeySequence(Qt::CTRL | Qt::Key_0));
    QCOMPARE(m_window->canvasView()->zoom(), focus == "SrcDc" ? 1.0 : 8.0);
}

void TestMainWindow::opaqueItemUncheckedAfterStartUp()
{
    auto *item = m_window->findChild<QAction *>("MnuDQue");
    QVERIFY(item->isCheckable());
    QVERIFY(!item->isChecked());
}

void TestMainWindow::aboutShowsProgramNameAndVersion()
{
    m_window->findChild<QAction *>("mnuAbout")->trigger();
    const auto messages = m_dialogs->of("message");
    QCOMPARE(messages.size(), std::size_t(1));
    QVERIFY(messages[0].text.contains("Kalvo " + programVersion()));
    QVERIFY(messages[0].title.contains("Kalvo"));
}

void TestMainWindow::layoutAtStartSize()
{
    showWindow();
    auto *holder = m_window->findChild<BorderedBox *>("pHolder");
    auto *tools = m_window->findChild<BorderedBox *>("pTools");
    QCOMPARE(m_window->centralWidget()->width(), 1016);
    QCOMPARE(m_window->centralWidget()->height() + m_window->statusBar()->height(), 522);
    QCOMPARE(m_window->statusBar()->height(), 18);

    QCOMPARE(holder->geometry(), QRect(136, 64, 880, 440));
    QCOMPARE(holder->innerSize(), QSize(876, 436));
    QCOMPARE(holder->client()->size(), QSize(876, 436));
    QCOMPARE(tools->geometry(), QRect(0, 64, 130, 438));
    QCOMPARE(m_window->findChild<QWidget *>("pTop")->geometry(), QRect(-16, 0, 1032, 57));
    QCOMPARE(m_window->findChild<QScrollBar *>("vBar")->geometry(), QRect(858, 0, 18, 418));
    QCOMPARE(m_window->findChild<QScrollBar *>("hBar")->geometry(), QRect(0, 418, 858, 18));
    QCOMPARE(m_window->findChild<QWidget *>("pSpacer")->geometry(), QRect(858, 418, 18, 18));
    QCOMPARE(m_window->canvasView()->pictureRect(), QRect(0, 0, 760, 568));
    QCOMPARE(m_window->canvasView()->accessibleName(), QStringLiteral("画布"));

    // 760 x 568 in 876 x 436: nothing to scroll sideways, 150 rows down.
    QVERIFY(!m_window->horizontalBar()->isEnabled());
    QVERIFY(m_window->verticalBar()->isEnabled());
    QCOMPARE(m_window->verticalBar()->maximum(), 150);
}

void TestMainWindow::layoutSurvivesMinimiseAndRestore()
{
    showWindow();
    auto *holder = m_window->findChild<BorderedBox *>("pHolder");
    const QRect before = holder->geometry();
    m_window->showMinimized();
    QTRY_VERIFY(m_window->isMinimized());
    m_window->showNormal();
    QTRY_VERIFY(!m_window->isMinimized());
    QCOMPARE(holder->geometry(), before);
    QCOMPARE(m_window->toolBox()->height(), 438);
    QCOMPARE(m_window->findChild<QScrollBar *>("hBar")->geometry(), QRect(0, 418, 858, 18));
}

void TestMainWindow::layoutFollowsWindowSize_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QSize>("holder");
    QTest::addColumn<int>("vMaximum");
    QTest::addColumn<int>("hMaximum");

    QTest::newRow("larger") << QSize(1216, 722) << QSize(1080, 640) << 0 << 0;
    QTest::newRow("smaller") << QSize(636, 382) << QSize(500, 300) << 290 << 282;
    // Too low for the viewport: the height step is skipped, the rest runs.
    QTest::newRow("too low") << QSize(700, 40) << QSize(564, 440) << 150 << 218;
}

void TestMainWindow::layoutFollowsWindowSize()
{
    QFETCH(QSize, client);
    QFETCH(QSize, holder);
    QFETCH(int, vMaximum);
    QFETCH(int, hMaximum);
    showWindow();
    const int menuHeight = m_window->menuBar()->height();
    m_window->setMinimumSize(0, 0);
    m_window->resize(client.width(), client.height() + menuHeight);
    QTRY_COMPARE(m_window->centralWidget()->width(), client.width());

    auto *box = m_window->findChild<BorderedBox *>("pHolder");
    QCOMPARE(box->size(), holder);
    const QSize inner = box->innerSize();
    QCOMPARE(m_window->toolBox()->height(), inner.height() + 2);
    QCOMPARE(m_window->verticalBar()->x(), inner.width() - 18);
    QCOMPARE(m_window->horizontalBar()->y(), inner.height() - 18);
    QCOMPARE(m_window->verticalBar()->maximum(), vMaximum);
    QCOMPARE(m_window->horizontalBar()->maximum(), hMaximum);
    QCOMPARE(m_window->verticalBar()->isEnabled(), vMaximum > 0);
    QCOMPARE(m_window->horizontalBar()->isEnabled(), hMaximum > 0);
}

void TestMainWindow::scrollingMovesCanvas()
{
    showWindow();
    m_window->verticalBar()->setValue(100);
    QCOMPARE(m_window->canvasView()->pictureRect().topLeft(), QPoint(0, -100));

    // A larger canvas can scroll sideways; shrinking it pulls the canvas back.
    m_editor->document().canvas().setSize(1200, 568);
    QCOMPARE(m_window->horizontalBar()->maximum(), 1200 - 876 + 18);
    m_window->horizontalBar()->setValue(40);
    QCOMPARE(m_window->canvasView()->pictureRect().topLeft(), QPoint(-40, -100));
    m_editor->document().canvas().setSize(300, 200);
    QCOMPARE(m_window->canvasView()->pictureRect().topLeft(), QPoint(0, 0));
    QVERIFY(!m_window->verticalBar()->isEnabled());

    // Past the 16-bit range a step moves two pixels, and the far edge can
    // still be reached.
    m_editor->document().canvas().setSize(40000, 10);
    QCOMPARE(m_window->horizontalBar()->maximum(), 19571);
    m_window->horizontalBar()->setValue(19571);
    QCOMPARE(m_window->canvasView()->pictureRect().x(), -39142);
}

void TestMainWindow::statusPanelsAtStart()
{
    auto panels = m_window->statusBar()->findChildren<QLabel *>();
    QCOMPARE(panels.size(), 3);
    QCOMPARE(panels[0]->width(), 802);
    QCOMPARE(panels[1]->width(), 96);
    QCOMPARE(panels[2]->width(), 96);
    QCOMPARE(m_window->statusPanel(1), QString());
    QCOMPARE(m_window->statusPanel(2), QString());
    QCOMPARE(m_window->statusPanel(3), QStringLiteral("760x568"));
    QCOMPARE(panels[2]->text(), QStringLiteral("760x568"));

    m_window->setStatusPanel(2, QStringLiteral("12,34"));
    QCOMPARE(panels[1]->text(), QStringLiteral("12,34"));
    m_window->setStatusPanel(4, QStringLiteral("ignored"));
    m_window->setStatusPanel(0, QStringLiteral("ignored"));
    QCOMPARE(m_window->statusPanel(1), QString());
}

void TestMainWindow::paths()
{
    const Document &document = m_editor->document();
    QVERIFY(document.lastFolder.endsWith('/'));
    QCOMPARE(document.lastFolder, QCoreApplication::applicationDirPath() + '/');
    QCOMPARE(document.dataFolder, document.lastFolder + "Data/");
}

void TestMainWindow::addBackslash_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/opt/kalvo"
                           << "/opt/kalvo/";
    QTest::newRow("already") << "/opt/kalvo/"
                             << "/opt/kalvo/";
    QTest::newRow("root") << "/"
                          << "/";
    QTest::newRow("empty") << ""
                           << "/";
}

void TestMainWindow::addBackslash()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(DocumentCommands::withSeparator(path), expected);
}

void TestMainWindow::lowercaseXReachesWindow_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("canvas") << "SrcDc";
    QTest::newRow("scroll bar") << "vBar";
    QTest::newRow("no focus") << "";
}

void TestMainWindow::lowercaseXReachesWindow()
{
    QFETCH(QString, focus);
    showWindow();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QWidget *target = m_window.get();
    if (!focus.isEmpty()) {
        target = m_window->findChild<QWidget *>(focus);
        target->setFocusPolicy(Qt::StrongFocus);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
    } else if (QApplication::focusWidget()) {
        QApplication::focusWidget()->clearFocus();
    }
    QSignalSpy swaps(m_window.get(), &MainWindow::swapColoursRequested);

    QTest::keyClick(target, 'X', Qt::ShiftModifier);
    QCOMPARE(swaps.size(), 0);
    QTest::keyClick(target, 'x');
    QCOMPARE(swaps.size(), 1);
    QTest::keyClick(target, 'y');
    QCOMPARE(swaps.size(), 1);
}

void TestMainWindow::textFieldOfDialogKeepsX()
{
    showWindow();
    QDialog dialog(m_window.get());
    auto *field = new QLineEdit(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(field);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    QSignalSpy swaps(m_window.get(), &MainWindow::swapColoursRequested);

    QTest::keyClick(field, 'x');
    QCOMPARE(swaps.size(), 0);
    QCOMPARE(field->text(), QStringLiteral("x"));
}

void TestMainWindow::exitClosesAtOnce()
{
    showWindow();
    m_editor->document().canvas().setPixel(1, 1, 0);
    m_window->findChild<QAction *>("mnuExit")->trigger();
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_dialogs->requests.empty());
}

namespace {

QString spoken(QWidget *widget, QAccessible::Text kind)
{
    return QAccessible::queryAccessibleInterface(widget)->text(kind);
}

} // namespace

// A label is read as the text it shows; a text box or list is named by the
// label before it and read out with its content as the value.
void TestMainWindow::fieldsReadWhatTheyShow()
{
    NewImageDialog newDialog(0x00000000, 0x00FFFFFF, *m_dialogs);
    ScaleDialog scaleDialog(QSize(760, 568), *m_dialogs);
    for (QWidget *top :
         std::initializer_list<QWidget *>{m_window.get(), &newDialog, &scaleDialog}) {
        QHash<QWidget *, QString> labelOf;
        for (QLabel *label : top->findChildren<QLabel *>()) {
            QCOMPARE(spoken(label, QAccessible::Name), label->text());
            if (label->buddy())
                labelOf.insert(label->buddy(), label->text());
        }
        for (QLineEdit *box : top->findChildren<QLineEdit *>()) {
            QCOMPARE(spoken(box, QAccessible::Name), labelOf.value(box, "(no label)"));
            QCOMPARE(spoken(box, QAccessible::Value), box->text());
        }
        QSet<QString> readings;
        for (QComboBox *list : top->findChildren<QComboBox *>()) {
            QCOMPARE(spoken(list, QAccessible::Name), labelOf.value(list, "(no label)"));
            QCOMPARE(spoken(list, QAccessible::Value), list->currentText());
            // Two lists of one caption tell themselves apart by what they do.
            const QString reading =
                spoken(list, QAccessible::Name) + u'|' + spoken(list, QAccessible::Description);
            QVERIFY2(!readings.contains(reading), qPrintable(reading));
            readings.insert(reading);
            // On Linux the value reaches a screen reader as the selected item.
            QAccessibleInterface *items = QAccessible::queryAccessibleInterface(list)->child(0);
            for (int choice : {list->count() - 1, 0}) {
                list->setCurrentIndex(choice);
                for (int i = 0; i < list->count(); ++i)
                    QCOMPARE(items->child(i)->state().selected, i == choice);
            }
        }
    }
}

// What a panel shows is its name, what it is its description.
void TestMainWindow::statusPanelsReadTheirValues()
{
    const QStringList purposes{"状态", "鼠标位置", "图像大小"};
    for (int panel = 1; panel <= 3; ++panel) {
        auto *label = m_window->findChild<QLabel *>(QStringLiteral("sBar1Panel%1").arg(panel));
        QCOMPARE(spoken(label, QAccessible::Name), m_window->statusPanel(panel));
        m_window->setStatusPanel(panel, QStringLiteral("120,%1").arg(panel));
        QCOMPARE(spoken(label, QAccessible::Name), QStringLiteral("120,%1").arg(panel));
        QCOMPARE(spoken(label, QAccessible::Description), purposes.at(panel - 1));
    }
}

KALVO_TEST(TestMainWindow)
#include "tst_main_window.moc"
