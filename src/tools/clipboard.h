#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

#include <optional>

class CommonDialogs;
class QWidget;
class Surface;
struct Document;
struct ToolState;

// The program's private clipboard: the picture pSrc2, filled by Copy and Cut
// from the selected pixels of the canvas, and Paste, which places it centred
// on the pointer when the button is released on the canvas, previewing it on
// the screen while the button is held. A keyed paste leaves out the clipboard
// pixels of the canvas' background colour; an opaque one copies them all. The
// system clipboard is not used.
class Clipboard
{
public:
    // picture is the clipboard picture; messages go through dialogs, over
    // owner. None of them is owned.
    Clipboard(Surface &canvas, Surface &picture, ToolState &state, Document &document,
              CommonDialogs &dialogs, QWidget *owner);

    // The pixels of selection (edges included) become the clipboard picture;
    // where selection reaches outside the canvas the picture holds the
    // background colour. Cut then paints the selection in the background
    // colour. True when done; false for a null selection, or when the machine
    // cannot hold the copy, which the user is told: then the canvas, the
    // clipboard and a waiting paste stay as they were.
    bool copy(const QRect &selection);
    bool cut(const QRect &selection);

    // The paste waits for the next release on the canvas; no tool acts until
    // one is chosen again.
    void paste();
    void setKeyed(bool keyed) { m_keyed = keyed; }

    // The clipboard picture centred on at: preview() on the screen alone,
    // after wiping the screen, commit() on the layer the canvas draws on.
    void preview(QPointF at);
    void commit(QPointF at);

private:
    // The selected pixels, or nothing when they cannot be held.
    std::optional<QImage> take(const QRect &selection) const;
    bool replace(const QRect &selection, const QString &command);
    void place(QPointF at);

    Surface &m_canvas;
    Surface &m_picture;
    ToolState &m_state;
    Document &m_document;
    CommonDialogs &m_dialogs;
    QWidget *m_owner;
    bool m_keyed = true;
};
