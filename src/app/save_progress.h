#pragma once

#include "core/picture_file.h"

class QWidget;

// Saves as savePicture does, on a thread of its own, while the window goes on
// painting itself: a big PNG takes seconds. The user's input waits until the
// save is done (nothing may change the picture while it is written); past
// half a second a progress window over owner shows how far it has come.
PictureError saveShowingProgress(const QImage &image, const QString &path,
                                 const PictureFormat &format, QWidget *owner);
