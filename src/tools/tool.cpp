#include "tool.h"

void Tool::press(ToolContext &, const ToolEvent &) {}

void Tool::drag(ToolContext &, const ToolEvent &) {}

void Tool::release(ToolContext &, const ToolEvent &) {}

void Tool::anyToolChosen(ToolContext &) {}

void Tool::doubleClicked() {}
