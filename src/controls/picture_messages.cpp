#include "picture_messages.h"

#include <QDir>

QString pictureErrorMessage(PictureError error, const QString &path)
{
    QString reason;
    bool saving = false;
    switch (error) {
    case PictureError::None:
        return {};
    case PictureError::CannotRead:
        reason = QStringLiteral("文件不存在或无法读取。");
        break;
    case PictureError::NotFile:
        reason = QStringLiteral("不是普通文件。");
        break;
    case PictureError::Truncated:
        reason = QStringLiteral("文件不完整。");
        break;
    case PictureError::NotPicture:
        reason = QStringLiteral("不是可识别的图片文件。");
        break;
    case PictureError::Damaged:
        reason = QStringLiteral("文件已损坏。");
        break;
    case PictureError::TooLarge:
        reason = QStringLiteral("图片太大。");
        break;
    case PictureError::CannotWrite:
        reason = QStringLiteral("写入失败。");
        saving = true;
        break;
    case PictureError::NoFolder:
        reason = QStringLiteral("文件夹不存在。");
        saving = true;
        break;
    case PictureError::NoPermission:
        reason = QStringLiteral("没有写入权限。");
        saving = true;
        break;
    case PictureError::TargetNotFile:
        reason = QStringLiteral("不是普通文件。");
        saving = true;
        break;
    case PictureError::ReadOnly:
        reason = QStringLiteral("文件是只读的。");
        saving = true;
        break;
    case PictureError::DiskFull:
        reason = QStringLiteral("磁盘空间不足。");
        saving = true;
        break;
    case PictureError::TooLargeForFormat:
        reason = QStringLiteral("图片太大，此格式无法保存。");
        saving = true;
        break;
    }
    const QString pattern = saving ? QStringLiteral("无法保存文件 \"%1\": %2")
                                   : QStringLiteral("无法打开文件 \"%1\": %2");
    return pattern.arg(QDir::toNativeSeparators(path), reason);
}
