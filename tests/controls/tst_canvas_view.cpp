#include "testmain.h"

#include "controls/canvas_transform.h"
#include "controls/canvas_view.h"
#include "controls/picture_box.h"
#include "controls/reduced_picture.h"
#include "core/document.h"
#include "core/surface.h"
#include "test_pictures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <cmath>

class TestCanvasView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void transformMapsByFloor_data();
    void transformMapsByFloor();
    void mouseArguments_data();
    void mouseArguments();
    void greyHearsNothing_data();
    void greyHearsNothing();
    void doubleClickIsNotASecondPress();
    void keyUpReportsTheKey();
    void followsSurfaceSize();
    void showsScreenLayer();
    void overlaysLeaveSurfaceAlone();
    void frameDotsFollowThePicture_data();
    void frameDotsFollowThePicture();
    void reduceAnyFactor_data();
    void reduceAnyFactor();
    void zoomLevels_data();
    void zoomLevels();
    void zoomedPixels_data();
    void zoomedPixels();
    void shrunkCopyFollowsTheSize();
    void shrunkCopiesKeepUp_data();
    void shrunkCopiesKeepUp();
};

namespace {

// The rounded mean of picture's pixels within covered, which lies inside it;
// fallback when it covers none.
QRgb meanOf(const QImage &picture, const QRect &covered, QRgb fallback)
{
    int sum[3] = {0, 0, 0};
    for (int y = covered.top(); y <= covered.bottom(); ++y)
        for (int x = covered.left(); x <= covered.right(); ++x) {
            sum[0] += qRed(picture.pixel(x, y));
            sum[1] += qGreen(picture.pixel(x, y));
            sum[2] += qBlue(picture.pixel(x, y));
        }
    const int n = covered.isEmpty() ? 0 : covered.width() * covered.height();
    return n == 0 ? fallback
                  : qRgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n);
}

void send(QWidget &widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(&widget, &event);
}

// A document with a canvas of this size, shown in a view.
struct ViewRig {
    explicit ViewRig(QSize size)
    {
        document.canvas().setSize(size.width(), size.height());
        view.setDocument(&document);
    }
    Document document;
    CanvasView view;
};

} // namespace

void TestCanvasView::transformMapsByFloor_data()
{
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPointF>("view");
    QTest::addColumn<QPoint>("canvas");
    QTest::addColumn<QRect>("canvasRect");
    QTest::addColumn<QRect>("viewRect");

    const QPointF none(0, 0);
    QTest::newRow("1:1 whole") << none << 1.0 << QPointF(12, 3) << QPoint(12, 3)
                               << QRect(2, 3, 4, 5) << QRect(2, 3, 4, 5);
    QTest::newRow("1:1 fraction") << none << 1.0 << QPointF(12.5, 3.99) << QPoint(12, 3)
                                  << QRect(0, 0, 1, 1) << QRect(0, 0, 1, 1);
    QTest::newRow("left of the picture") << none << 1.0 << QPointF(-0.5, -0.01) << QPoint(-1, -1)
                                         << QRect(-2, -1, 2, 1) << QRect(-2, -1, 2, 1);
    QTest::newRow("shifted origin") << QPointF(10, 20) << 1.0 << QPointF(9.5, 20) << QPoint(-1, 0)
                                    << QRect(0, 0, 3, 3) << QRect(10, 20, 3, 3);
    QTest::newRow("4x") << none << 4.0 << QPointF(7.9, 8) << QPoint(1, 2) << QRect(1, 2, 3, 1)
                        << QRect(4, 8, 12, 4);
    QTest::newRow("4x, negative") << none << 4.0 << QPointF(-0.1, -4) << QPoint(-1, -1)
                                  << QRect(-1, 0, 1, 1) << QRect(-4, 0, 4, 4);
    QTest::newRow("half") << none << 0.5 << QPointF(3.9, 4) << QPoint(7, 8) << QRect(1, 1, 3, 2)
                          << QRect(0, 0, 2, 2);
}

void TestCanvasView::transformMapsByFloor()
{
    QFETCH(QPointF, origin);
    QFETCH(double, scale);
    QFETCH(QPointF, view);
    QFETCH(QPoint, canvas);
    QFETCH(QRect, canvasRect);
    QFETCH(QRect, viewRect);
    const CanvasTransform transform(origin, scale);
    QCOMPARE(transform.toCanvas(view), canvas);
    QCOMPARE(transform.toView(canvasRect), viewRect);
    // Every canvas pixel of the rectangle lies under the view rectangle, and
    // the view rectangle touches no other.
    QVERIFY(transform.toCanvas(viewRect).contains(canvasRect));
    if (scale >= 1)
        QCOMPARE(transform.toCanvas(viewRect), canvasRect);
}

void TestCanvasView::mouseArguments_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("heldSeen");
    QTest::addColumn<int>("modifiersSeen");

    const int shiftCtrl = int(Qt::ShiftModifier | Qt::ControlModifier);
    QTest::newRow("left") << int(Qt::LeftButton) << int(Qt::LeftButton) << 0 << int(Qt::LeftButton)
                          << 0;
    QTest::newRow("right, ctrl") << int(Qt::RightButton) << int(Qt::RightButton)
                                 << int(Qt::ControlModifier) << int(Qt::RightButton)
                                 << int(Qt::ControlModifier);
    QTest::newRow("middle, alt") << int(Qt::MiddleButton) << int(Qt::MiddleButton)
                                 << int(Qt::AltModifier) << int(Qt::MiddleButton)
                                 << int(Qt::AltModifier);
    QTest::newRow("left while right held, shift+ctrl")
        << int(Qt::LeftButton) << int(Qt::LeftButton | Qt::RightButton) << shiftCtrl
        << int(Qt::LeftButton | Qt::RightButton) << shiftCtrl;
}

void TestCanvasView::mouseArguments()
{
    QFETCH(int, button);
    QFETCH(int, held);
    QFETCH(int, modifiers);
    QFETCH(int, heldSeen);
    QFETCH(int, modifiersSeen);

    ViewRig rig({40, 30});
    QSignalSpy down(&rig.view, &CanvasView::mouseDown);
    QSignalSpy move(&rig.view, &CanvasView::mouseMove);
    QSignalSpy up(&rig.view, &CanvasView::mouseUp);
    const auto mouseButton = Qt::MouseButton(button);
    const auto mods = Qt::KeyboardModifiers(modifiers);

    send(rig.view, QEvent::MouseButtonPress, {5.5, 7.25}, mouseButton, Qt::MouseButtons(held),
         mods);
    send(rig.view, QEvent::MouseMove, {12.0, 3.5}, Qt::NoButton, Qt::MouseButtons(held), mods);
    send(rig.view, QEvent::MouseButtonRelease, {13.0, 4.0}, mouseButton, Qt::NoButton, mods);

    // Positions arrive as the canvas pixel under the pointer.
    QCOMPARE(down.size(), 1);
    QCOMPARE(down[0][0].value<Qt::MouseButton>(), mouseButton);
    QCOMPARE(int(down[0][1].value<Qt::KeyboardModifiers>()), modifiersSeen);
    QCOMPARE(down[0][2].toPointF(), QPointF(5, 7));
    QCOMPARE(move.size(), 1);
    QCOMPARE(int(move[0][0].value<Qt::MouseButtons>()), heldSeen);
    QCOMPARE(move[0][2].toPointF(), QPointF(12, 3));
    QCOMPARE(up.size(), 1);
    QCOMPARE(up[0][2].toPointF(), QPointF(13, 4));

    // Moves without a button arrive too.
    QVERIFY(rig.view.hasMouseTracking());
    send(rig.view, QEvent::MouseMove, {1.0, 2.0}, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCOMPARE(move.size(), 2);
    QCOMPARE(int(move[1][0].value<Qt::MouseButtons>()), 0);
}

void TestCanvasView::greyHearsNothing_data()
{
    // Presses (p), moves with the button held (m), releases (r) and moves
    // without a button (h) over a 40 x 30 picture in a larger view.
    QTest::addColumn<QString>("events");
    QTest::addColumn<QList<int>>("heard"); // presses, moves, releases
    QTest::newRow("hover over the picture") << "h5,5" << QList<int>{0, 1, 0};
    QTest::newRow("hover over the grey") << "h50,5" << QList<int>{0, 0, 0};
    QTest::newRow("press on the grey, drag in") << "p50,5 m10,10 r10,10" << QList<int>{0, 0, 0};
    QTest::newRow("press on the picture, drag out")
        << "p5,5 m50,50 r50,50 h50,50" << QList<int>{1, 1, 1};
    QTest::newRow("last pixel") << "p39.4,29.4 r39.4,29.4" << QList<int>{1, 0, 1};
    QTest::newRow("nearer the grey") << "p39.6,5 r39.6,5" << QList<int>{0, 0, 0};
}

void TestCanvasView::greyHearsNothing()
{
    QFETCH(QString, events);
    QFETCH(QList<int>, heard);
    ViewRig rig({40, 30});
    rig.view.resize(200, 100);
    QSignalSpy down(&rig.view, &CanvasView::mouseDown);
    QSignalSpy move(&rig.view, &CanvasView::mouseMove);
    QSignalSpy up(&rig.view, &CanvasView::mouseUp);
    for (const QString &event : events.split(' ')) {
        const QStringList xy = event.mid(1).split(',');
        const QPointF at(xy[0].toDouble(), xy[1].toDouble());
        const QChar kind = event[0];
        const QEvent::Type type = kind == 'p'   ? QEvent::MouseButtonPress
                                  : kind == 'r' ? QEvent::MouseButtonRelease
                                                : QEvent::MouseMove;
        const bool held = kind == 'p' || kind == 'm';
        send(rig.view, type, at, kind == 'h' || kind == 'm' ? Qt::NoButton : Qt::LeftButton,
             held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    }
    QCOMPARE((QList<int>{int(down.size()), int(move.size()), int(up.size())}), heard);
}

void TestCanvasView::doubleClickIsNotASecondPress()
{
    ViewRig rig({40, 30});
    QSignalSpy down(&rig.view, &CanvasView::mouseDown);
    QSignalSpy up(&rig.view, &CanvasView::mouseUp);
    QSignalSpy dbl(&rig.view, &CanvasView::dblClick);

    // The order in which Qt delivers a double click.
    const QPointF at(4, 4);
    auto &view = rig.view;
    send(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    send(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    send(view, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    send(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);

    QCOMPARE(dbl.size(), 1);
    QCOMPARE(down.size(), 1);
    QCOMPARE(up.size(), 2);
}

void TestCanvasView::keyUpReportsTheKey()
{
    ViewRig rig({10, 10});
    QSignalSpy keyUp(&rig.view, &CanvasView::keyUp);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(&rig.view, &release);
    // A held key repeats; only its real release counts.
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&rig.view, &repeat);
    QCOMPARE(keyUp.size(), 1);
    QCOMPARE(keyUp[0][0].value<Qt::Key>(), Qt::Key_Delete);
}

void TestCanvasView::followsSurfaceSize()
{
    Surface surface(40, 30);
    PictureBox box;
    box.setSurface(&surface);
    QCOMPARE(box.size(), QSize(40, 30));

    surface.setSize(75, 12);
    QCOMPARE(box.size(), QSize(75, 12));
    QCOMPARE(box.sizeHint(), QSize(75, 12));

    surface.setPicture(QImage(9, 8, QImage::Format_RGB32));
    QCOMPARE(box.size(), QSize(9, 8));

    ViewRig rig({40, 30});
    QCOMPARE(rig.view.pictureRect(), QRect(0, 0, 40, 30));
    rig.document.canvas().setSize(7, 5);
    QCOMPARE(rig.view.pictureRect(), QRect(0, 0, 7, 5));
}

void TestCanvasView::showsScreenLayer()
{
    Surface surface(20, 10);
    PictureBox box;
    box.setSurface(&surface);
    surface.setPixel(3, 4, 0x000000FF); // red
    surface.setAutoRedraw(false);
    surface.line({0, 9}, {19, 9}, 0x00FF0000, Surface::LineForm::Segment); // blue preview

    const QImage shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(20, 10));
    QCOMPARE(shot.pixel(3, 4), qRgb(255, 0, 0));
    QCOMPARE(shot.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(shot.pixel(10, 9), qRgb(0, 0, 255));

    surface.refresh();
    const QImage after = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(after.pixel(10, 9), qRgb(255, 255, 255));
}

void TestCanvasView::overlaysLeaveSurfaceAlone()
{
    ViewRig rig({30, 30});
    const QImage before = rig.document.canvas().image();

    rig.document.setSelection(QRect(2, 2, 10, 8));
    rig.document.setCloneMarker(QRect(20, 20, 6, 6));
    const QImage shot =
        rig.view.grab(rig.view.pictureRect()).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(rig.document.canvas().image(), before);
    QCOMPARE(shot.pixel(2, 2), qRgb(0, 0, 0));       // frame corner
    QCOMPARE(shot.pixel(6, 6), qRgb(255, 255, 255)); // inside stays the picture
    QCOMPARE(shot.pixel(20, 20), qRgb(0, 0, 0));
    QCOMPARE(shot.pixel(25, 25), qRgb(0, 0, 0));
    QCOMPARE(shot.pixel(26, 26), qRgb(255, 255, 255));

    rig.document.clearSelection();
    rig.document.setCloneMarker(QRect());
    const QImage hidden =
        rig.view.grab(rig.view.pictureRect()).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(hidden, before.convertToFormat(QImage::Format_RGB32));
}

void TestCanvasView::frameDotsFollowThePicture_data()
{
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QPoint>("scroll");
    for (int ratio : {1, 2})
        for (QPoint scroll : {QPoint(0, 0), QPoint(3, 2), QPoint(4, 1)})
            QTest::addRow("ratio %d, scrolled %d,%d", ratio, scroll.x(), scroll.y())
                << ratio << scroll;
}

// Every pixel of a selection frame is black where its distance from the
// picture's corner is even, white where odd, at any scroll and ratio.
void TestCanvasView::frameDotsFollowThePicture()
{
    QFETCH(int, ratio);
    QFETCH(QPoint, scroll);
    ViewRig rig({60, 40});
    rig.document.canvas().setBackColour(0x00808080);
    rig.view.resize(30, 24);
    rig.view.scrollTo(scroll);
    const QRect frame(5, 4, 17, 13);
    rig.document.setSelection(frame);
    QImage shot(rig.view.size() * ratio, QImage::Format_RGB32);
    shot.setDevicePixelRatio(ratio);
    rig.view.render(&shot);
    const QPoint origin = rig.view.transform().origin().toPoint();
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QPoint at(x / ratio, y / ratio); // view pixels
            const QPoint picture = at - origin;
            const bool onFrame =
                frame.contains(picture) && !frame.adjusted(1, 1, -1, -1).contains(picture);
            const QRgb expected = !onFrame                               ? qRgb(128, 128, 128)
                                  : (picture.x() + picture.y()) % 2 == 0 ? qRgb(0, 0, 0)
                                                                         : qRgb(255, 255, 255);
            QVERIFY2(shot.pixel(x, y) == expected,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
}

void TestCanvasView::reduceAnyFactor_data()
{
    QTest::addColumn<int>("factor");
    // Past the kept levels a painter of a scale below 1 asks for more.
    for (int factor : {2, 8, 16, 64})
        QTest::addRow("%d", factor) << factor;
}

void TestCanvasView::reduceAnyFactor()
{
    QFETCH(int, factor);
    // Bright, so that the channel sums run high; not a whole number of blocks.
    QImage picture(3 * factor + 1, 2 * factor + 1, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(255 - x % 3, 250 + y % 6, 255 - (x + y) % 2));
    const QImage shrunk = ReducedPicture::reduce(picture, factor);
    QCOMPARE(shrunk.size(), QSize(4, 3));
    for (int y = 0; y < shrunk.height(); ++y)
        for (int x = 0; x < shrunk.width(); ++x)
            QCOMPARE(
                shrunk.pixel(x, y),
                meanOf(picture, QRect(x * factor, y * factor, factor, factor) & picture.rect(), 0));
}

void TestCanvasView::zoomLevels_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("to");
    QTest::newRow("in from 100 %") << 1.0 << 1 << 2.0;
    QTest::newRow("out from 100 %") << 1.0 << -1 << 0.5;
    QTest::newRow("200 % to 300 %") << 2.0 << 1 << 3.0;
    QTest::newRow("600 % to 800 %") << 6.0 << 1 << 8.0;
    QTest::newRow("4800 % to 6400 %") << 48.0 << 1 << 64.0;
    QTest::newRow("top stays") << 64.0 << 1 << 64.0;
    QTest::newRow("bottom stays") << 0.125 << -1 << 0.125;
    QTest::newRow("three notches") << 0.125 << 3 << 1.0;
    QTest::newRow("past the top") << 24.0 << 9 << 64.0;
    QTest::newRow("between levels, in") << 0.7 << 1 << 1.0;
    QTest::newRow("between levels, out") << 0.7 << -1 << 0.5;
}

void TestCanvasView::zoomLevels()
{
    QFETCH(double, from);
    QFETCH(int, steps);
    QFETCH(double, to);
    QCOMPARE(CanvasView::zoomStep(from, steps), to);
}

void TestCanvasView::zoomedPixels_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QPoint>("scroll");
    for (double zoom : {0.5, 1.0, 3.0, 8.0})
        for (int ratio : {1, 2})
            for (QPoint scroll : {QPoint(0, 0), QPoint(3, 2)})
                QTest::addRow("%g%%, ratio %d, scrolled %d", zoom * 100, ratio, scroll.x())
                    << zoom << ratio << scroll;
}

// An 11 x 7 picture, one pixel of it a preview, in a view of 20 x 14,
// scrolled or not, rendered at every zoom: each device pixel over the picture
// the picture pixel under it (a grid line on the first row and column of
// each from 800 %), or below 100 % the rounded mean of the pixels it covers;
// grey where it covers none.
void TestCanvasView::zoomedPixels()
{
    QFETCH(double, zoom);
    QFETCH(int, ratio);
    QFETCH(QPoint, scroll);
    const QSize size(11, 7);
    ViewRig rig(size);
    Surface &canvas = rig.document.canvas();
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            canvas.setPixel(x, y, rgbColour(x * 23, y * 37, (x * y * 11) % 256));
    // A preview pixel on the screen layer shows as the picture does.
    canvas.preview([&] { canvas.setPixel(1, 1, 0x00000000); });
    const QImage screen = canvas.grabScreen(canvas.rect());
    rig.view.resize(20, 14);
    rig.view.zoomTo(zoom);
    rig.view.scrollTo(scroll);
    const QPointF origin = rig.view.transform().origin();
    QCOMPARE(origin, -QPointF(rig.view.scrollPosition()));

    QImage shot(rig.view.size() * ratio, QImage::Format_RGB32);
    shot.setDevicePixelRatio(ratio);
    shot.fill(Qt::black);
    rig.view.render(&shot);

    const double perPixel = zoom * ratio; // device pixels per picture pixel
    const int left = int(origin.x()) * ratio;
    const int top = int(origin.y()) * ratio;
    const auto floorDiv = [](int a, int b) {
        return a >= 0 ? a / b : -((-a + b - 1) / b);
    };
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            QRgb expected = qRgb(128, 128, 128); // the grey around the picture
            if (perPixel >= 1) {
                const int k = int(perPixel);
                const QPoint p(floorDiv(x - left, k), floorDiv(y - top, k));
                if (QRect(QPoint(), size).contains(p)) {
                    expected = screen.pixel(p);
                    if (zoom >= CanvasView::GridZoom && ((x - left) % k == 0 || (y - top) % k == 0))
                        expected = qRgb((qRed(expected) + 128) / 2, (qGreen(expected) + 128) / 2,
                                        (qBlue(expected) + 128) / 2);
                }
            } else {
                const int k = int(1 / perPixel);
                const QRect covered =
                    QRect((x - left) * k, (y - top) * k, k, k) & QRect(QPoint(), size);
                expected = meanOf(screen, covered, expected);
            }
            QVERIFY2(shot.pixel(x, y) == expected,
                     qPrintable(QStringLiteral("%1,%2: %3 instead of %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(shot.pixel(x, y), 0, 16)
                                    .arg(expected, 0, 16)));
        }
    }
}

// Zoomed out, a picture that grows or shrinks (a grip, New, Undo of a resize)
// is shown whole at its new size.
void TestCanvasView::shrunkCopyFollowsTheSize()
{
    ViewRig rig({40, 30});
    rig.view.zoomTo(0.25);
    const auto shot = [&] {
        QImage image(rig.view.pictureRect().size(), QImage::Format_RGB32);
        rig.view.render(&image, QPoint(), rig.view.pictureRect());
        return image;
    };
    shot();
    for (QSize size : {QSize(300, 20), QSize(8, 400), QSize(1, 1)}) {
        Surface &canvas = rig.document.canvas();
        canvas.setSize(size.width(), size.height());
        canvas.setPixel(size.width() - 1, size.height() - 1, 0x00000000);
        const QImage image = shot();
        QCOMPARE(image.size(), QSize((size.width() + 3) / 4, (size.height() + 3) / 4));
        // The last block holds the black pixel: darker than white.
        QVERIFY(qRed(image.pixel(image.width() - 1, image.height() - 1)) < 255);
        QCoreApplication::processEvents(); // the idle overview work
    }
}

void TestCanvasView::shrunkCopiesKeepUp_data()
{
    QTest::addColumn<int>("level");
    for (int level = 1; level <= ReducedPicture::Levels; ++level)
        QTest::addRow("1/%d", 1 << level) << level;
}

// The shrunk picture is the same whether it is shrunk at once, read from the
// copy kept from idle time on, or from that copy after the picture changed
// under it; partial blocks at the edges included.
void TestCanvasView::shrunkCopiesKeepUp()
{
    QFETCH(int, level);
    Surface surface;
    surface.setPicture(numberedPicture(700, 300));
    ReducedPicture reduced(surface);
    const int factor = 1 << level;
    const QRect blocks(1, 1, (700 + factor - 1) / factor - 1, (300 + factor - 1) / factor - 1);
    // Each block the rounded mean of the picture pixels it covers.
    const auto matches = [&] {
        QImage shown(blocks.size(), QImage::Format_RGB32);
        reduced.shrunk(level, blocks, shown);
        const QImage picture = surface.image();
        for (int y = 0; y < blocks.height(); ++y)
            for (int x = 0; x < blocks.width(); ++x) {
                const QRect covered = QRect((blocks.left() + x) * factor,
                                            (blocks.top() + y) * factor, factor, factor) &
                                      picture.rect();
                if (shown.pixel(x, y) != meanOf(picture, covered, 0))
                    return false;
            }
        return true;
    };
    QVERIFY(matches());
    QTRY_VERIFY(reduced.ready(level));
    QVERIFY(matches());
    surface.line({650, 10}, {699, 299}, 0x000000FF, Surface::LineForm::FilledBox);
    QVERIFY(matches());
}

KALVO_TEST(TestCanvasView)
#include "tst_canvas_view.moc"
