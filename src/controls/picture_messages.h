#pragma once

#include "core/picture_file.h"

// The message for the user when a picture file cannot be opened or saved,
// naming the file, e.g.
// 无法打开文件 "/home/a.bmp": 文件不完整。
// Open errors start with 无法打开文件, save errors with 无法保存文件; None
// has no message.
QString pictureErrorMessage(PictureError error, const QString &path);
