#include "flat_button.h"

#include "core/numbers.h"
#include "mouse_pointer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Edge flags: the outer ring raised or sunken, the inner ring raised or sunken.
constexpr int RaisedOuter = 1;
constexpr int SunkenOuter = 2;
constexpr int RaisedInner = 4;
constexpr int SunkenInner = 8;

constexpr int IconSize = 16;
constexpr QRgb IconKey = 0xFFFF00FF;
constexpr int CaptionFlags =
    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;

// Read out and listed by its caption, as a push button.
class AccessibleFlatButton : public QAccessibleWidget
{
public:
    explicit AccessibleFlatButton(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return FlatButton::plainCaption(button()->caption());
        return QAccessibleWidget::text(kind);
    }

    // A screen reader or a test tool presses it like a left click.
    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction() && button()->isEnabled())
            emit button()->clicked();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    FlatButton *button() const { return static_cast<FlatButton *>(widget()); }
};

QAccessibleInterface *accessibleFlatButton(const QString &className, QObject *object)
{
    if (className == QLatin1String("FlatButton") && object->isWidgetType())
        return new AccessibleFlatButton(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

FlatButton::FlatButton(QWidget *parent) : QWidget(parent)
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(accessibleFlatButton);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    redraw(false);
}

QString FlatButton::plainCaption(const QString &caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            ++i;
            if (i == caption.size())
                break;
        }
        plain += caption[i];
    }
    return plain;
}

template <typename T> void FlatButton::assign(T &member, const T &value)
{
    member = value;
    redraw(false);
}

void FlatButton::setCaptionAlignment(int alignment)
{
    assign(m_captionAlignment, alignment);
}

void FlatButton::setBackColour(Colour colour)
{
    assign(m_backColour, colour);
}

void FlatButton::setForeColour(Colour colour)
{
    assign(m_foreColour, colour);
}

void FlatButton::setCaption(const QString &caption)
{
    m_caption = caption;
    redraw(false);
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void FlatButton::setShowFocusRect(bool show)
{
    assign(m_showFocusRect, show);
}

void FlatButton::setPicture(const QImage &picture)
{
    assign(m_picture, picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32));
}

void FlatButton::setButtonStyle(int style)
{
    assign(m_buttonStyle, style);
}

bool FlatButton::setMousePointer(int code)
{
    return m_pointer.setCode(*this, code);
}

void FlatButton::setMouseIcon(const QPixmap &icon)
{
    m_pointer.setIcon(*this, icon);
}

int FlatButton::faceScale() const
{
    return std::max(1, qRound(devicePixelRatioF()));
}

void FlatButton::redraw(bool pressed)
{
    const QSize area = size();
    const int scale = faceScale();
    if (m_face.size() != area * scale)
        m_face = QImage(area * scale, QImage::Format_RGB32);
    if (m_face.isNull())
        return;
    m_face.setDevicePixelRatio(scale);
    m_face.fill(toQRgb(m_backColour));

    const int iconTop = static_cast<std::int16_t>((area.height() - IconSize) / 2);
    const bool hasPicture = !m_picture.isNull();

    int edge = 0;
    switch (m_buttonStyle) {
    case 0:
        edge = pressed ? SunkenOuter | SunkenInner : RaisedOuter | RaisedInner;
        break;
    case 1:
        edge = pressed ? SunkenOuter : RaisedInner;
        break;
    case 2:
        edge = pressed ? SunkenOuter : SunkenOuter | RaisedInner;
        break;
    default:
        break;
    }
    drawEdge(edge);

    const int captionTop = iconTop + 2;
    const double width = area.width();
    const double textWidth = QFontMetrics(font()).horizontalAdvance(m_caption);
    int captionLeft = 0;
    switch (m_captionAlignment) {
    case 0:
        captionLeft = hasPicture ? 22 : 6;
        break;
    case 1:
        captionLeft = roundToInt(width - textWidth + (hasPicture ? 6 : 0)) / 2;
        break;
    case 2:
        captionLeft = roundToInt(width - textWidth - 6);
        break;
    default:
        break;
    }

    if (hasPicture) {
        // Each icon pixel becomes a block of whole device pixels.
        const int w = std::min(IconSize, m_picture.width()) * scale;
        const int h = std::min(IconSize, m_picture.height()) * scale;
        const int left = 5 * scale;
        for (int y = 0; y < h; ++y) {
            const int ty = iconTop * scale + y;
            if (ty < 0 || ty >= m_face.height())
                continue;
            const auto *from = reinterpret_cast<const QRgb *>(m_picture.constScanLine(y / scale));
            auto *to = reinterpret_cast<QRgb *>(m_face.scanLine(ty));
            for (int x = 0; x < w && left + x < m_face.width(); ++x) {
                const QRgb pixel = from[x / scale];
                if ((pixel | 0xFF000000) != IconKey)
                    to[left + x] = pixel;
            }
        }
    }
    drawCaption(captionLeft, captionTop, m_caption, isEnabled(), m_foreColour);
    if (m_focus && m_keyboardFocus)
        invertFocusRect();
    update();
}

void FlatButton::drawEdge(int edge)
{
    const QPalette &p = palette();
    const QColor light = p.color(QPalette::Light);
    const QColor midlight = p.color(QPalette::Midlight);
    const QColor dark = p.color(QPalette::Dark);
    const QColor shadow = p.color(QPalette::Shadow);
    QPainter painter(&m_face);
    const int w = width();
    const int h = height();
    // One ring inset by k: the first colour on the top and left, the second
    // on the bottom and right. Rectangles rather than lines, so that a ring is
    // whole device pixels wide at any scale.
    // A side with no room left in a tiny button is not drawn.
    auto side = [&](const QRect &r, const QColor &colour) {
        if (r.isValid())
            painter.fillRect(r, colour);
    };
    auto ring = [&](int k, const QColor &topLeft, const QColor &bottomRight) {
        side(QRect(k, k, w - 1 - 2 * k, 1), topLeft);
        side(QRect(k, k, 1, h - 1 - 2 * k), topLeft);
        side(QRect(k, h - 1 - k, w - 2 * k, 1), bottomRight);
        side(QRect(w - 1 - k, k, 1, h - 2 * k), bottomRight);
    };
    int k = 0;
    if (edge & RaisedOuter)
        ring(k++, midlight, shadow);
    else if (edge & SunkenOuter)
        ring(k++, dark, light);
    if (edge & RaisedInner)
        ring(k, light, dark);
    else if (edge & SunkenInner)
        ring(k, shadow, midlight);
}

int FlatButton::inkTop(const QString &text, int scale)
{
    if (text != m_ink.text || font() != m_ink.font || scale != m_ink.scale) {
        const QFontMetrics metrics(font());
        const QSize line(metrics.horizontalAdvance(text) + metrics.height(), metrics.height() * 2);
        QImage scratch(line * scale, QImage::Format_ARGB32_Premultiplied);
        scratch.setDevicePixelRatio(scale);
        scratch.fill(Qt::transparent);
        {
            QPainter painter(&scratch);
            painter.setFont(font());
            painter.setPen(Qt::black);
            painter.drawText(QRect(QPoint(0, 0), line), CaptionFlags, text);
        }
        // No ink at all (a blank caption): the line's own top.
        int top = 0;
        for (int y = 0; y < scratch.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
            if (std::any_of(row, row + scratch.width(), [](QRgb p) { return qAlpha(p) != 0; })) {
                top = y;
                break;
            }
        }
        m_ink = {text, font(), scale, top};
    }
    return m_ink.top;
}

void FlatButton::drawCaption(int x, int y, const QString &text, bool enabled, Colour colour)
{
    if (m_face.isNull())
        return;
    QPainter painter(&m_face);
    painter.setFont(font());
    // y is where the glyphs' ink starts, not the top of the font's line: a
    // face made for Chinese has a tall line with room above its glyphs, which
    // would push them out of a low button.
    const int scale = faceScale();
    painter.translate(0, -static_cast<double>(inkTop(text, scale)) / scale);
    const QRect box(x, y, std::max(width(), 1) * 4, std::max(height(), 1) * 4);
    if (enabled) {
        painter.setPen(QColor::fromRgb(toQRgb(colour)));
        painter.drawText(box, CaptionFlags, text);
        return;
    }
    // Embossed: a light copy one pixel down and right under a shadowed one.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(box.translated(1, 1), CaptionFlags, text);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(box, CaptionFlags, text);
}

void FlatButton::drawFocus()
{
    // With the keyboard's focus the rectangle is on the face already.
    if (!m_focus || !m_showFocusRect || m_keyboardFocus || m_face.isNull())
        return;
    invertFocusRect();
}

void FlatButton::invertFocusRect()
{
    if (m_face.isNull())
        return;
    const int right = roundToInt(width() - 3.0);
    const int bottom = roundToInt(height() - 3.0);
    const int scale = faceScale();
    // Every other pixel of the outline, inverted, so a second pass removes it.
    auto invert = [this, scale](int x, int y) {
        for (int dy = 0; dy < scale; ++dy) {
            const int fy = y * scale + dy;
            for (int dx = 0; dx < scale; ++dx) {
                const int fx = x * scale + dx;
                if (fx < 0 || fy < 0 || fx >= m_face.width() || fy >= m_face.height())
                    continue;
                reinterpret_cast<QRgb *>(m_face.scanLine(fy))[fx] ^= 0x00FFFFFF;
            }
        }
    };
    int step = 0;
    for (int x = 3; x < right; ++x, ++step) {
        if (step % 2 == 0)
            invert(x, 3);
    }
    for (int y = 4; y < bottom; ++y, ++step) {
        if (step % 2 == 0)
            invert(right - 1, y);
    }
    for (int x = right - 2; x >= 3; --x, ++step) {
        if (step % 2 == 0)
            invert(x, bottom - 1);
    }
    for (int y = bottom - 2; y > 3; --y, ++step) {
        if (step % 2 == 0)
            invert(3, y);
    }
    update();
}

void FlatButton::paintEvent(QPaintEvent *event)
{
    const int scale = faceScale();
    if (m_face.size() != size() * scale)
        redraw(false);
    const QRect area = event->rect();
    QPainter painter(this);
    painter.drawImage(area, m_face, QRect(area.topLeft() * scale, area.size() * scale));
}

void FlatButton::resizeEvent(QResizeEvent *)
{
    redraw(false);
}

void FlatButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange ||
        event->type() == QEvent::PaletteChange)
        redraw(false);
}

namespace {

// The focus leaves for another window or a popup and comes back as it left.
bool awayAndBack(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

void FlatButton::focusInEvent(QFocusEvent *event)
{
    m_focus = true;
    if (!awayAndBack(event->reason()))
        m_keyboardFocus =
            event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (m_keyboardFocus)
        redraw(false);
}

void FlatButton::focusOutEvent(QFocusEvent *event)
{
    m_focus = false;
    if (!awayAndBack(event->reason()))
        m_keyboardFocus = false;
    redraw(false);
}

void FlatButton::mousePressEvent(QMouseEvent *event)
{
    m_lastButton = event->button();
    m_clickPending = true;
    if (m_lastButton == Qt::LeftButton) {
        redraw(true);
        m_focus = true;
        drawFocus();
    }
}

void FlatButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_lastButton == Qt::LeftButton) {
        redraw(false);
        drawFocus();
    }
    const bool over = rect().contains(event->position().toPoint());
    if (m_clickPending && over && m_lastButton == Qt::LeftButton)
        emit clicked();
    m_clickPending = false;
}

void FlatButton::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double-click completes no click.
    m_clickPending = false;
}
