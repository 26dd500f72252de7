#include "testmain.h"

#include "app/modal_script.h"
#include "controls/picture_box.h"
#include "core/document.h"
#include "core/random.h"
#include "filters/brightness_dialog.h"
#include "filters/filter_commands.h"
#include "filters/rgb_balance_dialog.h"
#include "filters/thumbnail.h"
#include "scripted_dialogs.h"
#include "test_pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <optional>

namespace {

using Filter = std::function<FilterOutcome(Surface &)>;
using Answer = std::optional<QString>;

// A bar move in a dialog: the bar's index (the brightness bar is 0) and value.
using Moves = QList<QPair<int, int>>;

Filter sharpenBy(float s)
{
    return [s](Surface &c) {
        return SharpenImage(c, s);
    };
}

Filter noiseOf(int n)
{
    return [n](Surface &c) {
        return AddNoise(c, std::int16_t(n));
    };
}

QScrollBar *bar(QDialog &dialog, int index)
{
    if (qobject_cast<BrightnessDialog *>(&dialog))
        return dialog.findChild<QScrollBar *>("sBar");
    return dialog.findChild<QScrollBar *>(QStringLiteral("sbRgb%1").arg(index));
}

QLabel *valueLabel(QDialog &dialog, int index)
{
    if (qobject_cast<BrightnessDialog *>(&dialog))
        return dialog.findChild<QLabel *>("lblValue");
    return dialog.findChild<QLabel *>(QStringLiteral("lblValue%1").arg(index));
}

} // namespace

class TestFilterCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void prompts_data();
    void prompts();
    void dialogs_data();
    void dialogs();
    void arrowKeysFollowTheThumb();
    void runShowsBusyCursorAndRefusals_data();
    void runShowsBusyCursorAndRefusals();

private:
    // The canvas with filter applied (none: as it is), from the random state
    // each test starts with; the generator's state after it is kept.
    QImage expected(const Filter &filter);

    std::unique_ptr<Document> m_document;
    Surface *m_canvas = nullptr;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<UserDialogs> m_ask;
    std::optional<FilterCommands> m_commands;
    std::uint64_t m_randomAfter = 0;
};

void TestFilterCommands::init()
{
    m_commands.reset();
    m_document = std::make_unique<Document>();
    m_canvas = &m_document->canvas();
    m_canvas->setPicture(numberedPicture(203, 117));
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_ask = std::make_unique<UserDialogs>(UserDialogs{*m_dialogs});
    m_commands.emplace(*m_document, *m_ask);
}

QImage TestFilterCommands::expected(const Filter &filter)
{
    Surface copy;
    copy.setPicture(m_canvas->image());
    programRandom().reseed(17);
    if (filter)
        filter(copy);
    m_randomAfter = programRandom().state();
    programRandom().reseed(17);
    return copy.image();
}

void TestFilterCommands::prompts_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<float>("factorBefore");
    QTest::addColumn<Filter>("result");
    QTest::addColumn<float>("factorAfter");
    // Every request to the dialog seam: kind|text|title|offered answer.
    QTest::addColumn<QStringList>("asked");

    const QString sharpen = QStringLiteral("input|请输入锐化值.|锐化|1.2");
    const QString noise = QStringLiteral("input|请输入噪点值.|噪点|16");
    const QString mismatch = QStringLiteral("message|类型不匹配：锐化值必须是一个数。|锐化|");
    const QString overflow = QStringLiteral("message|溢出：结果超出范围，图像没有改变。|锐化|");
    const QString range = QStringLiteral("message|噪点值必须在 -16384 到 16383 之间。|噪点|");
    const auto row = [](const char *name, const char *command, Answer answer, float before,
                        Filter result, float after, QStringList asked) {
        QTest::newRow(name) << QString(command) << answer << before << result << after << asked;
    };
    row("sharpen 2", "sharpen", "2", 0.5f, sharpenBy(2), 2.0f, {sharpen});
    row("sharpen cancelled", "sharpen", {}, 0.5f, {}, 0.5f, {sharpen, mismatch});
    row("sharpen not a number", "sharpen", "1.2x", 0.5f, {}, 0.5f, {sharpen, mismatch});
    row("sharpen beyond float", "sharpen", "1e39", 0.5f, {}, 0.5f,
        {sharpen, QStringLiteral("message|溢出：锐化值太大。|锐化|")});
    // The factor is kept before the filter finds the overflow.
    row("sharpen overflow", "sharpen", "300", 0.5f, {}, 300.0f, {sharpen, overflow});
    row("more sharpen before any", "sharpenMore", {}, 0.0f, {}, 0.0f, {});
    row("more sharpen", "sharpenMore", {}, 1.5f, sharpenBy(1.5f), 1.5f, {});
    row("more sharpen overflow", "sharpenMore", {}, 1000.0f, {}, 1000.0f, {overflow});
    row("noise 16", "noise", "16", 0.0f, noiseOf(16), 0.0f, {noise});
    row("noise cancelled", "noise", {}, 0.0f, noiseOf(0), 0.0f, {noise});
    row("noise lenient", "noise", " 3 abc", 0.0f, noiseOf(3), 0.0f, {noise});
    row("noise least", "noise", "-16384", 0.0f, noiseOf(-16384), 0.0f, {noise});
    row("noise too much", "noise", "16384", 0.0f, {}, 0.0f, {noise, range});
    row("noise beyond 16 bits", "noise", "99999999999", 0.0f, {}, 0.0f, {noise, range});
}

void TestFilterCommands::prompts()
{
    QFETCH(QString, command);
    QFETCH(Answer, answer);
    QFETCH(float, factorBefore);
    QFETCH(Filter, result);
    QFETCH(float, factorAfter);
    QFETCH(QStringList, asked);

    m_commands->amounts().sharpenFactor = factorBefore;
    m_dialogs->inputs.push_back(answer);
    const QImage wanted = expected(result);

    if (command == QLatin1String("sharpen"))
        m_commands->sharpen();
    else if (command == QLatin1String("sharpenMore"))
        m_commands->sharpenMore();
    else
        m_commands->addNoise();

    QCOMPARE(m_canvas->image(), wanted);
    QCOMPARE(m_commands->amounts().sharpenFactor, factorAfter);
    QCOMPARE(programRandom().state(), m_randomAfter);
    QStringList seen;
    for (const ScriptedDialogs::Request &r : m_dialogs->requests)
        seen << QStringList{r.kind, r.text, r.title, r.initial}.join(u'|');
    QCOMPARE(seen, asked);
}

void TestFilterCommands::dialogs_data()
{
    QTest::addColumn<bool>("brightness");
    QTest::addColumn<Moves>("moves");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QList<int>>("amounts");

    QTest::newRow("brightness OK") << true << Moves{{0, 40}} << true << QList<int>{40};
    QTest::newRow("brightness back and forth")
        << true << Moves{{0, 100}, {0, -100}, {0, -30}} << true << QList<int>{-30};
    QTest::newRow("brightness at 0") << true << Moves{} << true << QList<int>{0};
    QTest::newRow("brightness cancelled") << true << Moves{{0, 70}} << false << QList<int>{5};
    QTest::newRow("balance OK") << false << Moves{{0, 50}, {2, -50}} << true
                                << QList<int>{50, 0, -50};
    QTest::newRow("balance back and forth")
        << false << Moves{{1, 90}, {0, -20}, {1, 10}, {2, 100}} << true << QList<int>{-20, 10, 100};
    QTest::newRow("balance cancelled") << false << Moves{{1, 80}} << false << QList<int>{5, 6, 7};
}

void TestFilterCommands::dialogs()
{
    QFETCH(bool, brightness);
    QFETCH(Moves, moves);
    QFETCH(bool, confirm);
    QFETCH(QList<int>, amounts);

    const auto amount = [&](int i) {
        return std::int16_t(amounts.value(i));
    };
    const Filter filter = [&](Surface &s) {
        return brightness ? AdjustBrightness(s, amount(0))
                          : AdjustRgb(s, amount(0), amount(1), amount(2));
    };
    const QImage wanted = expected(confirm ? filter : Filter());
    Surface wantedPreview(ThumbnailSide, ThumbnailSide);
    ShowThumbnail(*m_canvas, wantedPreview);
    filter(wantedPreview);

    QImage preview;
    QStringList labels;
    bool plain = false;
    const auto script = [&](QDialog &dialog) {
        plain = dialog.windowIcon().isNull() &&
                dialog.windowTitle() ==
                    (brightness ? QStringLiteral("亮度") : QStringLiteral("红/蓝/绿 调整"));
        for (auto [index, value] : moves)
            bar(dialog, index)->setValue(value);
        for (int i = 0; i < (brightness ? 1 : 3); ++i)
            labels << valueLabel(dialog, i)->text();
        preview = dialog.findChild<PictureBox *>("pView")->surface()->image();
        dialog.findChild<QPushButton *>(confirm ? "cmdOK" : "cmdCancel")->click();
    };
    if (brightness)
        QVERIFY(scriptModal<BrightnessDialog>([this] { m_commands->brightness(); }, script));
    else
        QVERIFY(scriptModal<RgbBalanceDialog>([this] { m_commands->adjustRgb(); }, script));

    QVERIFY(plain);
    QStringList wantedLabels;
    for (int i = 0; i < (brightness ? 1 : 3); ++i)
        wantedLabels << QString::number(confirm ? amount(i) : 0);
    if (confirm) {
        QCOMPARE(labels, wantedLabels);
        QCOMPARE(preview, wantedPreview.image());
    }
    QCOMPARE(m_canvas->image(), wanted);
}

void TestFilterCommands::arrowKeysFollowTheThumb()
{
    RgbBalanceDialog balance(*m_canvas);
    BrightnessDialog brightness(*m_canvas);
    QTest::keyClick(bar(balance, 0), Qt::Key_Left);
    QTest::keyClick(bar(balance, 1), Qt::Key_Right);
    // The brightness bar grows downwards.
    QTest::keyClick(bar(brightness, 0), Qt::Key_Down);
    QCOMPARE(bar(balance, 0)->value(), -1);
    QCOMPARE(bar(balance, 1)->value(), 1);
    QCOMPARE(bar(brightness, 0)->value(), 1);
}

void TestFilterCommands::runShowsBusyCursorAndRefusals_data()
{
    QTest::addColumn<FilterOutcome>("outcome");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");

    QTest::newRow("done") << FilterOutcome::Done << QString() << 0;
    QTest::newRow("no memory") << FilterOutcome::NoMemory
                               << QStringLiteral("内存不足，无法完成操作。图像没有改变。")
                               << int(CommonDialogs::Icon::Warning);
    QTest::newRow("overflow") << FilterOutcome::Overflow
                              << QStringLiteral("溢出：结果超出范围，图像没有改变。")
                              << int(CommonDialogs::Icon::Information);
}

void TestFilterCommands::runShowsBusyCursorAndRefusals()
{
    QFETCH(FilterOutcome, outcome);
    QFETCH(QString, message);
    QFETCH(int, icon);

    bool busy = false;
    const bool ran = m_commands->run(QStringLiteral("标题"), [&](Surface &) {
        busy = QGuiApplication::overrideCursor() &&
               QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        return outcome;
    });
    QVERIFY(busy);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(ran, outcome == FilterOutcome::Done);
    const auto messages = m_dialogs->of(QStringLiteral("message"));
    QCOMPARE(messages.size(), std::size_t(message.isEmpty() ? 0 : 1));
    if (!message.isEmpty()) {
        QCOMPARE(messages[0].text, message);
        QCOMPARE(messages[0].title, QStringLiteral("标题"));
        QCOMPARE(int(messages[0].icon), icon);
    }
}

KALVO_TEST(TestFilterCommands)
#include "tst_filter_commands.moc"
