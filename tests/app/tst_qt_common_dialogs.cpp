#include "testmain.h"

#include "app/file_dialog_parts.h"
#include "app/qt_common_dialogs.h"
#include "core/formats.h"
#include "modal_script.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestQtCommonDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void filterForm_data();
    void filterForm();
    void fileDialogReturnsChosenType_data();
    void fileDialogReturnsChosenType();
    void iconsComeFromTheNameAlone();
    void datesInTheProgramLocale();

private:
    static QString writeFile(const QTemporaryDir &folder, const QString &name,
                             const QByteArray &content)
    {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return {};
        return file.fileName();
    }
};

void TestQtCommonDialogs::filterForm_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bitmap") << "位图文件(*.bmp)|*.bmp|"
                            << "位图文件(*.bmp)";
    QTest::newRow("other patterns shown") << "位图文件(*.dib)|*.bmp|"
                                          << "位图文件(*.dib) (*.bmp)";
    QTest::newRow("no trailing bar") << "位图文件|*.bmp"
                                     << "位图文件 (*.bmp)";
    QTest::newRow("two entries") << "位图|*.bmp|所有文件|*.*|"
                                 << "位图 (*.bmp);;所有文件 (*.*)";
    QTest::newRow("several patterns") << "图片|*.bmp;*.jpg|"
                                      << "图片 (*.bmp *.jpg)";
    QTest::newRow("description alone") << "全部"
                                       << "全部 (*)";
    QTest::newRow("empty") << ""
                           << "";
}

void TestQtCommonDialogs::filterForm()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(QtCommonDialogs::qtFilter(filter), expected);
}

void TestQtCommonDialogs::fileDialogReturnsChosenType_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("type");
    QTest::newRow("open, first type") << false << 0;
    QTest::newRow("open, all pictures") << false << 1;
    QTest::newRow("save, PNG") << true << 1;
    QTest::newRow("save, JPEG") << true << 2;
}

void TestQtCommonDialogs::fileDialogReturnsChosenType()
{
    QFETCH(bool, save);
    QFETCH(int, type);
    QTemporaryDir folder;
    // Save is given a new name: replacing a file would ask first.
    const QString path = save ? folder.filePath(QStringLiteral("holiday"))
                              : writeFile(folder, QStringLiteral("holiday.bmp"), "BM");
    const QString types = save ? saveDialogTypes() : openDialogTypes();
    QtCommonDialogs dialogs;
    FileChoice choice;
    QStringList offered;
    QString first;
    bool nameOnly = false;
    QVERIFY(scriptModal<QFileDialog>(
        [&] {
            choice =
                save ? dialogs.saveFileName(nullptr, QStringLiteral("Save"), types, folder.path())
                     : dialogs.openFileName(nullptr, QStringLiteral("Open"), types, folder.path());
        },
        [&](QFileDialog &dialog) {
            offered = dialog.nameFilters();
            first = dialog.selectedNameFilter();
            nameOnly = dynamic_cast<NameOnlyIconProvider *>(dialog.iconProvider()) != nullptr &&
                       qobject_cast<LocaleDatesModel *>(dialog.proxyModel()) != nullptr;
            dialog.selectNameFilter(offered.value(type));
            // Typed, as a user names the file: selectFile leaves the name
            // field alone once the field has the focus, which it gets when
            // the window is activated, sooner or later than this poll.
            dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog &>(dialog).accept();
        }));
    QCOMPARE(offered, QtCommonDialogs::qtFilter(types).split(QStringLiteral(";;")));
    QCOMPARE(first, offered.constFirst());
    QVERIFY(nameOnly);
    QCOMPARE(choice.path, path);
    QCOMPARE(choice.type, type);
}

void TestQtCommonDialogs::iconsComeFromTheNameAlone()
{
    // PNG bytes under a name that tells nothing: reading them would say PNG.
    QTemporaryDir folder;
    const QFileInfo text(writeFile(folder, QStringLiteral("notes"), "\x89PNG\r\n\x1a\n0000"));
    const QMimeDatabase mimes;
    QCOMPARE(mimes.mimeTypeForFile(text).name(), QStringLiteral("image/png"));
    const NameOnlyIconProvider icons;
    QCOMPARE(icons.type(text),
             mimes.mimeTypeForFile(text, QMimeDatabase::MatchExtension).comment());
    QVERIFY(!icons.icon(text).isNull());
    // Folders are named as the program's locale names them.
    QCOMPARE(icons.type(QFileInfo(folder.path())),
             mimes.mimeTypeForName(QStringLiteral("inode/directory")).comment());
    QCOMPARE(icons.type(QFileInfo(QStringLiteral("/"))), QFileIconProvider().type(QFileInfo("/")));
}

void TestQtCommonDialogs::datesInTheProgramLocale()
{
    QTemporaryDir folder;
    writeFile(folder, QStringLiteral("a.bmp"), "BM");
    QFileSystemModel files;
    const QModelIndex root = files.setRootPath(folder.path());
    LocaleDatesModel dates;
    dates.setSourceModel(&files);
    QTRY_COMPARE(files.rowCount(root), 1);
    const QModelIndex file = files.index(0, LocaleDatesModel::DateColumn, root);
    const QString shown = dates.mapFromSource(file).data().toString();
    QCOMPARE(shown, QLocale().toString(files.lastModified(file), QLocale::ShortFormat));
    QVERIFY(QFontMetrics(QFont()).horizontalAdvance(shown) <
            LocaleDatesModel::dateColumnWidth(QFont()));
    // The other columns are the file-system model's own.
    QCOMPARE(dates.mapFromSource(files.index(0, 0, root)).data().toString(),
             QStringLiteral("a.bmp"));
}

KALVO_TEST(TestQtCommonDialogs)
#include "tst_qt_common_dialogs.moc"
