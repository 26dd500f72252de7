#include "frmnew.h"

#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/numbers.h"
#include "core/surface.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <typename Widget> Widget *place(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *widget = place<QLabel>(parent, name, geometry);
    widget->setText(text);
    return widget;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *widget = place<QPushButton>(parent, name, geometry);
    widget->setText(text);
    widget->setAutoDefault(false);
    widget->setDefault(false);
    return widget;
}

} // namespace

frmNew::frmNew(Document &document, Colour color1, Colour color2, CommonDialogs &dialogs,
               QWidget *parent)
    : PlainDialog(parent), m_document(document), m_color1(color1), m_color2(color2),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmNew"));
    setWindowTitle(QStringLiteral("新建图像"));

    lblWidth = label(this, "lblWidth", QStringLiteral("宽度:"), QRect(16, 18, 64, 18));
    txtWidth = place<QLineEdit>(this, "txtWidth", QRect(84, 15, 100, 24));
    txtWidth->setText(QStringLiteral("200"));
    lblPixel[0] = label(this, "lblPixel(0)", QStringLiteral("像素"), QRect(192, 18, 48, 18));
    lblHeight = label(this, "lblHeight", QStringLiteral("高度:"), QRect(16, 52, 64, 18));
    txtHeight = place<QLineEdit>(this, "txtHeight", QRect(84, 49, 100, 24));
    txtHeight->setText(QStringLiteral("200"));
    lblPixel[1] = label(this, "lblPixel(1)", QStringLiteral("像素"), QRect(192, 52, 48, 18));
    lblImagebk = label(this, "lblImagebk", QStringLiteral("图片背景色"), QRect(16, 90, 72, 18));
    cboColor = place<QComboBox>(this, "cboColor", QRect(92, 87, 120, 24));
    cboColor->setEditable(false);
    cboColor->addItems({QStringLiteral("白色"), QStringLiteral("黑色"), QStringLiteral("红色"),
                        QStringLiteral("绿色"), QStringLiteral("蓝色"), QStringLiteral("前景色"),
                        QStringLiteral("背景色")});
    cboColor->setCurrentIndex(0);
    Line3D1 = place<QFrame>(this, "Line3D1", QRect(8, 126, 244, 2));
    Line3D1->setFrameShape(QFrame::HLine);
    Line3D1->setFrameShadow(QFrame::Sunken);
    cmdOK = button(this, "cmdOK", QStringLiteral("确定"), QRect(52, 140, 75, 26));
    cmdCancel = button(this, "cmdCancel", QStringLiteral("取消"), QRect(140, 140, 75, 26));
    setFixedSize(260, 180);

    setTabOrder(txtWidth, txtHeight);
    setTabOrder(txtHeight, cboColor);
    setTabOrder(cboColor, cmdCancel);
    setTabOrder(cmdCancel, cmdOK);
    txtWidth->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmNew::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNew::CmdCancel_Click);
}

void frmNew::cmdOK_Click()
{
    m_document.NewHeight = readNumber(txtHeight->text());
    m_document.NewWidth = readNumber(txtWidth->text());
    if (m_document.NewHeight <= 0 || m_document.NewWidth <= 0) {
        m_dialogs.message(this, QStringLiteral("位图像素值必须大于零"), windowTitle(),
                          CommonDialogs::Icon::Warning);
        return;
    }
    // A size that cannot be had would leave the canvas as it was without a
    // word; say so and let the user correct it.
    if (!Surface::canHold(m_document.NewWidth, m_document.NewHeight)) {
        m_dialogs.message(this, QStringLiteral("位图尺寸太大，内存无法容纳"), windowTitle(),
                          CommonDialogs::Icon::Warning);
        return;
    }
    const std::array<Colour, 7> colours = {0x00FFFFFF, 0x00000000, 0x000000FF, 0x0000FF00,
                                           0x00FF0000, m_color1,   m_color2};
    const int index = cboColor->currentIndex();
    if (index >= 0 && index < static_cast<int>(colours.size()))
        m_document.NewBackColor = colours[static_cast<std::size_t>(index)];
    m_document.DialogResult = Document::DialogConfirmed;
    accept();
}

void frmNew::CmdCancel_Click()
{
    m_document.DialogResult = Document::DialogCancelled;
    reject();
}
