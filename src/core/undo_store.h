#pragma once

#include "tile_journal.h"

#include <QObject>
#include <QPointer>

class Surface;

// The one level of undo of the canvas: the before-picture, taken as a change
// by hand begins (a press on the canvas), and the after-picture, taken as it
// ends (the end of the release). Undo puts the first back into the canvas,
// Redo the second.
//
// Both are pictures held by the canvas (Surface::hold): taking one copies
// nothing, the canvas keeps the old pixels of a tile the first time it writes
// it afterwards, and the two pictures and the canvas share every tile that did
// not change between them. Putting one back writes only the tiles that differ.
class UndoStore : public QObject
{
    Q_OBJECT

public:
    explicit UndoStore(Surface &canvas, QObject *parent = nullptr);

    // The before- or after-picture becomes the canvas image as it is now.
    void takeBefore();
    void takeAfter();

    // The canvas takes the held picture and its size; an empty holder clears
    // the canvas to its background colour and keeps its size. False when the
    // canvas could not take the picture (it is then left as it was, and so
    // are both held pictures).
    bool restoreBefore() { return restore(m_before); }
    bool restoreAfter() { return restore(m_after); }

    // Both holders become empty.
    void clear();

    const TiledPicture &before() const { return m_before; }
    const TiledPicture &after() const { return m_after; }

private:
    bool restore(const TiledPicture &picture);

    QPointer<Surface> m_canvas;
    TiledPicture m_before;
    TiledPicture m_after;
};
