#include "testmain.h"

#include "app/modal_script.h"
#include "controls/colour_swatch.h"
#include "controls/picture_box.h"
#include "core/document.h"
#include "filters/frmmask.h"
#include "filters/frmstroke.h"
#include "filters/picture_mask.h"
#include "filters/thumbnail.h"
#include "scripted_dialogs.h"
#include "test_pictures.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestImageDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void strokeReadsTheFields_data();
    void strokeReadsTheFields();
    void maskPreviewsTheChosenFile_data();
    void maskPreviewsTheChosenFile();
};

void TestImageDialogs::strokeReadsTheFields_data()
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

void TestImageDialogs::strokeReadsTheFields()
{
    QFETCH(QString, typed);
    QFETCH(Colour, chosen);
    QFETCH(QString, shown);
    QFETCH(int, width);
    QFETCH(Colour, colour);
    Document document;
    ScriptedDialogs dialogs;
    dialogs.colours.push_back(chosen);
    frmStroke dialog(document, dialogs);
    auto *text = dialog.findChild<QLineEdit *>("txtWidth");
    const bool scripted = scriptModal<frmStroke>(
        [&] { dialog.exec(); },
        [&](frmStroke &) {
            QVERIFY(dialog.windowIcon().isNull());
            QCOMPARE(text->text(), QStringLiteral("1"));
            dialog.findChild<ColourSwatch *>("pColor")->click();
            text->setFocus();
            text->setText(typed);
            // A press on OK takes the focus from the box before OK acts.
            QTest::mouseClick(dialog.findChild<QPushButton *>("cmdok"), Qt::LeftButton);
        });
    QVERIFY(scripted);
    QCOMPARE(dialogs.of("colour").at(0).start, Colour(0));
    QCOMPARE(text->text(), shown);
    QCOMPARE(document.DialogResult, Document::DialogConfirmed);
    QCOMPARE(document.BorderWidth, width);
    QCOMPARE(document.BorderColor, colour);
}

void TestImageDialogs::maskPreviewsTheChosenFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("previewed");
    QTest::newRow("picture") << "mask.bmp" << true;
    QTest::newRow("not a picture") << "notes.bmp" << false;
    QTest::newRow("chooser cancelled") << "" << false;
}

void TestImageDialogs::maskPreviewsTheChosenFile()
{
    QFETCH(QString, file);
    QFETCH(bool, previewed);
    QTemporaryDir folder;
    // Green on the left, magenta (transparent) on the right.
    QImage mask(10, 10, QImage::Format_RGB32);
    mask.fill(qRgb(0, 200, 0));
    for (int y = 0; y < 10; ++y) {
        for (int x = 5; x < 10; ++x)
            mask.setPixel(x, y, toQRgb(MaskKey));
    }
    QCOMPARE(savePicture(mask, folder.filePath("mask.bmp")), PictureError::None);
    QFile notes(folder.filePath("notes.bmp"));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no picture") > 0);
    notes.close();

    Surface canvas;
    canvas.setPicture(numberedPicture(300, 120));
    Surface thumbnail(ThumbnailSide, ThumbnailSide);
    ShowThumbnail(canvas, thumbnail);
    Document document;
    ScriptedDialogs dialogs;
    const QString path = file.isEmpty() ? QString() : folder.filePath(file);
    dialogs.fileNames.push_back(path);
    frmMask dialog(document, canvas, dialogs);
    const Surface &view = *dialog.findChild<PictureBox *>("pView")->surface();
    auto *text = dialog.findChild<QLineEdit *>("txtFilename");
    text->setText(folder.filePath("earlier.bmp"));
    const bool scripted = scriptModal<frmMask>(
        [&] { dialog.exec(); },
        [&](frmMask &) {
            QCOMPARE(view.image(), thumbnail.image());
            dialog.findChild<QPushButton *>("cmdOpen")->click();
            QCOMPARE(view.image().pixel(10, 40) == qRgb(0, 200, 0), previewed);
            QCOMPARE(view.image().pixel(70, 40), thumbnail.image().pixel(70, 40));
            dialog.findChild<QPushButton *>("cmdReset")->click();
            QCOMPARE(view.image(), thumbnail.image());
            dialog.findChild<QPushButton *>("cmdOK")->click();
        });
    QVERIFY(scripted);
    QCOMPARE(dialogs.of("open").at(0).folder, folder.path());
    const QString kept = path.isEmpty() ? folder.filePath("earlier.bmp") : path;
    QCOMPARE(document.MaskFile, kept);
    QCOMPARE(document.DialogResult, Document::DialogConfirmed);
    QCOMPARE(canvas.image(), numberedPicture(300, 120));
}

KALVO_TEST(TestImageDialogs)
#include "tst_image_dialogs.moc"
