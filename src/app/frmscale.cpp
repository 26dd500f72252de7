#include "frmscale.h"

#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmScale::frmScale(Document &document, CommonDialogs &dialogs, QWidget *parent)
    : PlainDialog(parent), m_document(document), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmScale"));
    setWindowTitle(QStringLiteral("图像拉伸"));

    lblWidth = addLabel("lblWidth", QStringLiteral("宽度:"), QRect(16, 18, 56, 18));
    txtWidth = addTextBox("txtWidth", QString::number(document.NewWidth), QRect(76, 15, 110, 24));
    lblheight = addLabel("lblheight", QStringLiteral("高度:"), QRect(16, 52, 56, 18));
    txtHeight =
        addTextBox("txtHeight", QString::number(document.NewHeight), QRect(76, 49, 110, 24));
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

    connect(cmdOK, &QPushButton::clicked, this, &frmScale::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmScale::CmdCancel_Click);
}

void frmScale::cmdOK_Click()
{
    m_document.NewWidth = readNumber(txtWidth->text());
    m_document.NewHeight = readNumber(txtHeight->text());
    if (!acceptableSize(m_document.NewWidth, m_document.NewHeight, m_dialogs))
        return;
    m_document.DialogResult = Document::DialogConfirmed;
    accept();
}

void frmScale::CmdCancel_Click()
{
    m_document.DialogResult = Document::DialogCancelled;
    reject();
}
