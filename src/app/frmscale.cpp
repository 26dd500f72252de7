#include "frmscale.h"

#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/numbers.h"
#include "core/surface.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmScale::frmScale(Document &document, CommonDialogs &dialogs, QWidget *parent)
    : PlainDialog(parent), m_document(document), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmScale"));
    setWindowTitle(QStringLiteral("图像拉伸"));

    lblWidth = new QLabel(QStringLiteral("宽度:"), this);
    lblWidth->setObjectName(QStringLiteral("lblWidth"));
    lblWidth->setGeometry(16, 18, 56, 18);
    txtWidth = new QLineEdit(QString::number(document.NewWidth), this);
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    txtWidth->setGeometry(76, 15, 110, 24);
    lblheight = new QLabel(QStringLiteral("高度:"), this);
    lblheight->setObjectName(QStringLiteral("lblheight"));
    lblheight->setGeometry(16, 52, 56, 18);
    txtHeight = new QLineEdit(QString::number(document.NewHeight), this);
    txtHeight->setObjectName(QStringLiteral("txtHeight"));
    txtHeight->setGeometry(76, 49, 110, 24);

    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(16, 90, 80, 26);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(106, 90, 80, 26);
    for (QPushButton *button : {cmdOK, cmdCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
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
    if (m_document.NewHeight < 1 || m_document.NewWidth < 1) {
        m_dialogs.message(this, QStringLiteral("位图像素值必须大于零"), windowTitle(),
                          CommonDialogs::Icon::Warning);
        return;
    }
    if (!Surface::canHold(m_document.NewWidth, m_document.NewHeight)) {
        m_dialogs.message(this, QStringLiteral("位图尺寸太大，内存无法容纳"), windowTitle(),
                          CommonDialogs::Icon::Warning);
        return;
    }
    m_document.DialogResult = Document::DialogConfirmed;
    accept();
}

void frmScale::CmdCancel_Click()
{
    m_document.DialogResult = Document::DialogCancelled;
    reject();
}
