#include "scale_dialog.h"

#include "core/common_dialogs.h"
#include "core/numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ScaleDialog::ScaleDialog(QSize current, CommonDialogs &dialogs, QWidget *parent)
    : PlainDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmScale"));
    setWindowTitle(QStringLiteral("图像拉伸"));

    m_widthLabel = addLabel("lblWidth", QStringLiteral("宽度:"), QRect(16, 18, 56, 18));
    m_widthEdit = addTextBox("txtWidth", QString::number(current.width()), QRect(76, 15, 110, 24));
    m_heightLabel = addLabel("lblheight", QStringLiteral("高度:"), QRect(16, 52, 56, 18));
    m_heightEdit =
        addTextBox("txtHeight", QString::number(current.height()), QRect(76, 49, 110, 24));
    // Each field is read out under its label.
    m_widthLabel->setBuddy(m_widthEdit);
    m_heightLabel->setBuddy(m_heightEdit);
    m_okButton = addButton("cmdOK", QStringLiteral("确定"), QRect(16, 90, 80, 26));
    m_cancelButton = addButton("cmdCancel", QStringLiteral("取消"), QRect(106, 90, 80, 26));
    setFixedSize(204, 130);

    setTabOrder(m_widthEdit, m_heightEdit);
    setTabOrder(m_heightEdit, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    m_widthEdit->setFocus();

    connect(m_okButton, &QPushButton::clicked, this, &ScaleDialog::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &ScaleDialog::cancel);
}

void ScaleDialog::confirm()
{
    const QSize answer(readNumber(m_widthEdit->text()), readNumber(m_heightEdit->text()));
    if (!acceptableSize(answer.width(), answer.height(), m_dialogs))
        return;
    m_answer = answer;
    accept();
}

void ScaleDialog::cancel()
{
    m_answer.reset();
    reject();
}

std::optional<QSize> ScaleDialog::ask(QSize current, CommonDialogs &dialogs, QWidget *parent)
{
    ScaleDialog dialog(current, dialogs, parent);
    dialog.exec();
    return dialog.m_answer;
}
