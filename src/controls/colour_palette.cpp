#include "colour_palette.h"

#include "core/common_dialogs.h"
#include "core/numbers.h"
#include "mouse_pointer.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr Colour White = 0x00FFFFFF;

constexpr std::array<Colour, ColourPalette::CellCount> BuiltInColours = [] {
    constexpr int Channels[ColourPalette::CellCount][3] = {
        {0, 0, 0},       {255, 255, 255}, {70, 70, 70},    {220, 220, 220}, {120, 120, 120},
        {180, 180, 180}, {153, 0, 48},    {156, 90, 60},   {237, 28, 36},   {255, 163, 177},
        {255, 126, 0},   {229, 170, 122}, {255, 194, 14},  {245, 228, 156}, {255, 242, 0},
        {255, 249, 189}, {168, 230, 29},  {221, 249, 188}, {34, 177, 76},   {157, 187, 97},
        {0, 183, 239},   {153, 217, 234}, {77, 109, 243},  {112, 154, 209}, {47, 54, 153},
        {84, 109, 142},  {111, 49, 152},  {181, 165, 213},
    };
    std::array<Colour, ColourPalette::CellCount> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] =
            Colour(Channels[i][0]) | Colour(Channels[i][1]) << 8 | Colour(Channels[i][2]) << 16;
    return colours;
}();

QString colourText(Colour colour)
{
    const ColourChannels c = splitColour(resolveColour(colour));
    return QStringLiteral("RGB(%1, %2, %3)").arg(c.red).arg(c.green).arg(c.blue);
}

} // namespace

ColourPalette::ColourPalette(QWidget *parent)
    : QWidget(parent), m_cellColours(BuiltInColours), m_colour1(BuiltInColours[0]),
      m_colour2(BuiltInColours[1]), m_surface(Width, Height, White),
      m_scratch(CellSize, CellSize, ButtonFace)
{
    setFixedSize(Width, Height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("调色板"));
    connect(&m_surface, &Surface::screenChanged, this, [this](const QRect &area) { update(area); });
    drawPalette();
}

void ColourPalette::setColour1(Colour colour)
{
    m_colour1 = colour;
    drawCurrentColours();
    emit colour1Changed(colour);
}

void ColourPalette::setColour2(Colour colour)
{
    m_colour2 = colour;
    drawCurrentColours();
    emit colour2Changed(colour);
}

void ColourPalette::setOpenFullColourDialog(bool full)
{
    m_openFullColourDialog = full;
    emit openFullColourDialogChanged(full);
}

bool ColourPalette::setMousePointer(int code)
{
    if (!m_pointer.setCode(*this, code))
        return false;
    emit mousePointerChanged(m_pointer.code());
    return true;
}

void ColourPalette::setMouseIcon(const QPixmap &icon)
{
    m_pointer.setIcon(*this, icon);
    emit mouseIconChanged(icon);
}

void ColourPalette::swapColours()
{
    const Colour first = m_colour1;
    const Colour second = m_colour2;
    setColour1(second);
    setColour2(first);
}

int ColourPalette::cellAt(double x, double y)
{
    const int column = roundToInt(x) / CellSize - 2;
    const int row = roundToInt(y) / CellSize;
    if (column < 0 || column > 13 || row < 0 || row > 1)
        return -1;
    return 2 * column + row;
}

std::array<Colour, 16> ColourPalette::customColoursFor(Colour seed)
{
    const ColourChannels c = splitColour(seed);
    std::array<Colour, 16> custom{};
    for (int k = 15; k >= 0; --k) {
        const int add = 15 * (k + 1);
        custom[std::size_t(k)] = rgbColour(c.red + add, c.green + add, c.blue + add);
    }
    return custom;
}

Colour ColourPalette::pickColour(Colour seed, bool full)
{
    if (m_dialogs == nullptr)
        return NoColour;
    const std::array<Colour, 16> custom = customColoursFor(seed);
    const Colour start = isSystemColour(seed) ? resolveColour(seed) : seed;
    return m_dialogs->chooseColour(window(), start, custom, full);
}

void ColourPalette::drawSwatch(Colour colour)
{
    m_scratch.clearPicture();
    m_scratch.setSize(15, 15);
    m_scratch.line({0, 0}, {15, 0}, White);
    m_scratch.line({0, 0}, {0, 15}, White);
    m_scratch.line({1, 1}, {13, 13}, m_scratch.backColour(), Surface::LineForm::Box);
    m_scratch.line({14, 1}, {14, 15}, ButtonShadow);
    m_scratch.line({1, 14}, {14, 14}, ButtonShadow);
    m_scratch.line({2, 2}, {12, 12}, colour, Surface::LineForm::FilledBox);
}

void ColourPalette::drawCurrentColours()
{
    drawSwatch(m_colour1);
    m_surface.bitBlt(QRect(3, 4, 15, 15), m_scratch, QPoint(0, 0));
    drawSwatch(m_colour2);
    m_surface.bitBlt(QRect(10, 11, 15, 15), m_scratch, QPoint(0, 0));
    describe();
}

void ColourPalette::drawPalette()
{
    m_surface.clearPicture();

    m_scratch.clearPicture();
    m_scratch.setSize(CellSize, CellSize);
    m_scratch.line({0, 0}, {16, 0}, ButtonShadow);
    m_scratch.line({0, 0}, {0, 16}, ButtonShadow);
    m_scratch.line({15, 0}, {15, 15}, White);
    m_scratch.line({1, 1}, {14, 1}, White);
    m_scratch.line({1, 1}, {1, 14}, White);
    m_scratch.line({0, 15}, {16, 15}, White);

    m_surface.line({0, 0}, {31, 31}, White, Surface::LineForm::Box);
    m_surface.line({0, 0}, {31, 0}, ButtonShadow);
    m_surface.line({0, 0}, {0, 31}, ButtonShadow);
    m_surface.line({1, 1}, {30, 1}, White);
    m_surface.line({1, 30}, {1, 1}, White);
    for (int y = 2; y <= 30; y += 2) {
        for (int x = 2; x <= 30; x += 2)
            m_surface.pset(QPointF(x, y), ButtonFace);
    }
    m_surface.line({30, 1}, {30, 30}, ButtonFace);
    m_surface.line({1, 30}, {30, 30}, ButtonFace);

    int i = 0;
    for (int column = 0; column <= 13; ++column) {
        for (int row = 0; row <= 1; ++row, ++i) {
            m_scratch.line({2, 2}, {13, 13}, m_cellColours[std::size_t(i)],
                           Surface::LineForm::FilledBox);
            m_surface.bitBlt(QRect(32 + CellSize * column, CellSize * row, CellSize, CellSize),
                             m_scratch, QPoint(0, 0));
        }
    }
    drawCurrentColours();
}

void ColourPalette::describe()
{
    setAccessibleDescription(
        QStringLiteral("前景色 %1，背景色 %2").arg(colourText(m_colour1), colourText(m_colour2)));
}

void ColourPalette::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    m_surface.paintScreen(painter, event->rect());
}

void ColourPalette::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        emit enabledChanged(isEnabled());
}

void ColourPalette::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    m_lastCell = static_cast<std::int16_t>(cellAt(at.x(), at.y()));
    if (m_lastCell == -1)
        return;
    switch (event->button()) {
    case Qt::LeftButton:
        m_lastButton = 1;
        break;
    case Qt::RightButton:
        m_lastButton = 2;
        break;
    case Qt::MiddleButton:
        m_lastButton = 4;
        break;
    default:
        m_lastButton = 0;
        break;
    }
    Colour &cell = m_cellColours[std::size_t(m_lastCell)];
    emit itemClicked(&cell, &m_lastButton);
    // A handler that changed the cell's colour sees it on the next full
    // repaint, as with a double-click.
    if (m_lastButton == 1)
        setColour1(cell);
    else
        setColour2(cell);
}

void ColourPalette::mouseDoubleClickEvent(QMouseEvent *)
{
    if (m_lastCell == -1)
        return;
    Colour &cell = m_cellColours[std::size_t(m_lastCell)];
    const Colour c = pickColour(cell, m_openFullColourDialog);
    if (c == NoColour)
        return;
    const ColourChannels channels = splitColour(c);
    cell = rgbColour(channels.red, channels.green, channels.blue);
    drawPalette();
    if (m_lastButton == 1)
        setColour1(c);
    else
        setColour2(c);
}
