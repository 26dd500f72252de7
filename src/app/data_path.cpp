#include "data_path.h"

#include <QDir>
#include <QFileInfo>

QString findDataPath(const QString &programFolder)
{
    const QString beside = programFolder + QStringLiteral("Data") + QDir::separator();
    if (QFileInfo(beside).isDir())
        return beside;
    // KALVO_DATA_FROM_PROGRAM is the way from the installed program's folder
    // to its share folder, "../share/kalvo" for the usual layout.
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral(KALVO_DATA_FROM_PROGRAM "/Data")) +
        QDir::separator();
    if (QFileInfo(installed).isDir())
        return installed;
    return beside;
}
