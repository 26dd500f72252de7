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

    sBar = addBar("sBar", Qt::Vertical, QRect(112, 16, 17, 80), QStringLiteral("亮度"));
    lblBrightness = addLabel("lblBrightness", QStringLiteral("亮度"), QRect(140, 16, 60, 18));
    lblValue = addValueLabel("lblValue", QRect(140, 40, 60, 18), QStringLiteral("亮度的值"));
    cmdOK = addButton("cmdOK", QStringLiteral("确定"), QRect(16, 112, 80, 26));
    cmdCancel = addButton("cmdCancel", QStringLiteral("取消"), QRect(106, 112, 80, 26));
    setFixedSize(212, 154);

    setTabOrder(sBar, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    sBar->setFocus();

    // valueChanged comes both for a change and while the thumb is dragged.
    connect(sBar, &QScrollBar::valueChanged, this, &BrightnessDialog::sBar_Change);
    connect(cmdOK, &QPushButton::clicked, this, &BrightnessDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &BrightnessDialog::cmdCancel_Click);
}

void BrightnessDialog::sBar_Change(int value)
{
    showValue(lblValue, value);
    preview([value](Surface &view) { AdjustBrightness(view, static_cast<std::int16_t>(value)); });
}

void BrightnessDialog::cmdOK_Click()
{
    m_answer = static_cast<std::int16_t>(sBar->value());
    accept();
}

void BrightnessDialog::cmdCancel_Click()
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
