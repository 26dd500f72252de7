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
        lblrgb[index] = addLabel(row.caption, QString::fromUtf8(row.text), QRect(112, top, 44, 18));
        sbRgb[index] =
            addBar(row.bar, Qt::Horizontal, QRect(158, top, 150, 17), QString::fromUtf8(row.name));
        lblValue[index] = addValueLabel(row.value, QRect(316, top, 36, 18),
                                        QString::fromUtf8(row.name) + QStringLiteral("的值"));
        connect(sbRgb[index], &QScrollBar::valueChanged, this, [this, i] { sbRgb_Change(i); });
    }
    cmdOK = addButton("cmdOK", QStringLiteral("确定"), QRect(174, 112, 80, 26));
    cmdCancel = addButton("cmdCancel", QStringLiteral("取消"), QRect(264, 112, 80, 26));
    setFixedSize(360, 154);

    setTabOrder(sbRgb[0], sbRgb[1]);
    setTabOrder(sbRgb[1], sbRgb[2]);
    setTabOrder(sbRgb[2], cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    sbRgb[0]->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &RgbBalanceDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &RgbBalanceDialog::cmdCancel_Click);
}

std::int16_t RgbBalanceDialog::amount(int index) const
{
    return static_cast<std::int16_t>(sbRgb[static_cast<std::size_t>(index)]->value());
}

void RgbBalanceDialog::sbRgb_Change(int index)
{
    showValue(lblValue[static_cast<std::size_t>(index)], amount(index));
    preview([this](Surface &view) { AdjustRgb(view, amount(0), amount(1), amount(2)); });
}

void RgbBalanceDialog::cmdOK_Click()
{
    m_answer = RgbAmounts{amount(0), amount(1), amount(2)};
    accept();
}

void RgbBalanceDialog::cmdCancel_Click()
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
