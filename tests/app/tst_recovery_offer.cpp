#include "testmain.h"

#include "app/editor.h"
#include "app/main_window.h"
#include "app/recovery_offer.h"
#include "scripted_dialogs.h"
#include "test_pictures.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestRecoveryOffer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void offeredAtStart_data();
    void offeredAtStart();
};

void TestRecoveryOffer::offeredAtStart_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("recovered");
    QTest::newRow("yes") << true << false << 1 << true;
    QTest::newRow("no") << false << false << 1 << false;
    QTest::newRow("damaged: not asked") << true << true << 0 << false;
}

// An instance dies with a picture; the next start asks, recovers or deletes
// it, and a normal end leaves nothing behind.
void TestRecoveryOffer::offeredAtStart()
{
    QFETCH(bool, yes);
    QFETCH(bool, damaged);
    QFETCH(int, questions);
    QFETCH(bool, recovered);
    QTemporaryDir folder;
    QImage picture;
    {
        Document dead;
        RecoveryCopy copy(dead);
        copy.setSettleDelay(0);
        QVERIFY(copy.start(folder.path()));
        dead.canvas().setPicture(numberedPicture(300, 200));
        dead.canvas().setBackColour(0x00336699);
        QSignalSpy written(&copy, &RecoveryCopy::written);
        QVERIFY(written.wait(60000));
        picture = dead.canvas().image();
        if (damaged)
            QFile::resize(copy.copyPath(), 30);
    }
    ScriptedDialogs dialogs;
    dialogs.answers.push_back(yes);
    Editor editor(dialogs);
    MainWindow window(editor);
    window.startUp();
    QVERIFY(editor.recoveryCopy().start(folder.path()));
    QCOMPARE(offerRecovery(editor.recoveryCopy(), editor.documentCommands(), dialogs, &window),
             recovered);
    QCOMPARE(int(dialogs.of("yesno").size()), questions);
    QCOMPARE(dialogs.of("message").size(), std::size_t(damaged ? 1 : 0));
    const Surface &canvas = editor.document().canvas();
    QCOMPARE(canvas.image() == picture, recovered);
    QCOMPARE(canvas.backColour() == 0x00336699, recovered);
    // The orphan is gone either way; what is left is this instance's own.
    QVERIFY(editor.recoveryCopy().orphans().empty());
    window.close();
    QVERIFY(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

KALVO_TEST(TestRecoveryOffer)
#include "tst_recovery_offer.moc"
