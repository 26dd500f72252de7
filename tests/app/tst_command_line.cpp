#include "app/command_line.h"
#include "testmain.h"

#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Request)

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void readsArguments_data();
    void readsArguments();
};

void TestCommandLine::readsArguments_data()
{
    using R = CommandLine::Request;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<R>("request");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("nothing") << QStringList{} << R::Start << QStringList{};
    QTest::newRow("a picture") << QStringList{"a.bmp"} << R::Start << QStringList{"a.bmp"};
    QTest::newRow("usage") << QStringList{"--help"} << R::Usage << QStringList{};
    QTest::newRow("short usage") << QStringList{"-h"} << R::Usage << QStringList{};
    QTest::newRow("version") << QStringList{"--version"} << R::Version << QStringList{};
    QTest::newRow("option after a picture")
        << QStringList{"a.bmp", "--version"} << R::Version << QStringList{};
    QTest::newRow("first option wins")
        << QStringList{"--version", "--help"} << R::Version << QStringList{};
    // Only the exact options: anything else names a file, as it always has.
    QTest::newRow("dashed file with its folder")
        << QStringList{"./--help"} << R::Start << QStringList{"./--help"};
    QTest::newRow("unknown option is a file")
        << QStringList{"--versions", "-"} << R::Start << QStringList{"--versions", "-"};
    QTest::newRow("files after --") << QStringList{"--", "--help", "--", "b.png"} << R::Start
                                    << QStringList{"--help", "--", "b.png"};
}

void TestCommandLine::readsArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Request, request);
    QFETCH(QStringList, files);
    const CommandLine line = readCommandLine(arguments);
    QCOMPARE(line.request, request);
    QCOMPARE(line.files, files);
}

KALVO_TEST(TestCommandLine)
#include "tst_command_line.moc"
