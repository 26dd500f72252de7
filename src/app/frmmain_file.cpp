#include "frmmain.h"

#include "controls/busy_cursor.h"
#include "controls/color_pallete.h"
#include "controls/picture_box.h"
#include "core/common_dialogs.h"
#include "core/picture_file.h"
#include "core/scale_image.h"
#include "frmnew.h"
#include "frmscale.h"

#include <QAction>

namespace {

const QString BitmapFilter = QStringLiteral("位图文件(*.bmp)|*.bmp|");

} // namespace

void frmmain::connectFileCommands()
{
    connect(mnuNew, &QAction::triggered, this, &frmmain::mnuNew_Click);
    connect(mnuOpen, &QAction::triggered, this, &frmmain::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &frmmain::mnuSave_Click);
    connect(mnuScale, &QAction::triggered, this, &frmmain::mnuScale_Click);
}

QString frmmain::FolderOf(const QString &path)
{
    const qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
    return separator < 0 ? path : path.left(separator);
}

QString frmmain::ShowFileDialog(bool open, const QString &filter, const QString &title)
{
    const QString path = open ? m_dialogs.openFileName(this, title, filter, m_document.AppPath)
                              : m_dialogs.saveFileName(this, title, filter, m_document.AppPath);
    // AppPath is a folder like DataPath and ends in a separator; a file in
    // the root folder thus starts the next dialog in "/".
    if (!path.isEmpty())
        m_document.AppPath = AddBackslash(FolderOf(path));
    return path;
}

void frmmain::mnuNew_Click()
{
    {
        frmNew dialog(m_document, ColorPallete1->color1(), ColorPallete1->color2(), m_dialogs,
                      this);
        dialog.exec();
    }
    if (m_document.DialogResult == Document::DialogConfirmed) {
        // Each step stands alone: one that fails is skipped.
        m_canvas.clearPicture();
        m_canvas.setSize(m_document.NewWidth, m_document.NewHeight);
        m_canvas.setBackColor(m_document.NewBackColor);
        MnuDQue->setChecked(false);
        SrcDc->hideSelectionFrame();
        PlaceGrips();
        Form_Resize();
    }
    showCanvasSize();
    m_document.DialogResult = Document::DialogCancelled;
}

void frmmain::mnuOpen_Click()
{
    SrcDc->hideSelectionFrame();
    const QString path = ShowFileDialog(true, BitmapFilter, QStringLiteral("Open"));
    if (!path.isEmpty())
        loadCanvasPicture(path);
    m_document.CurrentTool = -1;
    showCanvasSize();
}

bool frmmain::loadCanvasPicture(const QString &path)
{
    PictureError error = PictureError::None;
    {
        const BusyCursor busy;
        const LoadedPicture loaded = loadPicture(path);
        error = loaded.error;
        if (error == PictureError::None && !m_canvas.setPicture(loaded.image))
            error = PictureError::TooLarge;
    }
    if (error != PictureError::None) {
        // The canvas stays as it was, drawing included: a file that cannot
        // be read must not cost the user the picture.
        m_dialogs.message(this, pictureErrorMessage(error, path), QStringLiteral("打开"),
                          CommonDialogs::Icon::Warning);
        return false;
    }
    m_canvas.setBackColor(0x00FFFFFF);
    // Nothing shows the file apart from the drawing on it again (New drops
    // it first): kept, it would hold a copy of every tile drawn over.
    m_canvas.mergePicture();
    MnuDQue->setChecked(false);
    PlaceGrips();
    Form_Resize();
    return true;
}

void frmmain::mnuSave_Click()
{
    const QString path = ShowFileDialog(false, BitmapFilter, QStringLiteral("Save"));
    if (path.isEmpty())
        return;
    PictureError error = PictureError::None;
    {
        const BusyCursor busy;
        error = savePicture(m_canvas.image(), path);
    }
    if (error != PictureError::None) {
        m_dialogs.message(this, pictureErrorMessage(error, path), QStringLiteral("保存"),
                          CommonDialogs::Icon::Critical);
    }
}

void frmmain::mnuScale_Click()
{
    m_document.NewWidth = m_canvas.width();
    m_document.NewHeight = m_canvas.height();
    {
        frmScale dialog(m_document, m_dialogs, this);
        dialog.exec();
    }
    if (m_document.DialogResult == Document::DialogConfirmed) {
        bool scaled = false;
        {
            const BusyCursor busy;
            scaled = ScaleImage(m_canvas, pSrc2, m_document.NewWidth, m_document.NewHeight);
        }
        if (scaled) {
            PlaceGrips();
            UpdateScrollBars();
            showCanvasSize();
        } else {
            m_dialogs.message(this, QStringLiteral("位图尺寸太大，内存无法容纳"),
                              QStringLiteral("图像拉伸"), CommonDialogs::Icon::Warning);
        }
    }
    m_document.DialogResult = Document::DialogCancelled;
}
