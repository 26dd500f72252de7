#include "app/modal_script.h"
#include "core/numbers.h"
#include "scripted_dialogs.h"
#include "testmain.h"
#include "tool_rig.h"
#include "tools/clipboard.h"
#include "tools/clone_tool.h"
#include "tools/text_dialog.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <optional>

using PointList = QList<QPointF>;

namespace {

// An upright face that scripts/install-deps.sh installs on every machine.
const QString InstalledFace = QStringLiteral("Noto Sans CJK SC");

// Some pixels in the background colour, so that a keyed paste shows.
QImage testPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           (x * x + y * y) % 7 == 0 ? toQRgb(White) : qRgb(x * 6, y * 8, 100));
    return image;
}

// The reference copy: the block of source at from onto target at to, where
// both ends lie inside, leaving out the key colour.
void blit(QImage &target, const QImage &source, QPoint from, QPoint to, QSize size,
          std::optional<QRgb> key = {})
{
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (source.rect().contains(from + QPoint(x, y)) &&
                target.rect().contains(to + QPoint(x, y)) &&
                source.pixel(from + QPoint(x, y)) != key)
                target.setPixel(to + QPoint(x, y), source.pixel(from + QPoint(x, y)));
}

// A canvas with the routing's state and a clipboard picture as it starts.
struct ClipboardRig {
    ToolRig rig{40, 30, ToolId::Select};
    Surface &picture = rig.document.clipboard();
    ScriptedDialogs &dialogs = rig.dialogs;
    Clipboard &clipboard = rig.clipboard;

    bool take(bool cut, const QRect &selection)
    {
        rig.document.setSelection(selection);
        return cut ? clipboard.cutSelection() : clipboard.copySelection();
    }
};

} // namespace

// The clipboard, the clone and text tools, and the Text dialog.
class TestEditTools : public QObject
{
    Q_OBJECT

private slots:
    void pasteModes_data();
    void pasteModes();
    void tooLargeKeepsEverything();
    void cloneOffsets_data();
    void cloneOffsets();
    void textTool_data();
    void textTool();
    void textDialog_data();
    void textDialog();
};

void TestEditTools::pasteModes_data()
{
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<bool>("keyed");
    QTest::addColumn<QPoint>("at");

    QTest::newRow("opaque") << QRect(2, 3, 9, 7) << false << false << QPoint(25, 20);
    QTest::newRow("keyed") << QRect(2, 3, 9, 7) << false << true << QPoint(25, 20);
    QTest::newRow("cut, onto itself") << QRect(5, 5, 10, 8) << true << false << QPoint(10, 9);
    QTest::newRow("cut, keyed") << QRect(5, 5, 10, 8) << true << true << QPoint(30, 12);
    QTest::newRow("single column") << QRect(7, 0, 1, 30) << false << false << QPoint(0, 15);
    QTest::newRow("frame outside") << QRect(-5, -4, 12, 10) << true << false << QPoint(20, 15);
    QTest::newRow("frame outside, keyed")
        << QRect(30, 25, 20, 20) << true << true << QPoint(15, 10);
    QTest::newRow("off the canvas") << QRect(0, 0, 11, 11) << false << false << QPoint(38, -2);
    QTest::newRow("never copied") << QRect() << false << false << QPoint(20, 15);
}

void TestEditTools::pasteModes()
{
    QFETCH(QRect, selection);
    QFETCH(bool, cut);
    QFETCH(bool, keyed);
    QFETCH(QPoint, at);
    ClipboardRig c;
    Surface &canvas = c.rig.canvas;
    const QImage original = testPicture(40, 30);
    canvas.setPicture(original);
    c.rig.state.pastePending = true;
    QCOMPARE(c.take(cut, selection), !selection.isNull());
    QCOMPARE(c.rig.document.selection(), QRect());
    QCOMPARE(c.rig.state.pastePending, selection.isNull());
    c.clipboard.setKeyed(keyed);
    c.clipboard.paste();
    QVERIFY(!c.rig.state.currentTool);

    // What was taken: the background colour outside the canvas; the magenta
    // block when nothing was.
    const QSize size = selection.isNull() ? QSize(32, 30) : selection.size();
    QImage taken(size, QImage::Format_RGB32);
    taken.fill(toQRgb(selection.isNull() ? TransparentKey : White));
    if (!selection.isNull())
        blit(taken, original, selection.topLeft(), {}, size);
    QCOMPARE(c.picture.image(), taken);
    QImage afterCut = original;
    if (cut)
        QPainter(&afterCut).fillRect(selection, Qt::white);
    QImage expected = afterCut;
    blit(expected, taken, {}, at - QPoint(size.width() / 2, size.height() / 2), size,
         keyed ? std::optional(toQRgb(White)) : std::nullopt);

    // The first preview comes while persistence is on, as after a tool that
    // draws straight into the picture.
    c.clipboard.preview(at + QPoint(3, 1));
    QVERIFY(canvas.autoRedraw());
    canvas.setAutoRedraw(false);
    c.clipboard.preview(at);
    QCOMPARE(canvas.image(), afterCut);
    QCOMPARE(canvas.grabScreen(canvas.rect()), expected);
    canvas.setAutoRedraw(true);
    c.clipboard.commit(at);
    QCOMPARE(canvas.image(), expected);
}

void TestEditTools::tooLargeKeepsEverything()
{
    ClipboardRig c;
    QVERIFY(c.take(false, QRect(1, 1, 4, 4)));
    const QImage held = c.picture.image();
    const QImage picture = c.rig.canvas.image();
    c.rig.state.pastePending = true;
    QVERIFY(!c.take(true, QRect(-70000, 0, 70040, 10)));
    QCOMPARE(c.rig.document.selection(), QRect(-70000, 0, 70040, 10));
    QCOMPARE(c.picture.image(), held);
    QCOMPARE(c.rig.canvas.image(), picture);
    QVERIFY(c.rig.state.pastePending);
    QCOMPARE(c.dialogs.of("message").size(), std::size_t(1));
    QCOMPARE(c.dialogs.of("message").front().title, QStringLiteral("剪切"));
}

void TestEditTools::cloneOffsets_data()
{
    QTest::addColumn<QPointF>("source");
    QTest::addColumn<bool>("sameStroke");
    QTest::addColumn<PointList>("moves");
    QTest::addColumn<int>("size");

    const QPointF none(-1, -1);
    QTest::newRow("no source: onto itself") << none << false << PointList{{5, 5}, {20, 9}} << 6;
    QTest::newRow("offset fixed at the first step")
        << QPointF(10, 10) << false << PointList{{30, 20}, {33, 22}, {36.5, 24.5}} << 6;
    QTest::newRow("same stroke smears")
        << QPointF(10, 10) << true << PointList{{11, 10}, {12, 10}, {13, 10}, {14, 11}} << 5;
    QTest::newRow("source partly outside")
        << QPointF(2, 2) << false << PointList{{20, 20}, {19, 19}, {42, 40}} << 12;
    QTest::newRow("target partly outside")
        << QPointF(20, 20) << false << PointList{{55, 5}, {57, 1}, {-3, 40}} << 9;
    QTest::newRow("overlapping, size 30")
        << QPointF(15, 12) << false << PointList{{20, 14}, {22, 15}} << 30;
    QTest::newRow("size 1") << QPointF(3, 4) << false << PointList{{40, 30}, {41, 31}} << 1;
}

void TestEditTools::cloneOffsets()
{
    QFETCH(QPointF, source);
    QFETCH(bool, sameStroke);
    QFETCH(PointList, moves);
    QFETCH(int, size);
    ToolRig rig(60, 45, ToolId::Clone);
    rig.options.cloneSize = size;
    rig.canvas.setPicture(testPicture(60, 45));
    QImage expected = rig.canvas.image();

    const bool defined = source.x() >= 0;
    if (defined) {
        // Alt with Ctrl defines nothing; Alt alone does, with any button.
        rig.input.press(Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, source);
        QVERIFY(!static_cast<const CloneTool &>(rig.input.tool(ToolId::Clone)).sourceNew());
        rig.input.press(Qt::RightButton, Qt::AltModifier, source);
        QCOMPARE(rig.document.cloneMarker(), QRect(roundToInt(source.x()) - size / 2,
                                                   roundToInt(source.y()) - size / 2, size, size));
        if (!sameStroke)
            rig.input.release(Qt::RightButton, Qt::AltModifier, source);
    }
    if (!defined || !sameStroke)
        rig.input.press(Qt::LeftButton, {}, moves.front());

    // The reference: the offset fixed by the first step after a new source,
    // then each block read in full before it is written.
    bool fixing = defined;
    QPointF offset;
    QRect marker = rig.document.cloneMarker();
    for (const QPointF &at : moves) {
        rig.input.move(Qt::LeftButton, {}, at);
        if (std::exchange(fixing, false)) {
            offset = at - source;
            continue;
        }
        const QPoint from(roundToInt(at.x() - offset.x()), roundToInt(at.y() - offset.y()));
        blit(expected, QImage(expected), from, {roundToInt(at.x()), roundToInt(at.y())},
             {size, size});
        if (defined)
            marker = QRect(from, QSize(size, size));
    }
    rig.input.release(Qt::LeftButton, {}, moves.back());
    QCOMPARE(rig.canvas.image(), expected);
    QCOMPARE(rig.document.cloneMarker(), marker);
}

void TestEditTools::textTool_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("effect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("confirmed");

    QTest::newRow("left") << 1 << 0 << "Kv" << true;
    QTest::newRow("right") << 2 << 0 << "Kv" << true;
    QTest::newRow("3D") << 1 << 1 << "Kv" << true;
    QTest::newRow("3D, right: both in the second colour") << 2 << 1 << "Kv" << true;
    QTest::newRow("line break drawn as one line") << 1 << 0 << "K\nv" << true;
    QTest::newRow("empty") << 1 << 1 << "" << true;
    QTest::newRow("cancelled") << 1 << 1 << "Kv" << false;
}

void TestEditTools::textTool()
{
    QFETCH(int, button);
    QFETCH(int, effect);
    QFETCH(QString, text);
    QFETCH(bool, confirmed);
    ToolRig rig(80, 60, ToolId::Text);
    rig.options.textEffect = effect;
    const TextSettings chosen{QFont().family(), 20, text, 1};
    if (confirmed)
        rig.host.texts.push_back(chosen);
    const QImage blank = rig.canvas.image();

    // Press and drag draw nothing; the release asks, at the release point.
    rig.input.press(Qt::MouseButton(button), {}, QPointF(5, 5));
    rig.input.move(Qt::MouseButtons(button), {}, QPointF(30, 20));
    QCOMPARE(rig.canvas.grabScreen(rig.canvas.rect()), blank);
    rig.input.release(Qt::MouseButton(button), {}, QPointF(10.5, 12));
    QVERIFY(!rig.state.strokeInProgress);

    // The reference: each copy alone on white, laid over the last.
    QImage expected = blank;
    const Colour pens[] = {button == 1 ? rig.host.firstColour : rig.host.secondColour,
                           rig.host.secondColour};
    for (int copy = 0; confirmed && copy <= effect; ++copy) {
        Surface reference(80, 60);
        reference.setFont(textFont(chosen.fontName, 20, 1));
        reference.textOut({10.0 + 2 * copy, 12.0 + 2 * copy}, QString(text).replace('\n', ' '),
                          pens[copy]);
        blit(expected, reference.image(), {}, {}, expected.size(), toQRgb(White));
    }
    QCOMPARE(countNot(expected, White) > 0, confirmed && !text.isEmpty());
    QCOMPARE(rig.canvas.image(), expected);

    // The next use opens with this use's choice.
    rig.click(40, 40, Qt::MouseButton(button));
    QCOMPARE(rig.host.asked.back().text, confirmed ? text : QString());
}

void TestEditTools::textDialog_data()
{
    // The family column: the one the dialog shows, "" for the first it lists
    // (whichever fonts this machine has).
    QTest::addColumn<TextSettings>("last");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("answer");

    QTest::newRow("first use, OK") << TextSettings{} << ""
                                   << "8"
                                   << "ok";
    QTest::newRow("last values, Enter")
        << TextSettings{QString(InstalledFace).toUpper(), 20, "你好", 3} << InstalledFace << "20"
        << "enter";
    QTest::newRow("font gone, Cancel") << TextSettings{"No Such Font", 72, "x", 2} << ""
                                       << "72"
                                       << "cancel";
    QTest::newRow("close box") << TextSettings{InstalledFace, 9, {}, 1} << InstalledFace << "9"
                               << "close";
}

void TestEditTools::textDialog()
{
    QFETCH(TextSettings, last);
    QFETCH(QString, family);
    QFETCH(QString, size);
    QStringList listed = QFontDatabase::families();
    listed.removeIf([](const QString &name) { return QFontDatabase::isPrivateFamily(name); });
    QVERIFY2(listed.contains(InstalledFace), "scripts/install-deps.sh installs the face");
    if (family.isEmpty())
        family = listed.constFirst();
    QFETCH(QString, answer);
    std::optional<TextSettings> answered;
    QStringList shown;
    QRect ink;
    QVERIFY(scriptModal<TextDialog>(
        [&] { answered = TextDialog::ask(last, nullptr); },
        [&](TextDialog &dialog) {
            auto *text = dialog.findChild<QLineEdit *>("txtText");
            auto *fonts = dialog.findChild<QComboBox *>("cboFont");
            for (const char *name : {"cboFont", "cboSize", "cboStyle"})
                shown << dialog.findChild<QComboBox *>(name)->currentText();
            shown << text->text() << QString::number(dialog.focusWidget() == text);
            // "Abc" centred across the preview, seen in an upright face: the
            // ink of an italic or symbol face lies off its advance box.
            auto *styles = dialog.findChild<QComboBox *>("cboStyle");
            const int shownFont = fonts->currentIndex(), shownStyle = styles->currentIndex();
            fonts->setCurrentIndex(fonts->findText(InstalledFace));
            styles->setCurrentIndex(0);
            const QImage preview = dialog.findChild<QWidget *>("pPreview")->grab().toImage();
            fonts->setCurrentIndex(shownFont);
            styles->setCurrentIndex(shownStyle);
            for (int y = 3; y < preview.height() - 3; ++y)
                for (int x = 3; x < preview.width() - 3; ++x)
                    if (qGray(preview.pixel(x, y)) < 128)
                        ink |= QRect(x - preview.width() / 2, y, 1, 1);
            text->setText("Kalvo 文字");
            if (answer == "ok")
                dialog.findChild<QPushButton *>("cmdOK")->click();
            else if (answer == "enter")
                QTest::keyClick(text, Qt::Key_Return);
            else if (answer == "cancel")
                dialog.findChild<QPushButton *>("CmdCancel")->click();
            else
                dialog.close();
        }));
    const QStringList styles{"无", "粗体", "斜体", "粗体/斜体"};
    QCOMPARE(shown, (QStringList{family, size, styles[last.style], last.text, "1"}));
    QVERIFY2(std::abs(ink.center().x()) <= 2, qPrintable(QString::number(ink.center().x())));

    const bool confirmed = answer == "ok" || answer == "enter";
    QCOMPARE(answered.has_value(), confirmed);
    const TextSettings settings = answered.value_or(last);
    const TextSettings expected =
        confirmed ? TextSettings{family, size.toInt(), "Kalvo 文字", last.style} : last;
    QCOMPARE((QStringList{settings.fontName, settings.text}),
             (QStringList{expected.fontName, expected.text}));
    QCOMPARE(QPoint(settings.fontSize, settings.style), QPoint(expected.fontSize, expected.style));
}

KALVO_TEST(TestEditTools)
#include "tst_edit_tools.moc"
