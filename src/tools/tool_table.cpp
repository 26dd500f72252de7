#include "tool_table.h"

#include "clone_tool.h"
#include "colour_tools.h"
#include "curve_polygon.h"
#include "freehand.h"
#include "select_tool.h"
#include "shapes.h"
#include "text_tool.h"
#include "tool_icons.h"

namespace {

template <typename T, auto... Arguments> std::unique_ptr<Tool> make()
{
    return std::make_unique<T>(Arguments...);
}

using P = ToolPanel;
constexpr ToolPanels Lines = P::LineWidth | P::LineStyle;

// clang-format off
constexpr std::array Table = std::to_array<ToolRow>({
    {ToolId::Select, "选定", ToolIcons::select, {}, nullptr, true, make<SelectTool>},
    {ToolId::Pencil, "铅笔", ToolIcons::pencil, P::LineWidth, nullptr, true, make<PencilTool>},
    {ToolId::Line, "直线", ToolIcons::line, Lines, nullptr, true,
     make<ShapeTool, Shapes::line, ShapeTool::Inside::Empty>},
    {ToolId::Star, "星形", ToolIcons::star, Lines, nullptr, true, make<StarTool>},
    {ToolId::Box, "矩形", [](QPainter &p) { ToolIcons::box(p, false); }, Lines, nullptr, true,
     make<ShapeTool, Shapes::box, ShapeTool::Inside::Empty>},
    {ToolId::FilledBox, "实心矩形", [](QPainter &p) { ToolIcons::box(p, true); }, Lines, nullptr,
     true, make<ShapeTool, Shapes::box, ShapeTool::Inside::PenColour>},
    {ToolId::Circle, "圆形", [](QPainter &p) { ToolIcons::circle(p, false); }, Lines, nullptr,
     true, make<ShapeTool, Shapes::circle, ShapeTool::Inside::Empty>},
    {ToolId::FilledCircle, "实心圆形", [](QPainter &p) { ToolIcons::circle(p, true); }, Lines,
     nullptr, true, make<ShapeTool, Shapes::circle, ShapeTool::Inside::FillColour>},
    {ToolId::Ellipse, "椭圆形", [](QPainter &p) { ToolIcons::ellipse(p, false); }, Lines,
     nullptr, true, make<ShapeTool, Shapes::ellipse, ShapeTool::Inside::Empty>},
    {ToolId::FilledEllipse, "实心椭圆", [](QPainter &p) { ToolIcons::ellipse(p, true); }, Lines,
     nullptr, true, make<ShapeTool, Shapes::ellipse, ShapeTool::Inside::FillColour>},
    {ToolId::RoundRect, "圆角矩形", [](QPainter &p) { ToolIcons::roundedBox(p, false); }, Lines,
     nullptr, true, make<ShapeTool, Shapes::roundedBox, ShapeTool::Inside::Empty>},
    {ToolId::FilledRoundRect, "实心圆角矩形", [](QPainter &p) { ToolIcons::roundedBox(p, true); },
     Lines, nullptr, true, make<ShapeTool, Shapes::roundedBox, ShapeTool::Inside::FillColour>},
    {ToolId::Fill, "用颜色填充", ToolIcons::bucket, P::Fill, nullptr, true,
     make<FillTool>},
    {ToolId::Airbrush, "喷枪", ToolIcons::airbrush, Lines, nullptr, true, make<AirbrushTool>},
    {ToolId::Curve, "曲线", ToolIcons::curve, P::LineWidth, nullptr, true, make<CurveTool>},
    {ToolId::Polygon, "多边形", ToolIcons::polygon, Lines, nullptr, true, make<PolygonTool>},
    {ToolId::Brush, "画笔", ToolIcons::brush, P::Brush, nullptr, true,
     make<BrushTool>},
    {ToolId::Eraser, "橡皮擦", ToolIcons::eraser, Lines | P::Eraser, nullptr, true,
     make<EraserTool>},
    {ToolId::ColourPick, "取色", ToolIcons::pipette, {}, nullptr, true,
     make<ColourPickTool>},
    {ToolId::Clone, "克隆", ToolIcons::stamp, P::Clone,
     "请使用 Alt+鼠标左键 定义新克隆的范围.", true, make<CloneTool>},
    {ToolId::Gradient, "渐变", ToolIcons::gradient, P::Gradient, nullptr, true,
     make<GradientTool>},
    {ToolId::Text, "文字", ToolIcons::text, P::Text, "请单击需要放置文字的区域.",
     false, make<TextTool>},
});
// clang-format on

// A row left out or out of place shifts every row after it.
constexpr bool rowsInToolOrder()
{
    for (std::size_t i = 0; i < Table.size(); ++i)
        if (Table[i].id != static_cast<ToolId>(i))
            return false;
    return true;
}
static_assert(Table.size() == ToolCount, "one row for every ToolId");
static_assert(rowsInToolOrder(), "rows in ToolId order");

} // namespace

QImage ToolRow::icon() const
{
    return toolIcon(paintIcon);
}

const std::array<ToolRow, ToolCount> &toolTable()
{
    return Table;
}

const ToolRow &toolRow(ToolId id)
{
    return Table[static_cast<std::size_t>(id)];
}
