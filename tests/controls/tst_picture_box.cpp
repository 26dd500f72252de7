#include "testmain.h"

#include "controls/picture_box.h"
#include "core/surface.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

class TestPictureBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void mouseArguments_data();
    void mouseArguments();
    void doubleClickIsNotASecondPress();
    void keyCodes_data();
    void keyCodes();
    void followsSurfaceSize();
    void showsScreenLayer();
    void overlaysLeaveSurfaceAlone();
};

namespace {

void send(QWidget &widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

void TestPictureBox::mouseArguments_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("buttonCode");
    QTest::addColumn<int>("heldCode");
    QTest::addColumn<int>("shiftCode");

    QTest::newRow("left") << int(Qt::LeftButton) << int(Qt::LeftButton) << 0 << 1 << 1 << 0;
    QTest::newRow("right, ctrl") << int(Qt::RightButton) << int(Qt::RightButton)
                                 << int(Qt::ControlModifier) << 2 << 2 << 2;
    QTest::newRow("middle, alt") << int(Qt::MiddleButton) << int(Qt::MiddleButton)
                                 << int(Qt::AltModifier) << 4 << 4 << 4;
    QTest::newRow("left while right held, shift+ctrl")
        << int(Qt::LeftButton) << int(Qt::LeftButton | Qt::RightButton)
        << int(Qt::ShiftModifier | Qt::ControlModifier) << 1 << 3 << 3;
}

void TestPictureBox::mouseArguments()
{
    QFETCH(int, button);
    QFETCH(int, held);
    QFETCH(int, modifiers);
    QFETCH(int, buttonCode);
    QFETCH(int, heldCode);
    QFETCH(int, shiftCode);

    Surface surface(40, 30);
    PictureBox box;
    box.setSurface(&surface);
    QSignalSpy down(&box, &PictureBox::mouseDown);
    QSignalSpy move(&box, &PictureBox::mouseMove);
    QSignalSpy up(&box, &PictureBox::mouseUp);
    const auto mouseButton = Qt::MouseButton(button);
    const auto mods = Qt::KeyboardModifiers(modifiers);

    send(box, QEvent::MouseButtonPress, {5.5, 7.25}, mouseButton, Qt::MouseButtons(held), mods);
    send(box, QEvent::MouseMove, {12.0, 3.5}, Qt::NoButton, Qt::MouseButtons(held), mods);
    send(box, QEvent::MouseButtonRelease, {13.0, 4.0}, mouseButton, Qt::NoButton, mods);

    QCOMPARE(down.size(), 1);
    QCOMPARE(down[0], (QVariantList{buttonCode, shiftCode, 5.5, 7.25}));
    QCOMPARE(move.size(), 1);
    QCOMPARE(move[0], (QVariantList{heldCode, shiftCode, 12.0, 3.5}));
    QCOMPARE(up.size(), 1);
    QCOMPARE(up[0], (QVariantList{buttonCode, shiftCode, 13.0, 4.0}));

    // Moves without a button arrive too.
    QVERIFY(box.hasMouseTracking());
    send(box, QEvent::MouseMove, {1.0, 2.0}, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCOMPARE(move.size(), 2);
    QCOMPARE(move[1], (QVariantList{0, 0, 1.0, 2.0}));
}

void TestPictureBox::doubleClickIsNotASecondPress()
{
    Surface surface(40, 30);
    PictureBox box;
    box.setSurface(&surface);
    QSignalSpy down(&box, &PictureBox::mouseDown);
    QSignalSpy up(&box, &PictureBox::mouseUp);
    QSignalSpy dbl(&box, &PictureBox::dblClick);

    // The order in which Qt delivers a double click.
    const QPointF at(4, 4);
    send(box, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    send(box, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    send(box, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    send(box, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);

    QCOMPARE(dbl.size(), 1);
    QCOMPARE(down.size(), 1);
    QCOMPARE(up.size(), 2);
}

void TestPictureBox::keyCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 46;
    QTest::newRow("A") << int(Qt::Key_A) << 65;
    QTest::newRow("Z") << int(Qt::Key_Z) << 90;
    QTest::newRow("7") << int(Qt::Key_7) << 55;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 27;
    QTest::newRow("F1") << int(Qt::Key_F1) << 112;
    QTest::newRow("unmapped") << int(Qt::Key_Launch0) << 0;
}

void TestPictureBox::keyCodes()
{
    QFETCH(int, key);
    QFETCH(int, code);
    Surface surface(10, 10);
    PictureBox box;
    box.setSurface(&surface);
    QSignalSpy keyUp(&box, &PictureBox::keyUp);

    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&box, &release);

    if (code == 0) {
        QCOMPARE(keyUp.size(), 0);
    } else {
        QCOMPARE(keyUp.size(), 1);
        QCOMPARE(keyUp[0][0].toInt(), code);
    }
}

void TestPictureBox::followsSurfaceSize()
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
}

void TestPictureBox::showsScreenLayer()
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

void TestPictureBox::overlaysLeaveSurfaceAlone()
{
    Surface surface(30, 30);
    PictureBox box;
    box.setSurface(&surface);
    const QImage before = surface.image();

    box.setSelectionFrame(QRect(2, 2, 10, 8));
    box.setMarker(QRect(20, 20, 6, 6));
    const QImage shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(surface.image(), before);
    QCOMPARE(shot.pixel(2, 2), qRgb(0, 0, 0));       // frame corner
    QCOMPARE(shot.pixel(6, 6), qRgb(255, 255, 255)); // inside stays the picture
    QCOMPARE(shot.pixel(20, 20), qRgb(0, 0, 0));
    QCOMPARE(shot.pixel(25, 25), qRgb(0, 0, 0));
    QCOMPARE(shot.pixel(26, 26), qRgb(255, 255, 255));

    box.hideSelectionFrame();
    box.hideMarker();
    const QImage hidden = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(hidden, before.convertToFormat(QImage::Format_RGB32));
}

KALVO_TEST(TestPictureBox)
#include "tst_picture_box.moc"
