#pragma once

#include "core/document.h"
#include "core/random.h"
#include "core/surface.h"
#include "scripted_dialogs.h"
#include "tools/canvas_host.h"
#include "tools/canvas_input.h"
#include "tools/clipboard.h"
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
    void setStatusPosition(const QString &text) override
    {
        calls << "status";
        status = text;
    }
    Colour colour1() const override { return firstColour; }
    Colour colour2() const override { return secondColour; }
    void setColour1(Colour colour) override { firstColour = colour; }
    void setColour2(Colour colour) override { secondColour = colour; }
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
    QString status;
    Colour firstColour = 0x000000FF;  // red
    Colour secondColour = 0x00FF0000; // blue
    std::deque<TextSettings> texts;
    // What the text dialog opened with, each time.
    std::vector<TextSettings> asked;
};

// A white canvas in a document with the routing around it, the way the main
// window wires it; tool is a palette position, none outside 0..21.
struct ToolRig {
    explicit ToolRig(int width = 80, int height = 60, std::optional<ToolId> tool = ToolId::Pencil)
        : canvas(document.canvas()), clipboard(document, state, ask),
          input(document, state, options, clipboard, random)
    {
        input.setHost(&host);
        canvas.setSize(width, height);
        state.currentTool = tool;
    }

    void click(double x, double y, Qt::MouseButton button = Qt::LeftButton)
    {
        input.press(button, {}, QPointF(x, y));
        input.release(button, {}, QPointF(x, y));
    }
    void stroke(QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton)
    {
        input.press(button, {}, from);
        input.move(button, {}, to);
        input.release(button, {}, to);
    }
    ToolContext context() { return {document, state, options, host, random, pen}; }

    Document document;
    Surface &canvas;
    ToolState state;
    ToolOptions options;
    RandomSource random;
    // The pen of context().
    Pen pen;
    RecordingHost host;
    ScriptedDialogs dialogs;
    UserDialogs ask{dialogs};
    Clipboard clipboard;
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
