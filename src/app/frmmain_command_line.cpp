#include "frmmain.h"

#include <QFileInfo>

void frmmain::openFromCommandLine(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return;
    // As if chosen in the Open dialog: the next file dialog starts beside it.
    const QString path = QFileInfo(arguments.first()).absoluteFilePath();
    m_document.AppPath = AddBackslash(FolderOf(path));
    // A file that cannot be read leaves the start-up state whole, the
    // pencil included: there is nothing on the canvas for a tool to wait on.
    if (!loadCanvasPicture(path))
        return;
    m_document.CurrentTool = -1;
    showCanvasSize();
}
