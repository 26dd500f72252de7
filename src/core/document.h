#pragma once

#include "surface.h"
#include "undo_store.h"

#include <QObject>
#include <QRect>
#include <QString>

// The picture being edited and what belongs to it: the canvas, its one level
// of undo, the selection frame and the clone marker (overlays in canvas
// pixels that never touch the picture), the program's private clipboard
// picture, and the folders the file dialogs and sample lists start from.
// Views observe it; tools and commands change it.
class Document : public QObject
{
    Q_OBJECT

public:
    static constexpr int StartWidth = 760;
    static constexpr int StartHeight = 568;

    explicit Document(QObject *parent = nullptr);

    Surface &canvas() { return m_canvas; }
    const Surface &canvas() const { return m_canvas; }
    UndoStore &undo() { return m_undo; }
    const UndoStore &undo() const { return m_undo; }
    // A change by hand (a press on the canvas) begins: Undo brings back the
    // picture as it is now. At its end whatever it previewed is wiped, and
    // Redo brings back the picture as it is then.
    void beginChange() { m_undo.takeBefore(); }
    void endChange();
    // Copy and Cut fill it; Paste places it. Scale also works through it.
    Surface &clipboard() { return m_clipboard; }
    const Surface &clipboard() const { return m_clipboard; }

    // The selected pixels, edges included; null while nothing is selected.
    QRect selection() const { return m_selection; }
    void setSelection(const QRect &selection);
    void clearSelection() { setSelection(QRect()); }
    bool hasSelection() const { return !m_selection.isNull(); }

    // The clone tool's source block; null while hidden.
    QRect cloneMarker() const { return m_cloneMarker; }
    void setCloneMarker(const QRect &marker);

    // The folder of the last file chosen in a file dialog, where the next one
    // starts, and the folder of the sample brushes and patterns; both end in
    // a separator.
    QString lastFolder;
    QString dataFolder;

signals:
    void selectionChanged(const QRect &selection, const QRect &previous);
    void cloneMarkerChanged(const QRect &marker, const QRect &previous);

private:
    Surface m_canvas{StartWidth, StartHeight, 0x00FFFFFF};
    UndoStore m_undo{m_canvas};
    Surface m_clipboard{32, 30, 0x00FF00FF};
    QRect m_selection;
    QRect m_cloneMarker;
};
