#include "testmain.h"

#include "skin/button_painter.h"
#include "skin/control_painters.h"
#include "skin/nine_grid.h"
#include "skin/skin_colours.h"
#include "skin/skin_images.h"

#include <QTest>

#include <algorithm>

namespace {

constexpr QRgb Magenta = 0xFFFF00FF;

const SkinImages &images()
{
    static const SkinImages built = SkinImages::build();
    return built;
}

const QImage &imageNamed(const QString &name)
{
    const SkinImages &i = images();
    if (name == QLatin1String("Button"))
        return i.buttonImage;
    if (name == QLatin1String("Combo"))
        return i.comboImage;
    if (name == QLatin1String("Mark"))
        return i.markImage;
    if (name == QLatin1String("Option"))
        return i.optionImage;
    return i.headerImage;
}

int countOf(const QImage &image, QRgb colour, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

// A picture whose every pixel differs: (x, y) holds x * 16 + y in blue.
QImage numbered(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(0, 0, x * 16 + y));
    return image;
}

// Where a nine-grid takes target coordinate t along one axis: the margins
// map one to one from their own ends, the middle by nearest pixel centre.
int sourceAlong(int t, int target, int source, int low, int high)
{
    if (t < low)
        return t;
    if (t >= target - high)
        return source - (target - t);
    const int middle = source - low - high, span = target - low - high;
    return low + ((2 * (t - low) + 1) * middle) / (2 * span);
}

} // namespace

class TestSkinPainters : public QObject
{
    Q_OBJECT

private slots:
    void imageSizes();
    void areas_data();
    void areas();
    void nineGrid_data();
    void nineGrid();
    void transparentCopyIsExact();
    void blend_data();
    void blend();
    void buttonStates();
    void checkBox_data();
    void checkBox();
    void glyphsNeverShowTheKey();
    void progressBar_data();
    void progressBar();
};

void TestSkinPainters::imageSizes()
{
    const SkinImages &i = images();
    const std::array<QSize, 5> sizes{i.buttonImage.size(), i.comboImage.size(), i.markImage.size(),
                                     i.optionImage.size(), i.headerImage.size()};
    QCOMPARE(sizes, (std::array<QSize, 5>{QSize(7, 84), QSize(15, 18), QSize(18, 24), QSize(13, 52),
                                          QSize(9, 20)}));
    int pixels = 0;
    for (const QSize size : sizes)
        pixels += size.width() * size.height();
    QCOMPARE(pixels, 2146);
}

void TestSkinPainters::areas_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRgb>("colour");
    // How many pixels of area have the colour; -1 for all of them.
    QTest::addColumn<int>("count");
    // The borders of the four button frames, corners aside.
    for (int state = 0; state < 4; ++state) {
        const QRgb border = state == 3 ? qRgb(135, 195, 232) : qRgb(27, 143, 213);
        const int top = 21 * state;
        QTest::addRow("button %d top", state) << "Button" << QRect(2, top, 3, 1) << border << -1;
        QTest::addRow("button %d left", state)
            << "Button" << QRect(0, top + 2, 1, 17) << border << -1;
        QTest::addRow("button %d right", state)
            << "Button" << QRect(6, top + 2, 1, 17) << border << -1;
    }
    QTest::newRow("combo borders") << "Combo" << QRect(0, 0, 1, 18) << qRgb(78, 160, 209) << -1;
    QTest::newRow("combo pressed border")
        << "Combo" << QRect(4, 0, 1, 18) << qRgb(78, 160, 209) << -1;
    QTest::newRow("arrow tip") << "Combo" << QRect(11, 3, 1, 1) << qRgb(25, 85, 95) << -1;
    QTest::newRow("arrow top") << "Combo" << QRect(8, 0, 7, 1) << qRgb(25, 85, 95) << -1;
    QTest::newRow("arrow disabled") << "Combo" << QRect(9, 5, 5, 1) << qRgb(132, 165, 172) << -1;
    QTest::newRow("tick top") << "Mark" << QRect(8, 0, 1, 1) << qRgb(84, 183, 29) << -1;
    QTest::newRow("tick bottom") << "Mark" << QRect(3, 7, 1, 1) << qRgb(53, 145, 2) << -1;
    QTest::newRow("square top") << "Mark" << QRect(1, 9, 7, 1) << qRgb(81, 180, 27) << -1;
    QTest::newRow("square bottom") << "Mark" << QRect(1, 15, 7, 1) << qRgb(57, 150, 6) << -1;
    QTest::newRow("ring") << "Option" << QRect(1, 2, 1, 1) << qRgb(131, 166, 210) << -1;
    QTest::newRow("pressed ring") << "Option" << QRect(2, 27, 1, 1) << qRgb(100, 137, 193) << -1;
    QTest::newRow("disabled ring") << "Option" << QRect(4, 39, 5, 1) << qRgb(193, 210, 232) << -1;
    QTest::newRow("normal inside") << "Option" << QRect(5, 5, 3, 3) << qRgb(255, 255, 255) << -1;
    QTest::newRow("header bottom") << "Header" << QRect(0, 19, 9, 1) << qRgb(192, 218, 242) << -1;
    QTest::newRow("no key in buttons") << "Button" << QRect(0, 0, 7, 84) << Magenta << 0;
    QTest::newRow("no key in headers") << "Header" << QRect(0, 0, 9, 20) << Magenta << 0;
    QTest::newRow("backgrounds opaque") << "Combo" << QRect(0, 0, 8, 18) << Magenta << 0;
    QTest::newRow("below the arrows") << "Combo" << QRect(8, 8, 7, 10) << Magenta << 70;
    // Each arrow row r keeps 7 - 2r pixels: 16 of 28 drawn.
    QTest::newRow("around an arrow") << "Combo" << QRect(8, 0, 7, 4) << Magenta << 12;
    QTest::newRow("gap under the ticks") << "Mark" << QRect(0, 8, 18, 1) << Magenta << 18;
    QTest::newRow("squares solid") << "Mark" << QRect(1, 9, 7, 7) << Magenta << 0;
    QTest::newRow("dot corners") << "Mark" << QRect(2, 18, 5, 5) << Magenta << 4;
    QTest::newRow("circle inside") << "Option" << QRect(1, 4, 11, 5) << Magenta << 0;
    // The top row of a circle is the ring's middle five pixels.
    QTest::newRow("circle top corners") << "Option" << QRect(0, 13, 13, 1) << Magenta << 8;
}

void TestSkinPainters::areas()
{
    QFETCH(QString, image);
    QFETCH(QRect, area);
    QFETCH(QRgb, colour);
    QFETCH(int, count);
    QCOMPARE(countOf(imageNamed(image), colour, area),
             count < 0 ? area.width() * area.height() : count);
}

void TestSkinPainters::nineGrid_data()
{
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QMargins>("margins");
    QTest::newRow("grown") << QSize(11, 9) << QMargins(1, 1, 1, 1);
    QTest::newRow("uneven margins") << QSize(12, 7) << QMargins(2, 1, 1, 2);
    QTest::newRow("same size") << QSize(5, 5) << QMargins(2, 2, 2, 2);
    QTest::newRow("shrunk middle") << QSize(4, 4) << QMargins(1, 1, 1, 1);
    QTest::newRow("no margins") << QSize(13, 3) << QMargins();
}

void TestSkinPainters::nineGrid()
{
    QFETCH(QSize, target);
    QFETCH(QMargins, margins);
    const QImage source = numbered(5, 5);
    QImage out(target + QSize(2, 2), QImage::Format_RGB32);
    out.fill(0xFF00FF00u);
    DrawNineGrid(out, QRect(QPoint(1, 1), target), source, source.rect(), margins);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const QRect inside(QPoint(1, 1), target);
            const QRgb expected =
                inside.contains(x, y)
                    ? source.pixel(
                          sourceAlong(x - 1, target.width(), 5, margins.left(), margins.right()),
                          sourceAlong(y - 1, target.height(), 5, margins.top(), margins.bottom()))
                    : 0xFF00FF00u;
            QVERIFY2(out.pixel(x, y) == expected,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
    // An empty rectangle draws nothing.
    const QImage before = out;
    DrawNineGrid(out, QRect(1, 1, 0, 4), source, source.rect(), margins);
    DrawNineGrid(out, QRect(1, 1, 4, 4), source, QRect(0, 0, 5, 0), margins);
    QCOMPARE(out, before);
}

void TestSkinPainters::transparentCopyIsExact()
{
    QImage source(3, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, Magenta);
    source.setPixel(1, 0, 0xFFFE00FFu); // one off the key: copied
    source.setPixel(2, 0, 0xFF123456u);
    QImage target(5, 1, QImage::Format_RGB32);
    target.fill(0xFF000000u);
    TransparentCopy(target, QRect(2, 0, 3, 1), source, QPoint(0, 0), Magenta);
    const std::array<QRgb, 5> expected{0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFFFE00FFu,
                                       0xFF123456u};
    for (int x = 0; x < 5; ++x)
        QCOMPARE(target.pixel(x, 0), expected[static_cast<std::size_t>(x)]);
}

void TestSkinPainters::blend_data()
{
    QTest::addColumn<int>("alpha");
    for (const int alpha : {0, 1, 3, 60, 127, 140, 254, 255})
        QTest::addRow("%d", alpha) << alpha;
}

void TestSkinPainters::blend()
{
    QFETCH(int, alpha);
    QImage source(16, 16, QImage::Format_RGB32), target(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            source.setPixel(x, y, qRgb(x * 17, y * 17, 255 - x * 7));
            target.setPixel(x, y, qRgb(y * 16, 255 - x * 17, x * y));
        }
    QImage out = target;
    BlendConstant(out, source, alpha);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb s = source.pixel(x, y), t = target.pixel(x, y);
            auto channel = [&](int a, int b) {
                return static_cast<int>(std::lround((a * alpha + b * (255 - alpha)) / 255.0));
            };
            QCOMPARE(out.pixel(x, y), qRgb(channel(qRed(s), qRed(t)), channel(qGreen(s), qGreen(t)),
                                           channel(qBlue(s), qBlue(t))));
        }
}

void TestSkinPainters::buttonStates()
{
    // A 75 x 25 button keeps the frames' 3-pixel corners and one-pixel border.
    ButtonLook look{QSize(75, 25), 1, QStringLiteral("确定"), QFont(), false};
    auto states = RenderButtonStates(images(), look);
    const QImage &frames = images().buttonImage;
    for (int state = 0; state < 4; ++state) {
        const QImage &face = states[static_cast<std::size_t>(state)];
        QCOMPARE(face.size(), QSize(75, 25));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                QCOMPARE(face.pixel(x, y), frames.pixel(x, 21 * state + y));
                QCOMPARE(face.pixel(74 - x, 24 - y), frames.pixel(6 - x, 21 * state + 20 - y));
            }
        const QRgb border = frames.pixel(3, 21 * state);
        QCOMPARE(countOf(face, border, QRect(3, 0, 69, 1)), 69);
        QVERIFY(face.pixel(3, 1) != border);
    }
    // The focus puts dots on the box 2 pixels in, in every state; a caption
    // too long to fit still leaves the border alone.
    look.focus = true;
    look.caption = QStringLiteral("一个放不下的很长很长的标题");
    states = RenderButtonStates(images(), look);
    for (int state = 0; state < 4; ++state) {
        const QImage &face = states[static_cast<std::size_t>(state)];
        QCOMPARE(face.pixel(2, 2), qRgb(0, 0, 0));
        QVERIFY(face.pixel(3, 2) != qRgb(0, 0, 0));
        const QRgb border = frames.pixel(0, 21 * state + 10);
        QCOMPARE(countOf(face, border, QRect(0, 3, 1, 19)), 19);
        QCOMPARE(countOf(face, border, QRect(74, 3, 1, 19)), 19);
    }
}

void TestSkinPainters::checkBox_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("check");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QRgb>("frame");
    QTest::addColumn<QRgb>("fill");
    const QRgb hot = images().optionImage.pixel(1, 17);
    const QRgb pressed = images().optionImage.pixel(1, 30);
    QTest::newRow("normal") << 0 << 0 << true << skin::FrameEnabled << skin::White;
    QTest::newRow("hot") << 1 << 0 << true << skin::FrameEnabled << hot;
    QTest::newRow("pressed") << 2 << 0 << true << skin::FramePressedCheck << pressed;
    QTest::newRow("disabled hot") << 1 << 0 << false << skin::FrameDisabled << skin::White;
    QTest::newRow("ticked") << 0 << 1 << true << skin::FrameEnabled << skin::White;
    QTest::newRow("indeterminate") << 0 << 2 << true << skin::FrameEnabled << skin::White;
    QTest::newRow("disabled ticked") << 2 << 1 << false << skin::FrameDisabled << skin::White;
}

void TestSkinPainters::checkBox()
{
    QFETCH(int, state);
    QFETCH(int, check);
    QFETCH(bool, enabled);
    QFETCH(QRgb, frame);
    QFETCH(QRgb, fill);
    const QImage box = composeCheckBox(images(), QSize(14, 14), state, check, enabled);
    QVERIFY(countOf(box, frame, box.rect()) >= 52);
    QCOMPARE(box.pixel(0, 0), frame);
    QCOMPARE(box.pixel(1, 1), fill);
    // The mark sits centred: the tick from (2, 3), the square from (4, 4).
    const QRect mark = check == 1 ? skinrect::checkMark(enabled) : skinrect::indeterminate(enabled);
    const QPoint at = check == 1 ? QPoint(2, 3) : QPoint(4, 4);
    for (int y = 0; y < mark.height() && check != 0; ++y)
        for (int x = 0; x < mark.width(); ++x) {
            const QRgb glyph = images().markImage.pixel(mark.x() + x, mark.y() + y);
            if (glyph != Magenta)
                QCOMPARE(box.pixel(at.x() + x, at.y() + y), glyph);
        }
    const QImage unmarked = composeCheckBox(images(), QSize(14, 14), state, 0, enabled);
    QCOMPARE(box.pixel(7, 7) != unmarked.pixel(7, 7), check != 0);
}

void TestSkinPainters::glyphsNeverShowTheKey()
{
    for (int state = 0; state < 3; ++state)
        for (const bool enabled : {true, false})
            for (int check = 0; check < 3; ++check) {
                QCOMPARE(countOf(composeCheckBox(images(), QSize(13, 15), state, check, enabled),
                                 Magenta, QRect(0, 0, 13, 15)),
                         0);
                const QImage option =
                    composeOptionButton(images(), QSize(14, 14), state, check == 1, enabled);
                QCOMPARE(countOf(option, Magenta, option.rect()), 0);
                // Corners outside the circle stay transparent.
                QCOMPARE(qAlpha(option.pixel(0, 0)), 0);
                QCOMPARE(countOf(composeComboButton(images(), QSize(15, 22), state, enabled),
                                 Magenta, QRect(0, 0, 15, 22)),
                         0);
            }
}

void TestSkinPainters::progressBar_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QRect>("filled");
    QTest::newRow("empty") << 0.0 << false << QRect();
    QTest::newRow("full") << 1.0 << false << QRect(1, 1, 98, 8);
    QTest::newRow("half") << 0.5 << false << QRect(1, 1, 49, 8);
    QTest::newRow("vertical quarter") << 0.25 << true << QRect(1, 7, 98, 2);
}

void TestSkinPainters::progressBar()
{
    QFETCH(double, fraction);
    QFETCH(bool, vertical);
    QFETCH(QRect, filled);
    const QImage bar = composeProgressBar(QSize(100, 10), fraction, vertical);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool edge = x == 0 || y == 0 || x == 99 || y == 9;
            const QRgb expected = edge                    ? skin::FrameEnabled
                                  : filled.contains(x, y) ? skin::ProgressFill
                                                          : skin::White;
            QCOMPARE(bar.pixel(x, y), expected);
        }
}

KALVO_TEST(TestSkinPainters)
#include "tst_skin_painters.moc"
