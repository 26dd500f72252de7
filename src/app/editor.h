#pragma once

#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/recovery_copy.h"
#include "document_commands.h"
#include "filters/filter_commands.h"
#include "tools/canvas_input.h"
#include "tools/clipboard.h"
#include "tools/tool_options.h"
#include "tools/tool_state.h"

#include <QObject>

class CanvasHost;
class QWidget;

// The picture being edited and every object that edits it: the document, the
// tool state and options, the clipboard, the canvas input, the filter and
// document commands, and the recovery copy that keeps the picture safe. A window is given one and
// binds its widgets to it; the command table's handlers work on it. It builds no widget of its own
// bar the dialogs its commands ask with, so it runs without a window as well.
class Editor : public QObject
{
    Q_OBJECT

public:
    // Every dialog the editing objects open goes through dialogs; not owned.
    explicit Editor(CommonDialogs &dialogs, QObject *parent = nullptr);

    // The window that the dialogs are shown over and that answers the canvas
    // input (its palette, text dialog and status bar); nullptr for none.
    // Neither is owned.
    void bindWindow(QWidget *owner, CanvasHost *host);

    // The start-up state: the file dialogs start in the program's folder
    // (which ends in a separator), the sample brushes and patterns are looked
    // for from there, and a paste is opaque.
    void startUp(const QString &programFolder);
    // The clone size list chose a block side: a marker shown takes it at once.
    void resizeCloneMarker(int side);

    CommonDialogs &dialogs() { return m_ask.dialogs; }
    Document &document() { return m_document; }
    const Document &document() const { return m_document; }
    ToolState &toolState() { return m_toolState; }
    ToolOptions &toolOptions() { return m_toolOptions; }
    Clipboard &clipboard() { return m_clipboard; }
    const Clipboard &clipboard() const { return m_clipboard; }
    CanvasInput &canvasInput() { return m_canvasInput; }
    FilterCommands &filterCommands() { return m_filterCommands; }
    DocumentCommands &documentCommands() { return m_documentCommands; }
    RecoveryCopy &recoveryCopy() { return m_recoveryCopy; }

signals:
    // A setting that a checked menu item shows changed by itself: New and
    // Open put the paste back to opaque.
    void settingsChanged();

private:
    UserDialogs m_ask;
    Document m_document;
    ToolState m_toolState;
    ToolOptions m_toolOptions;
    Clipboard m_clipboard{m_document, m_toolState, m_ask};
    CanvasInput m_canvasInput{m_document, m_toolState, m_toolOptions, m_clipboard};
    FilterCommands m_filterCommands{m_document, m_ask};
    DocumentCommands m_documentCommands{m_document, m_toolState, m_ask};
    RecoveryCopy m_recoveryCopy{m_document};
};
