#include "testmain.h"

#include "app/main_window.h"
#include "command_rig.h"
#include "controls/canvas_view.h"
#include "controls/colour_palette.h"

#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include <memory>

namespace {

constexpr Colour White = 0x00FFFFFF;
constexpr Colour Red = 0x000000FF;
constexpr Colour Blue = 0x00FF0000;
constexpr Colour Yellow = 0x0000FFFF;

// Drawn first, so that an Undo that wiped everything shows.
const QPoint LineAt{5, 300};
// The outline of the box the tests draw and undo.
const QPoint BoxCorner{10, 10};
const QPoint BoxInside{30, 25};

// Every pixel of the canvas is colour.
bool allOf(const Surface &canvas, Colour colour)
{
    QImage expected(canvas.size(), canvas.image().format());
    expected.fill(toQRgb(colour));
    return canvas.image() == expected;
}

} // namespace

class TestUndoCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void undoAndRedo_data();
    void undoAndRedo();
    void emptyHolderClearsToBackColour_data();
    void emptyHolderClearsToBackColour();
    void laterChangeIsLost();
    void restoreBringsBackSize_data();
    void restoreBringsBackSize();
    void clear_data();
    void clear();
    void commandButtons_data();
    void commandButtons();
    void topStripShowsControls();
    void paletteInTopStrip();
    void typedXSwapsColours_data();
    void typedXSwapsColours();

private:
    Surface &canvas() { return m_rig->canvas(); }
    // A window on the rig's editor, made when a test first asks for it.
    MainWindow &window();
    // One mouse action on the canvas as the press and release handlers take
    // it: before-picture, drawing, after-picture.
    void drawAction(Colour colour, QPointF from, QPointF to);
    // Runs the command by its menu item, or by its button in the window when
    // button is set.
    void run(QChar command, bool button);
    void showWindow();

    std::unique_ptr<CommandRig> m_rig;
    std::unique_ptr<MainWindow> m_window;
};

void TestUndoCommands::init()
{
    m_rig = std::make_unique<CommandRig>();
}

void TestUndoCommands::cleanup()
{
    m_window.reset();
    m_rig.reset();
}

MainWindow &TestUndoCommands::window()
{
    if (!m_window) {
        m_window = std::make_unique<MainWindow>(m_rig->editor);
        m_window->startUp();
    }
    return *m_window;
}

void TestUndoCommands::drawAction(Colour colour, QPointF from, QPointF to)
{
    m_rig->document().undo().takeBefore();
    canvas().line(from, to, colour, Surface::LineForm::Box);
    m_rig->document().undo().takeAfter();
}

void TestUndoCommands::run(QChar command, bool button)
{
    static const QHash<QChar, std::pair<const char *, const char *>> names{
        {'U', {"CX", "Command1"}}, {'R', {"HH", "Command2"}}, {'C', {"mnuClear", "Command3"}}};
    const auto [item, pushButton] = names.value(command);
    if (button)
        window().findChild<QPushButton *>(pushButton)->click();
    else
        QVERIFY(m_rig->run(QString::fromLatin1(item)));
}

void TestUndoCommands::showWindow()
{
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestUndoCommands::undoAndRedo_data()
{
    QTest::addColumn<QString>("commands");
    QTest::addColumn<bool>("boxShown");

    QTest::newRow("undo") << "U" << false;
    QTest::newRow("undo, redo") << "UR" << true;
    QTest::newRow("undo twice") << "UU" << false;
    QTest::newRow("redo twice") << "RR" << true;
    QTest::newRow("undo, redo, undo") << "URU" << false;
}

void TestUndoCommands::undoAndRedo()
{
    QFETCH(QString, commands);
    QFETCH(bool, boxShown);

    drawAction(Blue, LineAt, LineAt + QPoint(20, 0));
    drawAction(Red, BoxCorner, QPoint(50, 40));
    for (const QChar command : std::as_const(commands))
        run(command, false);

    QCOMPARE(canvas().getPixel(BoxCorner.x(), BoxCorner.y()), boxShown ? Red : White);
    QCOMPARE(canvas().getPixel(50, 40), boxShown ? Red : White);
    QCOMPARE(canvas().getPixel(BoxInside.x(), BoxInside.y()), White);
    QCOMPARE(canvas().getPixel(LineAt.x(), LineAt.y()), Blue);
    QCOMPARE(canvas().size(), QSize(760, 568));
    QVERIFY(m_rig->dialogs.requests.empty());
}

void TestUndoCommands::emptyHolderClearsToBackColour_data()
{
    QTest::addColumn<QChar>("command");
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<Colour>("backColour");

    QTest::newRow("undo at start-up") << QChar('U') << false << White;
    QTest::newRow("redo at start-up") << QChar('R') << false << White;
    QTest::newRow("undo at start-up, yellow") << QChar('U') << false << Yellow;
    QTest::newRow("undo after clear") << QChar('U') << true << White;
    QTest::newRow("redo after clear, yellow") << QChar('R') << true << Yellow;
}

void TestUndoCommands::emptyHolderClearsToBackColour()
{
    QFETCH(QChar, command);
    QFETCH(bool, clearFirst);
    QFETCH(Colour, backColour);

    canvas().setBackColour(backColour);
    QVERIFY(canvas().setSize(300, 200));
    if (clearFirst) {
        drawAction(Red, BoxCorner, QPoint(50, 40));
        m_rig->dialogs.answers.push_back(true);
        run('C', false);
    }
    // Drawn by hand, as a filter does, with no snapshot.
    canvas().line(BoxCorner, QPoint(60, 60), Blue, Surface::LineForm::FilledBox);

    run(command, false);

    QCOMPARE(canvas().size(), QSize(300, 200));
    QVERIFY(allOf(canvas(), backColour));
}

void TestUndoCommands::laterChangeIsLost()
{
    drawAction(Blue, LineAt, LineAt + QPoint(20, 0));
    drawAction(Red, BoxCorner, QPoint(50, 40));
    QImage inverted = canvas().image();
    inverted.invertPixels();
    QVERIFY(canvas().setPicture(inverted));
    QCOMPARE(canvas().getPixel(BoxInside.x(), BoxInside.y()), Colour(0));

    run('U', false);
    QCOMPARE(canvas().getPixel(BoxCorner.x(), BoxCorner.y()), White);
    QCOMPARE(canvas().getPixel(BoxInside.x(), BoxInside.y()), White);
    QCOMPARE(canvas().getPixel(LineAt.x(), LineAt.y()), Blue);

    run('R', false);
    QCOMPARE(canvas().getPixel(BoxCorner.x(), BoxCorner.y()), Red);
    QCOMPARE(canvas().getPixel(BoxInside.x(), BoxInside.y()), White);
    QCOMPARE(canvas().getPixel(LineAt.x(), LineAt.y()), Blue);
}

void TestUndoCommands::restoreBringsBackSize_data()
{
    QTest::addColumn<QChar>("command");
    QTest::addColumn<bool>("boxShown");

    QTest::newRow("undo") << QChar('U') << false;
    QTest::newRow("redo") << QChar('R') << true;
}

void TestUndoCommands::restoreBringsBackSize()
{
    QFETCH(QChar, command);
    QFETCH(bool, boxShown);

    showWindow();
    QScrollBar *hBar = window().horizontalBar();
    QScrollBar *vBar = window().verticalBar();
    const int hMaximum = hBar->maximum();
    const int vMaximum = vBar->maximum();
    QVERIFY(vMaximum > 0);
    drawAction(Blue, LineAt, LineAt + QPoint(20, 0));
    drawAction(Red, BoxCorner, QPoint(50, 40));
    // A new 200 x 200 canvas, as New makes it.
    QVERIFY(canvas().setPicture(QImage()));
    QVERIFY(canvas().setSize(200, 200));
    QCOMPARE(vBar->maximum(), 0);

    run(command, false);

    QCOMPARE(canvas().size(), QSize(760, 568));
    QCOMPARE(canvas().getPixel(LineAt.x(), LineAt.y()), Blue);
    QCOMPARE(canvas().getPixel(BoxCorner.x(), BoxCorner.y()), boxShown ? Red : White);
    QCOMPARE(window().statusPanel(3), QStringLiteral("760x568"));
    QCOMPARE(hBar->maximum(), hMaximum);
    QCOMPARE(vBar->maximum(), vMaximum);
    QVERIFY(vBar->isEnabled());
    QCOMPARE(window().canvasView()->pictureRect().size(), QSize(760, 568));
}

void TestUndoCommands::clear_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("button");

    QTest::newRow("menu, no") << false << false;
    QTest::newRow("menu, yes") << true << false;
    QTest::newRow("button, no") << false << true;
    QTest::newRow("button, yes") << true << true;
}

void TestUndoCommands::clear()
{
    QFETCH(bool, answer);
    QFETCH(bool, button);

    canvas().setBackColour(Yellow);
    QVERIFY(canvas().setSize(300, 200));
    drawAction(Red, BoxCorner, QPoint(50, 40));
    const QImage drawn = canvas().image();
    m_rig->dialogs.answers.push_back(answer);

    run('C', button);

    const auto asked = m_rig->dialogs.of(QStringLiteral("yesno"));
    QCOMPARE(asked.size(), std::size_t(1));
    QCOMPARE(asked[0].text, QStringLiteral("确定要消除当前图像吗?"));
    QCOMPARE(asked[0].title, QStringLiteral("清除图像"));
    QCOMPARE(asked[0].icon, CommonDialogs::Icon::None);
    QCOMPARE(m_rig->dialogs.requests.size(), std::size_t(1));
    QCOMPARE(canvas().size(), QSize(300, 200));
    QCOMPARE(canvas().backColour(), Yellow);
    QCOMPARE(m_rig->document().undo().before().isNull(), answer);
    QCOMPARE(m_rig->document().undo().after().isNull(), answer);
    if (answer)
        QVERIFY(allOf(canvas(), Yellow));
    else
        QCOMPARE(canvas().image(), drawn);
}

void TestUndoCommands::commandButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("undo") << "Command1" << 560 << "撤消"
                          << "撤消当前动作";
    QTest::newRow("redo") << "Command2" << 608 << "恢复"
                          << "恢复当前动作";
    QTest::newRow("clear") << "Command3" << 656 << "清除"
                           << "清除当前图像";
}

void TestUndoCommands::commandButtons()
{
    QFETCH(QString, name);
    QFETCH(int, x);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);

    auto *button = window().findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), window().topStrip());
    QCOMPARE(button->geometry(), QRect(x, 16, 41, 33));
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(button->accessibleName(), caption);

    // The button runs its command, clicked or with the focus and a key:
    // undo and redo of a box, or clear.
    const bool boxShown = name == QStringLiteral("Command2");
    const bool clears = name == QStringLiteral("Command3");
    const QList<int> keys{0, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};
    for (qsizetype way = 0; way < keys.size(); ++way) {
        canvas().line({0, 0}, {60, 60}, White, Surface::LineForm::FilledBox);
        drawAction(Red, BoxCorner, QPoint(50, 40));
        m_rig->dialogs.answers.push_back(true);
        if (name != QStringLiteral("Command1"))
            run('U', false);
        if (keys[way] == 0)
            button->click();
        else
            QTest::keyClick(button, Qt::Key(keys[way]));
        QCOMPARE(canvas().getPixel(BoxCorner.x(), BoxCorner.y()), boxShown ? Red : White);
        QCOMPARE(m_rig->dialogs.of(QStringLiteral("yesno")).size(),
                 std::size_t(clears ? way + 1 : 0));
        QCOMPARE(m_rig->document().undo().after().isNull(), clears);
    }
}

void TestUndoCommands::topStripShowsControls()
{
    showWindow();
    QWidget *strip = window().topStrip();
    const QImage shot = strip->grab().toImage();
    const auto coloursIn = [&shot](const QRect &area) {
        QSet<QRgb> colours;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                colours.insert(shot.pixel(x, y));
        }
        return colours;
    };

    // The palette shows its 28 cells and the two current colours.
    const QSet<QRgb> palette = coloursIn(QRect(24, 16, 256, 32));
    QVERIFY2(palette.size() >= 28, qPrintable(QString::number(palette.size())));
    QVERIFY(palette.contains(qRgb(0, 0, 0)));
    QVERIFY(palette.contains(qRgb(255, 255, 255)));
    // Each button draws its face and caption, unlike the bare strip.
    const QRgb bare = shot.pixel(520, 30);
    for (const int x : {560, 608, 656}) {
        const QSet<QRgb> button = coloursIn(QRect(x, 16, 41, 33));
        QVERIFY2(button.size() > 2, qPrintable(QString::number(x)));
        QVERIFY(button != QSet<QRgb>{bare});
    }
}

void TestUndoCommands::paletteInTopStrip()
{
    ColourPalette *palette = window().palette();
    QCOMPARE(palette->parentWidget(), window().topStrip());
    QCOMPARE(palette->geometry(), QRect(24, 16, 256, 32));
    QCOMPARE(palette->toolTip(), QStringLiteral("双击选取更多颜色"));
}

void TestUndoCommands::typedXSwapsColours_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("swapped");

    QTest::newRow("x") << "x" << true;
    QTest::newRow("X") << "X" << false;
    QTest::newRow("x twice") << "xx" << false;
    QTest::newRow("other letters") << "abz" << false;
}

void TestUndoCommands::typedXSwapsColours()
{
    QFETCH(QString, keys);
    QFETCH(bool, swapped);

    showWindow();
    ColourPalette *palette = window().palette();
    QCOMPARE(palette->colour1(), Colour(0));
    QCOMPARE(palette->colour2(), White);
    QWidget *focus = QApplication::focusWidget();
    QWidget *target = focus && focus->window() == m_window.get() ? focus : m_window.get();
    for (const QChar key : std::as_const(keys)) {
        const char letter = key.toLatin1();
        QTest::keyClick(target, letter, key.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    }
    QCOMPARE(palette->colour1(), swapped ? White : Colour(0));
    QCOMPARE(palette->colour2(), swapped ? Colour(0) : White);
}

KALVO_TEST(TestUndoCommands)
#include "tst_undo_commands.moc"
