#include "testmain.h"
#include "tool_rig.h"
#include "tools/curve_polygon.h"

#include <QSet>
#include <QTest>

class TestCanvasInput : public QObject
{
    Q_OBJECT

private slots:
    void beforePictureIsTakenBeforeThePressDraws();
    void afterPictureIsTakenLast();
    void penColourFollowsTheButton_data();
    void penColourFollowsTheButton();
    void moveWithoutPressOnlyWritesStatus();
    void statusText_data();
    void statusText();
    void strokePreviewsThenCommits();
    void pasteHooksRunBeforeTheTool();
    void noToolStillSnapshotsAndShowsPosition();
    void deleteKeyCutsOnlyAVisibleSelection_data();
    void deleteKeyCutsOnlyAVisibleSelection();
    void doubleClickEndsThePolygon();
    void toolTableRows();
};

void TestCanvasInput::beforePictureIsTakenBeforeThePressDraws()
{
    ToolRig rig(40, 30, ToolId::Pencil);
    rig.canvas.setDrawWidth(5);
    const QImage blank = rig.canvas.image();
    rig.input.press(Qt::LeftButton, {}, QPointF(20, 15));
    QCOMPARE(rig.document.undo().before().toImage(), blank);
    QCOMPARE(pixelAt(rig.canvas.image(), {20, 15}), rig.host.firstColour);
    rig.input.release(Qt::LeftButton, {}, QPointF(20, 15));
    QCOMPARE(rig.document.undo().before().toImage(), blank);
}

void TestCanvasInput::afterPictureIsTakenLast()
{
    ToolRig rig(40, 30, ToolId::Box);
    rig.stroke({5, 5}, {30, 20});
    const QImage after = rig.document.undo().after().toImage();
    QCOMPARE(after, rig.canvas.image());
    QCOMPARE(pixelAt(after, {5, 10}), rig.host.firstColour);
}

void TestCanvasInput::penColourFollowsTheButton_data()
{
    QTest::addColumn<int>("firstButton");
    QTest::addColumn<int>("secondButton");
    QTest::addColumn<Colour>("expected");
    QTest::newRow("left") << 2 << 1 << Colour(0x000000FF);
    QTest::newRow("right") << 1 << 2 << Colour(0x00FF0000);
    QTest::newRow("middle keeps left") << 1 << 4 << Colour(0x000000FF);
    QTest::newRow("middle keeps right") << 2 << 4 << Colour(0x00FF0000);
}

void TestCanvasInput::penColourFollowsTheButton()
{
    QFETCH(int, firstButton);
    QFETCH(int, secondButton);
    QFETCH(Colour, expected);
    ToolRig rig(40, 30, ToolId::Pencil);
    rig.click(5, 5, Qt::MouseButton(firstButton));
    rig.click(20, 20, Qt::MouseButton(secondButton));
    QCOMPARE(pixelAt(rig.canvas.image(), {20, 20}), expected);
}

void TestCanvasInput::moveWithoutPressOnlyWritesStatus()
{
    ToolRig rig(40, 30, ToolId::Star);
    const QImage blank = rig.canvas.image();
    rig.input.move({}, {}, QPointF(10, 12));
    rig.input.move(Qt::LeftButton, {}, QPointF(30, 20));
    QCOMPARE(rig.host.calls, QStringList({"status", "status"}));
    QCOMPARE(rig.host.status, QStringLiteral("30,20"));
    QCOMPARE(rig.canvas.image(), blank);
    QVERIFY(rig.canvas.previewRect().isEmpty());
}

void TestCanvasInput::statusText_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("text");
    QTest::newRow("integral") << 120.0 << 45.0 << "120,45";
    QTest::newRow("origin") << 0.0 << 0.0 << "0,0";
    QTest::newRow("half") << 12.5 << 3.0 << "12.5,3";
    QTest::newRow("tenth as single") << 0.1 << 7.25 << "0.1,7.25";
    QTest::newRow("outside") << -3.0 << 600.0 << "-3,600";
    QTest::newRow("large") << 7999.0 << 5999.5 << "7999,5999.5";
}

void TestCanvasInput::statusText()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, text);
    ToolRig rig;
    rig.input.move({}, {}, QPointF(x, y));
    QCOMPARE(rig.host.status, text);
}

void TestCanvasInput::strokePreviewsThenCommits()
{
    ToolRig rig(40, 30, ToolId::FilledCircle);
    rig.input.press(Qt::LeftButton, {}, QPointF(20, 15));
    QVERIFY(rig.state.strokeInProgress);
    QCOMPARE(rig.state.anchorX, 20.0f);
    QCOMPARE(rig.state.anchorY, 15.0f);
    rig.input.move(Qt::LeftButton, {}, QPointF(25, 15));
    QVERIFY(rig.canvas.previewRect().contains(QPoint(20, 15)));
    QCOMPARE(countNot(rig.canvas.image(), White), 0);
    rig.input.release(Qt::LeftButton, {}, QPointF(25, 15));
    QVERIFY(!rig.state.strokeInProgress);
    QVERIFY(rig.canvas.autoRedraw());
    QVERIFY(rig.canvas.previewRect().isEmpty());
    // Filled in the pen colour of this press.
    QCOMPARE(pixelAt(rig.canvas.image(), {20, 15}), rig.host.firstColour);
}

void TestCanvasInput::pasteHooksRunBeforeTheTool()
{
    ToolRig rig(40, 30, std::nullopt);
    const QRgb clip = rig.document.clipboard().image().pixel(0, 0);
    rig.state.pastePending = true;
    rig.input.press(Qt::LeftButton, {}, QPointF(10, 10));
    rig.input.move(Qt::LeftButton, {}, QPointF(12, 11));
    // Previewed on the screen only, centred on the pointer.
    QCOMPARE(countNot(rig.canvas.image(), White), 0);
    QCOMPARE(rig.canvas.grabScreen(rig.canvas.rect()).pixel(27, 25), clip);
    rig.input.release(Qt::LeftButton, {}, QPointF(13, 11));
    // The 32 x 30 clipboard from (13 - 16, 11 - 15).
    QCOMPARE(boundsNot(rig.canvas.image(), White), QRect(0, 0, 29, 26));
    QVERIFY(!rig.state.pastePending);

    // Later drags with no tool draw nothing and paste nothing.
    const QImage pasted = rig.canvas.image();
    rig.stroke({5, 5}, {30, 20});
    QCOMPARE(rig.canvas.image(), pasted);
}

void TestCanvasInput::noToolStillSnapshotsAndShowsPosition()
{
    ToolRig rig(40, 30, std::nullopt);
    rig.canvas.setPixel(1, 1, 0);
    rig.stroke({5, 5}, {30, 20});
    QCOMPARE(rig.host.calls, QStringList({"status"}));
    QCOMPARE(rig.host.status, QStringLiteral("30,20"));
    QCOMPARE(rig.document.undo().after().toImage(), rig.canvas.image());
    QVERIFY(rig.canvas.autoRedraw());
}

void TestCanvasInput::deleteKeyCutsOnlyAVisibleSelection_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("cuts");
    QTest::newRow("delete, frame shown") << int(Qt::Key_Delete) << true << true;
    QTest::newRow("delete, no frame") << int(Qt::Key_Delete) << false << false;
    QTest::newRow("other key") << int(Qt::Key_Insert) << true << false;
}

void TestCanvasInput::deleteKeyCutsOnlyAVisibleSelection()
{
    QFETCH(int, key);
    QFETCH(bool, visible);
    QFETCH(bool, cuts);
    ToolRig rig;
    rig.canvas.line({0, 0}, {79, 59}, Black, Surface::LineForm::FilledBox);
    const QRect selection(2, 3, 5, 4);
    if (visible)
        rig.document.setSelection(selection);
    rig.input.keyUp(Qt::Key(key));
    QCOMPARE(rig.document.clipboard().size() == selection.size(), cuts);
    QCOMPARE(boundsNot(rig.canvas.image(), Black), cuts ? selection : QRect());
    QCOMPARE(rig.document.hasSelection(), visible && !cuts);
}

void TestCanvasInput::doubleClickEndsThePolygon()
{
    // Whatever tool is current when it comes.
    ToolRig rig(80, 60, ToolId::Polygon);
    const auto &polygon = static_cast<const PolygonTool &>(rig.input.tool(ToolId::Polygon));
    rig.click(10, 10);
    QVERIFY(polygon.chainOpen());
    rig.state.currentTool = ToolId::Pencil;
    rig.input.doubleClick();
    QVERIFY(!polygon.chainOpen());
}

void TestCanvasInput::toolTableRows()
{
    QSet<QString> captions;
    for (const ToolRow &row : toolTable()) {
        QCOMPARE(&toolRow(row.id), &row);
        QVERIFY(row.make());
        QVERIFY(!row.icon().isNull());
        captions << row.captionText();
        // Only the text tool acts at the release alone.
        QCOMPARE(row.drags, row.id != ToolId::Text);
    }
    QCOMPARE(captions.size(), ToolCount);
}

KALVO_TEST(TestCanvasInput)
#include "tst_canvas_input.moc"
