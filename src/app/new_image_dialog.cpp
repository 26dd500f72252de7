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

    m_widthLabel = addLabel("lblWidth", QStringLiteral("宽度:"), QRect(16, 18, 64, 18));
    m_widthEdit = addTextBox("txtWidth", QStringLiteral("200"), QRect(84, 15, 100, 24));
    m_pixelLabels[0] = addLabel("lblPixel(0)", QStringLiteral("像素"), QRect(192, 18, 48, 18));
    m_heightLabel = addLabel("lblHeight", QStringLiteral("高度:"), QRect(16, 52, 64, 18));
    m_heightEdit = addTextBox("txtHeight", QStringLiteral("200"), QRect(84, 49, 100, 24));
    m_pixelLabels[1] = addLabel("lblPixel(1)", QStringLiteral("像素"), QRect(192, 52, 48, 18));
    m_backgroundLabel = addLabel("lblImagebk", QStringLiteral("图片背景色"), QRect(16, 90, 72, 18));
    m_colourList = new QComboBox(this);
    m_colourList->setObjectName(QStringLiteral("cboColor"));
    m_colourList->setGeometry(92, 87, 120, 24);
    m_colourList->setEditable(false);
    m_colourList->addItems({QStringLiteral("白色"), QStringLiteral("黑色"), QStringLiteral("红色"),
                            QStringLiteral("绿色"), QStringLiteral("蓝色"),
                            QStringLiteral("前景色"), QStringLiteral("背景色")});
    m_colourList->setCurrentIndex(0);
    m_line = new Line3D(this);
    m_line->setObjectName(QStringLiteral("Line3D1"));
    m_line->setGeometry(8, 126, 244, Line3D::Height);
    // Each field is read out under its label.
    m_widthLabel->setBuddy(m_widthEdit);
    m_heightLabel->setBuddy(m_heightEdit);
    m_backgroundLabel->setBuddy(m_colourList);
    m_okButton = addButton("cmdOK", QStringLiteral("确定"), QRect(52, 140, 75, 26));
    m_cancelButton = addButton("cmdCancel", QStringLiteral("取消"), QRect(140, 140, 75, 26));
    setFixedSize(260, 180);

    setTabOrder(m_widthEdit, m_heightEdit);
    setTabOrder(m_heightEdit, m_colourList);
    setTabOrder(m_colourList, m_cancelButton);
    setTabOrder(m_cancelButton, m_okButton);
    m_widthEdit->setFocus();

    connect(m_okButton, &QPushButton::clicked, this, &NewImageDialog::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &NewImageDialog::cancel);
}

void NewImageDialog::confirm()
{
    NewPicture answer;
    answer.height = readNumber(m_heightEdit->text());
    answer.width = readNumber(m_widthEdit->text());
    if (!acceptableSize(answer.width, answer.height, m_dialogs))
        return;
    const std::array<Colour, 7> colours = {0x00FFFFFF, 0x00000000, 0x000000FF, 0x0000FF00,
                                           0x00FF0000, m_colour1,  m_colour2};
    const int index = m_colourList->currentIndex();
    if (index >= 0 && index < static_cast<int>(colours.size()))
        answer.backColour = colours[static_cast<std::size_t>(index)];
    m_answer = answer;
    accept();
}

void NewImageDialog::cancel()
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
