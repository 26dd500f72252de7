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

    m_colourLabel = addLabel("lblColor", QStringLiteral("边框颜色:"), QRect(16, 18, 72, 18));
    m_colourSwatch = new ColourSwatch(this);
    m_colourSwatch->setObjectName(QStringLiteral("pColor"));
    m_colourSwatch->setGeometry(92, 14, 56, 24);
    m_colourSwatch->setAccessibleName(QStringLiteral("边框颜色"));
    m_colourSwatch->setToolTip(QStringLiteral("单击选择边框颜色"));
    m_widthLabel = addLabel("Label1", QStringLiteral("边框宽度:"), QRect(16, 52, 72, 18));
    m_widthEdit = addTextBox("txtWidth", QStringLiteral("1"), QRect(92, 49, 100, 24));
    m_widthEdit->setAccessibleName(QStringLiteral("边框宽度"));
    m_okButton = addButton("cmdok", QStringLiteral("确定"), QRect(24, 92, 80, 26));
    m_cancelButton = addButton("cmdCancel", QStringLiteral("取消"), QRect(120, 92, 80, 26));
    setFixedSize(224, 132);

    chainTabOrder({m_colourSwatch, m_widthEdit, m_okButton, m_cancelButton});
    m_widthEdit->setFocus();
    m_widthEdit->installEventFilter(this);

    connect(m_colourSwatch, &ColourSwatch::clicked, this, &BorderDialog::chooseColour);
    connect(m_okButton, &QPushButton::clicked, this, &BorderDialog::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &BorderDialog::cancel);
}

bool BorderDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_widthEdit && event->type() == QEvent::FocusOut)
        checkWidth();
    return PlainDialog::eventFilter(watched, event);
}

void BorderDialog::chooseColour()
{
    std::array<Colour, 16> custom;
    custom.fill(0x00FFFFFF);
    const Colour chosen = m_dialogs.chooseColour(this, m_colourSwatch->colour(), custom, false);
    if (chosen != NoColour)
        m_colourSwatch->setColour(chosen);
}

void BorderDialog::checkWidth()
{
    if (leadingNumber(m_widthEdit->text()) == 0)
        m_widthEdit->setText(QStringLiteral("1"));
}

void BorderDialog::confirm()
{
    m_answer = BorderChoice{readNumber(m_widthEdit->text()), m_colourSwatch->colour()};
    accept();
}

void BorderDialog::cancel()
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
