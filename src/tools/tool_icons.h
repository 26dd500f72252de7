#pragma once

#include <QImage>

// The 16 × 16 picture on tool button index (0..21), drawn on magenta, which
// the buttons treat as transparent. A null image for any other index.
QImage toolIcon(int index);
