#include "picture_mask.h"

#include "controls/busy_cursor.h"
#include "controls/picture_messages.h"
#include "core/common_dialogs.h"

PictureError LoadMask(Surface &holder, const QString &path)
{
    if (path.isEmpty()) {
        holder.clearPicture();
        return PictureError::None;
    }
    const LoadedPicture loaded = loadPicture(path);
    if (loaded.error != PictureError::None)
        return loaded.error;
    return holder.setPicture(loaded.image) ? PictureError::None : PictureError::TooLarge;
}

bool LayMask(Surface &target, Surface &mask, Surface::StretchMode mode)
{
    // Stretched a few rows at a time: a stretched copy of the whole mask
    // would cost as much memory as the picture.
    const bool laid = target.stretchKeyed(mask, mode, MaskKey);
    if (laid)
        target.refresh();
    mask.clearPicture();
    return laid;
}

void ApplyMask(const MaskSurfaces &surfaces, const QString &path, CommonDialogs &dialogs,
               QWidget *owner)
{
    QString problem;
    {
        const BusyCursor busy;
        const PictureError error = LoadMask(surfaces.holder, path);
        if (error != PictureError::None)
            problem = pictureErrorMessage(error, path);
        else if (!LayMask(surfaces.canvas, surfaces.holder, Surface::StretchMode::Halftone))
            problem = QStringLiteral("位图尺寸太大，内存无法容纳");
    }
    if (!problem.isEmpty())
        dialogs.message(owner, problem, QStringLiteral("图片掩码"), CommonDialogs::Icon::Warning);
}
