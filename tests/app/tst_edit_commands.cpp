#include "app/editor.h"
#include "app/main_window.h"
#include "controls/canvas_view.h"
#include "controls/flat_button.h"
#include "scripted_dialogs.h"
#include "testmain.h"
#include "tools/tool_palette.h"

#include <QAction>
#include <QComboBox>
#include <QTest>

#include <memory>

namespace {

constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);

} // namespace

// The Edit menu, the Delete key and the clone marker in the real window.
class TestEditCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup()
    {
        m_window.reset();
        m_editor.reset();
    }
    void selectionThroughPaste();
    void cloneMarkerFollowsTheList();

private:
    CanvasView *view() const { return m_window->canvasView(); }
    void trigger(const char *name) { m_window->findChild<QAction *>(name)->trigger(); }
    void chooseTool(ToolId tool)
    {
        QTest::mouseClick(m_window->toolPalette()->button(tool), Qt::LeftButton);
    }
    QRgb pixel(int x, int y) const { return m_editor->document().canvas().image().pixel(x, y); }

    ScriptedDialogs m_dialogs;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<MainWindow> m_window;
};

void TestEditCommands::init()
{
    m_editor = std::make_unique<Editor>(m_dialogs);
    m_window = std::make_unique<MainWindow>(*m_editor);
    m_window->startUp();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_editor->document().canvas().line({0, 0}, {19, 19}, 0x000000FF, Surface::LineForm::FilledBox);
}

void TestEditCommands::selectionThroughPaste()
{
    chooseTool(ToolId::Select);
    QTest::mousePress(view(), Qt::LeftButton, {}, {24, 24});
    QTest::mouseMove(view(), {15, 15});
    QTest::mouseRelease(view(), Qt::LeftButton, {}, {15, 15});
    QCOMPARE(m_editor->document().selection(), QRect(15, 15, 10, 10));
    trigger("mnuCopy");
    QVERIFY(m_editor->document().selection().isNull());

    // Keyed once marked: the white part of the copy leaves the red showing.
    QVERIFY(!m_window->findChild<QAction *>("MnuDQue")->isChecked());
    trigger("MnuDQue");
    chooseTool(ToolId::Pencil);
    trigger("mnuPaste");
    QCOMPARE(m_editor->toolState().currentTool, NoTool);
    QTest::mouseClick(view(), Qt::LeftButton, {}, {5, 5});
    QCOMPARE(pixel(9, 9), Red);

    // The Delete key cuts a frame; Undo brings the cut area back.
    chooseTool(ToolId::Select);
    QTest::mousePress(view(), Qt::LeftButton, {}, {10, 12});
    QTest::mouseMove(view(), {30, 14});
    QTest::mouseRelease(view(), Qt::LeftButton, {}, {30, 14});
    QTest::keyClick(view(), Qt::Key_Delete);
    QVERIFY(m_editor->document().selection().isNull());
    QCOMPARE(pixel(10, 12), White);
    QCOMPARE(m_editor->document().clipboard().size(), QSize(21, 3));
    trigger("CX");
    QCOMPARE(pixel(10, 12), Red);
}

void TestEditCommands::cloneMarkerFollowsTheList()
{
    chooseTool(ToolId::Clone);
    QTest::mousePress(view(), Qt::LeftButton, Qt::AltModifier, {30, 30});
    QCOMPARE(m_editor->document().cloneMarker(), QRect(27, 27, 6, 6));
    m_window->findChild<QComboBox *>("cboCloneSize")->setCurrentText("10");
    QCOMPARE(m_editor->document().cloneMarker(), QRect(27, 27, 10, 10));
    QTest::mouseRelease(view(), Qt::LeftButton, Qt::AltModifier, {30, 30});
    chooseTool(ToolId::Text);
    QVERIFY(m_editor->document().cloneMarker().isNull());
}

KALVO_TEST(TestEditCommands)
#include "tst_edit_commands.moc"
