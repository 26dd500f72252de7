#pragma once

#include <QImage>

class QPainter;

// Draws one tool's picture into a 16 × 16 image.
using IconPainter = void (*)(QPainter &painter);

// The 16 × 16 picture that paint draws, on magenta, which the tool buttons
// treat as transparent.
QImage toolIcon(IconPainter paint);

// The pictures of the tool buttons.
namespace ToolIcons {
void select(QPainter &p);
void pencil(QPainter &p);
void line(QPainter &p);
void star(QPainter &p);
void box(QPainter &p, bool fill);
void circle(QPainter &p, bool fill);
void ellipse(QPainter &p, bool fill);
void roundedBox(QPainter &p, bool fill);
void bucket(QPainter &p);
void airbrush(QPainter &p);
void curve(QPainter &p);
void polygon(QPainter &p);
void brush(QPainter &p);
void eraser(QPainter &p);
void pipette(QPainter &p);
void stamp(QPainter &p);
void gradient(QPainter &p);
void text(QPainter &p);
} // namespace ToolIcons
