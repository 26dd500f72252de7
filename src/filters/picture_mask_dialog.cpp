#include "picture_mask_dialog.h"

#include "controls/bordered_box.h"
#include "controls/picture_box.h"
#include "core/common_dialogs.h"
#include "core/formats.h"
#include "picture_mask.h"
#include "thumbnail.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PictureMaskDialog::PictureMaskDialog(const Surface &canvas, const QString &startFolder,
                                     CommonDialogs &dialogs, QWidget *parent)
    : PlainDialog(parent), m_startFolder(startFolder), m_canvas(canvas), m_dialogs(dialogs),
      m_view(ThumbnailSide, ThumbnailSide), pMask(1, 1, MaskKey), pTmp(1, 1, MaskKey)
{
    setObjectName(QStringLiteral("frmMask"));
    setWindowTitle(QStringLiteral("图片掩码"));

    lblMask = addLabel("lblMask", QStringLiteral("图片掩码文件:"), QRect(16, 14, 120, 18));
    txtFilename = addTextBox("txtFilename", QString(), QRect(16, 36, 222, 24));
    txtFilename->setAccessibleName(QStringLiteral("图片掩码文件"));
    cmdOpen = addButton("cmdOpen", QStringLiteral("...."), QRect(244, 36, 36, 24));
    cmdOpen->setAccessibleName(QStringLiteral("选择文件"));
    cmdOpen->setAccessibleDescription(QStringLiteral("选择作为掩码的图片文件"));
    pViewFrame = new BorderedBox(this);
    pViewFrame->setGeometry(16, 72, ThumbnailSide, ThumbnailSide);
    pView = new PictureBox(pViewFrame->client());
    pView->setObjectName(QStringLiteral("pView"));
    pView->setSurface(&m_view);
    pView->setFocusPolicy(Qt::NoFocus);
    pView->setAccessibleName(QStringLiteral("掩码预览"));
    cmdOK = addButton("cmdOK", QStringLiteral("确定"), QRect(200, 72, 80, 26));
    cmdReset = addButton("cmdReset", QStringLiteral("复位"), QRect(200, 104, 80, 26));
    CmdCancel = addButton("CmdCancel", QStringLiteral("取消"), QRect(200, 136, 80, 26));
    setFixedSize(296, 170);

    chainTabOrder({txtFilename, cmdOpen, cmdOK, cmdReset, CmdCancel});
    cmdOpen->setFocus();

    connect(cmdOpen, &QPushButton::clicked, this, &PictureMaskDialog::cmdOpen_Click);
    connect(cmdOK, &QPushButton::clicked, this, &PictureMaskDialog::cmdOK_Click);
    connect(cmdReset, &QPushButton::clicked, this, &PictureMaskDialog::cmdReset_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &PictureMaskDialog::CmdCancel_Click);
    Form_Load();
}

void PictureMaskDialog::Form_Load()
{
    ShowThumbnail(m_canvas, m_view);
    m_view.refresh();
}

void PictureMaskDialog::cmdOpen_Click()
{
    // The chooser starts beside the file chosen last, else in the program's
    // start folder.
    const QString current = txtFilename->text().trimmed();
    const QString folder = current.isEmpty() ? m_startFolder : QFileInfo(current).absolutePath();
    const QString path =
        m_dialogs.openFileName(this, QStringLiteral("Open"), openDialogTypes(), folder).path;
    if (path.isEmpty())
        return;
    txtFilename->setText(path);
    // Only the file chosen last is laid over the canvas on OK, so the
    // preview shows that one alone; a file that is no picture shows nothing,
    // and OK then says why.
    Form_Load();
    if (LoadMask(pMask, path) == PictureError::None)
        PreviewMask();
}

void PictureMaskDialog::PreviewMask()
{
    LayMask(m_view, pTmp, pMask, Surface::StretchMode::Default);
}

void PictureMaskDialog::cmdReset_Click()
{
    Form_Load();
}

void PictureMaskDialog::cmdOK_Click()
{
    m_answer = txtFilename->text();
    accept();
}

void PictureMaskDialog::CmdCancel_Click()
{
    m_answer.reset();
    reject();
}

std::optional<QString> PictureMaskDialog::ask(const Surface &canvas, const QString &startFolder,
                                              CommonDialogs &dialogs, QWidget *parent)
{
    PictureMaskDialog dialog(canvas, startFolder, dialogs, parent);
    dialog.exec();
    return dialog.m_answer;
}
