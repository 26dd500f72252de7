#include "rgb_balance_dialog.h"

#include "picture_filters.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

struct ChannelRow {
    const char *bar;
    const char *caption;
    const char *value;
    const char *text;
    const char *name;
};

constexpr ChannelRow Rows[3] = {
    {"sbRgb0", "lblrgb0", "lblValue0", "红色:", "红色"},
    {"sbRgb1", "lblrgb1", "lblValue1", "绿色:", "绿色"},
    {"sbRgb2", "lblrgb2", "lblValue2", "蓝色:", "蓝色"},
};

} // namespace

RgbBalanceDialog::RgbBalanceDialog(const Surface &canvas, QWidget *parent)
    : AdjustDialog(canvas, parent)
{
    setObjectName(QStringLiteral("frmRgb"));
    setWindowTitle(QStringLiteral("红/蓝/绿 调整"));

    for (int i = 0; i < 3; ++i) {
        const ChannelRow &row = Rows[i];
        const int top = 22 + 28 * i;
        const auto index = static_cast<std::size_t>(i);
        m_channelLabels[index] =
            addLabel(row.caption, QString::fromUtf8(row.text), QRect(112, top, 44, 18));
        m_channelBars[index] =
            addBar(row.bar, Qt::Horizontal, QRect(158, top, 150, 17), QString::fromUtf8(row.name));
        m_valueLabels[index] = addValueLabel(row.value, QRect(316, top, 36, 18),
                                             QString::fromUtf8(row.name) + QStringLiteral("的值"));
        connect(m_channelBars[index], &QScrollBar::valueChanged, this,
                [this, i] { showChannel(i); });
    }
    m_okButton = addButton("cmdOK", QStringLiteral("确定"), QRect(174, 112, 80, 26));
    m_cancelButton = addButton("cmdCancel", QStringLiteral("取消"), QRect(264, 112, 80, 26));
    setFixedSize(360, 154);

    setTabOrder(m_channelBars[0], m_channelBars[1]);
    setTabOrder(m_channelBars[1], m_channelBars[2]);
    setTabOrder(m_channelBars[2], m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    m_channelBars[0]->setFocus();

    connect(m_okButton, &QPushButton::clicked, this, &RgbBalanceDialog::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &RgbBalanceDialog::cancel);
}

std::int16_t RgbBalanceDialog::amount(int index) const
{
    return static_cast<std::int16_t>(m_channelBars[static_cast<std::size_t>(index)]->value());
}

void RgbBalanceDialog::showChannel(int index)
{
    showValue(m_valueLabels[static_cast<std::size_t>(index)], amount(index));
    preview([this](Surface &view) { AdjustRgb(view, amount(0), amount(1), amount(2)); });
}

void RgbBalanceDialog::confirm()
{
    m_answer = RgbAmounts{amount(0), amount(1), amount(2)};
    accept();
}

void RgbBalanceDialog::cancel()
{
    m_answer.reset();
    reject();
}

std::optional<RgbAmounts> RgbBalanceDialog::ask(const Surface &canvas, QWidget *parent)
{
    RgbBalanceDialog dialog(canvas, parent);
    dialog.exec();
    return dialog.m_answer;
}
