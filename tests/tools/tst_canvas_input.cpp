#include "testmain.h"
#include "tool_rig.h"

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
    void pressSwitchesToPreviewReleaseBack();
    void pasteHooksRunBeforeTheTool();
    void noToolStillSnapshotsAndShowsPosition();
    void deleteKeyCutsOnlyAVisibleSelection_data();
    void deleteKeyCutsOnlyAVisibleSelection();
    void doubleClickEndsThePolygon();
    void everyToolHasAnAction();
};

void TestCanvasInput::beforePictureIsTakenBeforeThePressDraws()
{
    ToolRig rig(40, 30, 1);
    rig.canvas.setDrawWidth(5);
    const QImage blank = rig.canvas.image();
    rig.input.press(1, 0, 20, 15);
    QCOMPARE(rig.host.before, blank);
    QCOMPARE(pixelAt(rig.canvas.image(), {20, 15}), rig.host.colour1);
    rig.input.release(1, 0, 20, 15);
    QCOMPARE(rig.host.calls.first(), QStringLiteral("before"));
}

void TestCanvasInput::afterPictureIsTakenLast()
{
    ToolRig rig(40, 30, 4);
    rig.stroke({5, 5}, {30, 20});
    QCOMPARE(rig.host.calls.last(), QStringLiteral("after"));
    QCOMPARE(rig.host.after, rig.canvas.image());
    QCOMPARE(pixelAt(rig.host.after, {5, 10}), rig.host.colour1);
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
    ToolRig rig(40, 30, 1);
    rig.click(5, 5, firstButton);
    rig.click(20, 20, secondButton);
    QCOMPARE(rig.canvas.foreColor(), expected);
    QCOMPARE(pixelAt(rig.canvas.image(), {20, 20}), expected);
}

void TestCanvasInput::moveWithoutPressOnlyWritesStatus()
{
    ToolRig rig(40, 30, 3);
    const QImage blank = rig.canvas.image();
    rig.input.move(0, 0, 10, 12);
    rig.input.move(1, 0, 30, 20);
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
    rig.input.move(0, 0, x, y);
    QCOMPARE(rig.host.status, text);
}

void TestCanvasInput::pressSwitchesToPreviewReleaseBack()
{
    ToolRig rig(40, 30, 7);
    rig.canvas.setFillStyle(0);
    rig.input.press(1, 0, 20, 15);
    QVERIFY(rig.state.IsDrawing);
    QVERIFY(!rig.canvas.autoRedraw());
    QCOMPARE(rig.canvas.fillStyle(), 1);
    QCOMPARE(rig.state.AnchorX, 20.0f);
    QCOMPARE(rig.state.AnchorY, 15.0f);
    rig.input.move(1, 0, 25, 15);
    QCOMPARE(rig.canvas.fillStyle(), 0);
    rig.input.release(1, 0, 25, 15);
    QVERIFY(!rig.state.IsDrawing);
    QVERIFY(rig.canvas.autoRedraw());
    QCOMPARE(rig.canvas.fillStyle(), 0); // the filled circle's own release
    QVERIFY(rig.canvas.previewRect().isEmpty());
}

void TestCanvasInput::pasteHooksRunBeforeTheTool()
{
    ToolRig rig(40, 30, -1);
    rig.state.PastePending = true;
    rig.input.press(1, 0, 10, 10);
    rig.input.move(1, 0, 12.5, 11);
    rig.input.release(1, 0, 13, 11);
    QCOMPARE(rig.host.calls,
             QStringList({"before", "preview 12.5,11", "status", "commit 13,11", "after"}));
    QVERIFY(!rig.state.PastePending);

    // Later drags with no tool draw nothing and paste nothing.
    rig.host.calls.clear();
    rig.stroke({5, 5}, {30, 20});
    QCOMPARE(rig.host.calls, QStringList({"before", "status", "after"}));
    QCOMPARE(countNot(rig.canvas.image(), White), 0);
}

void TestCanvasInput::noToolStillSnapshotsAndShowsPosition()
{
    ToolRig rig(40, 30, 99);
    rig.stroke({5, 5}, {30, 20});
    QCOMPARE(rig.host.calls, QStringList({"before", "status", "after"}));
    QCOMPARE(rig.host.status, QStringLiteral("30,20"));
    QVERIFY(rig.canvas.autoRedraw());
}

void TestCanvasInput::deleteKeyCutsOnlyAVisibleSelection_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("cuts");
    QTest::newRow("delete, frame shown") << 46 << true << true;
    QTest::newRow("delete, no frame") << 46 << false << false;
    QTest::newRow("other key") << 45 << true << false;
}

void TestCanvasInput::deleteKeyCutsOnlyAVisibleSelection()
{
    QFETCH(int, key);
    QFETCH(bool, visible);
    QFETCH(bool, cuts);
    ToolRig rig;
    rig.host.selection = visible;
    rig.input.keyUp(key);
    QCOMPARE(rig.host.calls.contains("cut"), cuts);
}

void TestCanvasInput::doubleClickEndsThePolygon()
{
    ToolRig rig;
    rig.state.PolyOpen = true;
    rig.input.doubleClick();
    QVERIFY(!rig.state.PolyOpen);
}

void TestCanvasInput::everyToolHasAnAction()
{
    for (int index : {-1, 22})
        QVERIFY2(!makeTool(index), qPrintable(QString::number(index)));
    for (int index = 0; index < ToolCount; ++index)
        QVERIFY2(makeTool(index), qPrintable(QString::number(index)));
}

KALVO_TEST(TestCanvasInput)
#include "tst_canvas_input.moc"
