#include "filter_commands.h"

#include "border_dialog.h"
#include "brightness_dialog.h"
#include "controls/busy_cursor.h"
#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/numbers.h"
#include "image_tools.h"
#include "picture_mask.h"
#include "picture_mask_dialog.h"
#include "rgb_balance_dialog.h"

#include <cmath>
#include <limits>

namespace {

const QString SharpenTitle = QStringLiteral("锐化");
const QString NoiseTitle = QStringLiteral("噪点");

// The smallest and largest noise amounts for which 2n + 1 fits in 16 bits.
constexpr int LeastNoise = -16384;
constexpr int MostNoise = 16383;

} // namespace

FilterCommands::FilterCommands(Document &document, const UserDialogs &ask)
    : m_document(document), m_ask(ask)
{
}

bool FilterCommands::run(const QString &title,
                         const std::function<FilterOutcome(Surface &)> &filter)
{
    FilterOutcome outcome = FilterOutcome::Done;
    {
        const BusyCursor busy;
        outcome = filter(m_document.canvas());
    }
    switch (outcome) {
    case FilterOutcome::Done:
        return true;
    case FilterOutcome::NoMemory:
        m_ask.dialogs.message(m_ask.owner, QStringLiteral("内存不足，无法完成操作。图像没有改变。"),
                              title, CommonDialogs::Icon::Warning);
        return false;
    case FilterOutcome::Overflow:
        m_ask.dialogs.message(m_ask.owner, QStringLiteral("溢出：结果超出范围，图像没有改变。"),
                              title, CommonDialogs::Icon::Information);
        return false;
    }
    return false;
}

bool FilterCommands::runOperation(const QString &title,
                                  const std::function<bool(Surface &)> &operation)
{
    return run(title, [&operation](Surface &canvas) {
        return operation(canvas) ? FilterOutcome::Done : FilterOutcome::NoMemory;
    });
}

void FilterCommands::blurMore()
{
    // After a refusal the other runs would fail the same way.
    for (int pass = 0; pass < 3; ++pass) {
        if (!run(QStringLiteral("更多模糊"), BlurImage))
            return;
    }
}

void FilterCommands::sharpen()
{
    const QString answer = m_ask.dialogs
                               .inputText(m_ask.owner, QStringLiteral("请输入锐化值."),
                                          SharpenTitle, QStringLiteral("1.2"))
                               .value_or(QString());
    const std::optional<double> number = strictNumber(answer);
    if (!number) {
        m_ask.dialogs.message(m_ask.owner, QStringLiteral("类型不匹配：锐化值必须是一个数。"),
                              SharpenTitle, CommonDialogs::Icon::Information);
        return;
    }
    if (std::abs(*number) > double(std::numeric_limits<float>::max())) {
        m_ask.dialogs.message(m_ask.owner, QStringLiteral("溢出：锐化值太大。"), SharpenTitle,
                              CommonDialogs::Icon::Information);
        return;
    }
    m_amounts.sharpenFactor = static_cast<float>(*number);
    sharpenMore();
}

void FilterCommands::sharpenMore()
{
    const float factor = m_amounts.sharpenFactor;
    run(SharpenTitle, [factor](Surface &canvas) { return SharpenImage(canvas, factor); });
}

void FilterCommands::addNoise()
{
    // A cancelled prompt reads as 0 and still adds noise.
    const QString answer = m_ask.dialogs
                               .inputText(m_ask.owner, QStringLiteral("请输入噪点值."), NoiseTitle,
                                          QStringLiteral("16"))
                               .value_or(QString());
    const int amount = readNumber(answer);
    if (amount < LeastNoise || amount > MostNoise) {
        m_ask.dialogs.message(
            m_ask.owner,
            QStringLiteral("噪点值必须在 %1 到 %2 之间。").arg(LeastNoise).arg(MostNoise),
            NoiseTitle, CommonDialogs::Icon::Warning);
        return;
    }
    run(NoiseTitle,
        [amount](Surface &canvas) { return AddNoise(canvas, static_cast<std::int16_t>(amount)); });
}

void FilterCommands::adjustRgb()
{
    if (const std::optional<RgbAmounts> a =
            RgbBalanceDialog::ask(m_document.canvas(), m_ask.owner)) {
        run(QStringLiteral("调整红/绿/蓝"),
            [a](Surface &canvas) { return AdjustRgb(canvas, a->red, a->green, a->blue); });
    }
}

void FilterCommands::brightness()
{
    if (const std::optional<std::int16_t> amount =
            BrightnessDialog::ask(m_document.canvas(), m_ask.owner)) {
        run(QStringLiteral("亮度"),
            [amount](Surface &canvas) { return AdjustBrightness(canvas, *amount); });
    }
}

void FilterCommands::flip(int mode)
{
    runOperation(QStringLiteral("翻转"),
                 [mode](Surface &canvas) { return FlipImage(canvas, mode); });
}

void FilterCommands::border()
{
    if (const std::optional<BorderChoice> choice = BorderDialog::ask(m_ask.dialogs, m_ask.owner)) {
        runOperation(QStringLiteral("图像边框"), [choice](Surface &canvas) {
            return DrawBorder(canvas, choice->width, choice->colour);
        });
    }
}

void FilterCommands::mask()
{
    const std::optional<QString> path = PictureMaskDialog::ask(
        m_document.canvas(), m_document.lastFolder, m_ask.dialogs, m_ask.owner);
    if (path)
        ApplyMask({m_document.canvas(), m_maskHolder}, *path, m_ask.dialogs, m_ask.owner);
}
