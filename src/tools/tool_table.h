#pragma once

#include <QFlags>
#include <QImage>
#include <QString>

#include <array>
#include <memory>

class Tool;

// The drawing tools, in the order of the palette.
enum class ToolId {
    Select,
    Pencil,
    Line,
    Star,
    Box,
    FilledBox,
    Circle,
    FilledCircle,
    Ellipse,
    FilledEllipse,
    RoundRect,
    FilledRoundRect,
    Fill,
    Airbrush,
    Curve,
    Polygon,
    Brush,
    Eraser,
    ColourPick,
    Clone,
    Gradient,
    // Keep last: ToolCount counts up to it.
    Text,
};

inline constexpr int ToolCount = static_cast<int>(ToolId::Text) + 1;

// The option panels of the top strip that a tool shows.
enum class ToolPanel : unsigned {
    // Line width; LineStyle adds the style list to it.
    LineWidth = 1 << 0,
    LineStyle = 1 << 1,
    Fill = 1 << 2,
    Brush = 1 << 3,
    Eraser = 1 << 4,
    Clone = 1 << 5,
    Gradient = 1 << 6,
    Text = 1 << 7,
};
Q_DECLARE_FLAGS(ToolPanels, ToolPanel)
Q_DECLARE_OPERATORS_FOR_FLAGS(ToolPanels)

// Everything the palette, the option panels, the canvas routing and the
// window know of one tool.
struct ToolRow {
    ToolId id;
    // The button's caption (UTF-8).
    const char *caption;
    void (*paintIcon)(class QPainter &painter);
    ToolPanels panels;
    // Shown in a message box when the tool is chosen; nullptr for none.
    const char *hint;
    // Whether moves with a button held reach the tool as drag steps.
    bool drags;
    std::unique_ptr<Tool> (*make)();

    QString captionText() const { return QString::fromUtf8(caption); }
    QString hintText() const { return hint ? QString::fromUtf8(hint) : QString(); }
    QImage icon() const;
};

// Every tool, in palette order: toolTable()[i].id is ToolId(i).
const std::array<ToolRow, ToolCount> &toolTable();
const ToolRow &toolRow(ToolId id);
