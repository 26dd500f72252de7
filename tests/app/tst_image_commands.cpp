#include "testmain.h"

#include "command_rig.h"
#include "controls/colour_swatch.h"
#include "controls/picture_box.h"
#include "core/formats.h"
#include "filters/border_dialog.h"
#include "filters/image_tools.h"
#include "filters/picture_mask.h"
#include "filters/picture_mask_dialog.h"
#include "filters/thumbnail.h"
#include "modal_script.h"
#include "test_pictures.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

constexpr QRgb Green = 0xFF00C800;

class TestImageCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void flipsMirrorTheCanvas_data();
    void flipsMirrorTheCanvas();
    void borderDialogToCanvas_data();
    void borderDialogToCanvas();
    void maskDialogToCanvas_data();
    void maskDialogToCanvas();

private:
    void trigger(const char *action) { QVERIFY(m_rig->run(QString::fromLatin1(action))); }
    // The picture the canvas starts with, changed as the command should.
    QImage expected(const std::function<void(Surface &)> &change) const;

    const QImage m_before = numberedPicture(41, 23);
    std::unique_ptr<CommandRig> m_rig;
};

void TestImageCommands::init()
{
    m_rig = std::make_unique<CommandRig>();
    m_rig->canvas().setPicture(m_before);
    m_rig->canvas().setDrawWidth(3);
}

QImage TestImageCommands::expected(const std::function<void(Surface &)> &change) const
{
    Surface surface;
    surface.setPicture(m_before);
    surface.setDrawWidth(3);
    change(surface);
    return surface.image();
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
    QCOMPARE(m_rig->canvas().image(), expected([&](Surface &s) { FlipImage(s, mode); }));
    // No snapshot: Undo still goes back to the last press.
    QVERIFY(m_rig->document().undo().before().isNull());
}

void TestImageCommands::borderDialogToCanvas_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Colour>("chosen");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("width");
    QTest::addColumn<Colour>("colour");
    QTest::newRow("defaults") << "1" << NoColour << "1" << 1 << Colour(0);
    QTest::newRow("zero becomes one") << "0" << NoColour << "1" << 1 << Colour(0);
    QTest::newRow("no number becomes one") << "abc" << NoColour << "1" << 1 << Colour(0);
    QTest::newRow("negative stays") << "-2" << NoColour << "-2" << -2 << Colour(0);
    QTest::newRow("fraction stays") << "0.4" << NoColour << "0.4" << 0 << Colour(0);
    QTest::newRow("half to even") << "2.5" << NoColour << "2.5" << 2 << Colour(0);
    QTest::newRow("blanks ignored") << " 1 2" << NoColour << " 1 2" << 12 << Colour(0);
    QTest::newRow("colour chosen") << "3" << Colour(0x0000FF) << "3" << 3 << Colour(0x0000FF);
}

void TestImageCommands::borderDialogToCanvas()
{
    QFETCH(QString, typed);
    QFETCH(Colour, chosen);
    QFETCH(QString, shown);
    QFETCH(int, width);
    QFETCH(Colour, colour);
    m_rig->dialogs.colours.push_back(chosen);
    QString after;
    QVERIFY(scriptModal<BorderDialog>(
        [this] { trigger("mnuStroke"); },
        [&](BorderDialog &dialog) {
            QVERIFY(dialog.windowIcon().isNull());
            dialog.findChild<ColourSwatch *>("pColor")->click();
            auto *text = dialog.findChild<QLineEdit *>("txtWidth");
            // The box loses the focus only in the active
            // window, which a busy machine makes late.
            QApplication::setActiveWindow(&dialog);
            text->setFocus();
            text->setText(typed);
            // A press on OK takes the focus from the box before OK acts.
            QTest::mouseClick(dialog.findChild<QPushButton *>("cmdok"), Qt::LeftButton);
            after = text->text();
        }));
    QCOMPARE(after, shown);
    const auto chooser = m_rig->dialogs.of(QStringLiteral("colour"));
    QCOMPARE(chooser.size(), std::size_t(1));
    QCOMPARE(chooser[0].start, Colour(0));
    QCOMPARE(m_rig->canvas().image(), expected([&](Surface &s) { DrawBorder(s, width, colour); }));
}

void TestImageCommands::maskDialogToCanvas_data()
{
    // After mask.bmp, green on the left and magenta (transparent) on the
    // right, the user chooses another file.
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("previewed");
    QTest::addColumn<QString>("confirmed");
    QTest::addColumn<QString>("reason");
    QTest::newRow("picture") << "mask.bmp" << true << "mask.bmp"
                             << "";
    QTest::newRow("previews do not pile up") << "clear.bmp" << false << "clear.bmp"
                                             << "";
    QTest::newRow("not a picture") << "notes.bmp" << false << "notes.bmp"
                                   << "不是可识别的图片文件。";
    QTest::newRow("chooser cancelled") << "" << true << "mask.bmp"
                                       << "";
}

void TestImageCommands::maskDialogToCanvas()
{
    QFETCH(QString, chosen);
    QFETCH(bool, previewed);
    QFETCH(QString, confirmed);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QImage mask(10, 10, QImage::Format_RGB32);
    mask.fill(toQRgb(MaskKey));
    QVERIFY(mask.save(folder.filePath("clear.bmp"), "BMP"));
    QPainter(&mask).fillRect(0, 0, 5, 10, QColor::fromRgb(Green));
    QVERIFY(mask.save(folder.filePath("mask.bmp"), "BMP"));
    QFile notes(folder.filePath("notes.bmp"));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no picture") > 0);
    notes.close();
    m_rig->dialogs.fileNames = {folder.filePath("mask.bmp"),
                                chosen.isEmpty() ? QString() : folder.filePath(chosen)};
    Surface thumbnail(ThumbnailSide, ThumbnailSide);
    ShowThumbnail(m_rig->canvas(), thumbnail);

    QVERIFY(scriptModal<PictureMaskDialog>(
        [this] { trigger("mnuMask"); },
        [&](PictureMaskDialog &dialog) {
            const Surface &view = *dialog.findChild<PictureBox *>("pView")->surface();
            QCOMPARE(view.image(), thumbnail.image());
            dialog.findChild<QPushButton *>("cmdOpen")->click();
            dialog.findChild<QPushButton *>("cmdOpen")->click();
            QCOMPARE(view.image().pixel(10, 40) == Green, previewed);
            QCOMPARE(view.image().pixel(70, 40), thumbnail.image().pixel(70, 40));
            dialog.findChild<QPushButton *>("cmdReset")->click();
            QCOMPARE(view.image(), thumbnail.image());
            QCOMPARE(m_rig->canvas().image(), m_before);
            dialog.findChild<QPushButton *>("cmdOK")->click();
        }));
    const auto opened = m_rig->dialogs.of(QStringLiteral("open"));
    QCOMPARE(opened.size(), std::size_t(2));
    QCOMPARE(opened[1].folder, folder.path());
    QCOMPARE(opened[0].filter, openDialogTypes());
    const QString path = folder.filePath(confirmed);
    const QImage after = m_rig->canvas().image();
    QCOMPARE(after.pixel(5, 5) == Green, confirmed == "mask.bmp");
    QCOMPARE(after.pixel(35, 5), m_before.pixel(35, 5));
    const auto messages = m_rig->dialogs.of(QStringLiteral("message"));
    QCOMPARE(messages.size(), std::size_t(reason.isEmpty() ? 0 : 1));
    if (!reason.isEmpty()) {
        QVERIFY(messages[0].text.contains(path) && messages[0].text.contains(reason));
        QCOMPARE(after, m_before);
    }
}

KALVO_TEST(TestImageCommands)
#include "tst_image_commands.moc"
