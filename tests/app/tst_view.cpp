#include "testmain.h"

#include "app/editor.h"
#include "app/main_window.h"
#include "app/resize_grip.h"
#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
#include "scripted_dialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <memory>

class TestView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void scrollRangesFollowCanvas_data();
    void scrollRangesFollowCanvas();
    void scrollingLeavesGrips();
    void gripsAtStart();
    void gripDrag_data();
    void gripDrag();
    void rightButtonDragDoesNothing();
    void dragPastMemoryIsReportedOnce();
    void shrinkingPullsScrolledCanvasBack();
    void wheelScrolls_data();
    void wheelScrolls();
    void zoomedSelection_data();
    void zoomedSelection();
    void ctrlWheelZoomsAboutThePointer_data();
    void ctrlWheelZoomsAboutThePointer();
    void zoomedGripDragsWholePixels();
    void noZoomWhileAButtonIsHeld();
    void viewStepReachesTheScreenFirst_data();
    void viewStepReachesTheScreenFirst();
    void accessibleCanvasIsThePicture_data();
    void accessibleCanvasIsThePicture();

private:
    QWidget *grip(int index) const;
    // Sends a move with the left button held to grip, at a point in its pixels.
    void dragTo(int index, QPointF at);

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<MainWindow> m_window;
};

void TestView::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_editor = std::make_unique<Editor>(*m_dialogs);
    m_window = std::make_unique<MainWindow>(*m_editor);
    m_window->startUp();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestView::cleanup()
{
    m_window.reset();
    m_editor.reset();
    m_dialogs.reset();
}

QWidget *TestView::grip(int index) const
{
    const auto grips = m_window->findChildren<QWidget *>("pGrip");
    for (QWidget *g : grips) {
        if (g->property("index").toInt() == index)
            return g;
    }
    return nullptr;
}

void TestView::dragTo(int index, QPointF at)
{
    QWidget *target = grip(index);
    QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
}

void TestView::scrollRangesFollowCanvas_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<int>("hMaximum");
    QTest::addColumn<int>("vMaximum");
    // The viewport inside is 876 x 436.
    QTest::newRow("start") << QSize(760, 568) << 0 << 150;
    QTest::newRow("wide") << QSize(1200, 100) << 342 << 0;
    QTest::newRow("just fits") << QSize(858, 418) << 0 << 0;
    QTest::newRow("one over") << QSize(859, 419) << 1 << 1;
    // Two pixels a step: the whole width can still be reached.
    QTest::newRow("past 16 bits") << QSize(40000, 10) << 19571 << 0;
}

void TestView::scrollRangesFollowCanvas()
{
    QFETCH(QSize, canvas);
    QFETCH(int, hMaximum);
    QFETCH(int, vMaximum);
    m_editor->document().canvas().setSize(canvas.width(), canvas.height());
    QScrollBar *h = m_window->horizontalBar();
    QScrollBar *v = m_window->verticalBar();
    QCOMPARE(h->minimum(), 0);
    QCOMPARE(h->maximum(), hMaximum);
    QCOMPARE(v->maximum(), vMaximum);
    QCOMPARE(h->isEnabled(), hMaximum > 0);
    QCOMPARE(v->isEnabled(), vMaximum > 0);
}

void TestView::scrollingLeavesGrips()
{
    const QPoint corner = grip(1)->pos();
    m_window->verticalBar()->setValue(100);
    QCOMPARE(m_window->canvasView()->pictureRect().topLeft(), QPoint(0, -100));
    QCOMPARE(grip(1)->pos(), corner);
    QCOMPARE(grip(0)->pos(), QPoint(760, 281));
}

void TestView::gripsAtStart()
{
    const QList<QPoint> places{{760, 281}, {760, 568}, {377, 568}};
    const QList<Qt::CursorShape> cursors{Qt::SizeHorCursor, Qt::SizeFDiagCursor, Qt::SizeVerCursor};
    QWidget *inside = m_window->viewport()->client();
    for (int i = 0; i < 3; ++i) {
        QWidget *g = grip(i);
        QVERIFY(g);
        QCOMPARE(g->parentWidget(), inside);
        QCOMPARE(g->geometry(), QRect(places[i], QSize(6, 6)));
        QCOMPARE(g->cursor().shape(), cursors[i]);
        QVERIFY(!g->accessibleName().isEmpty());
        const QList<QObject *> stack = inside->children();
        QVERIFY(stack.indexOf(g) > stack.indexOf(m_window->canvasView()));
        QVERIFY(stack.indexOf(g) < stack.indexOf(m_window->verticalBar()));
    }
    const QImage shown = grip(2)->grab().toImage();
    QCOMPARE(shown.size(), QSize(6, 6));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool frame = x == 0 || y == 0 || x == 5 || y == 5;
            QCOMPARE(QColor(shown.pixel(x, y)), frame ? QColor(Qt::white) : QColor(47, 54, 153));
        }
    }
}

void TestView::gripDrag_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("grip0");
    QTest::newRow("corner") << 1 << QPoint(30, 20) << QSize(230, 220) << QPoint(230, 107);
    QTest::newRow("right edge keeps height")
        << 0 << QPoint(15, 40) << QSize(215, 200) << QPoint(215, 97);
    QTest::newRow("bottom edge keeps width")
        << 2 << QPoint(40, -50) << QSize(200, 150) << QPoint(200, 72);
    QTest::newRow("width stops at 1") << 0 << QPoint(-500, 0) << QSize(1, 200) << QPoint(1, 97);
    QTest::newRow("height 1") << 2 << QPoint(0, -900) << QSize(200, 1) << QPoint(200, -2);
    QTest::newRow("corner to 1 x 1") << 1 << QPoint(-300, -300) << QSize(1, 1) << QPoint(1, -2);
}

void TestView::gripDrag()
{
    QFETCH(int, index);
    QFETCH(QPoint, move);
    QFETCH(QSize, size);
    QFETCH(QPoint, grip0);
    Surface &canvas = m_editor->document().canvas();
    canvas.setSize(200, 200);
    canvas.setPixel(0, 0, 0x000000FF);
    canvas.setPixel(199, 199, 0x0000FF00);

    QWidget *g = grip(index);
    const QPoint grab(3, 2);
    QTest::mousePress(g, Qt::LeftButton, {}, grab);
    QTest::mouseMove(g, grab + move);
    // During the drag, before the button comes up.
    QCOMPARE(canvas.size(), size);
    QCOMPARE(m_window->statusPanel(3),
             QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
    QCOMPARE(grip(0)->pos(), grip0);
    QTest::mouseRelease(g, Qt::LeftButton, {}, grab);

    QCOMPARE(m_window->canvasView()->pictureRect().size(), size);
    QCOMPARE(canvas.getPixel(0, 0), Colour(0x000000FF));
    const Colour white = 0x00FFFFFF;
    if (size.width() > 200)
        QCOMPARE(canvas.getPixel(size.width() - 1, 0), white);
    if (size.height() > 200)
        QCOMPARE(canvas.getPixel(0, size.height() - 1), white);
    if (size.width() >= 200 && size.height() >= 200)
        QCOMPARE(canvas.getPixel(199, 199), Colour(0x0000FF00));
}

void TestView::rightButtonDragDoesNothing()
{
    m_editor->document().canvas().setSize(200, 200);
    QWidget *g = grip(1);
    QTest::mousePress(g, Qt::RightButton, {}, QPoint(3, 3));
    QTest::mouseMove(g, QPoint(43, 33));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), g->mapToGlobal(QPointF(50, 50)),
                     Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(g, &move);
    QTest::mouseRelease(g, Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(m_editor->document().canvas().size(), QSize(200, 200));
    QCOMPARE(g->pos(), QPoint(200, 200));
    QCOMPARE(m_window->statusPanel(3), QStringLiteral("200x200"));
}

void TestView::dragPastMemoryIsReportedOnce()
{
    m_editor->document().canvas().setSize(200, 200);
    QTest::mousePress(grip(0), Qt::LeftButton, {}, QPoint(3, 3));
    dragTo(0, QPointF(70000, 3));
    dragTo(0, QPointF(80000, 3));
    QCOMPARE(m_editor->document().canvas().size(), QSize(200, 200));
    QCOMPARE(grip(0)->pos(), QPoint(200, 97));
    const auto messages = m_dialogs->of("message");
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].icon, CommonDialogs::Icon::Warning);

    // The same drag goes on to a size that fits.
    dragTo(0, QPointF(13, 3));
    QCOMPARE(m_editor->document().canvas().size(), QSize(210, 200));
    QCOMPARE(m_dialogs->of("message").size(), std::size_t(1));
    QTest::mouseRelease(grip(0), Qt::LeftButton, {}, QPoint(3, 3));
}

void TestView::shrinkingPullsScrolledCanvasBack()
{
    m_window->verticalBar()->setValue(150);
    QCOMPARE(m_window->canvasView()->pictureRect().y(), -150);
    QWidget *g = grip(2);
    QTest::mousePress(g, Qt::LeftButton, {}, QPoint(3, 3));
    dragTo(2, QPointF(3, -97));
    QCOMPARE(m_editor->document().canvas().size(), QSize(760, 468));
    QCOMPARE(m_window->verticalBar()->maximum(), 50);
    QCOMPARE(m_window->verticalBar()->value(), 50);
    QCOMPARE(m_window->canvasView()->pictureRect().y(), -50);
    QCOMPARE(g->pos(), QPoint(377, 468));
    QTest::mouseRelease(g, Qt::LeftButton, {}, QPoint(3, 3));
}

void TestView::wheelScrolls_data()
{
    QTest::addColumn<bool>("overGrey");
    QTest::addColumn<QPoint>("turn");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("notches"); // of the bars, counted from (200, 200)

    const Qt::KeyboardModifiers none;
    QTest::newRow("down") << false << QPoint(0, -120) << none << QPoint(0, 1);
    QTest::newRow("up twice") << false << QPoint(0, 240) << none << QPoint(0, -2);
    QTest::newRow("up to the top") << false << QPoint(0, 1200) << none << QPoint(0, -10);
    QTest::newRow("past the bottom") << false << QPoint(0, -12000) << none << QPoint(0, 100);
    QTest::newRow("sideways") << false << QPoint(-120, 0) << none << QPoint(1, 0);
    QTest::newRow("Shift goes across")
        << false << QPoint(0, -120) << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(1, 0);
    QTest::newRow("over the grey") << true << QPoint(0, 120) << none << QPoint(0, -1);
}

void TestView::wheelScrolls()
{
    QFETCH(bool, overGrey);
    QFETCH(QPoint, turn);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, notches);
    m_editor->document().canvas().setSize(3000, 2000);
    QScrollBar *h = m_window->horizontalBar();
    QScrollBar *v = m_window->verticalBar();
    h->setValue(200);
    v->setValue(200);
    QWidget *target = overGrey ? m_window->viewport()->client() : m_window->canvasView();
    QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), turn,
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &wheel);

    const int notch = QApplication::wheelScrollLines() * 20;
    const auto expected = [notch](QScrollBar *bar, int count) {
        return std::clamp(200 + count * notch, 0, bar->maximum());
    };
    QCOMPARE(h->value(), expected(h, notches.x()));
    QCOMPARE(v->value(), expected(v, notches.y()));
    QCOMPARE(m_window->canvasView()->pictureRect().topLeft(), QPoint(-h->value(), -v->value()));
}

void TestView::viewStepReachesTheScreenFirst_data()
{
    QTest::addColumn<QKeySequence>("keys"); // none: a wheel notch
    QTest::newRow("zoom in") << QKeySequence(Qt::CTRL | Qt::Key_Equal);
    QTest::newRow("zoom out") << QKeySequence(Qt::CTRL | Qt::Key_Minus);
    QTest::newRow("wheel notch") << QKeySequence();
}

// A zoom step or a wheel notch paints the picture once, before the scroll
// bars show the step: they follow in a paint of their own that leaves the
// picture alone.
void TestView::viewStepReachesTheScreenFirst()
{
    QFETCH(QKeySequence, keys);
    m_editor->document().canvas().setSize(3000, 2000);
    QScrollBar *bar = m_window->verticalBar();
    bar->setValue(300);
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    CanvasView *view = m_window->canvasView();
    QCoreApplication::processEvents();
    struct BarWhenPainted : QObject {
        QScrollBar *bar = nullptr;
        QList<QPoint> seen; // maximum, value
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                seen << QPoint(bar->maximum(), bar->value());
            return false;
        }
    } paints;
    paints.bar = bar;
    view->installEventFilter(&paints);
    const QPoint before(bar->maximum(), bar->value());
    QWheelEvent wheel({300, 200}, view->mapToGlobal(QPointF(300, 200)), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    if (keys.isEmpty())
        QCoreApplication::sendEvent(view, &wheel);
    else
        QTest::keySequence(view, keys);
    QTest::qWait(50);
    QCOMPARE(paints.seen, QList<QPoint>{before});
    QVERIFY(QPoint(bar->maximum(), bar->value()) != before);
}

void TestView::zoomedSelection_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QPointF>("from"); // view points
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<QString>("position"); // the status bar's at the end
    QTest::newRow("100 %") << 1.0 << QPointF(10, 20) << QPointF(30, 25) << QRect(10, 20, 21, 6)
                           << "30,25";
    QTest::newRow("800 %, inside the pixels")
        << 8.0 << QPointF(17.9, 8) << QPointF(47.5, 31.9) << QRect(2, 1, 4, 3) << "5,3";
    QTest::newRow("800 %, backwards")
        << 8.0 << QPointF(47.5, 31.9) << QPointF(16, 8) << QRect(2, 1, 4, 3) << "2,1";
    QTest::newRow("800 %, left of the picture")
        << 8.0 << QPointF(9, 9) << QPointF(-0.5, -4) << QRect(-1, -1, 3, 3) << "-1,-1";
    QTest::newRow("6400 %") << 64.0 << QPointF(63.9, 64) << QPointF(64, 127.9) << QRect(0, 1, 2, 1)
                            << "1,1";
    QTest::newRow("12.5 %") << 0.125 << QPointF(1, 2) << QPointF(3.99, 2.5) << QRect(8, 16, 24, 5)
                            << "31,20";
}

// Every pixel the dragged rectangle touches is selected, the pixels under
// the pointer at both ends included, whatever the zoom.
void TestView::zoomedSelection()
{
    QFETCH(double, zoom);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QRect, selection);
    QFETCH(QString, position);
    m_window->canvasView()->zoomTo(zoom);
    QCOMPARE(m_window->canvasView()->zoom(), zoom);
    m_editor->canvasInput().chooseTool(ToolId::Select);
    m_editor->toolState().currentTool = ToolId::Select;
    CanvasView *view = m_window->canvasView();
    // The points are counted from the picture's corner, wherever the zoom
    // scrolled it.
    const QPointF corner = view->pictureRect().topLeft();
    const auto send = [view, corner](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
        QMouseEvent event(type, corner + at, view->mapToGlobal(corner + at), Qt::LeftButton, held,
                          {});
        QCoreApplication::sendEvent(view, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    QCOMPARE(m_editor->document().selection(), selection);
    QCOMPARE(m_window->statusPanel(2), position);
}

void TestView::ctrlWheelZoomsAboutThePointer_data()
{
    QTest::addColumn<int>("notches");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QString>("status");
    // Where the picture shrinks to fit, the bars cannot keep it in place.
    QTest::addColumn<bool>("stays");
    QTest::newRow("in") << 1 << 2.0 << "缩放 200%" << true;
    QTest::newRow("in twice") << 2 << 3.0 << "缩放 300%" << true;
    QTest::newRow("out") << -1 << 0.5 << "缩放 50%" << false;
    QTest::newRow("all the way out") << -5 << 0.125 << "缩放 12.5%" << false;
    QTest::newRow("out and back") << 0 << 1.0 << "" << true;
}

void TestView::ctrlWheelZoomsAboutThePointer()
{
    QFETCH(int, notches);
    QFETCH(double, zoom);
    QFETCH(QString, status);
    QFETCH(bool, stays);
    m_editor->document().canvas().setSize(2000, 1500);
    QWidget *view = m_window->canvasView();
    const QPointF at(300, 200); // over picture pixel 300,200 at 100 %
    const QPointF inViewport = view->mapTo(m_window->viewport()->client(), at);
    // The pointer stays where it is on the screen while the picture moves.
    const auto turn = [&](int delta) {
        const QPointF local = view->mapFrom(m_window->viewport()->client(), inViewport);
        QWheelEvent wheel(local, view->mapToGlobal(local), {}, QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
    };
    if (notches == 0) {
        turn(120);
        turn(-120);
    }
    for (int i = 0; i < std::abs(notches); ++i)
        turn(notches > 0 ? 120 : -120);
    QCOMPARE(m_window->canvasView()->zoom(), zoom);
    QCOMPARE(m_window->statusPanel(1), status);
    // The picture pixel under the pointer stays under it.
    const QPoint under = m_window->canvasView()->transform().toCanvas(
        view->mapFrom(m_window->viewport()->client(), inViewport));
    if (stays)
        QCOMPARE(under, QPoint(300, 200));
    else
        QCOMPARE(m_window->canvasView()->pictureRect().topLeft(), QPoint(0, 0));
    // Zoomed out, the bars cannot scroll a picture that fits.
    QCOMPARE(m_window->canvasView()->pictureRect().size(),
             QSize(int(std::ceil(2000 * zoom)), int(std::ceil(1500 * zoom))));
}

void TestView::zoomedGripDragsWholePixels()
{
    m_editor->document().canvas().setSize(100, 50);
    m_window->canvasView()->zoomTo(8);
    QCOMPARE(grip(0)->pos(), QPoint(800, (400 - GripSize) / 2));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), grip(0)->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grip(0), &press);
    // Seven screen pixels reach no new picture pixel; eight do.
    dragTo(0, QPointF(9, 2));
    QCOMPARE(m_editor->document().canvas().size(), QSize(100, 50));
    dragTo(0, QPointF(10, 2));
    QCOMPARE(m_editor->document().canvas().size(), QSize(101, 50));
    QCOMPARE(m_window->statusPanel(3), QStringLiteral("101x50"));
    // Undo keeps the zoom.
    m_editor->documentCommands().undo();
    QCOMPARE(m_window->canvasView()->zoom(), 8.0);
}

void TestView::noZoomWhileAButtonIsHeld()
{
    QWidget *view = m_window->canvasView();
    const QPointF at(20, 20);
    QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
    m_window->canvasView()->zoomBy(1);
    QCOMPARE(m_window->canvasView()->zoom(), 1.0);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &release);
    m_window->canvasView()->zoomBy(-3);
    QCOMPARE(m_window->canvasView()->zoom(), 0.125);
    // The grips sit at the shown picture's edges: 760 x 568 at 12.5 %.
    QCOMPARE(grip(1)->pos(), QPoint(95, 71));
}

void TestView::accessibleCanvasIsThePicture_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("scrolled");  // the vertical bar's value
    QTest::addColumn<QRect>("extents"); // in the viewport
    QTest::newRow("start") << 1.0 << 0 << QRect(0, 0, 760, 568);
    QTest::newRow("scrolled") << 1.0 << 100 << QRect(0, -100, 760, 568);
    QTest::newRow("12.5 %") << 0.125 << 0 << QRect(0, 0, 95, 71);
    QTest::newRow("800 %, scrolled") << 8.0 << 1000 << QRect(0, -1000, 6080, 4544);
}

// Read by assistive tools where the picture shows, scrolled or not, and as
// focusable, whatever the view's own extent.
void TestView::accessibleCanvasIsThePicture()
{
    QFETCH(double, zoom);
    QFETCH(int, scrolled);
    QFETCH(QRect, extents);
    CanvasView *view = m_window->canvasView();
    view->zoomTo(zoom);
    m_window->horizontalBar()->setValue(0);
    m_window->verticalBar()->setValue(scrolled);
    QAccessibleInterface *canvas = QAccessible::queryAccessibleInterface(view);
    const QPoint inside = m_window->viewport()->client()->mapToGlobal(QPoint(0, 0));
    QCOMPARE(canvas->rect(), extents.translated(inside));
    QVERIFY(canvas->state().focusable);
    QCOMPARE(canvas->role(), QAccessible::Client);
    QCOMPARE(canvas->text(QAccessible::Name), QStringLiteral("画布"));
}

KALVO_TEST(TestView)
#include "tst_view.moc"
