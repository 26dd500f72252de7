#include "testmain.h"

#include "app/data_path.h"
#include "core/surface.h"
#include "scripted_dialogs.h"
#include "tools/tool_option_panels.h"
#include "tools/tool_options.h"

#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// This build, installed into a temporary prefix as `cmake --install` installs
// it, checked by the desktop's own validators and by the program's start-up
// look for its samples.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void validatorsAccept_data();
    void validatorsAccept();
    void installedProgramFindsItsBrushes();

private:
    // Runs program with arguments; "" when it ran and succeeded, else what it said.
    static QString run(const QString &program, const QStringList &arguments);

    QTemporaryDir m_prefix;
};

QString TestInstall::run(const QString &program, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return program + QStringLiteral(" is missing: scripts/install-deps.sh install-check");
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return program + QStringLiteral(" did not finish");
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    return QString::fromLocal8Bit(process.readAll());
}

void TestInstall::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_prefix.isValid());
    const QString failure = run(QStringLiteral(KALVO_CMAKE),
                                {QStringLiteral("--install"), QStringLiteral(KALVO_BUILD_DIR),
                                 QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestInstall::validatorsAccept_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    const QString share = m_prefix.filePath(QStringLiteral("share/"));
    QTest::newRow("desktop entry")
        << QStringLiteral("desktop-file-validate")
        << QStringList{share + QStringLiteral("applications/org.example.kalvo.desktop")};
    QTest::newRow("metainfo")
        << QStringLiteral("appstreamcli")
        << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                       share + QStringLiteral("metainfo/org.example.kalvo.metainfo.xml")};
}

void TestInstall::validatorsAccept()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const QString failure = run(program, arguments);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

// The start-up of the installed program, from its folder to the brushes
// loaded in the list.
void TestInstall::installedProgramFindsItsBrushes()
{
    const QString programFolder = m_prefix.filePath(QStringLiteral("bin/"));
    QVERIFY(QFileInfo::exists(programFolder + QStringLiteral("kalvo")));
    const QString dataPath = findDataPath(programFolder);
    QCOMPARE(dataPath, m_prefix.filePath(QStringLiteral("share/kalvo/Data/")));

    ScriptedDialogs dialogs;
    Surface canvas(40, 30, 0x00FFFFFF);
    ToolOptions options;
    QWidget window;
    auto *panels = new ToolOptionPanels(canvas, options, dialogs, &window);
    panels->startUp(dataPath);
    const auto *brushes = window.findChild<QComboBox *>(QStringLiteral("cboBrush"));
    const auto *patterns = window.findChild<QComboBox *>(QStringLiteral("cboPatten"));
    const auto bitmaps = [](const char *folder) {
        return QDir(QStringLiteral(KALVO_SOURCE_DIR "/data/") + QLatin1String(folder))
            .entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name)
            .size();
    };
    QCOMPARE(brushes->count(), bitmaps("brushs"));
    QCOMPARE(patterns->count(), bitmaps("pattens"));
    QVERIFY(brushes->count() > 0 && patterns->count() > 0);
    QVERIFY(dialogs.requests.empty());
    QCOMPARE(brushes->currentIndex(), 0);
    QVERIFY(!options.ImgPatten.isNull());
}

KALVO_TEST(TestInstall)
#include "tst_install.moc"
