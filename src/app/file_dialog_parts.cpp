#include "file_dialog_parts.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QLocale>
#include <QMimeDatabase>

namespace {

QMimeType mimeTypeByName(const QFileInfo &info)
{
    return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
}

} // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    if (info.isRoot())
        return icon(Drive);
    if (info.isDir())
        return icon(Folder);
    const QMimeType mime = mimeTypeByName(info);
    return QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(), icon(File)));
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    // Drives and links are told apart without reading anything. Folders are
    // named in the program's language, as files are: Qt's own name for them
    // has no Chinese translation.
    if (info.isRoot() || !(info.isFile() || info.isDir()))
        return QFileIconProvider::type(info);
    const QMimeType mime = info.isDir()
                               ? QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory"))
                               : mimeTypeByName(info);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

QVariant LocaleDatesModel::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || index.column() != DateColumn || !files)
        return QIdentityProxyModel::data(index, role);
    return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
}

int LocaleDatesModel::dateColumnWidth(const QFont &font)
{
    // Wide digits in every place, and room for the margins of a cell.
    const QDateTime widest(QDate(2000, 12, 28), QTime(20, 58, 58));
    return QFontMetrics(font).horizontalAdvance(QLocale().toString(widest, QLocale::ShortFormat)) +
           24;
}
