#include "new_image_dialog.h"

#include "controls/line3d.h"
#include "core/common_dialogs.h"
#include "core/numbers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

NewImageDialog::NewImageDialog(Colour colour1, Colour colour2, CommonDialogs &dialogs,
                               QWidget *parent)
    : PlainDialog(parent), m_colour1(colour1), m_colour2(colour2), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmNew"));
    setWindowTitle(QStringLiteral("新建图像"));

    lblWidth = addLabel("lblWidth", QStringLiteral("宽度:"), QRect(16, 18, 64, 18));
    txtWidth = addTextBox("txtWidth", QStringLiteral("200"), QRect(84, 15, 100, 24));
    lblPixel[0] = addLabel("lblPixel(0)", QStringLiteral("像素"), QRect(192, 18, 48, 18));
    lblHeight = addLabel("lblHeight", QStringLiteral("高度:"), QRect(16, 52, 64, 18));
    txtHeight = addTextBox("txtHeight", QStringLiteral("200"), QRect(84, 49, 100, 24));
    lblPixel[1] = addLabel("lblPixel(1)", QStringLiteral("像素"), QRect(192, 52, 48, 18));
    lblImagebk = addLabel("lblImagebk", QStringLiteral("图片背景色"), QRect(16, 90, 72, 18));
    colourList = new QComboBox(this);
    colourList->setObjectName(QStringLiteral("cboColor"));
    colourList->setGeometry(92, 87, 120, 24);
    colourList->setEditable(false);
    colourList->addItems({QStringLiteral("白色"), QStringLiteral("黑色"), QStringLiteral("红色"),
                          QStringLiteral("绿色"), QStringLiteral("蓝色"), QStringLiteral("前景色"),
                          QStringLiteral("背景色")});
    colourList->setCurrentIndex(0);
    Line3D1 = new Line3D(this);
    Line3D1->setObjectName(QStringLiteral("Line3D1"));
    Line3D1->setGeometry(8, 126, 244, Line3D::Height);
    // Each field is read out under its label.
    lblWidth->setBuddy(txtWidth);
    lblHeight->setBuddy(txtHeight);
    lblImagebk->setBuddy(colourList);
    cmdOK = addButton("cmdOK", QStringLiteral("确定"), QRect(52, 140, 75, 26));
    cmdCancel = addButton("cmdCancel", QStringLiteral("取消"), QRect(140, 140, 75, 26));
    setFixedSize(260, 180);

    setTabOrder(txtWidth, txtHeight);
    setTabOrder(txtHeight, colourList);
    setTabOrder(colourList, cmdCancel);
    setTabOrder(cmdCancel, cmdOK);
    txtWidth->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &NewImageDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &NewImageDialog::CmdCancel_Click);
}

void NewImageDialog::cmdOK_Click()
{
    NewPicture answer;
    answer.height = readNumber(txtHeight->text());
    answer.width = readNumber(txtWidth->text());
    if (!acceptableSize(answer.width, answer.height, m_dialogs))
        return;
    const std::array<Colour, 7> colours = {0x00FFFFFF, 0x00000000, 0x000000FF, 0x0000FF00,
                                           0x00FF0000, m_colour1,  m_colour2};
    const int index = colourList->currentIndex();
    if (index >= 0 && index < static_cast<int>(colours.size()))
        answer.backColour = colours[static_cast<std::size_t>(index)];
    m_answer = answer;
    accept();
}

void NewImageDialog::CmdCancel_Click()
{
    m_answer.reset();
    reject();
}

std::optional<NewPicture> NewImageDialog::ask(Colour colour1, Colour colour2,
                                              CommonDialogs &dialogs, QWidget *parent)
{
    NewImageDialog dialog(colour1, colour2, dialogs, parent);
    dialog.exec();
    return dialog.m_answer;
}
