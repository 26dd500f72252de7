#pragma once

#include "core/document.h"
#include "core/random.h"
#include "core/surface.h"
#include "tools/canvas_host.h"
#include "tools/canvas_input.h"
#include "tools/text_settings.h"
#include "tools/tool_options.h"
#include "tools/tool_state.h"

#include <QStringList>

#include <deque>
#include <vector>

// A main window stand-in that records what the routing asks of it.
class RecordingHost : public CanvasHost
{
public:
    explicit RecordingHost(const Surface &canvas) : m_canvas(canvas) {}

    void takeBeforeSnapshot() override
    {
        calls << "before";
        before = m_canvas.image();
    }
    void takeAfterSnapshot() override
    {
        calls << "after";
        after = m_canvas.image();
    }
    void setStatusPosition(const QString &text) override
    {
        calls << "status";
        status = text;
    }
    Colour color1() const override { return colour1; }
    Colour color2() const override { return colour2; }
    void setColor1(Colour colour) override { colour1 = colour; }
    void setColor2(Colour colour) override { colour2 = colour; }
    bool selectionVisible() const override { return selection; }
    void cut() override { calls << "cut"; }
    void pastePreview(QPointF at) override
    {
        calls << QStringLiteral("preview %1,%2").arg(at.x()).arg(at.y());
    }
    void pasteCommit(QPointF at) override
    {
        calls << QStringLiteral("commit %1,%2").arg(at.x()).arg(at.y());
    }

    void setSelectionFrame(const QRect &frame) override { selectionFrame = frame; }
    QRect cloneMarker() const override { return marker; }
    void setCloneMarker(const QRect &to) override { marker = to; }
    // The next answer of texts, as if typed and confirmed; none left cancels.
    bool askText(TextSettings &settings) override
    {
        calls << "text";
        asked.push_back(settings);
        if (texts.empty())
            return false;
        settings = texts.front();
        texts.pop_front();
        return true;
    }

    QStringList calls;
    QImage before;
    QImage after;
    QString status;
    Colour colour1 = 0x000000FF; // red
    Colour colour2 = 0x00FF0000; // blue
    bool selection = false;
    QRect selectionFrame;
    QRect marker;
    std::deque<TextSettings> texts;
    // What the text dialog opened with, each time.
    std::vector<TextSettings> asked;

private:
    const Surface &m_canvas;
};

// A white canvas with the routing around it, the way the main window wires it.
struct ToolRig {
    explicit ToolRig(int width = 80, int height = 60, int tool = 1)
        : canvas(width, height), host(canvas), input(canvas, document, state, options, host, random)
    {
        document.CurrentTool = tool;
    }

    void click(double x, double y, int button = 1)
    {
        input.press(button, 0, x, y);
        input.release(button, 0, x, y);
    }
    void stroke(QPointF from, QPointF to, int button = 1)
    {
        input.press(button, 0, from.x(), from.y());
        input.move(button, 0, to.x(), to.y());
        input.release(button, 0, to.x(), to.y());
    }
    ToolContext context() { return {canvas, state, options, host, random}; }

    Surface canvas;
    Document document;
    ToolState state;
    ToolOptions options;
    RandomSource random;
    RecordingHost host;
    CanvasInput input;
};

inline constexpr Colour White = 0x00FFFFFF;
inline constexpr Colour Black = 0x00000000;

// Pixels of image that differ from colour.
inline int countNot(const QImage &image, Colour colour)
{
    const QRgb rgb = toQRgb(colour);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != rgb;
    return count;
}

// Bounding box of the pixels of image that differ from colour.
inline QRect boundsNot(const QImage &image, Colour colour)
{
    const QRgb rgb = toQRgb(colour);
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != rgb)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline Colour pixelAt(const QImage &image, QPoint p)
{
    return fromQRgb(image.pixel(p));
}
