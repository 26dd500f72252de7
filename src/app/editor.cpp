#include "editor.h"

#include "data_path.h"

Editor::Editor(CommonDialogs &dialogs, QObject *parent) : QObject(parent), m_ask{dialogs}
{
    // Another picture is pasted opaque until the user says otherwise.
    connect(&m_documentCommands, &DocumentCommands::pictureReplaced, this, [this] {
        m_clipboard.setKeyed(false);
        emit settingsChanged();
    });
}

void Editor::bindWindow(QWidget *owner, CanvasHost *host)
{
    m_ask.owner = owner;
    m_canvasInput.setHost(host);
}

void Editor::startUp(const QString &programFolder)
{
    m_document.lastFolder = programFolder;
    m_document.dataFolder = findDataPath(programFolder);
    m_clipboard.setKeyed(false);
    emit settingsChanged();
}

void Editor::resizeCloneMarker(int side)
{
    const QRect marker = m_document.cloneMarker();
    if (!marker.isNull())
        m_document.setCloneMarker(QRect(marker.topLeft(), QSize(side, side)));
}
