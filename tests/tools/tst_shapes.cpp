#include "testmain.h"
#include "tool_rig.h"

#include <QTest>

using Points = QList<QPoint>;

class TestShapes : public QObject
{
    Q_OBJECT

private slots:
    void committedShape_data();
    void committedShape();
    void previewStaysOffThePicture_data();
    void previewStaysOffThePicture();
    void clickWithoutMovement_data();
    void clickWithoutMovement();
    void starCommitsRaysWhileDragging();
    void dragDirectionDoesNotMatter_data();
    void dragDirectionDoesNotMatter();
    void dashedOutlineSolidFill();
    void filledShapesUseThisPressPenColour_data();
    void filledShapesUseThisPressPenColour();
};

void TestShapes::committedShape_data()
{
    QTest::addColumn<ToolId>("tool");
    QTest::addColumn<int>("width");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<Points>("drawn");
    QTest::addColumn<Points>("blank");

    QTest::newRow("line") << ToolId::Line << 1 << QPointF(10, 10) << QPointF(30, 30)
                          << Points{{10, 10}, {20, 20}, {30, 30}} << Points{{20, 21}, {31, 31}};
    QTest::newRow("line, width 5")
        << ToolId::Line << 5 << QPointF(10, 20) << QPointF(50, 20)
        << Points{{30, 18}, {30, 22}, {8, 20}} << Points{{30, 17}, {30, 23}};
    QTest::newRow("rectangle") << ToolId::Box << 1 << QPointF(10, 10) << QPointF(50, 30)
                               << Points{{10, 10}, {50, 30}, {10, 20}, {30, 30}}
                               << Points{{30, 20}, {11, 11}, {51, 20}};
    QTest::newRow("rectangle, width 3") << ToolId::Box << 3 << QPointF(10, 10) << QPointF(50, 30)
                                        << Points{{9, 20}, {11, 20}} << Points{{12, 20}};
    QTest::newRow("filled rectangle")
        << ToolId::FilledBox << 1 << QPointF(10, 10) << QPointF(50, 30)
        << Points{{10, 10}, {50, 30}, {30, 20}} << Points{{51, 20}, {30, 31}};
    QTest::newRow("circle") << ToolId::Circle << 1 << QPointF(30, 30) << QPointF(40, 30)
                            << Points{{40, 30}, {20, 30}, {30, 20}, {30, 40}}
                            << Points{{30, 30}, {41, 30}, {38, 38}};
    QTest::newRow("circle, diagonal radius")
        << ToolId::Circle << 1 << QPointF(30, 30) << QPointF(36, 38)
        << Points{{40, 30}, {30, 20}, {36, 38}} << Points{{30, 30}, {41, 30}};
    QTest::newRow("filled circle")
        << ToolId::FilledCircle << 1 << QPointF(30, 30) << QPointF(30, 20)
        << Points{{30, 30}, {40, 30}, {36, 36}} << Points{{41, 30}, {38, 38}};
    QTest::newRow("ellipse") << ToolId::Ellipse << 1 << QPointF(10, 10) << QPointF(50, 30)
                             << Points{{10, 20}, {50, 20}, {30, 10}, {30, 30}}
                             << Points{{30, 20}, {10, 10}, {50, 30}};
    QTest::newRow("ellipse, half-pixel corners")
        << ToolId::Ellipse << 1 << QPointF(10.5, 9.5) << QPointF(50.5, 30.5)
        << Points{{10, 20}, {50, 20}, {30, 10}, {30, 30}} << Points{{30, 20}, {9, 20}};
    QTest::newRow("filled ellipse")
        << ToolId::FilledEllipse << 1 << QPointF(10, 10) << QPointF(50, 30)
        << Points{{30, 20}, {10, 20}} << Points{{10, 10}, {51, 20}};
    QTest::newRow("rounded rectangle")
        << ToolId::RoundRect << 1 << QPointF(10, 10) << QPointF(50, 30)
        << Points{{30, 10}, {10, 20}, {50, 20}, {30, 30}} << Points{{10, 10}, {50, 30}, {30, 20}};
    QTest::newRow("filled rounded rectangle")
        << ToolId::FilledRoundRect << 1 << QPointF(10, 10) << QPointF(50, 30)
        << Points{{30, 20}, {13, 13}} << Points{{10, 10}, {50, 10}};
}

void TestShapes::committedShape()
{
    QFETCH(ToolId, tool);
    QFETCH(int, width);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(Points, drawn);
    QFETCH(Points, blank);
    ToolRig rig(70, 50, tool);
    rig.canvas.setDrawWidth(width);
    rig.stroke(from, to);
    const QImage image = rig.canvas.image();
    for (const QPoint &p : drawn)
        QVERIFY2(pixelAt(image, p) == rig.host.firstColour,
                 qPrintable(QStringLiteral("%1,%2 not drawn").arg(p.x()).arg(p.y())));
    for (const QPoint &p : blank)
        QVERIFY2(pixelAt(image, p) == White,
                 qPrintable(QStringLiteral("%1,%2 drawn").arg(p.x()).arg(p.y())));
    QCOMPARE(rig.document.undo().after().toImage(), image);
}

void TestShapes::previewStaysOffThePicture_data()
{
    QTest::addColumn<ToolId>("tool");
    using enum ToolId;
    for (ToolId tool : {Line, Box, FilledBox, Circle, FilledCircle, Ellipse, FilledEllipse,
                        RoundRect, FilledRoundRect})
        QTest::addRow("%s", qUtf8Printable(toolName(tool))) << tool;
}

void TestShapes::previewStaysOffThePicture()
{
    QFETCH(ToolId, tool);
    ToolRig rig(70, 50, tool);
    const QImage blank = rig.canvas.image();
    rig.input.press(Qt::LeftButton, {}, QPointF(30, 25));
    rig.input.move(Qt::LeftButton, {}, QPointF(60, 45));
    rig.input.move(Qt::LeftButton, {}, QPointF(40, 30));
    QCOMPARE(rig.canvas.image(), blank);
    // Only the latest preview is on the screen.
    const QImage screen = rig.canvas.grabScreen(rig.canvas.rect());
    QVERIFY(countNot(screen, White) > 0);
    QCOMPARE(boundsNot(screen, White).contains(QPoint(55, 42)), false);

    rig.input.release(Qt::LeftButton, {}, QPointF(40, 30));
    QCOMPARE(rig.document.undo().before().toImage(), blank);
    QCOMPARE(rig.canvas.image(), screen);
    QVERIFY(rig.canvas.previewRect().isEmpty());
}

void TestShapes::clickWithoutMovement_data()
{
    QTest::addColumn<ToolId>("tool");
    QTest::addColumn<int>("pixels");
    QTest::newRow("line: a dot") << ToolId::Line << 1;
    QTest::newRow("star: nothing") << ToolId::Star << 0;
    QTest::newRow("rectangle") << ToolId::Box << 1;
    QTest::newRow("filled rectangle") << ToolId::FilledBox << 1;
    QTest::newRow("circle") << ToolId::Circle << 1;
    QTest::newRow("ellipse") << ToolId::Ellipse << 1;
    QTest::newRow("rounded rectangle") << ToolId::RoundRect << 1;
}

void TestShapes::clickWithoutMovement()
{
    QFETCH(ToolId, tool);
    QFETCH(int, pixels);
    ToolRig rig(40, 30, tool);
    rig.click(20, 15);
    QCOMPARE(countNot(rig.canvas.image(), White), pixels);
    if (pixels > 0)
        QCOMPARE(pixelAt(rig.canvas.image(), {20, 15}), rig.host.firstColour);
}

void TestShapes::starCommitsRaysWhileDragging()
{
    ToolRig rig(60, 60, ToolId::Star);
    rig.input.press(Qt::LeftButton, {}, QPointF(30, 30));
    QCOMPARE(countNot(rig.canvas.image(), White), 0);
    rig.input.move(Qt::LeftButton, {}, QPointF(50, 30));
    rig.input.move(Qt::LeftButton, {}, QPointF(30, 50));
    const QImage drawn = rig.canvas.image();
    QCOMPARE(pixelAt(drawn, {40, 30}), rig.host.firstColour);
    QCOMPARE(pixelAt(drawn, {30, 40}), rig.host.firstColour);
    rig.input.release(Qt::LeftButton, {}, QPointF(10, 10));
    QCOMPARE(rig.canvas.image(), drawn);
}

void TestShapes::dragDirectionDoesNotMatter_data()
{
    QTest::addColumn<ToolId>("tool");
    QTest::addColumn<int>("width");
    using enum ToolId;
    for (ToolId tool : {Box, FilledBox, Ellipse, FilledEllipse, RoundRect, FilledRoundRect}) {
        for (int width : {1, 4})
            QTest::addRow("%s, width %d", qUtf8Printable(toolName(tool)), width) << tool << width;
    }
}

void TestShapes::dragDirectionDoesNotMatter()
{
    QFETCH(ToolId, tool);
    QFETCH(int, width);
    ToolRig forward(80, 60, tool);
    ToolRig backward(80, 60, tool);
    ToolRig across(80, 60, tool);
    for (ToolRig *rig : {&forward, &backward, &across})
        rig->canvas.setDrawWidth(width);
    forward.stroke({12, 9}, {61, 40});
    backward.stroke({61, 40}, {12, 9});
    across.stroke({61, 9}, {12, 40});
    QCOMPARE(backward.canvas.image(), forward.canvas.image());
    QCOMPARE(across.canvas.image(), forward.canvas.image());
}

void TestShapes::dashedOutlineSolidFill()
{
    ToolRig hollow(70, 50, ToolId::Box);
    ToolRig filled(70, 50, ToolId::FilledBox);
    for (ToolRig *rig : {&hollow, &filled}) {
        rig->canvas.setDrawStyle(1);
        rig->stroke({10, 10}, {50, 30});
    }
    // The top edge of the outline has gaps, the filled box has none.
    const QImage topEdge = hollow.canvas.image().copy(10, 10, 41, 1);
    QVERIFY(countNot(topEdge, White) > 0);
    QVERIFY(countNot(topEdge, hollow.host.firstColour) > 0);
    QCOMPARE(countNot(filled.canvas.image().copy(10, 10, 41, 21), filled.host.firstColour), 0);

    // A wide pen draws solid whatever the style.
    ToolRig wide(70, 50, ToolId::Box);
    wide.canvas.setDrawStyle(1);
    wide.canvas.setDrawWidth(3);
    wide.stroke({10, 10}, {50, 30});
    QCOMPARE(countNot(wide.canvas.image().copy(10, 10, 41, 1), wide.host.firstColour), 0);
}

void TestShapes::filledShapesUseThisPressPenColour_data()
{
    QTest::addColumn<ToolId>("tool");
    QTest::addColumn<QPointF>("to");
    QTest::newRow("filled circle") << ToolId::FilledCircle << QPointF(40, 25);
    QTest::newRow("filled ellipse") << ToolId::FilledEllipse << QPointF(50, 40);
    QTest::newRow("filled rounded rectangle") << ToolId::FilledRoundRect << QPointF(50, 40);
}

void TestShapes::filledShapesUseThisPressPenColour()
{
    QFETCH(ToolId, tool);
    QFETCH(QPointF, to);
    ToolRig rig(70, 60, tool);
    rig.canvas.setDrawStyle(2);
    // A release with no drag step before it fills with the colour the last
    // fill left: black before any.
    const auto clickedOut = [&] {
        rig.input.press(Qt::LeftButton, {}, {10, 10});
        rig.input.release(Qt::LeftButton, {}, to);
        return pixelAt(rig.canvas.image(), {20, 20});
    };
    QCOMPARE(clickedOut(), Colour(0));
    rig.stroke({10, 10}, to, Qt::LeftButton);
    rig.stroke({10, 10}, to, Qt::RightButton);
    QCOMPARE(pixelAt(rig.canvas.image(), {20, 20}), rig.host.secondColour);
    QCOMPARE(clickedOut(), rig.host.secondColour);
}

KALVO_TEST(TestShapes)
#include "tst_shapes.moc"
