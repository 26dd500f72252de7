#include "testmain.h"

#include "controls/flat_button.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr QRgb Face = 0xFFC0C0C0;

QImage grabOf(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Distinct 3-D colours, so each edge ring can be told apart.
QPalette edgePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(255, 0, 0));
    palette.setColor(QPalette::Midlight, QColor(0, 255, 0));
    palette.setColor(QPalette::Dark, QColor(0, 0, 255));
    palette.setColor(QPalette::Shadow, QColor(255, 255, 0));
    return palette;
}

// Leftmost and topmost columns and rows where anything but the face shows.
QPoint inkOrigin(const QImage &image)
{
    int left = image.width();
    int top = image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != Face) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
        }
    }
    return QPoint(left, top);
}

// A flat button without edge on a plain face, for measuring its caption.
void prepare(FlatButton &button, const QString &caption, QSize size)
{
    button.setPalette(edgePalette());
    button.setBackColour(fromQRgb(Face));
    button.setButtonStyle(3);
    button.setCaption(caption);
    button.resize(size);
}

QImage invisibleIcon()
{
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(qRgb(255, 0, 255));
    return icon;
}

} // namespace

class TestFlatButton : public QObject
{
    Q_OBJECT

private slots:
    void captionPlacement_data();
    void captionPlacement();
    void captionTopFollowsHeight();
    void iconIsKeyedOnMagenta();
    void edges_data();
    void edges();
    void events_data();
    void events();
    void focusRectangle();
    void plainCaption_data();
    void plainCaption();
    void ampersandUnderlines();
    void disabledCaptionIsEmbossed();
    void mousePointerOverflow();
    void accessibleByCaption();
};

void TestFlatButton::captionPlacement_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<int>("width");
    QTest::newRow("left") << 0 << false << 100;
    QTest::newRow("left, picture") << 0 << true << 100;
    QTest::newRow("centre") << 1 << false << 100;
    QTest::newRow("centre, picture") << 1 << true << 100;
    QTest::newRow("centre, odd width") << 1 << false << 101;
    QTest::newRow("centre, odd width, picture") << 1 << true << 101;
    QTest::newRow("right") << 2 << false << 100;
    QTest::newRow("right, picture") << 2 << true << 100;
    QTest::newRow("out of range") << 3 << true << 100;
    QTest::newRow("negative") << -1 << false << 100;
}

void TestFlatButton::captionPlacement()
{
    QFETCH(int, alignment);
    QFETCH(bool, picture);
    QFETCH(int, width);
    const QString caption = QStringLiteral("Hx");

    // Where the ink of the caption starts when it is drawn at x = 0.
    FlatButton reference;
    prepare(reference, caption, QSize(width, 24));
    reference.setCaptionAlignment(9);
    const int bearing = inkOrigin(grabOf(reference)).x();

    FlatButton button;
    prepare(button, caption, QSize(width, 24));
    if (picture)
        button.setPicture(invisibleIcon());
    button.setCaptionAlignment(alignment);
    const int tw = QFontMetrics(button.font()).horizontalAdvance(caption);
    const int pad = picture ? 6 : 0;
    const QMap<int, int> expected{
        {0, picture ? 22 : 6}, {1, (width - tw + pad) / 2}, {2, width - tw - 6}};
    QCOMPARE(inkOrigin(grabOf(button)).x() - bearing, expected.value(alignment, 0));
}

void TestFlatButton::captionTopFollowsHeight()
{
    FlatButton tall;
    prepare(tall, QStringLiteral("H"), QSize(60, 40));
    FlatButton low;
    prepare(low, QStringLiteral("H"), QSize(60, 24));
    FlatButton flat;
    prepare(flat, QStringLiteral("H"), QSize(60, 13));
    const int tallTop = inkOrigin(grabOf(tall)).y();
    QCOMPARE(tallTop - inkOrigin(grabOf(low)).y(), 8);
    // Lower than the icon: the caption starts above the top edge ((13 - 16) / 2 is -1).
    QCOMPARE(tallTop - inkOrigin(grabOf(flat)).y(), 13);
}

void TestFlatButton::iconIsKeyedOnMagenta()
{
    FlatButton button;
    prepare(button, QString(), QSize(40, 24));
    QImage icon(20, 20, QImage::Format_RGB32);
    icon.fill(qRgb(255, 0, 255));
    icon.setPixel(0, 0, qRgb(1, 2, 3));
    icon.setPixel(15, 15, qRgb(4, 5, 6));
    icon.setPixel(16, 16, qRgb(7, 8, 9));
    button.setPicture(icon);
    const QImage image = grabOf(button);
    QCOMPARE(image.pixel(5, 4), qRgb(1, 2, 3));
    QCOMPARE(image.pixel(20, 19), qRgb(4, 5, 6));
    QCOMPARE(image.pixel(21, 20), Face);
    QCOMPARE(image.pixel(6, 4), Face);
}

void TestFlatButton::edges_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<Qt::MouseButton>("held");
    QTest::addColumn<QRgb>("outerTopLeft");
    QTest::addColumn<QRgb>("outerBottomRight");
    QTest::addColumn<QRgb>("innerTopLeft");
    QTest::addColumn<QRgb>("innerBottomRight");
    const QRgb light = qRgb(255, 0, 0);
    const QRgb midlight = qRgb(0, 255, 0);
    const QRgb dark = qRgb(0, 0, 255);
    const QRgb shadow = qRgb(255, 255, 0);
    QTest::newRow("0 released") << 0 << Qt::NoButton << midlight << shadow << light << dark;
    QTest::newRow("0 pressed") << 0 << Qt::LeftButton << dark << light << shadow << midlight;
    QTest::newRow("1 released") << 1 << Qt::NoButton << light << dark << Face << Face;
    QTest::newRow("1 pressed") << 1 << Qt::LeftButton << dark << light << Face << Face;
    QTest::newRow("1 right held") << 1 << Qt::RightButton << light << dark << Face << Face;
    QTest::newRow("2 released") << 2 << Qt::NoButton << dark << light << light << dark;
    QTest::newRow("2 pressed") << 2 << Qt::LeftButton << dark << light << Face << Face;
    QTest::newRow("other released") << 7 << Qt::NoButton << Face << Face << Face << Face;
    QTest::newRow("other pressed") << -1 << Qt::LeftButton << Face << Face << Face << Face;
}

void TestFlatButton::edges()
{
    QFETCH(int, style);
    QFETCH(Qt::MouseButton, held);
    QFETCH(QRgb, outerTopLeft);
    QFETCH(QRgb, outerBottomRight);
    QFETCH(QRgb, innerTopLeft);
    QFETCH(QRgb, innerBottomRight);
    FlatButton button;
    prepare(button, QString(), QSize(30, 22));
    button.setShowFocusRect(false);
    button.setButtonStyle(style);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    if (held != Qt::NoButton)
        QTest::mousePress(&button, held, {}, QPoint(15, 11));
    const QImage image = grabOf(button);
    const int w = image.width();
    const int h = image.height();
    QCOMPARE(image.pixel(0, 0), outerTopLeft);
    QCOMPARE(image.pixel(0, h - 2), outerTopLeft);
    QCOMPARE(image.pixel(w - 1, h - 1), outerBottomRight);
    QCOMPARE(image.pixel(w - 1, 1), outerBottomRight);
    QCOMPARE(image.pixel(1, 1), innerTopLeft);
    QCOMPARE(image.pixel(w - 2, h - 2), innerBottomRight);
    QCOMPARE(image.pixel(w / 2, h / 2), Face);
    if (held != Qt::NoButton) {
        QTest::mouseRelease(&button, held, {}, QPoint(15, 11));
        QCOMPARE(grabOf(button), [&] {
            FlatButton released;
            prepare(released, QString(), QSize(30, 22));
            released.setButtonStyle(style);
            return grabOf(released);
        }());
    }
}

void TestFlatButton::events_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left") << Qt::LeftButton << QPoint(10, 10) << 1;
    QTest::newRow("right") << Qt::RightButton << QPoint(10, 10) << 0;
    QTest::newRow("middle") << Qt::MiddleButton << QPoint(10, 10) << 0;
    QTest::newRow("left, released outside") << Qt::LeftButton << QPoint(200, 10) << 0;
}

void TestFlatButton::events()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    FlatButton flat;
    flat.resize(60, 24);
    flat.show();
    QVERIFY(QTest::qWaitForWindowExposed(&flat));
    QSignalSpy clicked(&flat, &FlatButton::clicked);
    QTest::mousePress(&flat, button, {}, QPoint(10, 10));
    QTest::mouseRelease(&flat, button, {}, releaseAt);
    QCOMPARE(clicked.count(), clicks);

    // A left click after any of these behaves normally.
    QTest::mouseClick(&flat, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicked.count(), clicks + 1);
}

void TestFlatButton::focusRectangle()
{
    FlatButton button;
    prepare(button, QString(), QSize(40, 24));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    const QImage plain = grabOf(button);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    const QImage focused = grabOf(button);
    const QRgb inverted = Face ^ 0x00FFFFFF;
    QCOMPARE(focused.pixel(3, 3), inverted);
    QCOMPARE(focused.pixel(4, 3), Face);
    QCOMPARE(focused.pixel(5, 3), inverted);
    QCOMPARE(focused.pixel(36, 3), Face);
    QCOMPARE(focused.pixel(37, 3), Face);
    QCOMPARE(focused.pixel(36, 20), Face ^ 0x00FFFFFF);
    QCOMPARE(focused.pixel(2, 3), Face);

    // Any redraw wipes it.
    button.setCaption(QString());
    QCOMPARE(grabOf(button), plain);

    button.setShowFocusRect(false);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(grabOf(button), plain);
}

void TestFlatButton::plainCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("plain");
    QTest::newRow("none") << "铅笔"
                          << "铅笔";
    QTest::newRow("prefix") << "&File"
                            << "File";
    QTest::newRow("double") << "A&&B"
                            << "A&B";
    QTest::newRow("triple") << "&&&x"
                            << "&x";
    QTest::newRow("trailing") << "end&"
                              << "end";
}

void TestFlatButton::plainCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, plain);
    QCOMPARE(FlatButton::plainCaption(caption), plain);
}

void TestFlatButton::ampersandUnderlines()
{
    FlatButton marked;
    prepare(marked, QStringLiteral("&H"), QSize(60, 24));
    marked.setCaptionAlignment(0);
    FlatButton plain;
    prepare(plain, QStringLiteral("H"), QSize(60, 24));
    plain.setCaptionAlignment(0);
    FlatButton doubled;
    prepare(doubled, QStringLiteral("&&"), QSize(60, 24));
    doubled.setCaptionAlignment(0);
    FlatButton single;
    prepare(single, QStringLiteral("&"), QSize(60, 24));
    single.setCaptionAlignment(0);

    const QImage markedImage = grabOf(marked);
    const QImage plainImage = grabOf(plain);
    QVERIFY(markedImage != plainImage);
    // The letter itself is in the same place; only the underline is added
    // below its foot.
    int foot = 0;
    for (int y = 0; y < plainImage.height(); ++y) {
        for (int x = 0; x < plainImage.width(); ++x) {
            if (plainImage.pixel(x, y) != Face)
                foot = y + 1;
        }
    }
    QCOMPARE(markedImage.copy(0, 0, 60, foot), plainImage.copy(0, 0, 60, foot));
    QVERIFY(inkOrigin(grabOf(doubled)).x() < 60);
    QCOMPARE(inkOrigin(grabOf(single)).x(), 60);
}

void TestFlatButton::disabledCaptionIsEmbossed()
{
    FlatButton enabled;
    prepare(enabled, QStringLiteral("H"), QSize(40, 24));
    enabled.setButtonStyle(1);
    FlatButton disabled;
    prepare(disabled, QStringLiteral("H"), QSize(40, 24));
    disabled.setButtonStyle(1);
    disabled.setEnabled(false);
    const QImage on = grabOf(enabled);
    const QImage off = grabOf(disabled);
    QVERIFY(on != off);
    QCOMPARE(off.pixel(0, 0), on.pixel(0, 0));
    QCOMPARE(off.pixel(39, 23), on.pixel(39, 23));
    // The emboss: a light copy of the letter one pixel down and right.
    bool light = false;
    for (int y = 0; y < off.height(); ++y) {
        for (int x = 2; x < off.width() - 2; ++x)
            light = light || off.pixel(x, y) == qRgb(255, 0, 0);
    }
    QVERIFY(light);
}

void TestFlatButton::mousePointerOverflow()
{
    FlatButton button;
    QVERIFY(button.setMousePointer(2));
    QCOMPARE(button.cursor().shape(), Qt::CrossCursor);
    QVERIFY(!button.setMousePointer(32768));
    QVERIFY(!button.setMousePointer(-32769));
    QCOMPARE(button.mousePointer(), 2);
    QVERIFY(button.setMousePointer(-32768));
}

void TestFlatButton::accessibleByCaption()
{
    FlatButton button;
    button.setCaption(QStringLiteral("&Pencil && pen"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&button);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->role(), QAccessible::Button);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Pencil & pen"));
    // Pressing it through accessibility clicks it.
    QSignalSpy clicks(&button, &FlatButton::clicked);
    QAccessibleActionInterface *actions = accessible->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
}

KALVO_TEST(TestFlatButton)
#include "tst_flat_button.moc"
