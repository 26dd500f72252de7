#include "testmain.h"

#include "app/editor.h"
#include "app/main_window.h"
#include "app/new_image_dialog.h"
#include "app/scale_dialog.h"
#include "controls/canvas_view.h"
#include "controls/colour_palette.h"
#include "core/formats.h"
#include "modal_script.h"
#include "scripted_dialogs.h"
#include "test_pictures.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

#include <sys/stat.h>

namespace {

constexpr Colour Colour1 = 0x00123456;
constexpr Colour Colour2 = 0x00ABCDEF;

QByteArray littleEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

// A bitmap header that claims 100000 x 100000 pixels over a few bytes.
QByteArray hugeBitmapHeader()
{
    QByteArray bytes("BM");
    bytes += littleEndian(70, 4) + littleEndian(0, 4) + littleEndian(54, 4);
    bytes += littleEndian(40, 4) + littleEndian(100000, 4) + littleEndian(100000, 4);
    bytes += littleEndian(1, 2) + littleEndian(24, 2) + littleEndian(0, 4) + littleEndian(0, 4);
    bytes +=
        littleEndian(2835, 4) + littleEndian(2835, 4) + littleEndian(0, 4) + littleEndian(0, 4);
    bytes += QByteArray(16, '\x7f');
    return bytes;
}

// A drag from a file manager, which offers a copy and proposes a move.
template <typename Event> struct MoveProposed : Event {
    explicit MoveProposed(const QMimeData *data)
        : Event(QPoint(300, 200), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                Qt::NoModifier)
    {
        this->m_defaultAction = Qt::MoveAction;
        this->m_dropAction = Qt::MoveAction;
    }
};

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void folderOf_data();
    void folderOf();
    void newMakesBlankCanvas_data();
    void newMakesBlankCanvas();
    void newRefusesSizeBelowOne_data();
    void newRefusesSizeBelowOne();
    void newCancelKeepsCanvas();
    void openTakesPictureAndSize();
    void dialogsStartInLastFolder();
    void saveWritesExactNameAndReadsBack();
    void saveNameDecidesFormat_data();
    void saveNameDecidesFormat();
    void openFailureKeepsCanvas_data();
    void openFailureKeepsCanvas();
    void saveFailureIsReported_data();
    void saveFailureIsReported();
    void scaleAveragesAndUpdatesView();
    void scaleCancelChangesNothing();
    void otherWaysOpenAsOpenDoes_data();
    void otherWaysOpenAsOpenDoes();
    void droppedTextIsRefused();
    void transparencyIsTold_data();
    void transparencyIsTold();

private:
    void trigger(const char *action);
    // New, answered with the fields given; returns whether the dialog was still
    // open after OK (and was then cancelled).
    bool runNew(const QString &width, const QString &height, int colour);
    QString tempPath(const QString &name) const { return m_folder->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<MainWindow> m_window;
};

void TestFileCommands::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_editor = std::make_unique<Editor>(*m_dialogs);
    m_window = std::make_unique<MainWindow>(*m_editor);
    m_window->startUp();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestFileCommands::cleanup()
{
    m_window.reset();
    m_editor.reset();
    m_dialogs.reset();
    m_folder.reset();
}

void TestFileCommands::trigger(const char *action)
{
    m_window->findChild<QAction *>(QLatin1String(action))->trigger();
}

bool TestFileCommands::runNew(const QString &width, const QString &height, int colour)
{
    bool stillOpen = false;
    const bool scripted = scriptModal<NewImageDialog>(
        [this] { trigger("mnuNew"); },
        [&](NewImageDialog &dialog) {
            dialog.findChild<QLineEdit *>("txtWidth")->setText(width);
            dialog.findChild<QLineEdit *>("txtHeight")->setText(height);
            dialog.findChild<QComboBox *>("cboColor")->setCurrentIndex(colour);
            dialog.findChild<QPushButton *>("cmdOK")->click();
            stillOpen = dialog.isVisible();
            if (stillOpen)
                dialog.findChild<QPushButton *>("cmdCancel")->click();
        });
    return scripted && stillOpen;
}

void TestFileCommands::folderOf_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::newRow("file") << "/home/a/b.bmp"
                          << "/home/a";
    QTest::newRow("root") << "/b.bmp"
                          << "";
    QTest::newRow("folder") << "/home/a/"
                            << "/home/a";
    QTest::newRow("bare name") << "b.bmp"
                               << "b.bmp";
    QTest::newRow("backslash is a name") << "a\\b.bmp"
                                         << "a\\b.bmp";
}

void TestFileCommands::folderOf()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QCOMPARE(DocumentCommands::folderOf(path), folder);
}

void TestFileCommands::newMakesBlankCanvas_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Colour>("backColour");
    QTest::newRow("red") << "200"
                         << "200" << 2 << QSize(200, 200) << Colour(0x000000FF);
    QTest::newRow("blank inside") << "3 0"
                                  << "40" << 0 << QSize(30, 40) << Colour(0x00FFFFFF);
    QTest::newRow("foreground") << "10"
                                << "1000" << 5 << QSize(10, 1000) << Colour1;
    QTest::newRow("background") << "1200"
                                << "7" << 6 << QSize(1200, 7) << Colour2;
}

void TestFileCommands::newMakesBlankCanvas()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(int, colour);
    QFETCH(QSize, size);
    QFETCH(Colour, backColour);
    m_window->palette()->setColour1(Colour1);
    m_window->palette()->setColour2(Colour2);
    m_editor->document().canvas().setPixel(0, 0, 0x00000000);
    m_editor->document().setSelection(QRect(1, 1, 5, 5));
    trigger("MnuDQue");
    m_editor->toolState().currentTool = ToolId::Box;

    QVERIFY(!runNew(width, height, colour));
    Surface &canvas = m_editor->document().canvas();
    QCOMPARE(canvas.size(), size);
    QCOMPARE(canvas.getPixel(0, 0), backColour);
    QCOMPARE(canvas.getPixel(size.width() - 1, size.height() - 1), backColour);
    QCOMPARE(canvas.backColour(), backColour);
    QCOMPARE(m_window->statusPanel(3),
             QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
    QCOMPARE(m_window->canvasView()->pictureRect().size(), size);
    QVERIFY(m_editor->document().selection().isNull());
    QVERIFY(!m_window->findChild<QAction *>("MnuDQue")->isChecked());
    QVERIFY(!m_editor->clipboard().keyed());
    QCOMPARE(m_editor->toolState().currentTool, std::optional(ToolId::Box));
    const auto grips = m_window->findChildren<QWidget *>("pGrip");
    QCOMPARE(grips.size(), 3);
    for (QWidget *grip : grips) {
        if (grip->property("index").toInt() == 1)
            QCOMPARE(grip->pos(), QPoint(size.width(), size.height()));
    }
    QCOMPARE(m_window->horizontalBar()->isEnabled(), size.width() > 876 - 18);
    QCOMPARE(m_window->verticalBar()->isEnabled(), size.height() > 436 - 18);
}

void TestFileCommands::newRefusesSizeBelowOne_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("letters") << "abc"
                             << "200";
    QTest::newRow("zero") << "0"
                          << "200";
    QTest::newRow("zero height") << "200"
                                 << "0.5";
}

void TestFileCommands::newRefusesSizeBelowOne()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    m_editor->document().canvas().setPixel(3, 3, 0x000000FF);
    const QImage before = m_editor->document().canvas().image();

    QVERIFY(runNew(width, height, 2));
    const auto messages = m_dialogs->of("message");
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].text, QStringLiteral("位图像素值必须大于零"));
    QCOMPARE(messages[0].title, QStringLiteral("新建图像"));
    QCOMPARE(messages[0].icon, CommonDialogs::Icon::Warning);
    QCOMPARE(m_editor->document().canvas().image(), before);
}

void TestFileCommands::newCancelKeepsCanvas()
{
    m_editor->document().canvas().setPixel(3, 3, 0x000000FF);
    const QImage before = m_editor->document().canvas().image();
    QVERIFY(scriptModal<NewImageDialog>([this] { trigger("mnuNew"); },
                                        [](NewImageDialog &dialog) { dialog.cancel(); }));
    QCOMPARE(m_editor->document().canvas().image(), before);
    QCOMPARE(m_window->statusPanel(3), QStringLiteral("760x568"));
}

void TestFileCommands::openTakesPictureAndSize()
{
    const QImage picture = numberedPicture(64, 32);
    const QString path = tempPath(QStringLiteral("small.bmp"));
    QCOMPARE(savePicture(picture, path), PictureError::None);
    m_window->verticalBar()->setValue(120);
    m_editor->toolState().currentTool = ToolId::FilledBox;
    trigger("MnuDQue");
    m_dialogs->fileNames.push_back(path);

    trigger("mnuOpen");
    const auto opens = m_dialogs->of("open");
    QCOMPARE(opens.size(), std::size_t(1));
    QCOMPARE(opens[0].title, QStringLiteral("Open"));
    QVERIFY(m_dialogs->of("message").empty());
    QCOMPARE(m_editor->document().canvas().size(), QSize(64, 32));
    QCOMPARE(m_editor->document().canvas().image(), picture);
    QCOMPARE(m_window->canvasView()->pictureRect(), QRect(0, 0, 64, 32));
    QVERIFY(!m_window->verticalBar()->isEnabled());
    QVERIFY(!m_window->horizontalBar()->isEnabled());
    QCOMPARE(m_editor->toolState().currentTool, NoTool);
    QCOMPARE(m_window->statusPanel(3), QStringLiteral("64x32"));
    QVERIFY(!m_window->findChild<QAction *>("MnuDQue")->isChecked());
    QVERIFY(!m_editor->clipboard().keyed());
    QList<QPoint> places;
    const auto grips = m_window->findChildren<QWidget *>("pGrip");
    for (int i = 0; i < 3; ++i) {
        for (QWidget *grip : grips) {
            if (grip->property("index").toInt() == i)
                places << grip->pos();
        }
    }
    QCOMPARE(places, (QList<QPoint>{{64, 13}, {64, 32}, {29, 32}}));
}

void TestFileCommands::dialogsStartInLastFolder()
{
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("sub")));
    const QString path = tempPath(QStringLiteral("sub/first.bmp"));
    QCOMPARE(savePicture(numberedPicture(4, 4), path), PictureError::None);
    const QString start = m_editor->document().lastFolder;

    m_dialogs->fileNames = {path, QString(), tempPath(QStringLiteral("sub/second.bmp"))};
    trigger("mnuOpen");
    trigger("mnuSave"); // cancelled: the folder stays
    trigger("mnuSave");
    const QString folder = m_folder->path() + QStringLiteral("/sub/");
    QStringList folders;
    for (const auto &request : m_dialogs->requests) {
        if (request.kind == QLatin1String("open") || request.kind == QLatin1String("save"))
            folders << request.folder;
    }
    QCOMPARE(folders, (QStringList{start, folder, folder}));
    QCOMPARE(m_editor->document().lastFolder, folder);
    QCOMPARE(m_dialogs->of("save")[0].title, QStringLiteral("Save"));
}

void TestFileCommands::saveWritesExactNameAndReadsBack()
{
    Surface &canvas = m_editor->document().canvas();
    canvas.setPicture(numberedPicture(50, 40));
    canvas.setPixel(10, 10, 0x00FF00FF);
    const QImage drawn = canvas.image();
    const QString path = tempPath(QStringLiteral("picture"));
    m_dialogs->fileNames = {path, path};

    trigger("mnuSave");
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists(path + QStringLiteral(".bmp")));
    QVERIFY(m_dialogs->of("message").empty());

    canvas.setSize(10, 10);
    canvas.clearPicture();
    trigger("mnuOpen");
    QCOMPARE(canvas.image(), drawn);
}

void TestFileCommands::saveNameDecidesFormat_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("type"); // 0 bitmap, 1 PNG, 2 JPEG
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("replace"); // the answer to the question, if asked
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QByteArray>("signature"); // empty: nothing written
    QTest::addColumn<bool>("asked");
    const QByteArray png("\x89PNG"), jpeg("\xFF\xD8\xFF"), bitmap("BM");
    const auto row = [](const char *tag, const char *typed, int type, const char *existing,
                        bool replace, const char *saved, const QByteArray &signature, bool asked) {
        QTest::newRow(tag) << QString::fromLatin1(typed) << type << QString::fromLatin1(existing)
                           << replace << QString::fromLatin1(saved) << signature << asked;
    };
    row("a PNG name with the bitmap type", "holiday.png", 0, "", false, "holiday.png", png, false);
    row("a JPEG name in capitals", "holiday.JPEG", 0, "", false, "holiday.JPEG", jpeg, false);
    row("a bitmap name with the PNG type", "holiday.bmp", 1, "", false, "holiday.bmp", bitmap,
        false);
    row("the type's extension added", "holiday", 2, "", false, "holiday.jpg", jpeg, false);
    row("an unknown extension", "notes.txt", 1, "", false, "notes.txt.png", png, false);
    row("a bare bitmap name", "holiday", 0, "holiday", false, "holiday", bitmap, false);
    // The dialog asked about the name typed; Kalvo asks about the one added to.
    row("the typed name replaced", "holiday.png", 1, "holiday.png", false, "holiday.png", png,
        false);
    row("an added name replaced", "holiday", 1, "holiday.png", true, "holiday.png", png, true);
    row("an added name kept", "holiday", 1, "holiday.png", false, "holiday.png", "", true);
}

void TestFileCommands::saveNameDecidesFormat()
{
    QFETCH(QString, typed);
    QFETCH(int, type);
    QFETCH(QString, existing);
    QFETCH(bool, replace);
    QFETCH(QString, saved);
    QFETCH(QByteArray, signature);
    QFETCH(bool, asked);
    Surface &canvas = m_editor->document().canvas();
    canvas.setPicture(numberedPicture(50, 40));
    const QImage drawn = canvas.image();
    if (!existing.isEmpty()) {
        QFile old(tempPath(existing));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    }
    m_dialogs->fileNames = {tempPath(typed)};
    m_dialogs->fileTypes = {type};
    m_dialogs->answers = {replace};

    trigger("mnuSave");
    QCOMPARE(m_dialogs->of("save")[0].filter, saveDialogTypes());
    const auto questions = m_dialogs->of("yesno");
    QCOMPARE(questions.size(), std::size_t(asked ? 1 : 0));
    if (asked) {
        QCOMPARE(questions[0].text, QStringLiteral("%1 已存在。\n您想要替换它吗?").arg(saved));
        QCOMPARE(questions[0].title, QStringLiteral("保存"));
    }
    // No keeps the file and asks for a name again.
    QCOMPARE(m_dialogs->of("save").size(), std::size_t(asked && !replace ? 2 : 1));
    QVERIFY(m_dialogs->of("message").empty());
    QFile written(tempPath(saved));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray content = written.readAll();
    if (signature.isEmpty()) {
        QCOMPARE(content, QByteArray("old"));
        return;
    }
    QVERIFY(content.startsWith(signature));
    QStringList files{saved};
    if (!existing.isEmpty() && existing != saved)
        files << existing;
    files.sort();
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), files);

    canvas.clearPicture();
    m_dialogs->fileNames = {tempPath(saved)};
    trigger("mnuOpen");
    QCOMPARE(m_dialogs->of("open")[0].filter, openDialogTypes());
    if (!signature.startsWith("\xFF"))
        QCOMPARE(canvas.image(), drawn);
    QCOMPARE(canvas.size(), drawn.size());
}

void TestFileCommands::openFailureKeepsCanvas_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray bitmap;
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("whole.bmp"));
        savePicture(numberedPicture(64, 32), path);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        bitmap = file.readAll();
    }
    QTest::newRow("zero bytes") << QByteArray();
    QTest::newRow("truncated") << bitmap.left(bitmap.size() / 2);
    QTest::newRow("not a picture") << QByteArray("just some words, not pixels\n");
    QTest::newRow("huge header") << hugeBitmapHeader();
}

void TestFileCommands::openFailureKeepsCanvas()
{
    QFETCH(QByteArray, content);
    const QString path = tempPath(QStringLiteral("bad.bmp"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Surface &canvas = m_editor->document().canvas();
    canvas.setPixel(5, 5, 0x000000FF);
    const QImage before = canvas.image();
    m_editor->toolState().currentTool = ToolId::Line;
    m_dialogs->fileNames.push_back(path);

    trigger("mnuOpen");
    const auto messages = m_dialogs->of("message");
    QCOMPARE(messages.size(), std::size_t(1));
    QVERIFY2(messages[0].text.contains(path), qPrintable(messages[0].text));
    QCOMPARE(messages[0].title, QStringLiteral("打开"));
    QCOMPARE(messages[0].icon, CommonDialogs::Icon::Warning);
    QCOMPARE(canvas.image(), before);
    QCOMPARE(m_window->canvasView()->pictureRect().size(), QSize(760, 568));
    QCOMPARE(m_editor->toolState().currentTool, NoTool);
    QCOMPARE(m_window->statusPanel(3), QStringLiteral("760x568"));
}

void TestFileCommands::saveFailureIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no folder") << "missing/picture.bmp"
                               << "文件夹不存在。";
    QTest::newRow("a read-only file") << "locked.bmp"
                                      << "文件是只读的。";
    QTest::newRow("a named pipe") << "pipe.bmp"
                                  << "不是普通文件。";
}

void TestFileCommands::saveFailureIsReported()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString path = tempPath(name);
    const QString locked = tempPath(QStringLiteral("locked.bmp"));
    QCOMPARE(savePicture(numberedPicture(3, 3), locked), PictureError::None);
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup));
    QCOMPARE(mkfifo(QFile::encodeName(tempPath(QStringLiteral("pipe.bmp"))).constData(), 0600), 0);
    const QFileInfo before(path);

    m_dialogs->fileNames.push_back(path);
    trigger("mnuSave");
    const auto messages = m_dialogs->of("message");
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].text,
             QStringLiteral("无法保存文件 \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
    QCOMPARE(messages[0].title, QStringLiteral("保存"));
    QCOMPARE(messages[0].icon, CommonDialogs::Icon::Critical);
    // What was there stays as it was.
    QCOMPARE(QFileInfo(path).exists(), before.exists());
    QCOMPARE(QFileInfo(path).size(), before.size());
    QCOMPARE(QFileInfo(path).isFile(), before.isFile());
}

void TestFileCommands::scaleAveragesAndUpdatesView()
{
    Surface &canvas = m_editor->document().canvas();
    canvas.setSize(100, 100);
    canvas.setPixel(0, 0, rgbColour(10, 200, 0));
    canvas.setPixel(1, 0, rgbColour(20, 200, 0));
    canvas.setPixel(0, 1, rgbColour(30, 100, 0));
    canvas.setPixel(1, 1, rgbColour(41, 100, 0));
    QString shownWidth;
    QString shownHeight;
    QVERIFY(scriptModal<ScaleDialog>([this] { trigger("mnuScale"); },
                                     [&](ScaleDialog &dialog) {
                                         auto *width = dialog.findChild<QLineEdit *>("txtWidth");
                                         auto *height = dialog.findChild<QLineEdit *>("txtHeight");
                                         shownWidth = width->text();
                                         shownHeight = height->text();
                                         width->setText(QStringLiteral("50"));
                                         height->setText(QStringLiteral("50"));
                                         dialog.confirm();
                                     }));
    QCOMPARE(shownWidth, QStringLiteral("100"));
    QCOMPARE(shownHeight, QStringLiteral("100"));
    QCOMPARE(canvas.size(), QSize(50, 50));
    // 25.25 and 150 for the top-left 2 x 2 block.
    QCOMPARE(canvas.getPixel(0, 0), rgbColour(25, 150, 0));
    QCOMPARE(canvas.getPixel(49, 49), Colour(0x00FFFFFF));
    QCOMPARE(m_window->statusPanel(3), QStringLiteral("50x50"));
    QCOMPARE(m_window->canvasView()->pictureRect().size(), QSize(50, 50));
    QVERIFY(!m_window->verticalBar()->isEnabled());
    for (QWidget *grip : m_window->findChildren<QWidget *>("pGrip")) {
        if (grip->property("index").toInt() == 2)
            QCOMPARE(grip->pos(), QPoint(22, 50));
    }
    QCOMPARE(m_editor->document().clipboard().size(), QSize(50, 50));
}

void TestFileCommands::scaleCancelChangesNothing()
{
    Surface &canvas = m_editor->document().canvas();
    canvas.setPixel(7, 7, 0x0000FF00);
    const QImage before = canvas.image();
    m_window->setStatusPanel(3, QStringLiteral("kept"));
    QVERIFY(scriptModal<ScaleDialog>([this] { trigger("mnuScale"); },
                                     [](ScaleDialog &dialog) { dialog.cancel(); }));
    QCOMPARE(canvas.image(), before);
    QCOMPARE(m_window->statusPanel(3), QStringLiteral("kept"));
    QCOMPARE(m_editor->document().clipboard().size(), QSize(32, 30));
}

namespace {

// What a user sees of the window: sizes, places, the chosen tool, where the
// next file dialog starts, the messages shown.
QStringList stateOf(MainWindow &window, Editor &editor, const ScriptedDialogs &dialogs)
{
    QStringList state{window.statusPanel(3), toolName(editor.toolState().currentTool),
                      editor.document().lastFolder};
    const auto place = [](const QRect &r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    state << place(window.canvasView()->pictureRect());
    for (const QWidget *grip : window.findChildren<QWidget *>(QStringLiteral("pGrip")))
        state << place(grip->geometry());
    for (const QScrollBar *bar : {window.horizontalBar(), window.verticalBar()})
        state << QStringLiteral("%1 %2").arg(bar->maximum()).arg(bar->isEnabled());
    for (const auto &message : dialogs.of(QStringLiteral("message")))
        state << message.title + message.text;
    return state;
}

} // namespace

void TestFileCommands::otherWaysOpenAsOpenDoes_data()
{
    // How the files come, and whether the start-up pencil stays chosen
    // because nothing could be opened from the command line.
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("pencilStays");
    for (const bool dropped : {false, true}) {
        const char *way = dropped ? "dropped" : "command line";
        QTest::addRow("%s: a picture", way) << dropped << QStringList{"good.bmp"} << false;
        QTest::addRow("%s: the first of two", way)
            << dropped << QStringList{"good.bmp", "bad.bmp"} << false;
        QTest::addRow("%s: a damaged file", way)
            << dropped << QStringList{"bad.bmp", "good.bmp"} << !dropped;
        QTest::addRow("%s: a missing file", way)
            << dropped << QStringList{"missing.bmp"} << !dropped;
        // Opened to be read, a pipe would wait for a writer for good.
        QTest::addRow("%s: a named pipe", way) << dropped << QStringList{"pipe.bmp"} << !dropped;
    }
}

// The reference is the test's window, where the same file is chosen in Open.
void TestFileCommands::otherWaysOpenAsOpenDoes()
{
    QFETCH(bool, dropped);
    QFETCH(QStringList, files);
    QFETCH(bool, pencilStays);
    QCOMPARE(savePicture(numberedPicture(900, 40), tempPath("good.bmp")), PictureError::None);
    QFile bad(tempPath("bad.bmp"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("BM and nothing more") > 0);
    QCOMPARE(mkfifo(QFile::encodeName(tempPath(QStringLiteral("pipe.bmp"))).constData(), 0600), 0);
    ScriptedDialogs dialogs;
    Editor editor(dialogs);
    MainWindow window(editor);
    window.startUp();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    if (dropped) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << QUrl::fromLocalFile(tempPath(file));
        data.setUrls(urls);
        MoveProposed<QDragEnterEvent> enter(&data);
        QApplication::sendEvent(&window, &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
        MoveProposed<QDropEvent> drop(&data);
        QApplication::sendEvent(&window, &drop);
        // The file stays where it is.
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
    } else {
        // Names relative to the folder a terminal is in.
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_folder->path()));
        editor.documentCommands().openFromCommandLine(files);
        QVERIFY(QDir::setCurrent(here));
    }
    m_dialogs->fileNames.push_back(tempPath(files.first()));
    trigger("mnuOpen");

    if (pencilStays) {
        QCOMPARE(editor.toolState().currentTool, std::optional(ToolId::Pencil));
        m_editor->toolState().currentTool = ToolId::Pencil;
    }
    QCOMPARE(editor.document().canvas().image(), m_editor->document().canvas().image());
    QCOMPARE(stateOf(window, editor, dialogs), stateOf(*m_window, *m_editor, *m_dialogs));
    QCOMPARE(dialogs.of(QStringLiteral("message")).size(),
             std::size_t(files.first() == QLatin1String("good.bmp") ? 0 : 1));
}

void TestFileCommands::droppedTextIsRefused()
{
    QMimeData data;
    data.setText(QStringLiteral("/tmp/picture.bmp"));
    const QImage before = m_editor->document().canvas().image();
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    QVERIFY(!enter.isAccepted());
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &drop);
    QCOMPARE(m_editor->document().canvas().image(), before);
    QCOMPARE(m_editor->toolState().currentTool, std::optional(ToolId::Pencil));
    QVERIFY(m_dialogs->requests.empty());
}

void TestFileCommands::transparencyIsTold_data()
{
    QTest::addColumn<int>("alpha");
    QTest::addColumn<QString>("notice");
    QTest::newRow("opaque") << 255 << QString();
    QTest::newRow("transparent") << 0 << "图片的透明部分显示为白色，保存后不再透明。";
}

void TestFileCommands::transparencyIsTold()
{
    QFETCH(int, alpha);
    QFETCH(QString, notice);
    QImage logo(8, 8, QImage::Format_ARGB32);
    logo.fill(qRgba(0, 0, 255, 255));
    logo.setPixel(3, 3, qRgba(0, 0, 255, alpha));
    const QString path = tempPath(QStringLiteral("logo.png"));
    QVERIFY(logo.save(path, "PNG"));
    m_dialogs->fileNames.push_back(path);
    trigger("mnuOpen");
    QCOMPARE(m_window->statusPanel(1), notice);
    // Shown over white, as the canvas has no transparency.
    QCOMPARE(m_editor->document().canvas().getPixel(3, 3), alpha ? 0x00FF0000 : 0x00FFFFFF);
    QVERIFY(m_dialogs->of("message").empty());
}

KALVO_TEST(TestFileCommands)
#include "tst_file_commands.moc"
