#include "border_dialog.h"

#include "controls/colour_swatch.h"
#include "core/common_dialogs.h"
#include "core/numbers.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

BorderDialog::BorderDialog(CommonDialogs &dialogs, QWidget *parent)
    : PlainDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmStroke"));
    setWindowTitle(QStringLiteral("图像边框"));

    colourLabel = addLabel("lblColor", QStringLiteral("边框颜色:"), QRect(16, 18, 72, 18));
    colourSwatch = new ColourSwatch(this);
    colourSwatch->setObjectName(QStringLiteral("pColor"));
    colourSwatch->setGeometry(92, 14, 56, 24);
    colourSwatch->setAccessibleName(QStringLiteral("边框颜色"));
    colourSwatch->setToolTip(QStringLiteral("单击选择边框颜色"));
    Label1 = addLabel("Label1", QStringLiteral("边框宽度:"), QRect(16, 52, 72, 18));
    txtWidth = addTextBox("txtWidth", QStringLiteral("1"), QRect(92, 49, 100, 24));
    txtWidth->setAccessibleName(QStringLiteral("边框宽度"));
    cmdok = addButton("cmdok", QStringLiteral("确定"), QRect(24, 92, 80, 26));
    cmdCancel = addButton("cmdCancel", QStringLiteral("取消"), QRect(120, 92, 80, 26));
    setFixedSize(224, 132);

    chainTabOrder({colourSwatch, txtWidth, cmdok, cmdCancel});
    txtWidth->setFocus();
    txtWidth->installEventFilter(this);

    connect(colourSwatch, &ColourSwatch::clicked, this, &BorderDialog::chooseColour);
    connect(cmdok, &QPushButton::clicked, this, &BorderDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &BorderDialog::cmdCancel_Click);
}

bool BorderDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtWidth && event->type() == QEvent::FocusOut)
        txtWidth_LostFocus();
    return PlainDialog::eventFilter(watched, event);
}

void BorderDialog::chooseColour()
{
    std::array<Colour, 16> custom;
    custom.fill(0x00FFFFFF);
    const Colour chosen = m_dialogs.chooseColour(this, colourSwatch->colour(), custom, false);
    if (chosen != NoColour)
        colourSwatch->setColour(chosen);
}

void BorderDialog::txtWidth_LostFocus()
{
    if (leadingNumber(txtWidth->text()) == 0)
        txtWidth->setText(QStringLiteral("1"));
}

void BorderDialog::cmdOK_Click()
{
    m_answer = BorderChoice{readNumber(txtWidth->text()), colourSwatch->colour()};
    accept();
}

void BorderDialog::cmdCancel_Click()
{
    m_answer.reset();
    reject();
}

std::optional<BorderChoice> BorderDialog::ask(CommonDialogs &dialogs, QWidget *parent)
{
    BorderDialog dialog(dialogs, parent);
    dialog.exec();
    return dialog.m_answer;
}
