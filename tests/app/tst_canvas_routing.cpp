#include "testmain.h"
#include "tools/clone_tool.h"

#include "app/editor.h"
#include "app/main_window.h"
#include "controls/canvas_view.h"
#include "controls/colour_palette.h"
#include "controls/flat_button.h"
#include "scripted_dialogs.h"
#include "tools/tool_palette.h"

#include <QLabel>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

constexpr Colour Red = 0x000000FF;
constexpr Colour Green = 0x0000FF00;
constexpr Colour Blue = 0x00FF0000;
constexpr Colour White = 0x00FFFFFF;

Colour pixel(const QImage &image, int x, int y)
{
    return fromQRgb(image.pixel(x, y));
}

const QStringList PanelNames{"pDrawWidth", "pFillType", "pBrush",    "pErase",
                             "pClone",     "pGrad",     "pTextStyle"};

} // namespace

class TestCanvasRouting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void startUpChoosesPencil();
    void toolSelection_data();
    void toolSelection();
    void pencilClickLeavesDotAfterSnapshot();
    void moveWithoutButtonOnlyShowsPosition();
    void rectangleDrawsAtRelease();
    void buttonChoosesPenColour_data();
    void buttonChoosesPenColour();

private:
    CanvasView *canvasView() const { return m_window->canvasView(); }
    void chooseTool(ToolId tool)
    {
        QTest::mouseClick(m_window->toolPalette()->button(tool), Qt::LeftButton);
    }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<MainWindow> m_window;
};

void TestCanvasRouting::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_editor = std::make_unique<Editor>(*m_dialogs);
    m_window = std::make_unique<MainWindow>(*m_editor);
    m_window->startUp();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestCanvasRouting::cleanup()
{
    m_window.reset();
    m_editor.reset();
    m_dialogs.reset();
}

void TestCanvasRouting::startUpChoosesPencil()
{
    QCOMPARE(m_editor->toolState().currentTool, std::optional(ToolId::Pencil));
    QCOMPARE(m_window->toolPalette()->button(ToolId::Pencil)->buttonStyle(), 2);
    auto *lineOptions = m_window->findChild<QWidget *>("pDrawWidth");
    QVERIFY(lineOptions->isVisible());
    QVERIFY(!m_window->findChild<QWidget *>("cboStyle")->isVisible());
    QVERIFY(!m_window->findChild<QLabel *>("lblStyle")->isVisible());
    QCOMPARE(m_editor->document().canvas().drawWidth(), 1);
    QVERIFY(m_dialogs->requests.empty());
    // In the top strip, right of the colour palette, within the strip.
    const QRect place(lineOptions->mapTo(m_window->topStrip(), QPoint()), lineOptions->size());
    QCOMPARE(place.left(), 288);
    QVERIFY(m_window->topStrip()->rect().contains(place));
}

void TestCanvasRouting::toolSelection_data()
{
    QTest::addColumn<ToolId>("tool");
    QTest::addColumn<QStringList>("panels");
    QTest::addColumn<bool>("styleShown");
    QTest::addColumn<QString>("hint");

    const QStringList line{"pDrawWidth"};
    const auto row = [](ToolId tool, const QStringList &panels, bool style, const char *hint = "") {
        QTest::addRow("%s", qUtf8Printable(toolName(tool)))
            << tool << panels << style << QString::fromUtf8(hint);
    };
    using enum ToolId;
    row(Select, {}, true);
    row(Pencil, line, false);
    for (ToolId tool : {Line, Star, Box, FilledBox, Circle, FilledCircle, Ellipse, FilledEllipse,
                        RoundRect, FilledRoundRect})
        row(tool, line, true);
    row(Fill, {"pFillType"}, true);
    row(Airbrush, line, true);
    row(Curve, line, false);
    row(Polygon, line, true);
    row(Brush, {"pBrush"}, true);
    row(Eraser, {"pDrawWidth", "pErase"}, true);
    row(ColourPick, {}, true);
    row(Clone, {"pClone"}, true, "请使用 Alt+鼠标左键 定义新克隆的范围.");
    row(Gradient, {"pGrad"}, true);
    row(Text, {"pTextStyle"}, true, "请单击需要放置文字的区域.");
}

void TestCanvasRouting::toolSelection()
{
    QFETCH(ToolId, tool);
    QFETCH(QStringList, panels);
    QFETCH(bool, styleShown);
    QFETCH(QString, hint);
    m_window->setWindowTitle(QStringLiteral("a.bmp - Kalvo"));
    // A clone source just defined, its offset not fixed yet.
    CanvasInput &input = m_editor->canvasInput();
    const auto &clone = static_cast<const CloneTool &>(input.tool(ToolId::Clone));
    m_editor->toolState().currentTool = ToolId::Clone;
    input.press(Qt::LeftButton, Qt::AltModifier, QPointF(8, 8));
    input.release(Qt::LeftButton, Qt::AltModifier, QPointF(8, 8));
    QVERIFY(clone.sourceNew());
    m_editor->document().setSelection(QRect(2, 2, 10, 10));

    // A second click repeats everything, the hint included.
    for (int click = 1; click <= 2; ++click) {
        chooseTool(tool);
        QCOMPARE(m_editor->toolState().currentTool, std::optional(tool));
        QVERIFY(m_editor->document().selection().isNull());
        QVERIFY(m_editor->document().cloneMarker().isNull());
        QVERIFY(!clone.sourceNew());
        const auto messages = m_dialogs->of(QStringLiteral("message"));
        if (hint.isEmpty()) {
            QVERIFY(messages.empty());
        } else {
            QCOMPARE(messages.size(), std::size_t(click));
            QCOMPARE(messages.back().text, hint);
            QCOMPARE(messages.back().title, QStringLiteral("a.bmp - Kalvo"));
            QCOMPARE(messages.back().icon, CommonDialogs::Icon::Information);
        }
    }

    for (const ToolRow &row : toolTable()) {
        const bool chosen = row.id == tool;
        const FlatButton *button = m_window->toolPalette()->button(row.id);
        QCOMPARE(button->buttonStyle(), chosen ? 2 : 1);
        QCOMPARE(button->foreColour(), chosen ? Red : ButtonText);
        QCOMPARE(button->backColour(), chosen ? WindowBackground : ButtonFace);
    }
    for (const QString &name : PanelNames)
        QVERIFY2(m_window->findChild<QWidget *>(name)->isVisible() == panels.contains(name),
                 qPrintable(name));
    if (panels.contains("pDrawWidth")) {
        QCOMPARE(m_window->findChild<QWidget *>("cboStyle")->isVisible(), styleShown);
        QCOMPARE(m_window->findChild<QLabel *>("lblStyle")->isVisible(), styleShown);
    }
}

void TestCanvasRouting::pencilClickLeavesDotAfterSnapshot()
{
    m_window->palette()->setColour1(Red);
    QTest::mouseClick(canvasView(), Qt::LeftButton, {}, QPoint(10, 12));
    QCOMPARE(pixel(m_editor->document().canvas().image(), 10, 12), Red);
    const QImage before = m_editor->document().undo().before().toImage();
    QCOMPARE(pixel(before, 10, 12), White);
    QCOMPARE(m_editor->document().canvas().autoRedraw(), true);
}

void TestCanvasRouting::moveWithoutButtonOnlyShowsPosition()
{
    const QImage before = m_editor->document().canvas().image();
    QTest::mouseMove(canvasView(), QPoint(120, 45));
    QTRY_COMPARE(m_window->statusPanel(2), QStringLiteral("120,45"));
    QCOMPARE(m_editor->document().canvas().image(), before);
}

void TestCanvasRouting::rectangleDrawsAtRelease()
{
    chooseTool(ToolId::Box);
    m_window->palette()->setColour1(Blue);
    QTest::mousePress(canvasView(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(canvasView(), QPoint(40, 30));
    QCOMPARE(m_window->statusPanel(2), QStringLiteral("40,30"));
    // The rubber band shows on the screen only.
    QVERIFY(m_editor->document().canvas().previewRect().contains(QPoint(25, 10)));
    QCOMPARE(pixel(m_editor->document().canvas().image(), 25, 10), White);
    QCOMPARE(pixel(canvasView()->grab().toImage(), 25, 10), Blue);

    QTest::mouseRelease(canvasView(), Qt::LeftButton, {}, QPoint(40, 30));
    QCOMPARE(pixel(m_editor->document().canvas().image(), 25, 10), Blue);
    QCOMPARE(pixel(m_editor->document().canvas().image(), 40, 20), Blue);
    QCOMPARE(pixel(m_editor->document().canvas().image(), 25, 20), White);
    QVERIFY(m_editor->document().canvas().previewRect().isEmpty());
}

void TestCanvasRouting::buttonChoosesPenColour_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Colour>("expected");
    QTest::newRow("left: first colour") << Qt::LeftButton << Green;
    QTest::newRow("right: second colour") << Qt::RightButton << Blue;
    QTest::newRow("middle: pen of the last press") << Qt::MiddleButton << Red;
}

void TestCanvasRouting::buttonChoosesPenColour()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Colour, expected);
    m_window->palette()->setColour1(Red);
    QTest::mouseClick(canvasView(), Qt::LeftButton, {}, QPoint(3, 3));
    m_window->palette()->setColour1(Green);
    m_window->palette()->setColour2(Blue);
    QTest::mouseClick(canvasView(), button, {}, QPoint(20, 20));
    QCOMPARE(pixel(m_editor->document().canvas().image(), 20, 20), expected);
}

KALVO_TEST(TestCanvasRouting)
#include "tst_canvas_routing.moc"
