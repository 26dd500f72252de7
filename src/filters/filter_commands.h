#pragma once

#include "core/surface.h"
#include "filter_amounts.h"
#include "picture_filters.h"

#include <QString>

#include <functional>

class Document;
struct UserDialogs;

// The whole-picture commands of the Image and Filter menus on the document's
// canvas: each asks for what it needs (prompt or dialog), runs one filter
// under the busy cursor and tells the user when the filter could not run.
// None takes an undo snapshot.
class FilterCommands
{
public:
    // Dialogs go through ask; neither is owned.
    FilterCommands(Document &document, const UserDialogs &ask);

    FilterAmounts &amounts() { return m_amounts; }

    // Runs filter on the canvas; a refusal is reported under title. True when
    // the filter ran.
    bool run(const QString &title, const std::function<FilterOutcome(Surface &)> &filter);
    // A picture operation that only fails for want of memory, run and
    // reported as a filter.
    bool runOperation(const QString &title, const std::function<bool(Surface &)> &operation);

    // Three blur runs.
    void blurMore();
    // Asks for the factor, keeps it in sharpenFactor and sharpens with it.
    void sharpen();
    // Sharpens again with the kept sharpenFactor.
    void sharpenMore();
    // Asks for the amount and adds that much noise.
    void addNoise();
    // The colour balance and brightness dialogs, then their filter when
    // confirmed.
    void adjustRgb();
    void brightness();
    // Mirrors the picture (a FlipMode).
    void flip(int mode);
    // The image border dialog, then the border.
    void border();
    // The picture mask dialog, then the mask.
    void mask();

private:
    Document &m_document;
    const UserDialogs &m_ask;
    FilterAmounts m_amounts;
    // The mask picture while it is laid over the canvas.
    Surface m_maskHolder{32, 30, 0x00FF00FF};
};
