#pragma once

#include "mouse_pointer.h"

#include "core/colour.h"
#include "core/surface.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>

class CommonDialogs;

// The colour palette: 28 colour cells in two rows beside an indicator box
// that shows the two current colours, Color1 (chosen with the left button)
// over Color2 (chosen with any other button). Double-clicking a cell opens
// the colour chooser to redefine it. Always 256 × 32 pixels.
class ColourPalette : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(uint Color1 READ colour1 WRITE setColour1 NOTIFY colour1Changed)
    Q_PROPERTY(uint Color2 READ colour2 WRITE setColour2 NOTIFY colour2Changed)
    Q_PROPERTY(bool OpenFullColorDLG READ openFullColourDialog WRITE setOpenFullColourDialog NOTIFY
                   openFullColourDialogChanged)
    Q_PROPERTY(int MousePointer READ mousePointer WRITE setMousePointer NOTIFY mousePointerChanged)
    Q_PROPERTY(QPixmap MouseIcon READ mouseIcon WRITE setMouseIcon NOTIFY mouseIconChanged)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)

public:
    static constexpr int CellCount = 28;
    static constexpr int CellSize = 16;
    static constexpr int Width = 256;
    static constexpr int Height = 32;

    explicit ColourPalette(QWidget *parent = nullptr);

    Colour colour1() const { return m_colour1; }
    void setColour1(Colour colour);
    Colour colour2() const { return m_colour2; }
    void setColour2(Colour colour);
    bool openFullColourDialog() const { return m_openFullColourDialog; }
    void setOpenFullColourDialog(bool full);
    // A 16-bit pointer code: a value outside -32768..32767 is refused (false).
    int mousePointer() const { return m_pointer.code(); }
    bool setMousePointer(int code);
    QPixmap mouseIcon() const { return m_pointer.icon(); }
    void setMouseIcon(const QPixmap &icon);

    // Where the colour chooser of a double-click comes from; without one a
    // double-click changes nothing.
    void setDialogs(CommonDialogs *dialogs) { m_dialogs = dialogs; }

    Colour cellColour(int index) const { return m_cellColours.at(std::size_t(index)); }
    // The cell under (x, y), or -1 outside the grid.
    static int cellAt(double x, double y);
    // The chooser's 16 custom colours for a seed: each channel plus 15, 30,
    // ... 240, at most 255.
    static std::array<Colour, 16> customColoursFor(Colour seed);

    // Color1 = old Color2, then Color2 = old Color1.
    void swapColours();

    QSize sizeHint() const override { return QSize(Width, Height); }

signals:
    // Raised on a press on a cell, before the current colour is set. The
    // pointers refer to the cell's colour and the button (1 = left; any other
    // sets Color2): a handler connected directly may change both, and the
    // changes stay.
    void itemClicked(Colour *cellColour, int *button);

    void colour1Changed(uint colour);
    void colour2Changed(uint colour);
    void openFullColourDialogChanged(bool full);
    void mousePointerChanged(int code);
    void mouseIconChanged(const QPixmap &icon);
    void enabledChanged(bool enabled);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Colour pickColour(Colour seed, bool full);
    void drawSwatch(Colour colour);
    void drawCurrentColours();
    void drawPalette();
    void describe();

    std::array<Colour, CellCount> m_cellColours;
    Colour m_colour1;
    Colour m_colour2;
    bool m_openFullColourDialog = true;
    std::int16_t m_lastCell = -1;
    int m_lastButton = 0;
    MousePointer m_pointer;
    Surface m_surface;
    Surface m_scratch;
    CommonDialogs *m_dialogs = nullptr;
};
