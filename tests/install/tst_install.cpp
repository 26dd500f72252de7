#include "testmain.h"

#include "app/command_line.h"
#include "app/data_path.h"

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

    // The version the build was given is the one the metainfo announces.
    void metainfoReleaseIsTheVersion()
    {
        QFile metainfo(m_prefix.filePath("share/metainfo/org.example.kalvo.metainfo.xml"));
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        QVERIFY(metainfo.readAll().contains(
            QStringLiteral("<release version=\"%1\"").arg(programVersion()).toUtf8()));
        QVERIFY(QFileInfo::exists(m_prefix.filePath("share/man/man1/kalvo.1.gz")));
    }

    // The installed program answers these without a display.
    void answersWithoutDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("answer");
        QTest::newRow("usage") << "--help" << usageText();
        QTest::newRow("version") << "--version" << versionText();
    }

    void answersWithoutDisplay()
    {
        QFETCH(QString, option);
        QFETCH(QString, answer);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.start(m_prefix.filePath("bin/kalvo"), {option});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), answer);
        QCOMPARE(program.readAllStandardError(), QByteArray());
    }

    // The installed program looks in its share folder and finds every sample.
    void installedProgramFindsItsBrushes()
    {
        const QString programFolder = m_prefix.filePath("bin/");
        QVERIFY(QFileInfo::exists(programFolder + "kalvo"));
        const QString dataPath = findDataPath(programFolder);
        QCOMPARE(dataPath, m_prefix.filePath("share/kalvo/Data/"));
        for (const QString folder : {"brushs", "pattens"}) {
            const auto bitmaps = [&](const QString &in) {
                return QDir(in + folder).entryList({"*.bmp"}, QDir::Files, QDir::Name);
            };
            QVERIFY(!bitmaps(KALVO_SOURCE_DIR "/data/").isEmpty());
            QCOMPARE(bitmaps(dataPath), bitmaps(KALVO_SOURCE_DIR "/data/"));
        }
    }

private:
    QTemporaryDir m_prefix;
};

KALVO_TEST(TestInstall)
#include "tst_install.moc"
