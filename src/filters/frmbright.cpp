#include "frmbright.h"

#include "bitmap.h"
#include "core/document.h"
#include "filter_amounts.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

frmBright::frmBright(const Surface &canvas, Document &document, FilterAmounts &amounts,
                     QWidget *parent)
    : AdjustDialog(canvas, document, parent), m_amounts(amounts)
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
    connect(sBar, &QScrollBar::valueChanged, this, &frmBright::sBar_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmBright::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBright::cmdCancel_Click);
}

void frmBright::sBar_Change(int value)
{
    showValue(lblValue, value);
    preview([value](Surface &view) { AdjustBrightness(view, static_cast<std::int16_t>(value)); });
}

void frmBright::cmdOK_Click()
{
    m_amounts.BrightnessAmount = static_cast<std::int16_t>(sBar->value());
    finish(Document::BrightnessConfirmed);
}

void frmBright::cmdCancel_Click()
{
    finish(Document::DialogCancelled);
}
