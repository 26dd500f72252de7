#pragma once

#include "tools/canvas_host.h"

#include <benchmark/benchmark.h>

// The window's side of the canvas routing, doing nothing, so that a benchmark
// measures the routing, the document and the tool alone.
class QuietHost : public CanvasHost
{
public:
    void setStatusPosition(const QString &text) override { benchmark::DoNotOptimize(text); }
    Colour colour1() const override { return 0x000000FF; }
    Colour colour2() const override { return 0x00FF0000; }
    void setColour1(Colour) override {}
    void setColour2(Colour) override {}
    bool askText(TextSettings &) override { return false; }
};
