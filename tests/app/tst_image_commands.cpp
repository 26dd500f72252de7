#include "testmain.h"

#include "app/frmmain.h"
#include "filters/frmmask.h"
#include "filters/frmstroke.h"
#include "filters/image_tools.h"
#include "filters/picture_mask.h"
#include "modal_script.h"
#include "scripted_dialogs.h"
#include "test_pictures.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestImageCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void flipsMirrorTheCanvas_data();
    void flipsMirrorTheCanvas();
    void borderUsesTheCanvasPen();
    void maskAppliesOrExplains_data();
    void maskAppliesOrExplains();

private:
    void trigger(const char *action)
    {
        m_window->findChild<QAction *>(QLatin1String(action))->trigger();
    }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<frmmain> m_window;
    QImage m_before = numberedPicture(41, 23);
};

void TestImageCommands::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = std::make_unique<frmmain>(*m_dialogs);
    m_window->Form_Load();
    m_window->canvas().setPicture(m_before);
}

void TestImageCommands::cleanup()
{
    m_window.reset();
    m_dialogs.reset();
}

void TestImageCommands::flipsMirrorTheCanvas_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("mode");
    QTest::newRow("垂直") << "mnuFlipV" << int(FlipLeftRight);
    QTest::newRow("水平") << "mnuFlipHoz" << int(FlipTopBottom);
    QTest::newRow("双向") << "mnuBoth" << int(FlipBoth);
}

void TestImageCommands::flipsMirrorTheCanvas()
{
    QFETCH(QString, action);
    QFETCH(int, mode);
    trigger(qPrintable(action));
    Surface expected;
    expected.setPicture(m_before);
    FlipImage(expected, mode);
    QCOMPARE(m_window->canvas().image(), expected.image());
    // Undo still goes back to the last press, not to before the flip.
    QVERIFY(m_window->undoStore().masktemp().isNull());
}

void TestImageCommands::borderUsesTheCanvasPen()
{
    Surface &canvas = m_window->canvas();
    canvas.setDrawWidth(3);
    m_dialogs->colours.push_back(0x0000FF);
    scriptModal<frmStroke>(
        [this] { trigger("mnuStroke"); },
        [](frmStroke &dialog) {
            dialog.findChild<QAbstractButton *>("pColor")->click();
            dialog.findChild<QLineEdit *>("txtWidth")->setText(QStringLiteral("4"));
            dialog.findChild<QPushButton *>("cmdok")->click();
        });
    Surface expected;
    expected.setPicture(m_before);
    expected.setDrawWidth(3);
    DrawBorder(expected, 4, 0x0000FF);
    QCOMPARE(canvas.image(), expected.image());
    QCOMPARE(m_window->document().DialogResult, Document::DialogCancelled);
}

void TestImageCommands::maskAppliesOrExplains_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("message");
    QTest::newRow("picture") << "mask.bmp" << true << "";
    QTest::newRow("empty path") << "" << false << "";
    QTest::newRow("gone") << "gone.bmp" << false << "文件不存在或无法读取。";
    QTest::newRow("not a picture") << "notes.bmp" << false << "不是可识别的图片文件。";
}

void TestImageCommands::maskAppliesOrExplains()
{
    QFETCH(QString, file);
    QFETCH(bool, applied);
    QFETCH(QString, message);
    QTemporaryDir folder;
    QImage mask(4, 4, QImage::Format_RGB32);
    mask.fill(qRgb(0, 200, 0));
    QCOMPARE(savePicture(mask, folder.filePath("mask.bmp")), PictureError::None);
    QFile notes(folder.filePath("notes.bmp"));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no picture") > 0);
    notes.close();
    const QString path = file.isEmpty() ? QString() : folder.filePath(file);
    scriptModal<frmMask>([this] { trigger("mnuMask"); },
                         [&](frmMask &dialog) {
                             dialog.findChild<QLineEdit *>("txtFilename")->setText(path);
                             dialog.findChild<QPushButton *>("cmdOK")->click();
                         });
    const QImage after = m_window->canvas().image();
    QCOMPARE(after.pixel(20, 10) == qRgb(0, 200, 0), applied);
    if (!applied)
        QCOMPARE(after, m_before);
    const auto messages = m_dialogs->of(QStringLiteral("message"));
    QCOMPARE(messages.size(), std::size_t(message.isEmpty() ? 0 : 1));
    if (!message.isEmpty()) {
        QVERIFY(messages[0].text.contains(path) && messages[0].text.contains(message));
        QCOMPARE(messages[0].title, QStringLiteral("图片掩码"));
    }
    // A file that cannot be read leaves the scratch surface alone too.
    QCOMPARE(m_window->brushSample(1).size(), message.isEmpty() ? QSize(41, 23) : QSize(32, 30));
}

KALVO_TEST(TestImageCommands)
#include "tst_image_commands.moc"
