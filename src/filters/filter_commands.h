#pragma once

#include "bitmap.h"
#include "filter_amounts.h"

#include <QString>

#include <functional>

class CommonDialogs;
class QWidget;
class Surface;
struct Document;

// The Filter menu's commands on the canvas: each asks for what it needs
// (prompt or dialog), runs one Bitmap filter under the busy cursor and tells
// the user when the filter could not run. None takes an undo snapshot.
class FilterCommands
{
public:
    FilterCommands(Surface &canvas, Document &document, CommonDialogs &dialogs, QWidget *owner);

    FilterAmounts &amounts() { return m_amounts; }

    // Runs filter on the canvas; a refusal is reported under title. True when
    // the filter ran.
    bool run(const QString &title, const std::function<FilterOutcome(Surface &)> &filter);

    // Asks for the factor, keeps it in SharpenFactor and sharpens with it.
    void sharpen();
    // Sharpens again with the kept SharpenFactor.
    void sharpenMore();
    // Asks for the amount and adds that much noise.
    void addNoise();
    // The colour balance and brightness dialogs, then their filter when
    // confirmed.
    void adjustRgb();
    void brightness();

private:
    Surface &m_canvas;
    Document &m_document;
    CommonDialogs &m_dialogs;
    QWidget *m_owner;
    FilterAmounts m_amounts;
};
