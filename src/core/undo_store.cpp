#include "undo_store.h"

#include "surface.h"

UndoStore::UndoStore(Surface &canvas, QObject *parent) : QObject(parent), m_canvas(&canvas) {}

void UndoStore::takeBefore()
{
    m_before = m_canvas ? m_canvas->hold() : TiledPicture();
}

void UndoStore::takeAfter()
{
    m_after = m_canvas ? m_canvas->hold() : TiledPicture();
}

void UndoStore::clear()
{
    m_before = TiledPicture();
    m_after = TiledPicture();
}

bool UndoStore::restore(const TiledPicture &picture)
{
    if (!m_canvas)
        return false;
    if (picture.isNull())
        return m_canvas->setPicture(QImage());
    return m_canvas->restore(picture);
}
