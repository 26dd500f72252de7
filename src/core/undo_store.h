#pragma once

#include "tile_journal.h"

#include <QObject>
#include <QPointer>

class Surface;

// The one level of undo of the canvas: the before-picture `masktemp`, taken at
// each press on the canvas, and the after-picture `PM`, taken at the end of
// each release. Undo puts the first back into the canvas, Redo the second.
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

    // masktemp := the canvas image as it is now.
    void takeBefore();
    // PM := the canvas image as it is now.
    void takeAfter();

    // The canvas takes the held picture and its size; an empty holder clears
    // the canvas to its background colour and keeps its size. False when the
    // canvas could not take the picture (it is then left as it was, and so
    // are both held pictures).
    bool restoreBefore() { return restore(m_masktemp); }
    bool restoreAfter() { return restore(m_PM); }

    // Both holders become empty.
    void clear();

    const TiledPicture &masktemp() const { return m_masktemp; }
    const TiledPicture &PM() const { return m_PM; }

private:
    bool restore(const TiledPicture &picture);

    QPointer<Surface> m_canvas;
    TiledPicture m_masktemp;
    TiledPicture m_PM;
};
