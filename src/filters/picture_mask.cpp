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

bool LayMask(Surface &target, Surface &scratch, Surface &mask, Surface::StretchMode mode)
{
    // Whatever picture the scratch still holds must not show through should
    // the stretch below come to nothing.
    if (scratch.hasPicture())
        scratch.clearPicture();
    scratch.setStretchMode(mode);
    const bool sized = scratch.stretchFrom(mask, target.size());
    if (sized) {
        target.transparentBlt(target.rect(), scratch, scratch.rect(), MaskKey);
        target.refresh();
    }
    mask.clearPicture();
    scratch.clearPicture();
    return sized;
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
        else if (!LayMask(surfaces.canvas, surfaces.scratch, surfaces.holder,
                          Surface::StretchMode::Halftone))
            problem = QStringLiteral("位图尺寸太大，内存无法容纳");
    }
    if (!problem.isEmpty())
        dialogs.message(owner, problem, QStringLiteral("图片掩码"), CommonDialogs::Icon::Warning);
}
