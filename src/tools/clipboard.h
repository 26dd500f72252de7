#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

#include <optional>

class Document;
struct ToolState;
struct UserDialogs;

// The program's private clipboard: the document's clipboard picture, filled
// by Copy and Cut from the selected pixels of the canvas, and Paste, which places it centred
// on the pointer when the button is released on the canvas, previewing it on
// the screen while the button is held. A keyed paste leaves out the clipboard
// pixels of the canvas' background colour; an opaque one copies them all. The
// system clipboard is not used.
class Clipboard
{
public:
    // Messages go through ask. None of them is owned.
    Clipboard(Document &document, ToolState &state, const UserDialogs &ask);

    // The selected pixels (edges included) become the clipboard picture and
    // the selection goes; where the selection reaches outside the canvas the
    // picture holds the background colour. Cut then paints the selection in
    // the background colour. True when done; false without a selection, or
    // when the machine cannot hold the copy, which the user is told: then the
    // canvas, the clipboard, the selection and a waiting paste stay as they
    // were.
    bool copySelection();
    bool cutSelection();

    // The paste waits for the next release on the canvas; no tool acts until
    // one is chosen again.
    void paste();
    bool keyed() const { return m_keyed; }
    void setKeyed(bool keyed) { m_keyed = keyed; }

    // The clipboard picture centred on at: preview() on the screen alone,
    // wiping the previous preview, commit() into the picture.
    void preview(QPointF at);
    void commit(QPointF at);

private:
    // The selected pixels, or nothing when they cannot be held.
    std::optional<QImage> take(const QRect &selection) const;
    bool replace(const QRect &selection, const QString &command);
    bool cut(const QRect &selection);
    void place(QPointF at);

    Document &m_document;
    ToolState &m_state;
    const UserDialogs &m_ask;
    bool m_keyed = true;
};
