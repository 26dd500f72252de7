#pragma once

#include "tools/canvas_host.h"

#include <benchmark/benchmark.h>

// The main window's side of the canvas routing, doing nothing, so that a
// benchmark measures the routing and the tool alone.
class QuietHost : public CanvasHost
{
public:
    void takeBeforeSnapshot() override {}
    void takeAfterSnapshot() override {}
    void setStatusPosition(const QString &text) override { benchmark::DoNotOptimize(text); }
    Colour color1() const override { return 0x000000FF; }
    Colour color2() const override { return 0x00FF0000; }
    void setColor1(Colour) override {}
    void setColor2(Colour) override {}
    bool selectionVisible() const override { return false; }
    void cut() override {}
    void pastePreview(QPointF) override {}
    void pasteCommit(QPointF) override {}
    void setSelectionFrame(const QRect &) override {}
    QRect cloneMarker() const override { return m_marker; }
    void setCloneMarker(const QRect &marker) override { m_marker = marker; }
    bool askText(TextSettings &) override { return false; }

private:
    QRect m_marker;
};
