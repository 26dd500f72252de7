#include "testmain.h"

#include "command_rig.h"
#include "core/random.h"
#include "filters/brightness_dialog.h"
#include "filters/rgb_balance_dialog.h"
#include "modal_script.h"
#include "test_pictures.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using Filter = std::function<FilterOutcome(Surface &)>;

Filter times(int count, FilterOutcome (*filter)(Surface &))
{
    return [count, filter](Surface &s) {
        for (int i = 0; i < count; ++i)
            filter(s);
        return FilterOutcome::Done;
    };
}

} // namespace

// Each item of the Filter menu on an editor's canvas.
class TestFilterMenu : public QObject
{
    Q_OBJECT

private slots:
    void itemRunsItsFilter_data();
    void itemRunsItsFilter();
};

void TestFilterMenu::itemRunsItsFilter_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<Filter>("filter");

    const auto remove = [](int c) {
        return Filter([c](Surface &s) { return RemoveChannel(s, std::int16_t(c)); });
    };
    QTest::newRow("mirror") << "mnuMirror" << QString() << Filter(MirrorImage);
    QTest::newRow("noise") << "mnuAddNoise"
                           << "20" << Filter([](Surface &s) { return AddNoise(s, 20); });
    QTest::newRow("blur") << "mnuBlur" << QString() << Filter(BlurImage);
    QTest::newRow("more blur") << "mnuBlureMore" << QString() << times(3, BlurImage);
    QTest::newRow("sharpen") << "mnuSharpen"
                             << "0.5" << Filter([](Surface &s) { return SharpenImage(s, 0.5f); });
    QTest::newRow("more sharpen, none yet") << "mnuSharpMore" << QString() << Filter();
    QTest::newRow("pixel effect") << "mnuPixel" << QString() << Filter(PixelEffect);
    QTest::newRow("diffuse") << "mnuDiffuse" << QString() << Filter(DiffuseImage);
    QTest::newRow("balance") << "mnuAdjust" << QString()
                             << Filter([](Surface &s) { return AdjustRgb(s, 0, -40, 0); });
    QTest::newRow("brightness") << "mnuBright" << QString()
                                << Filter([](Surface &s) { return AdjustBrightness(s, -40); });
    QTest::newRow("invert") << "mnuInvert" << QString() << Filter(InvertImage);
    QTest::newRow("grey") << "mnuGray" << QString() << Filter(GrayImage);
    QTest::newRow("red") << "mnuRed" << QString() << remove(0);
    QTest::newRow("green") << "mnuGreen" << QString() << remove(1);
    QTest::newRow("blue") << "mnuBlue" << QString() << remove(2);
}

void TestFilterMenu::itemRunsItsFilter()
{
    QFETCH(QString, item);
    QFETCH(QString, answer);
    QFETCH(Filter, filter);

    CommandRig rig;
    rig.dialogs.inputs.push_back(answer);
    Surface &canvas = rig.canvas();
    canvas.setPicture(numberedPicture(151, 97));

    Surface expected;
    expected.setPicture(canvas.image());
    programRandom().reseed(23);
    if (filter)
        filter(expected);
    programRandom().reseed(23);

    // The dialogs move their second bar (the brightness bar is the only one).
    const auto moveBar = [](QDialog &dialog) {
        const auto bars = dialog.findChildren<QScrollBar *>();
        bars.value(bars.size() > 1 ? 1 : 0)->setValue(-40);
        dialog.findChild<QPushButton *>("cmdOK")->click();
    };
    const auto run = [&rig, &item] {
        QVERIFY(rig.run(item));
    };
    if (item == QLatin1String("mnuBright"))
        QVERIFY(scriptModal<BrightnessDialog>(run, moveBar));
    else if (item == QLatin1String("mnuAdjust"))
        QVERIFY(scriptModal<RgbBalanceDialog>(run, moveBar));
    else
        run();

    QCOMPARE(canvas.image(), expected.image());
    QVERIFY(rig.dialogs.of(QStringLiteral("message")).empty());
    // No command of the menu takes an undo snapshot.
    QVERIFY(rig.document().undo().before().isNull());
    QVERIFY(rig.document().undo().after().isNull());
}

KALVO_TEST(TestFilterMenu)
#include "tst_filter_menu.moc"
