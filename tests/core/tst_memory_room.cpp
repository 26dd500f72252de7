#include "testmain.h"

#include "core/memory_room.h"

#include <QTest>

namespace {

constexpr qint64 MiB = qint64(1) << 20;

} // namespace

class TestMemoryRoom : public QObject
{
    Q_OBJECT

private slots:
    void fits_data();
    void fits();
};

void TestMemoryRoom::fits_data()
{
    QTest::addColumn<qint64>("needed");
    QTest::addColumn<qint64>("available");
    QTest::addColumn<qint64>("limitRoom");
    QTest::addColumn<bool>("fits");
    const qint64 picture = 768 * MiB; // 16000 x 12000
    const qint64 none = memory::Unlimited;
    // A sixteenth more than asked for, and 64 MiB for the rest of the program.
    const qint64 justEnough = picture + picture / 16 + 64 * MiB;
    QTest::newRow("plenty, no limit") << picture << 20000 * MiB << none << true;
    QTest::newRow("just enough") << picture << justEnough << none << true;
    QTest::newRow("a byte short") << picture << justEnough - 1 << none << false;
    QTest::newRow("machine short") << picture << 700 * MiB << none << false;
    QTest::newRow("limit short") << picture << 20000 * MiB << 800 * MiB << false;
    QTest::newRow("limit enough") << picture << 20000 * MiB << justEnough << true;
    QTest::newRow("limit enough, machine short") << picture << 500 * MiB << 4000 * MiB << false;
    QTest::newRow("over the limit already") << picture << 20000 * MiB << -300 * MiB << false;
    QTest::newRow("nothing known") << picture << none << none << true;
    QTest::newRow("small, no room") << qint64(0) << 10 * MiB << none << false;
}

void TestMemoryRoom::fits()
{
    QFETCH(qint64, needed);
    QFETCH(qint64, available);
    QFETCH(qint64, limitRoom);
    QFETCH(bool, fits);
    QCOMPARE(memory::fits(needed, available, limitRoom), fits);
}

KALVO_TEST(TestMemoryRoom)
#include "tst_memory_room.moc"
