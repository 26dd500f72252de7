#include "brightness_dialog.h"

#include "picture_filters.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

BrightnessDialog::BrightnessDialog(const Surface &canvas, QWidget *parent)
    : AdjustDialog(canvas, parent)
{
    setObjectName(QStringLiteral("frmBright"));
    setWindowTitle(QStringLiteral("亮度"));

    m_amountBar = addBar("sBar", Qt::Vertical, QRect(112, 16, 17, 80), QStringLiteral("亮度"));
    m_brightnessLabel = addLabel("lblBrightness", QStringLiteral("亮度"), QRect(140, 16, 60, 18));
    m_valueLabel = addValueLabel("lblValue", QRect(140, 40, 60, 18), QStringLiteral("亮度的值"));
    m_okButton = addButton("cmdOK", QStringLiteral("确定"), QRect(16, 112, 80, 26));
    m_cancelButton = addButton("cmdCancel", QStringLiteral("取消"), QRect(106, 112, 80, 26));
    setFixedSize(212, 154);

    setTabOrder(m_amountBar, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    m_amountBar->setFocus();

    // valueChanged comes both for a change and while the thumb is dragged.
    connect(m_amountBar, &QScrollBar::valueChanged, this, &BrightnessDialog::showAmount);
    connect(m_okButton, &QPushButton::clicked, this, &BrightnessDialog::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &BrightnessDialog::cancel);
}

void BrightnessDialog::showAmount(int value)
{
    showValue(m_valueLabel, value);
    preview([value](Surface &view) { AdjustBrightness(view, static_cast<std::int16_t>(value)); });
}

void BrightnessDialog::confirm()
{
    m_answer = static_cast<std::int16_t>(m_amountBar->value());
    accept();
}

void BrightnessDialog::cancel()
{
    m_answer.reset();
    reject();
}

std::optional<std::int16_t> BrightnessDialog::ask(const Surface &canvas, QWidget *parent)
{
    BrightnessDialog dialog(canvas, parent);
    dialog.exec();
    return dialog.m_answer;
}
