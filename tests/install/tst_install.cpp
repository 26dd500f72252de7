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

namespace {

// "" when program ran and succeeded, else what went wrong.
QString run(const QString &program, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return program + " is missing: scripts/install-deps.sh install-check installs it";
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ran = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return ran && process.exitCode() == 0 ? QString() : program + ": " + process.readAll();
}

} // namespace

// This build, installed into a temporary prefix as `cmake --install` does.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        QCOMPARE(run(KALVO_CMAKE, {"--install", KALVO_BUILD_DIR, "--prefix", m_prefix.path()}),
                 QString());
    }

    void validatorsAccept()
    {
        const QString share = m_prefix.filePath("share/");
        QCOMPARE(run("desktop-file-validate", {share + "applications/org.example.kalvo.desktop"}),
                 QString());
        QCOMPARE(run("appstreamcli",
                     {"validate", "--no-net", share + "metainfo/org.example.kalvo.metainfo.xml"}),
                 QString());
    }

    // The start-up of the installed program, from its folder to the lists.
    void installedProgramFindsItsBrushes()
    {
        const QString programFolder = m_prefix.filePath("bin/");
        QVERIFY(QFileInfo::exists(programFolder + "kalvo"));
        const QString dataPath = findDataPath(programFolder);
        QCOMPARE(dataPath, m_prefix.filePath("share/kalvo/Data/"));

        ScriptedDialogs dialogs;
        Surface canvas(40, 30, 0x00FFFFFF);
        ToolOptions options;
        QWidget window;
        (new ToolOptionPanels(canvas, options, dialogs, &window))->startUp(dataPath);
        for (const char *folder : {"brushs", "pattens"}) {
            const QDir samples(KALVO_SOURCE_DIR "/data/" + QLatin1String(folder));
            const int count = static_cast<int>(samples.entryList({"*.bmp"}, QDir::Files).size());
            const auto *list = window.findChild<QComboBox *>(
                folder == QLatin1String("brushs") ? "cboBrush" : "cboPatten");
            QVERIFY(count > 0);
            QCOMPARE(list->count(), count);
            QCOMPARE(list->currentIndex(), 0);
        }
        QVERIFY(dialogs.requests.empty());
    }

private:
    QTemporaryDir m_prefix;
};

KALVO_TEST(TestInstall)
#include "tst_install.moc"
