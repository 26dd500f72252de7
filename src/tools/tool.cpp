#include "tool.h"

#include "clone_tool.h"
#include "colour_tools.h"
#include "curve_polygon.h"
#include "freehand.h"
#include "select_tool.h"
#include "shapes.h"
#include "text_tool.h"

void Tool::press(ToolContext &, const ToolEvent &) {}

void Tool::drag(ToolContext &, const ToolEvent &) {}

void Tool::release(ToolContext &, const ToolEvent &) {}

std::unique_ptr<Tool> makeTool(int index)
{
    switch (index) {
    case 0:
        return std::make_unique<SelectTool>();
    case 1:
        return std::make_unique<PencilTool>();
    case 2:
        return std::make_unique<LineTool>();
    case 3:
        return std::make_unique<StarTool>();
    case 4:
    case 5:
        return std::make_unique<BoxTool>(index == 5);
    case 6:
    case 7:
        return std::make_unique<CircleTool>(index == 7);
    case 8:
    case 9:
        return std::make_unique<EllipseTool>(index == 9);
    case 10:
    case 11:
        return std::make_unique<RoundRectTool>(index == 11);
    case 12:
        return std::make_unique<FillTool>();
    case 13:
        return std::make_unique<AirbrushTool>();
    case 14:
        return std::make_unique<CurveTool>();
    case 15:
        return std::make_unique<PolygonTool>();
    case 16:
        return std::make_unique<BrushTool>();
    case 17:
        return std::make_unique<EraserTool>();
    case 18:
        return std::make_unique<ColourPickTool>();
    case 19:
        return std::make_unique<CloneTool>();
    case 20:
        return std::make_unique<GradientTool>();
    case 21:
        return std::make_unique<TextTool>();
    default:
        return nullptr;
    }
}
