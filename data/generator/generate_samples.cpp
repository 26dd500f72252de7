// Writes Kalvo's sample brushes (data/brushs) and patterns (data/pattens) as
// 24-bit Windows bitmaps. The output is committed; rerun this only to change
// the samples:
//
//   cmake --build <build dir> --target kalvo_samples
//   QT_QPA_PLATFORM=offscreen <build dir>/data/kalvo_samples <source dir>/data
//
// Brushes are black (0, 0, 0) on magenta (255, 0, 255), 32 × 30 pixels: the
// brush tool turns exact black into the pen colour and leaves magenta out.
// Patterns are used as they are, tiled from the picture's origin.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

namespace {

constexpr int BrushWidth = 32;
constexpr int BrushHeight = 30;
const QRgb Magenta = qRgb(255, 0, 255);
const QRgb Black = qRgb(0, 0, 0);

// 4 × 4 ordered-dither thresholds, so a soft edge can be drawn in black only.
constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

QImage blankBrush()
{
    QImage image(BrushWidth, BrushHeight, QImage::Format_RGB32);
    image.fill(Magenta);
    return image;
}

// A brush drawn with a painter in black, without antialiasing (a grey edge
// pixel would not take the pen colour).
QImage paintedBrush(const std::function<void(QPainter &)> &draw)
{
    QImage image = blankBrush();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Black));
    draw(p);
    return image;
}

QImage softDot()
{
    QImage image = blankBrush();
    const double cx = (BrushWidth - 1) / 2.0;
    const double cy = (BrushHeight - 1) / 2.0;
    for (int y = 0; y < BrushHeight; ++y) {
        for (int x = 0; x < BrushWidth; ++x) {
            const double d = std::hypot(x - cx, y - cy) / 14.0;
            const double density = std::clamp(1.0 - d * d, 0.0, 1.0);
            if (density * 16 > Bayer[y % 4][x % 4])
                image.setPixel(x, y, Black);
        }
    }
    return image;
}

QPolygonF starShape()
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double radius = i % 2 == 0 ? 14.5 : 6.0;
        star << QPointF(16 + radius * std::cos(angle), 15.5 + radius * std::sin(angle));
    }
    return star;
}

QPainterPath leafShape()
{
    QPainterPath leaf(QPointF(3, 27));
    leaf.cubicTo(QPointF(4, 8), QPointF(18, 2), QPointF(29, 2));
    leaf.cubicTo(QPointF(28, 16), QPointF(20, 27), QPointF(3, 27));
    return leaf;
}

QPainterPath heartShape()
{
    QPainterPath heart(QPointF(16, 28));
    heart.cubicTo(QPointF(2, 18), QPointF(0, 8), QPointF(6, 4));
    heart.cubicTo(QPointF(11, 1), QPointF(15, 4), QPointF(16, 8));
    heart.cubicTo(QPointF(17, 4), QPointF(21, 1), QPointF(26, 4));
    heart.cubicTo(QPointF(32, 8), QPointF(30, 18), QPointF(16, 28));
    return heart;
}

QImage scatter()
{
    QImage image = blankBrush();
    // A fixed little generator, so the sample is the same on every run.
    unsigned state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    for (int i = 0; i < 40; ++i) {
        const int x = 2 + static_cast<int>(next() % 28);
        const int y = 2 + static_cast<int>(next() % 26);
        image.setPixel(x, y, Black);
        if (i % 3 == 0) {
            image.setPixel(x + 1, y, Black);
            image.setPixel(x, y + 1, Black);
            image.setPixel(x + 1, y + 1, Black);
        }
    }
    return image;
}

QImage pattern(int side, const std::function<QRgb(int, int)> &colourAt)
{
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, colourAt(x, y));
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "BMP"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvo_samples <data folder>\n");
        return 2;
    }
    const QDir data(QString::fromLocal8Bit(argv[1]));
    if (!data.mkpath("brushs") || !data.mkpath("pattens")) {
        std::fprintf(stderr, "cannot create the sample folders in %s\n", argv[1]);
        return 1;
    }

    const std::pair<const char *, QImage> brushes[] = {
        {"01 round", paintedBrush([](QPainter &p) { p.drawEllipse(QPointF(16, 15), 13, 13); })},
        {"02 square", paintedBrush([](QPainter &p) { p.drawRect(5, 4, 22, 22); })},
        {"03 soft dot", softDot()},
        {"04 star", paintedBrush([](QPainter &p) { p.drawPolygon(starShape()); })},
        {"05 leaf", paintedBrush([](QPainter &p) { p.drawPath(leafShape()); })},
        {"06 calligraphy", paintedBrush([](QPainter &p) {
             p.drawPolygon(
                 QPolygonF({QPointF(22, 2), QPointF(27, 2), QPointF(10, 28), QPointF(5, 28)}));
         })},
        {"07 scatter", scatter()},
        {"08 heart", paintedBrush([](QPainter &p) { p.drawPath(heartShape()); })},
    };

    const QRgb brick = qRgb(178, 64, 40);
    const QRgb mortar = qRgb(220, 210, 190);
    const std::pair<const char *, QImage> patterns[] = {
        {"01 bricks", pattern(16,
                              [&](int x, int y) {
                                  if (y % 8 == 7)
                                      return mortar;
                                  const int shift = (y / 8) % 2 == 0 ? 0 : 8;
                                  return (x + shift) % 16 == 15 ? mortar : brick;
                              })},
        {"02 checks", pattern(16,
                              [](int x, int y) {
                                  return (x / 4 + y / 4) % 2 == 0 ? qRgb(30, 60, 160)
                                                                  : qRgb(250, 220, 80);
                              })},
        {"03 diagonal stripes", pattern(16,
                                        [](int x, int y) {
                                            const int band = ((x + y) / 4) % 4;
                                            const QRgb colours[] = {
                                                qRgb(230, 60, 60), qRgb(250, 250, 250),
                                                qRgb(60, 140, 230), qRgb(250, 250, 250)};
                                            return colours[band];
                                        })},
        {"04 dots", pattern(16,
                            [](int x, int y) {
                                const double d = std::hypot(x % 8 - 3.5, y % 8 - 3.5);
                                return d < 2.6 ? qRgb(200, 40, 120) : qRgb(255, 240, 245);
                            })},
        {"05 waves", pattern(32,
                             [](int x, int y) {
                                 const double crest =
                                     4 * std::sin(x * 2 * std::numbers::pi / 32) + 4;
                                 const int row = (y + static_cast<int>(std::lround(crest))) % 8;
                                 return row < 3 ? qRgb(20, 110, 190) : qRgb(170, 220, 250);
                             })},
        {"06 grid", pattern(16,
                            [](int x, int y) {
                                return x % 8 == 0 || y % 8 == 0 ? qRgb(40, 150, 70)
                                                                : qRgb(240, 250, 240);
                            })},
        {"07 weave", pattern(16,
                             [](int x, int y) {
                                 const bool across = ((x / 4) + (y / 4)) % 2 == 0;
                                 const bool edge = across ? y % 4 == 0 : x % 4 == 0;
                                 if (edge)
                                     return qRgb(90, 60, 30);
                                 return across ? qRgb(210, 160, 90) : qRgb(160, 110, 60);
                             })},
        {"08 tiles", pattern(32,
                             [](int x, int y) {
                                 if (x % 16 == 0 || y % 16 == 0)
                                     return qRgb(200, 200, 200);
                                 const int tile = (x / 16) + 2 * (y / 16);
                                 const QRgb colours[] = {qRgb(60, 170, 170), qRgb(240, 240, 230),
                                                         qRgb(240, 240, 230), qRgb(220, 120, 50)};
                                 return colours[tile];
                             })},
    };

    bool ok = true;
    for (const auto &[name, image] : brushes)
        ok &= save(image, data.filePath(QStringLiteral("brushs/%1.bmp").arg(name)));
    for (const auto &[name, image] : patterns)
        ok &= save(image, data.filePath(QStringLiteral("pattens/%1.bmp").arg(name)));
    return ok ? 0 : 1;
}
