#include "testmain.h"

#include "core/document.h"

#include <QSignalSpy>
#include <QTest>

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void startsAsTheProgramDoes();
    void overlaysSignalWhatMoved_data();
    void overlaysSignalWhatMoved();
    void undoFollowsItsOwnCanvas();
};

void TestDocument::startsAsTheProgramDoes()
{
    const Document document;
    QCOMPARE(document.canvas().size(), QSize(760, 568));
    QCOMPARE(document.canvas().image().pixel(759, 567), qRgb(255, 255, 255));
    QCOMPARE(document.clipboard().size(), QSize(32, 30));
    QCOMPARE(document.clipboard().image().pixel(0, 0), qRgb(255, 0, 255));
    QVERIFY(!document.hasSelection());
    QVERIFY(document.cloneMarker().isNull());
}

void TestDocument::overlaysSignalWhatMoved_data()
{
    QTest::addColumn<bool>("marker");
    QTest::addColumn<QList<QRect>>("steps");
    QTest::addColumn<int>("emitted");
    const QRect a(1, 2, 3, 4);
    const QRect b(-5, 0, 10, 1);
    for (bool marker : {false, true}) {
        const char *which = marker ? "marker" : "selection";
        QTest::addRow("%s: set, move, hide", which) << marker << QList<QRect>{a, b, {}} << 3;
        QTest::addRow("%s: the same twice", which) << marker << QList<QRect>{a, a} << 1;
        QTest::addRow("%s: hidden while hidden", which) << marker << QList<QRect>{{}} << 0;
    }
}

void TestDocument::overlaysSignalWhatMoved()
{
    QFETCH(bool, marker);
    QFETCH(QList<QRect>, steps);
    QFETCH(int, emitted);
    Document document;
    QSignalSpy spy(&document, marker ? &Document::cloneMarkerChanged : &Document::selectionChanged);
    QRect previous;
    for (const QRect &step : steps) {
        const int before = int(spy.size());
        marker ? document.setCloneMarker(step) : document.setSelection(step);
        QCOMPARE(marker ? document.cloneMarker() : document.selection(), step);
        if (spy.size() > before) {
            // The view repaints where the overlay was and where it is.
            QCOMPARE(spy.last()[0].toRect(), step);
            QCOMPARE(spy.last()[1].toRect(), previous);
        }
        previous = step;
    }
    QCOMPARE(spy.size(), emitted);
    // The canvas never sees an overlay.
    QCOMPARE(document.canvas().image(), Document().canvas().image());
}

void TestDocument::undoFollowsItsOwnCanvas()
{
    Document document;
    Surface &canvas = document.canvas();
    document.undo().takeBefore();
    canvas.setPixel(4, 5, 0x000000FF);
    document.undo().takeAfter();
    QVERIFY(document.undo().restoreBefore());
    QCOMPARE(canvas.getPixel(4, 5), Colour(0x00FFFFFF));
    QVERIFY(document.undo().restoreAfter());
    QCOMPARE(canvas.getPixel(4, 5), Colour(0x000000FF));
}

KALVO_TEST(TestDocument)
#include "tst_document.moc"
