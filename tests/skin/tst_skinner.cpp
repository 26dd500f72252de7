#include "testmain.h"

#include "app/editor.h"
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "skin/skin_images.h"
#include "skin/skinner.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace {

int prop(const QObject *widget, const char *name)
{
    return widget->property(name).toInt();
}

QRgb pixelOf(QWidget *widget, QPoint at)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(at);
}

// One synthetic step of a user, by name, at a point of the widget.
void act(QWidget *widget, const QString &step, QPoint at = QPoint(10, 10))
{
    auto mouse = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    };
    auto key = [&](QEvent::Type type) {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(widget, &event);
    };
    if (step == QLatin1String("enter")) {
        QEnterEvent event(at, at, widget->mapToGlobal(at));
        QCoreApplication::sendEvent(widget, &event);
    } else if (step == QLatin1String("hover")) {
        QHoverEvent event(QEvent::HoverMove, at, widget->mapToGlobal(at), at);
        QCoreApplication::sendEvent(widget, &event);
    } else if (step == QLatin1String("move")) {
        mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    } else if (step == QLatin1String("held")) {
        mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    } else if (step == QLatin1String("press")) {
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    } else if (step == QLatin1String("double")) {
        mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    } else if (step == QLatin1String("release")) {
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    } else if (step == QLatin1String("leave")) {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(widget, &event);
    } else if (step == QLatin1String("space")) {
        key(QEvent::KeyPress);
    } else if (step == QLatin1String("space up")) {
        key(QEvent::KeyRelease);
    } else if (step == QLatin1String("focus")) {
        QFocusEvent event(QEvent::FocusIn);
        QCoreApplication::sendEvent(widget, &event);
    } else if (step == QLatin1String("disable")) {
        widget->setEnabled(false);
    } else if (step == QLatin1String("enable")) {
        widget->setEnabled(true);
    } else if (step == QLatin1String("tick")) {
        QTimerEvent event(prop(widget, "TIMERID"));
        QCoreApplication::sendEvent(widget, &event);
    } else {
        QFAIL(qPrintable(step));
    }
}

// Steps written "enter, press@110:10, release": a point after "@".
void play(QWidget *widget, const QString &steps)
{
    for (const QString &step : steps.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = step.trimmed().split(QLatin1Char('@'));
        QPoint at(10, 10);
        if (parts.size() == 2) {
            const QStringList xy = parts[1].split(QLatin1Char(':'));
            at = QPoint(xy[0].toInt(), xy[1].toInt());
        }
        act(widget, parts[0], at);
    }
}

// Sends the fade's timer events until it stops; how many it took.
int ticksToRest(QWidget *button)
{
    int ticks = 0;
    while (prop(button, "TIMERID") != 0 && ticks < 1000) {
        act(button, QStringLiteral("tick"));
        ++ticks;
    }
    return ticks;
}

// Swallows the mouse presses the engine has seen, so that a combo does not
// open its list in the middle of a test.
class PressEater : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::MouseButtonPress ||
               event->type() == QEvent::MouseButtonRelease;
    }
};

} // namespace

class TestSkinner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void lifecycle();
    void buttonMachine_data();
    void buttonMachine();
    void fades_data();
    void fades();
    void buttonLooks_data();
    void buttonLooks();
    void fadeRepaintsOnlyTheButton();
    void destroyedMidFade();
    void destroyedWithTheFocus_data();
    void destroyedWithTheFocus();
    void keyboardAndAccessibility();
    void comboMachine_data();
    void comboMachine();
    void markMachine_data();
    void markMachine();
    void releaseRefreshesMarks();
    void headerMachine_data();
    void headerMachine();
    void frames_data();
    void frames();
    void newWindowsSkinnedBeforePaint();
    void mainWindowInstallsAndRemoves();

private:
    template <typename Widget> Widget *add(QRect geometry)
    {
        auto *widget = new Widget(m_dialog.get());
        widget->setGeometry(geometry);
        return widget;
    }

    std::unique_ptr<QDialog> m_dialog;
};

void TestSkinner::init()
{
    m_dialog = std::make_unique<QDialog>();
    m_dialog->resize(320, 240);
}

void TestSkinner::cleanup()
{
    m_dialog.reset();
    QCOMPARE(Skin::skinnedWidgetCount(), 0);
    QVERIFY(!Skin::sharedImages());
}

void TestSkinner::lifecycle()
{
    add<QPushButton>(QRect(10, 10, 75, 25));
    add<QLineEdit>(QRect(10, 40, 75, 25));
    QWidget outside;
    QCOMPARE(Skin::install(m_dialog.get()), 1);
    QCOMPARE(Skin::skinnedWidgetCount(), 3);
    const SkinImages *images = Skin::sharedImages();
    QVERIFY(images);
    QCOMPARE(Skin::skinWindow(m_dialog.get()), 0);
    QCOMPARE(Skin::install(nullptr), 0);
    QCOMPARE(Skin::unskinWindow(&outside), 0);
    QCOMPARE(Skin::skinnedWidgetCount(), 3);
    // Unskinning the dialog takes its controls with it and releases the images;
    // installing again builds them anew.
    QCOMPARE(Skin::uninstall(m_dialog.get()), 1);
    QCOMPARE(Skin::skinnedWidgetCount(), 0);
    QVERIFY(!Skin::sharedImages());
    QCOMPARE(prop(m_dialog.get(), "PROCADDR"), 0);
    QCOMPARE(Skin::install(m_dialog.get()), 1);
    QVERIFY(Skin::sharedImages());
    // Destroying a skinned control counts it out.
    delete m_dialog->findChild<QLineEdit *>();
    QCOMPARE(Skin::skinnedWidgetCount(), 2);
}

void TestSkinner::buttonMachine_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("alpha");
    QTest::addColumn<int>("mouseFlag");
    QTest::addColumn<bool>("fading");
    QTest::newRow("skinned") << "" << 0 << 0 << 0 << false;
    QTest::newRow("hover fades in") << "enter" << 1 << 0 << 1 << true;
    QTest::newRow("hover arms once") << "enter, tick, hover" << 1 << 3 << 1 << true;
    QTest::newRow("hover after release") << "press, release, hover" << 1 << 0 << 1 << true;
    QTest::newRow("press at once") << "enter, press" << 2 << 0 << 1 << false;
    QTest::newRow("double-click at once") << "double" << 2 << 0 << 0 << false;
    QTest::newRow("release fades from 60") << "enter, press, release" << 0 << 60 << 0 << true;
    QTest::newRow("leave fades normal") << "enter, leave" << 0 << 0 << 0 << true;
    QTest::newRow("held off the button") << "enter, press, held@-5:-5" << 2 << 255 << 1 << false;
    QTest::newRow("space down") << "enter, space" << 2 << 0 << 1 << false;
    QTest::newRow("space up") << "enter, space, space up" << 0 << 0 << 0 << true;
    QTest::newRow("focus") << "focus" << 0 << 0 << 0 << true;
    QTest::newRow("disabled") << "disable" << 3 << 0 << 0 << false;
    QTest::newRow("disabled stays disabled") << "disable, enter, tick" << 3 << 3 << 1 << true;
    QTest::newRow("enabled again") << "disable, enable" << 0 << 0 << 0 << false;
}

void TestSkinner::buttonMachine()
{
    QFETCH(QString, steps);
    QFETCH(int, state);
    QFETCH(int, alpha);
    QFETCH(int, mouseFlag);
    QFETCH(bool, fading);
    auto *button = add<QPushButton>(QRect(10, 10, 75, 25));
    Skin::install(m_dialog.get());
    play(button, steps);
    QCOMPARE(prop(button, "OLDSTATE"), state);
    QCOMPARE(prop(button, "ALPHALEVEL"), alpha);
    QCOMPARE(prop(button, "MOUSEFLAG"), mouseFlag);
    QCOMPARE(prop(button, "TIMERID") != 0, fading);
    QCOMPARE(prop(button, "PROCADDR"), 1);
}

void TestSkinner::fades_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("ticks");
    QTest::newRow("hover from 0") << "enter" << 86;
    QTest::newRow("release from 60") << "enter, press, release" << 66;
    QTest::newRow("leave from 0") << "enter, leave" << 86;
    QTest::newRow("restarting keeps one timer") << "enter, leave, enter" << 86;
}

void TestSkinner::fades()
{
    QFETCH(QString, steps);
    QFETCH(int, ticks);
    auto *button = add<QPushButton>(QRect(10, 10, 75, 25));
    Skin::install(m_dialog.get());
    play(button, steps);
    const int timer = prop(button, "TIMERID");
    QVERIFY(timer != 0);
    QCOMPARE(QAbstractEventDispatcher::instance()->registeredTimers(button).size(), 1);
    QCOMPARE(ticksToRest(button), ticks);
    QCOMPARE(prop(button, "ALPHALEVEL"), 0);
    QVERIFY(QAbstractEventDispatcher::instance()->registeredTimers(button).isEmpty());
}

void TestSkinner::buttonLooks_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("frame");
    QTest::newRow("normal") << "" << 0;
    QTest::newRow("hover") << "enter" << 1;
    QTest::newRow("pressed") << "press" << 2;
    QTest::newRow("disabled") << "disable" << 3;
    QTest::newRow("back to normal") << "enter, leave" << 0;
}

void TestSkinner::buttonLooks()
{
    QFETCH(QString, steps);
    QFETCH(int, frame);
    auto *button = add<QPushButton>(QRect(10, 10, 75, 25));
    button->setText(QStringLiteral("确定"));
    Skin::install(m_dialog.get());
    const QImage &frames = Skin::sharedImages()->buttonImage;
    // Row 12 of a 25-pixel button shows row 10 of its frame; column 1 tells
    // the states apart, column 0 is the border.
    const QRgb normal = frames.pixel(1, 10);
    const QRgb expected = frames.pixel(1, 21 * frame + 10);
    QCOMPARE(pixelOf(button, QPoint(1, 12)), normal);
    play(button, steps);
    if (prop(button, "TIMERID") != 0 && expected != normal) {
        // Part way through, each channel lies between the two looks.
        for (int i = 0; i < 10; ++i)
            act(button, QStringLiteral("tick"));
        const QRgb between = pixelOf(button, QPoint(1, 12));
        for (const int shift : {0, 8, 16}) {
            const int a = (normal >> shift) & 0xFF, b = (expected >> shift) & 0xFF;
            const int c = (between >> shift) & 0xFF;
            QVERIFY(c >= std::min(a, b) && c <= std::max(a, b));
        }
        QVERIFY(between != expected);
    }
    ticksToRest(button);
    QCOMPARE(pixelOf(button, QPoint(1, 12)), expected);
    QCOMPARE(pixelOf(button, QPoint(0, 12)), frames.pixel(0, 21 * frame + 10));
}

void TestSkinner::fadeRepaintsOnlyTheButton()
{
    auto *button = add<QPushButton>(QRect(10, 10, 75, 25));
    add<QPushButton>(QRect(100, 10, 75, 25));
    add<QLineEdit>(QRect(10, 50, 75, 25));
    Skin::install(m_dialog.get());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));

    // Every paint from now on, as a region of the dialog.
    struct Recorder : QObject {
        QRegion painted;
        QWidget *dialog = nullptr;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Paint) {
                auto *widget = static_cast<QWidget *>(watched);
                painted += static_cast<QPaintEvent *>(event)->region().translated(
                    widget->mapTo(dialog, QPoint(0, 0)));
            }
            return false;
        }
    } recorder;
    recorder.dialog = m_dialog.get();
    // Whatever showing asked for is painted first.
    m_dialog->repaint();
    QCoreApplication::processEvents();
    m_dialog->installEventFilter(&recorder);
    for (QWidget *child : m_dialog->findChildren<QWidget *>())
        child->installEventFilter(&recorder);

    act(button, QStringLiteral("enter"));
    for (int i = 0; i < 20; ++i)
        act(button, QStringLiteral("tick"));
    QTRY_VERIFY(!recorder.painted.isEmpty());
    QVERIFY((recorder.painted - QRegion(button->geometry())).isEmpty());
}

void TestSkinner::destroyedWithTheFocus_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("alone");
    for (const char *kind : {"button", "combo", "check box", "option button"}) {
        QTest::addRow("%s with its dialog", kind) << kind << false;
        QTest::addRow("%s alone", kind) << kind << true;
    }
}

// A focused control loses the focus in QWidget's destructor, when it is no
// longer what it was skinned as: the skin must leave it alone (the sanitizers
// catch a cast to its family's class then).
void TestSkinner::destroyedWithTheFocus()
{
    QFETCH(QString, kind);
    QFETCH(bool, alone);
    const QRect place(10, 10, 90, 25);
    QWidget *control = kind == "button"      ? static_cast<QWidget *>(add<QPushButton>(place))
                       : kind == "combo"     ? static_cast<QWidget *>(add<QComboBox>(place))
                       : kind == "check box" ? static_cast<QWidget *>(add<QCheckBox>(place))
                                             : static_cast<QWidget *>(add<QRadioButton>(place));
    auto *other = add<QPushButton>(QRect(10, 50, 75, 25));
    Skin::install(m_dialog.get());
    m_dialog->show();
    QApplication::setActiveWindow(m_dialog.get());
    control->setFocus();
    QVERIFY(control->hasFocus());
    act(control, QStringLiteral("enter"));
    if (alone) {
        delete control;
        QCOMPARE(Skin::skinnedWidgetCount(), 2);
        other->setFocus();
        QVERIFY(other->hasFocus());
    }
    m_dialog.reset();
}

void TestSkinner::destroyedMidFade()
{
    auto *button = add<QPushButton>(QRect(10, 10, 75, 25));
    add<QPushButton>(QRect(100, 10, 75, 25));
    Skin::install(m_dialog.get());
    act(button, QStringLiteral("enter"));
    act(button, QStringLiteral("tick"));
    QVERIFY(prop(button, "TIMERID") != 0);
    delete button;
    QCOMPARE(Skin::skinnedWidgetCount(), 2);
    // The event loop runs on with nothing left to deliver to the button.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

void TestSkinner::keyboardAndAccessibility()
{
    auto *button = add<QPushButton>(QRect(10, 10, 75, 25));
    button->setText(QStringLiteral("确定"));
    Skin::install(m_dialog.get());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    button->setFocus();
    QSignalSpy clicks(button, &QPushButton::clicked);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicks.size(), 2);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("确定"));
    QCOMPARE(accessible->role(), QAccessible::Button);
}

void TestSkinner::comboMachine_data()
{
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("mouseFlag");
    // The combo is 120 x 24: its button zone is x 104..118, y 2..22.
    QTest::newRow("list: enter") << false << "enter" << 1 << 1;
    QTest::newRow("list: held") << false << "held" << 2 << 1;
    QTest::newRow("list: press") << false << "press" << 2 << 0;
    QTest::newRow("list: release over") << false << "press, release" << 1 << 0;
    QTest::newRow("list: release off") << false << "press, release@-5:30" << 0 << 0;
    QTest::newRow("list: leave") << false << "enter, leave" << 0 << 0;
    QTest::newRow("edit: off the zone") << true << "enter@50:10" << 0 << 1;
    QTest::newRow("edit: in the zone") << true << "hover@110:10" << 1 << 1;
    QTest::newRow("edit: held in zone") << true << "held@110:10" << 2 << 1;
    QTest::newRow("edit: edge of zone") << true << "hover@103:10, hover@104:2" << 1 << 1;
    QTest::newRow("edit: press off zone") << true << "hover@110:10, press@50:10" << 1 << 1;
    QTest::newRow("edit: press in zone") << true << "press@110:10" << 2 << 0;
}

void TestSkinner::comboMachine()
{
    QFETCH(bool, editable);
    QFETCH(QString, steps);
    QFETCH(int, state);
    QFETCH(int, mouseFlag);
    auto *combo = add<QComboBox>(QRect(10, 10, 120, 24));
    combo->setEditable(editable);
    combo->addItems({QStringLiteral("一"), QStringLiteral("二")});
    PressEater eater;
    combo->installEventFilter(&eater);
    Skin::install(m_dialog.get());
    play(combo, steps);
    QCOMPARE(prop(combo, "OLDSTATE"), state);
    QCOMPARE(prop(combo, "MOUSEFLAG"), mouseFlag);
}

void TestSkinner::markMachine_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("state");
    for (const bool option : {false, true}) {
        const char *kind = option ? "option" : "check";
        QTest::addRow("%s: hover", kind) << option << "hover" << 1;
        QTest::addRow("%s: held", kind) << option << "held" << 2;
        QTest::addRow("%s: press", kind) << option << "hover, press" << 2;
        QTest::addRow("%s: release", kind) << option << "hover, press, release" << 0;
        QTest::addRow("%s: leave", kind) << option << "hover, leave" << 0;
        QTest::addRow("%s: space", kind) << option << "space" << 2;
        QTest::addRow("%s: space up", kind) << option << "space, space up" << 0;
        // Only an option button goes back to normal with the focus.
        QTest::addRow("%s: focus", kind) << option << "hover, focus" << (option ? 0 : 1);
    }
}

void TestSkinner::markMachine()
{
    QFETCH(bool, option);
    QFETCH(QString, steps);
    QFETCH(int, state);
    QAbstractButton *button =
        option ? static_cast<QAbstractButton *>(add<QRadioButton>(QRect(10, 10, 80, 20)))
               : add<QCheckBox>(QRect(10, 10, 80, 20));
    button->setText(QStringLiteral("选项"));
    Skin::install(m_dialog.get());
    play(button, steps);
    QCOMPARE(prop(button, "OLDSTATE"), state);
    // What the square or circle shows inside follows the state.
    const QImage &images = Skin::sharedImages()->optionImage;
    const QRgb expected = option       ? images.pixel(6, 13 * state + 2)
                          : state == 0 ? qRgb(255, 255, 255)
                                       : images.pixel(6, state == 1 ? 17 : 30);
    QCOMPARE(pixelOf(button, QPoint(6, 5)), expected);
}

void TestSkinner::releaseRefreshesMarks()
{
    auto *first = add<QRadioButton>(QRect(10, 10, 80, 20));
    auto *second = add<QRadioButton>(QRect(10, 40, 80, 20));
    auto *box = add<QCheckBox>(QRect(10, 70, 80, 20));
    Skin::install(m_dialog.get());
    play(second, QStringLiteral("hover"));
    play(box, QStringLiteral("hover"));
    QCOMPARE(prop(box, "OLDSTATE"), 1);
    play(first, QStringLiteral("press, release"));
    QVERIFY(first->isChecked());
    for (QWidget *mark : {static_cast<QWidget *>(first), static_cast<QWidget *>(second),
                          static_cast<QWidget *>(box)})
        QCOMPARE(prop(mark, "OLDSTATE"), 0);
}

void TestSkinner::headerMachine_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("hot");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("look"); // of item 1
    // Items are 100 wide: item 1 spans x 100..200.
    QTest::newRow("hover") << "move@150:5" << 1 << -1 << 1;
    QTest::newRow("hover moves on") << "move@150:5, move@50:5" << 0 << -1 << 0;
    QTest::newRow("press") << "move@150:5, press@150:5" << 1 << 1 << 2;
    QTest::newRow("release over") << "move@150:5, press@150:5, release@160:5" << 1 << -1 << 1;
    QTest::newRow("release elsewhere")
        << "move@150:5, press@150:5, release@150:-40" << 1 << -1 << 0;
    QTest::newRow("leave") << "move@150:5, leave" << -1 << -1 << 0;
    QTest::newRow("pressed and hot") << "move@150:5, press@150:5, held@150:5" << 1 << 1 << 2;
}

void TestSkinner::headerMachine()
{
    QFETCH(QString, steps);
    QFETCH(int, hot);
    QFETCH(int, pressed);
    QFETCH(int, look);
    auto *tree = add<QTreeWidget>(QRect(10, 10, 300, 120));
    tree->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("大小"), QStringLiteral("类型")});
    QHeaderView *header = tree->header();
    header->setStretchLastSection(false);
    for (int i = 0; i < 3; ++i)
        header->resizeSection(i, 100);
    Skin::install(m_dialog.get());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    play(header->viewport(), steps);
    QCOMPARE(prop(header, "HMINDEX"), hot);
    QCOMPARE(prop(header, "HDINDEX"), pressed);
    const QImage &frames = Skin::sharedImages()->headerImage;
    QCOMPARE(pixelOf(header->viewport(), QPoint(102, 1)), frames.pixel(3 * look + 1, 1));
}

void TestSkinner::frames_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QRgb>("outer");
    QTest::addColumn<QRgb>("inner");
    const QRgb base = QApplication::palette().color(QPalette::Base).rgb();
    QTest::newRow("text box") << "edit" << true << qRgb(84, 165, 213) << base;
    QTest::newRow("disabled text box")
        << "edit" << false << qRgb(164, 207, 233)
        << QApplication::palette().color(QPalette::Disabled, QPalette::Base).rgb();
    QTest::newRow("list") << "list" << true << qRgb(84, 165, 213) << base;
    QTest::newRow("empty progress")
        << "progress 0" << true << qRgb(84, 165, 213) << qRgb(255, 255, 255);
    QTest::newRow("full progress")
        << "progress 100" << true << qRgb(84, 165, 213) << qRgb(76, 214, 246);
    QTest::newRow("combo") << "combo" << true << qRgb(84, 165, 213) << qRgb(255, 255, 255);
    QTest::newRow("disabled combo")
        << "combo" << false << qRgb(164, 207, 233) << qRgb(255, 255, 255);
}

void TestSkinner::frames()
{
    QFETCH(QString, kind);
    QFETCH(bool, enabled);
    QFETCH(QRgb, outer);
    QFETCH(QRgb, inner);
    QWidget *widget = nullptr;
    const QRect place(10, 10, 120, 40);
    if (kind == QLatin1String("edit")) {
        widget = add<QLineEdit>(place);
    } else if (kind == QLatin1String("list")) {
        widget = add<QListWidget>(place);
    } else if (kind.startsWith(QLatin1String("progress"))) {
        auto *bar = add<QProgressBar>(place);
        bar->setValue(kind.section(QLatin1Char(' '), 1).toInt());
        widget = bar;
    } else {
        widget = add<QComboBox>(place);
    }
    widget->setEnabled(enabled);
    Skin::install(m_dialog.get());
    QCOMPARE(pixelOf(widget, QPoint(0, 20)), outer);
    QCOMPARE(pixelOf(widget, QPoint(1, 20)), inner);
}

void TestSkinner::newWindowsSkinnedBeforePaint()
{
    // Any dialog Qt polishes now is taken over, shown or not: only ours here.
    m_dialog.reset();
    QMainWindow main;
    Skin::install(&main);
    // Whether each widget was skinned when it was first painted.
    struct FirstPaint : QObject {
        std::map<const QObject *, bool> skinned;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && skinned.count(watched) == 0)
                skinned[watched] = watched->property("PROCADDR").toInt() != 0;
            return false;
        }
    } first;
    auto *box =
        new QMessageBox(QMessageBox::Question, QStringLiteral("标题"), QStringLiteral("确定吗?"),
                        QMessageBox::Yes | QMessageBox::No, &main);
    QAbstractButton *yes = box->button(QMessageBox::Yes);
    qApp->installEventFilter(&first);
    box->show();
    QTRY_VERIFY(first.skinned.count(yes) != 0);
    qApp->removeEventFilter(&first);
    QVERIFY(first.skinned[yes]);
    QCOMPARE(prop(box, "PROCADDR"), 1);

    // A combo's list is skinned when it opens and lets its button go on closing.
    auto *combo = new QComboBox(box);
    combo->addItems({QStringLiteral("一"), QStringLiteral("二")});
    combo->show();
    QCOMPARE(prop(combo, "PROCADDR"), 1);
    combo->showPopup();
    QWidget *list = combo->view()->window();
    QCOMPARE(prop(list, "PROCADDR"), 1);
    play(combo, QStringLiteral("leave"));
    QCOMPARE(prop(combo, "OLDSTATE"), 2);
    combo->hidePopup();
    QTRY_COMPARE(prop(combo, "OLDSTATE"), 0);
    delete box;
    QCOMPARE(Skin::skinnedWidgetCount(), 1);
    Skin::uninstall(&main);
}

void TestSkinner::mainWindowInstallsAndRemoves()
{
    ScriptedDialogs dialogs;
    Editor editor(dialogs);
    auto window = std::make_unique<MainWindow>(editor);
    window->startUp();
    QCOMPARE(prop(window.get(), "PROCADDR"), 1);
    auto *undo = window->findChild<QPushButton *>(QStringLiteral("Command1"));
    QVERIFY(undo);
    QCOMPARE(prop(undo, "PROCADDR"), 1);
    QVERIFY(Skin::skinnedWidgetCount() > 20);
    window->close();
    QCOMPARE(prop(undo, "PROCADDR"), 0);
    QCOMPARE(Skin::skinnedWidgetCount(), 0);
    QVERIFY(!Skin::sharedImages());
}

KALVO_TEST(TestSkinner)
#include "tst_skinner.moc"
