#include "palette_captions.h"
#include "testmain.h"

#include "controls/flat_button.h"
#include "core/picture_file.h"
#include "core/surface.h"
#include "scripted_dialogs.h"
#include "tools/tool_icons.h"
#include "tools/tool_option_panels.h"
#include "tools/tool_options.h"
#include "tools/tool_palette.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A small bitmap of one colour with a marker pixel, different for each seed.
QImage sample(int seed)
{
    QImage image(4 + seed, 3 + seed, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    image.setPixel(0, 0, qRgb(seed * 20, 0, 0));
    return image;
}

QStringList items(const QComboBox *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

} // namespace

class TestToolPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void buttons();
    void captionsFit();
    void captionsLieInsideTheirFace();
    void clickReportsIndex();
    void keyboardChoosesTools();
    void startUpChoices();
    void startUpWithoutDataFolder();
    void panelsFitTheirPlace();
    void listEffects_data();
    void listEffects();
    void choosingBitmapLoadsIt_data();
    void choosingBitmapLoadsIt();
    void unreadableBitmapKeepsPrevious_data();
    void unreadableBitmapKeepsPrevious();

private:
    QComboBox *list(const QString &name) const { return m_owner->findChild<QComboBox *>(name); }
    // Data/ with two brushes and two patterns (and a file that is no bitmap).
    void makeDataFolder();

    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Surface> m_canvas;
    std::unique_ptr<ToolOptions> m_options;
    std::unique_ptr<QWidget> m_owner;
    ToolOptionPanels *m_panels = nullptr;
};

void TestToolPalette::init()
{
    m_data = std::make_unique<QTemporaryDir>();
    QVERIFY(m_data->isValid());
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_canvas = std::make_unique<Surface>(40, 30, 0x00FFFFFF);
    m_options = std::make_unique<ToolOptions>();
    m_owner = std::make_unique<QWidget>();
    m_owner->setWindowTitle(QStringLiteral("owner title"));
    m_panels = new ToolOptionPanels(*m_canvas, *m_options, *m_dialogs, m_owner.get());
}

void TestToolPalette::cleanup()
{
    m_owner.reset();
    m_options.reset();
    m_canvas.reset();
    m_dialogs.reset();
    m_data.reset();
}

void TestToolPalette::makeDataFolder()
{
    QDir root(m_data->path());
    QVERIFY(root.mkpath(QStringLiteral("Data/brushs")));
    QVERIFY(root.mkpath(QStringLiteral("Data/pattens")));
    const QString data = m_data->path() + QStringLiteral("/Data/");
    QCOMPARE(savePicture(sample(2), data + QStringLiteral("brushs/b.BMP")), PictureError::None);
    QCOMPARE(savePicture(sample(1), data + QStringLiteral("brushs/a.bmp")), PictureError::None);
    QCOMPARE(savePicture(sample(3), data + QStringLiteral("pattens/p1.bmp")), PictureError::None);
    QCOMPARE(savePicture(sample(4), data + QStringLiteral("pattens/p2.bmp")), PictureError::None);
    QFile notes(data + QStringLiteral("pattens/readme.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
}

void TestToolPalette::buttons()
{
    ToolPalette palette;
    const QStringList captions{"选定",     "铅笔",         "直线",       "星形",   "矩形",
                               "实心矩形", "圆形",         "实心圆形",   "椭圆形", "实心椭圆",
                               "圆角矩形", "实心圆角矩形", "用颜色填充", "喷枪",   "曲线",
                               "多边形",   "画笔",         "橡皮擦",     "取色",   "克隆",
                               "渐变",     "文字"};
    QStringList tableCaptions;
    for (const ToolRow &row : toolTable())
        tableCaptions << row.captionText();
    QCOMPARE(tableCaptions, captions);

    const auto found = palette.findChildren<FlatButton *>(QStringLiteral("cmdtool"));
    QCOMPARE(found.size(), ToolCount);
    for (const ToolRow &row : toolTable()) {
        FlatButton *button = palette.button(row.id);
        QCOMPARE(button->property("index").toInt(), int(row.id));
        QCOMPARE(button->caption(), row.captionText());
        QCOMPARE(button->picture(), row.icon());
    }
}

void TestToolPalette::captionsFit()
{
    // The palette's place in the tool box: 126 pixels wide, 418 high below
    // the 16-pixel title.
    ToolPalette palette;
    palette.resize(126, ToolCount * ToolPalette::ButtonHeight);
    palette.show();
    QVERIFY(palette.height() <= 418);
    for (const ToolRow &row : toolTable()) {
        const FlatButton *button = palette.button(row.id);
        QCOMPARE(button->geometry(),
                 QRect(0, int(row.id) * ToolPalette::ButtonHeight, 126, ToolPalette::ButtonHeight));
        // The caption starts 22 pixels in, after the icon.
        const int textRight =
            22 + QFontMetrics(button->font()).horizontalAdvance(button->caption());
        QVERIFY2(textRight < button->width() - 2, qPrintable(button->caption()));
    }
}

void TestToolPalette::captionsLieInsideTheirFace()
{
    ToolPalette palette;
    const QStringList strays = captionsOutsideTheirFace(palette);
    QVERIFY2(strays.isEmpty(), qPrintable(strays.join(QLatin1Char('\n'))));
}

void TestToolPalette::clickReportsIndex()
{
    ToolPalette palette;
    palette.resize(126, ToolCount * ToolPalette::ButtonHeight);
    std::vector<ToolId> clicked;
    connect(&palette, &ToolPalette::toolClicked, this, [&](ToolId id) { clicked.push_back(id); });
    QTest::mouseClick(palette.button(ToolId::FilledCircle), Qt::LeftButton);
    QTest::mouseClick(palette.button(ToolId::Text), Qt::LeftButton);
    QTest::mouseClick(palette.button(ToolId::Star), Qt::RightButton);
    QCOMPARE(clicked, (std::vector{ToolId::FilledCircle, ToolId::Text}));
}

void TestToolPalette::keyboardChoosesTools()
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *palette = new ToolPalette(&window);
    palette->setGeometry(0, 30, 126, ToolCount * ToolPalette::ButtonHeight);
    auto *after = new QLineEdit(&window);
    std::vector<ToolId> chosen;
    // As the window does: a choice shows as chosen.
    connect(palette, &ToolPalette::toolClicked, palette, [&](ToolId id) {
        chosen.push_back(id);
        palette->showSelected(id);
    });
    palette->showSelected(ToolId::FilledBox);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const auto look = [&](ToolId tool) {
        return palette->button(tool)->grab().toImage();
    };
    const QImage unfocused = look(ToolId::FilledBox);

    // One Tab stop: the chosen tool, with a focus mark.
    before->setFocus(Qt::TabFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), palette->button(ToolId::FilledBox));
    QVERIFY(look(ToolId::FilledBox) != unfocused);
    QTest::keyClick(palette->button(ToolId::FilledBox), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), after);
    QCOMPARE(look(ToolId::FilledBox), unfocused);
    QTest::keyClick(after, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), palette->button(ToolId::FilledBox));

    // The arrows choose as clicks do; the ends stay put.
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
    };
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_Up,
                        Qt::Key_End, Qt::Key_Right, Qt::Key_Left, Qt::Key_Space})
        press(key);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::KeypadModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::ControlModifier);
    using enum ToolId;
    QCOMPARE(chosen,
             (std::vector{Circle, FilledCircle, Circle, Select, Text, Gradient, Gradient, Clone}));
    QCOMPARE(QApplication::focusWidget(), palette->button(ToolId::Clone));
    QTest::keyClick(palette->button(ToolId::Clone), Qt::Key_Tab);
    QTest::keyClick(after, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), palette->button(ToolId::Clone));

    // A click looks as it always has: no focus mark.
    QTest::mouseClick(palette->button(ToolId::Star), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), palette->button(ToolId::Star));
    auto *reference = new ToolPalette(&window);
    reference->setGeometry(palette->geometry().translated(130, 0));
    reference->showSelected(ToolId::Star);
    reference->show();
    QCOMPARE(look(ToolId::Star), reference->button(ToolId::Star)->grab().toImage());
}

void TestToolPalette::startUpChoices()
{
    makeDataFolder();
    // Values the start-up must overwrite through the lists' actions.
    m_canvas->setDrawWidth(7);
    m_canvas->setDrawStyle(3);
    m_options->cloneSize = 11;
    m_options->eraserWidth = 3;
    m_panels->startUp(m_data->path() + QStringLiteral("/Data/"));

    QCOMPARE(m_canvas->drawWidth(), 1);
    QCOMPARE(m_canvas->drawStyle(), 0);
    QCOMPARE(m_options->eraserShape, 0);
    QCOMPARE(m_options->eraserWidth, 10);
    QCOMPARE(m_options->cloneSize, 6);
    QCOMPARE(m_options->fillType, 0);
    QCOMPARE(m_options->gradientDirection, 0);
    QCOMPARE(m_options->textEffect, 0);

    QCOMPARE(list("cboDW")->count(), 100);
    QCOMPARE(list("cboDW")->itemText(99), QStringLiteral("100"));
    QCOMPARE(list("cboWidth")->currentText(), QStringLiteral("10"));
    QCOMPARE(list("cboCloneSize")->count(), 30);
    QCOMPARE(list("cboCloneSize")->currentText(), QStringLiteral("6"));
    QCOMPARE(items(list("cboStyle")),
             (QStringList{"实线", "破折号", "圆点", "破折号圆点", "破折号圆点圆点"}));
    QCOMPARE(list("cboStyle")->currentText(), QStringLiteral("实线"));
    QCOMPARE(list("cboFillType")->currentText(), QStringLiteral("颜色"));
    QCOMPARE(list("cboEraseType")->currentText(), QStringLiteral("正方形"));
    QCOMPARE(list("cboGrade")->currentText(), QStringLiteral("从左到右"));
    QCOMPARE(items(list("cboTextStyle")), (QStringList{"正常", "3D 特效"}));

    QCOMPARE(items(list("cboBrush")), (QStringList{"a.bmp", "b.BMP"}));
    QCOMPARE(items(list("cboPatten")), (QStringList{"p1.bmp", "p2.bmp"}));
    QCOMPARE(m_options->brushSource.image(), sample(1));
    QCOMPARE(m_options->pattern, sample(3));
    QVERIFY(m_dialogs->requests.empty());
    for (QComboBox *combo : m_owner->findChildren<QComboBox *>())
        QVERIFY2(!combo->isEditable() && !combo->accessibleName().isEmpty(),
                 qPrintable(combo->objectName()));
}

void TestToolPalette::startUpWithoutDataFolder()
{
    m_panels->startUp(m_data->path() + QStringLiteral("/missing/"));
    QCOMPARE(list("cboBrush")->count(), 0);
    QCOMPARE(list("cboPatten")->count(), 0);
    QVERIFY(m_options->pattern.isNull());
    QCOMPARE(m_options->brushSource.image().size(), QSize(32, 30));
    QVERIFY(m_dialogs->requests.empty());
    QCOMPARE(m_options->eraserWidth, 10);
}

void TestToolPalette::panelsFitTheirPlace()
{
    makeDataFolder();
    m_panels->startUp(m_data->path() + QStringLiteral("/Data/"));
    for (QWidget *panel : m_panels->findChildren<QWidget *>(QRegularExpression("^p[A-Z]"))) {
        QCOMPARE(panel->size(), QSize(ToolOptionPanels::PanelWidth, ToolOptionPanels::PanelHeight));
        panel->layout()->activate();
        for (QLabel *label : panel->findChildren<QLabel *>()) {
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
            QVERIFY(label->geometry().right() < panel->width());
        }
        for (QComboBox *combo : panel->findChildren<QComboBox *>())
            QVERIFY2(combo->geometry().right() < panel->width(), qPrintable(combo->objectName()));
    }
}

void TestToolPalette::listEffects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");
    QTest::newRow("line width") << "cboDW" << 99 << 100;
    QTest::newRow("line style") << "cboStyle" << 4 << 4;
    QTest::newRow("fill type") << "cboFillType" << 1 << 1;
    QTest::newRow("eraser shape") << "cboEraseType" << 1 << 1;
    QTest::newRow("eraser width") << "cboWidth" << 0 << 1;
    QTest::newRow("clone size") << "cboCloneSize" << 29 << 30;
    QTest::newRow("gradient") << "cboGrade" << 1 << 1;
    QTest::newRow("text effect") << "cboTextStyle" << 1 << 1;
}

void TestToolPalette::listEffects()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(int, expected);
    m_panels->startUp(m_data->path() + QStringLiteral("/"));
    list(name)->setCurrentIndex(index);
    const QMap<QString, int> actual{
        {"cboDW", m_canvas->drawWidth()},           {"cboStyle", m_canvas->drawStyle()},
        {"cboFillType", m_options->fillType},       {"cboEraseType", m_options->eraserShape},
        {"cboWidth", m_options->eraserWidth},       {"cboCloneSize", m_options->cloneSize},
        {"cboGrade", m_options->gradientDirection}, {"cboTextStyle", m_options->textEffect}};
    QCOMPARE(actual.value(name), expected);
}

void TestToolPalette::choosingBitmapLoadsIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("brush") << "cboBrush";
    QTest::newRow("pattern") << "cboPatten";
}

void TestToolPalette::choosingBitmapLoadsIt()
{
    QFETCH(QString, name);
    makeDataFolder();
    m_panels->startUp(m_data->path() + QStringLiteral("/Data/"));
    list(name)->setCurrentIndex(1);
    if (name == "cboBrush")
        QCOMPARE(m_options->brushSource.image(), sample(2));
    else
        QCOMPARE(m_options->pattern, sample(4));
    QVERIFY(m_dialogs->requests.empty());
}

void TestToolPalette::unreadableBitmapKeepsPrevious_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("brush deleted") << "cboBrush"
                                   << "brushs/b.BMP" << true;
    QTest::newRow("brush not a bitmap") << "cboBrush"
                                        << "brushs/b.BMP" << false;
    QTest::newRow("pattern deleted") << "cboPatten"
                                     << "pattens/p2.bmp" << true;
    QTest::newRow("pattern not a bitmap") << "cboPatten"
                                          << "pattens/p2.bmp" << false;
}

void TestToolPalette::unreadableBitmapKeepsPrevious()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(bool, deleted);
    makeDataFolder();
    m_panels->startUp(m_data->path() + QStringLiteral("/Data/"));
    const QString path = m_data->path() + QStringLiteral("/Data/") + file;
    if (deleted) {
        QVERIFY(QFile::remove(path));
    } else {
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("not a picture");
    }

    list(name)->setCurrentIndex(1);

    const auto messages = m_dialogs->of(QStringLiteral("message"));
    QCOMPARE(messages.size(), std::size_t{1});
    QVERIFY2(messages[0].text.contains(QFileInfo(path).fileName()), qPrintable(messages[0].text));
    QCOMPARE(messages[0].title, QStringLiteral("owner title"));
    QCOMPARE(m_options->brushSource.image(), sample(1));
    QCOMPARE(m_options->pattern, sample(3));
    // The list names the bitmap that is still in use.
    QCOMPARE(list(name)->currentIndex(), 0);
}

KALVO_TEST(TestToolPalette)
#include "tst_tool_palette.moc"
