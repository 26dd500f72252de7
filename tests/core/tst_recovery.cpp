#include "testmain.h"

#include "core/document.h"
#include "core/recovery_copy.h"
#include "core/recovery_format.h"
#include "core/scale_image.h"
#include "test_pictures.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <functional>
#include <memory>

using Damage = std::function<void(const QString &path)>;
using Change = std::function<void(Document &)>;
Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(std::vector<Change>)

namespace {

void stroke(Document &document, int x, int y, Colour colour)
{
    document.undo().takeBefore();
    document.canvas().line(QPointF(x, y), QPointF(x + 40, y + 9), colour,
                           Surface::LineForm::FilledBox);
    document.undo().takeAfter();
}

// Waits for the copy that the last change started; the time limit only
// keeps a broken writer from hanging the test.
bool copyWritten(RecoveryCopy &copy)
{
    QSignalSpy written(&copy, &RecoveryCopy::written);
    return written.wait(60000);
}

struct Instance {
    Document document;
    std::unique_ptr<RecoveryCopy> copy = std::make_unique<RecoveryCopy>(document);

    explicit Instance(const QString &folder)
    {
        copy->setSettleDelay(0);
        copy->start(folder);
    }
};

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    void copyHoldsLastPicture_data();
    void copyHoldsLastPicture();
    void damagedCopy_data();
    void damagedCopy();
    void instancesKeepTheirOwn();
};

void TestRecovery::copyHoldsLastPicture_data()
{
    QTest::addColumn<std::vector<Change>>("changes");
    const Change strokeRed = [](Document &d) {
        stroke(d, 30, 20, 0x000000FF);
    };
    const Change strokeBlue = [](Document &d) {
        stroke(d, 250, 100, 0x00FF0000);
    };
    const Change grey = [](Document &d) {
        d.canvas().editPixels([](QImage &pixels) {
            for (int y = 0; y < pixels.height(); ++y) {
                auto *row = reinterpret_cast<QRgb *>(pixels.scanLine(y));
                for (int x = 0; x < pixels.width(); ++x)
                    row[x] = qRgb(qGray(row[x]), qGray(row[x]), qGray(row[x]));
            }
            return true;
        });
    };
    // A whole-picture XOR is kept by the held pictures as a mask alone.
    const Change invert = [](Document &d) {
        d.canvas().editPixels(
            [](QImage &pixels) {
                pixels.invertPixels();
                return true;
            },
            0x00FFFFFF);
    };
    const Change newSize = [](Document &d) {
        d.canvas().clearPicture();
        d.canvas().setSize(333, 129);
        d.canvas().setBackColour(0x0000FF00);
    };
    const Change grow = [](Document &d) {
        d.undo().takeBefore();
        d.canvas().setSize(400, 300);
        d.undo().takeAfter();
    };
    const Change undo = [](Document &d) {
        d.undo().restoreBefore();
    };
    const Change scale = [](Document &d) {
        ScaleImage(d.canvas(), d.clipboard(), 150, 95);
    };
    QTest::newRow("stroke") << std::vector{strokeRed};
    QTest::newRow("strokes appended") << std::vector{strokeRed, strokeBlue, strokeRed};
    QTest::newRow("filter") << std::vector{strokeRed, grey};
    QTest::newRow("invert after a stroke") << std::vector{strokeRed, invert, strokeBlue};
    QTest::newRow("new, another size and colour") << std::vector{newSize, strokeBlue};
    QTest::newRow("undo across a size change") << std::vector{strokeRed, grow, strokeBlue, undo};
    QTest::newRow("scale") << std::vector{scale, strokeRed};
}

// Each change is copied; the process then dies and the next instance reads
// back exactly the last picture, its size and its background colour.
void TestRecovery::copyHoldsLastPicture()
{
    QFETCH(std::vector<Change>, changes);
    QTemporaryDir folder;
    QImage expected;
    Colour background = 0;
    {
        Instance first(folder.path());
        first.document.canvas().setPicture(numberedPicture(520, 300));
        first.document.canvas().mergePicture();
        QVERIFY(copyWritten(*first.copy));
        for (const Change &change : changes) {
            change(first.document);
            QVERIFY(copyWritten(*first.copy));
        }
        expected = first.document.canvas().image();
        background = first.document.canvas().backColour();
    }
    Instance next(folder.path());
    std::vector<OrphanCopy> orphans = next.copy->orphans();
    QCOMPARE(orphans.size(), std::size_t(1));
    const recovery::RecoveredPicture read = recovery::readCopy(orphans.at(0).copyPath());
    QCOMPARE(read.outcome, recovery::RecoveredPicture::Outcome::Read);
    QCOMPARE(read.image.size(), expected.size());
    QVERIFY(read.image == expected);
    QCOMPARE(read.background, background);
    // The copy on disk is never bigger than the picture.
    QVERIFY(QFileInfo(orphans.at(0).copyPath()).size() <= qint64(expected.sizeInBytes()));
}

void TestRecovery::damagedCopy_data()
{
    QTest::addColumn<Damage>("damage");
    // Whether the headers read whole, and the pixels too.
    QTest::addColumn<bool>("whole");
    QTest::addColumn<bool>("readable");
    const auto flipByte = [](qint64 offset) {
        return [offset](const QString &path) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const qint64 at = offset >= 0 ? offset : file.size() + offset;
            file.seek(at);
            char byte = 0;
            file.getChar(&byte);
            file.seek(at);
            file.putChar(static_cast<char>(byte ^ 0x5A));
        };
    };
    const auto cutAt = [](qint64 fromEnd) {
        return [fromEnd](const QString &path) {
            QFile::resize(path, fromEnd > 0 ? fromEnd : QFileInfo(path).size() + fromEnd);
        };
    };
    // The header is 16 bytes, the first frame's header 32, its first tile's 16.
    QTest::newRow("file header") << Damage(flipByte(3)) << false << false;
    QTest::newRow("frame header") << Damage(flipByte(24)) << false << false;
    QTest::newRow("tile header") << Damage(flipByte(50)) << false << false;
    // The last tile's checksum, just before the frame's end mark.
    QTest::newRow("pixels") << Damage(flipByte(-10)) << true << false;
    QTest::newRow("cut in the first frame") << Damage(cutAt(40)) << false << false;
    QTest::newRow("empty") << Damage(cutAt(1)) << false << false;
    // Cut while the last frame was appended: the copy reads as of the one before.
    QTest::newRow("cut in the last frame") << Damage(cutAt(-3)) << true << true;
    QTest::newRow("a pipe in its place") << Damage([](const QString &p) {
        QFile::remove(p);
        QCOMPARE(mkfifo(QFile::encodeName(p).constData(), 0600), 0);
    }) << false << false;
}

void TestRecovery::damagedCopy()
{
    QFETCH(Damage, damage);
    QFETCH(bool, whole);
    QFETCH(bool, readable);
    QTemporaryDir folder;
    QImage before;
    {
        Instance first(folder.path());
        first.document.canvas().setPicture(numberedPicture(520, 300));
        QVERIFY(copyWritten(*first.copy));
        before = first.document.canvas().image();
        stroke(first.document, 10, 10, 0x000000FF);
        QVERIFY(copyWritten(*first.copy));
        damage(first.copy->copyPath());
    }
    Instance next(folder.path());
    std::vector<OrphanCopy> orphans = next.copy->orphans();
    QCOMPARE(orphans.size(), std::size_t(1));
    const QString path = orphans.at(0).copyPath();
    QCOMPARE(recovery::isWholeCopy(path), whole);
    const recovery::RecoveredPicture read = recovery::readCopy(path);
    QCOMPARE(read.outcome == recovery::RecoveredPicture::Outcome::Read, readable);
    if (readable)
        QVERIFY(read.image == before);
}

// A running instance's copy is never offered; one that ended normally
// leaves nothing behind, one that died leaves its copy.
void TestRecovery::instancesKeepTheirOwn()
{
    QTemporaryDir folder;
    Instance first(folder.path());
    stroke(first.document, 5, 5, 0x000000FF);
    QVERIFY(copyWritten(*first.copy));
    Instance second(folder.path());
    QVERIFY(second.copy->orphans().empty());
    QVERIFY(first.copy->orphans().empty());
    QVERIFY(copyWritten(*second.copy));

    second.copy->endNormally();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2); // the first's copy, lock
    first.copy.reset();
    Instance third(folder.path());
    std::vector<OrphanCopy> orphans = third.copy->orphans();
    QCOMPARE(orphans.size(), std::size_t(1));
    orphans[0].remove();
    third.copy->endNormally();
    QVERIFY(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

KALVO_TEST(TestRecovery)
#include "tst_recovery.moc"
