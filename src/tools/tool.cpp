#include "tool.h"

#include "core/document.h"

const Surface &ToolContext::canvas() const
{
    return document.canvas();
}

void ToolContext::preview(const std::function<void(Surface &canvas)> &draw)
{
    Surface &canvas = document.canvas();
    canvas.preview([&] { draw(canvas); });
}

void ToolContext::commit(const std::function<void(Surface &canvas)> &draw)
{
    draw(document.canvas());
}

void Tool::press(ToolContext &, const ToolEvent &) {}

void Tool::drag(ToolContext &, const ToolEvent &) {}

void Tool::release(ToolContext &, const ToolEvent &) {}

void Tool::anyToolChosen(ToolContext &) {}

void Tool::doubleClicked() {}
