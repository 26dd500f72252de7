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

    lblWidth = addLabel("lblWidth", QStringLiteral("宽度:"), QRect(16, 18, 56, 18));
    txtWidth = addTextBox("txtWidth", QString::number(current.width()), QRect(76, 15, 110, 24));
    lblheight = addLabel("lblheight", QStringLiteral("高度:"), QRect(16, 52, 56, 18));
    txtHeight = addTextBox("txtHeight", QString::number(current.height()), QRect(76, 49, 110, 24));
    // Each field is read out under its label.
    lblWidth->setBuddy(txtWidth);
    lblheight->setBuddy(txtHeight);
    cmdOK = addButton("cmdOK", QStringLiteral("确定"), QRect(16, 90, 80, 26));
    cmdCancel = addButton("cmdCancel", QStringLiteral("取消"), QRect(106, 90, 80, 26));
    setFixedSize(204, 130);

    setTabOrder(txtWidth, txtHeight);
    setTabOrder(txtHeight, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    txtWidth->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &ScaleDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &ScaleDialog::CmdCancel_Click);
}

void ScaleDialog::cmdOK_Click()
{
    const QSize answer(readNumber(txtWidth->text()), readNumber(txtHeight->text()));
    if (!acceptableSize(answer.width(), answer.height(), m_dialogs))
        return;
    m_answer = answer;
    accept();
}

void ScaleDialog::CmdCancel_Click()
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
