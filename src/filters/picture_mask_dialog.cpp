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
      m_view(ThumbnailSide, ThumbnailSide), m_mask(1, 1, MaskKey)
{
    setObjectName(QStringLiteral("frmMask"));
    setWindowTitle(QStringLiteral("图片掩码"));

    m_maskLabel = addLabel("lblMask", QStringLiteral("图片掩码文件:"), QRect(16, 14, 120, 18));
    m_fileNameEdit = addTextBox("txtFilename", QString(), QRect(16, 36, 222, 24));
    m_fileNameEdit->setAccessibleName(QStringLiteral("图片掩码文件"));
    m_openButton = addButton("cmdOpen", QStringLiteral("...."), QRect(244, 36, 36, 24));
    m_openButton->setAccessibleName(QStringLiteral("选择文件"));
    m_openButton->setAccessibleDescription(QStringLiteral("选择作为掩码的图片文件"));
    m_viewFrame = new BorderedBox(this);
    m_viewFrame->setGeometry(16, 72, ThumbnailSide, ThumbnailSide);
    m_viewBox = new PictureBox(m_viewFrame->client());
    m_viewBox->setObjectName(QStringLiteral("pView"));
    m_viewBox->setSurface(&m_view);
    m_viewBox->setFocusPolicy(Qt::NoFocus);
    m_viewBox->setAccessibleName(QStringLiteral("掩码预览"));
    m_okButton = addButton("cmdOK", QStringLiteral("确定"), QRect(200, 72, 80, 26));
    m_resetButton = addButton("cmdReset", QStringLiteral("复位"), QRect(200, 104, 80, 26));
    m_cancelButton = addButton("CmdCancel", QStringLiteral("取消"), QRect(200, 136, 80, 26));
    setFixedSize(296, 170);

    chainTabOrder({m_fileNameEdit, m_openButton, m_okButton, m_resetButton, m_cancelButton});
    m_openButton->setFocus();

    connect(m_openButton, &QPushButton::clicked, this, &PictureMaskDialog::chooseFile);
    connect(m_okButton, &QPushButton::clicked, this, &PictureMaskDialog::confirm);
    connect(m_resetButton, &QPushButton::clicked, this, &PictureMaskDialog::showThumbnail);
    connect(m_cancelButton, &QPushButton::clicked, this, &PictureMaskDialog::cancel);
    showThumbnail();
}

void PictureMaskDialog::showThumbnail()
{
    ShowThumbnail(m_canvas, m_view);
    m_view.refresh();
}

void PictureMaskDialog::chooseFile()
{
    // The chooser starts beside the file chosen last, else in the program's
    // start folder.
    const QString current = m_fileNameEdit->text().trimmed();
    const QString folder = current.isEmpty() ? m_startFolder : QFileInfo(current).absolutePath();
    const QString path =
        m_dialogs.openFileName(this, QStringLiteral("Open"), openDialogTypes(), folder).path;
    if (path.isEmpty())
        return;
    m_fileNameEdit->setText(path);
    // Only the file chosen last is laid over the canvas on OK, so the
    // preview shows that one alone; a file that is no picture shows nothing,
    // and OK then says why.
    showThumbnail();
    if (LoadMask(m_mask, path) == PictureError::None)
        previewMask();
}

void PictureMaskDialog::previewMask()
{
    LayMask(m_view, m_mask, Surface::StretchMode::Default);
}

void PictureMaskDialog::confirm()
{
    m_answer = m_fileNameEdit->text();
    accept();
}

void PictureMaskDialog::cancel()
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
