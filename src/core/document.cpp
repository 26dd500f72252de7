#include "document.h"

Document::Document(QObject *parent) : QObject(parent) {}

void Document::setSelection(const QRect &selection)
{
    if (selection == m_selection)
        return;
    const QRect previous = m_selection;
    m_selection = selection;
    emit selectionChanged(m_selection, previous);
}

void Document::setCloneMarker(const QRect &marker)
{
    if (marker == m_cloneMarker)
        return;
    const QRect previous = m_cloneMarker;
    m_cloneMarker = marker;
    emit cloneMarkerChanged(m_cloneMarker, previous);
}

void Document::endChange()
{
    m_canvas.refresh();
    m_undo.takeAfter();
}
