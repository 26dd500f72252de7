// Headers, progress bars and the flat frames of text boxes and lists.
#include "control_painters.h"
#include "nine_grid.h"
#include "skin_colours.h"
#include "skin_engine.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QStyleOption>

#include <algorithm>

using namespace skinprop;

namespace {

// The item whose span holds x, the first one when two touch; -1 for none.
int itemAt(const QHeaderView *header, int x)
{
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i))
            continue;
        const int left = header->sectionViewportPosition(i);
        if (left <= x && x <= left + header->sectionSize(i))
            return i;
    }
    return -1;
}

QRect itemRect(const QHeaderView *header, int index)
{
    return {header->sectionViewportPosition(index), 0, header->sectionSize(index),
            header->viewport()->height()};
}

QString itemText(const QHeaderView *header, int index)
{
    if (!header->model())
        return {};
    QString text =
        header->model()->headerData(index, Qt::Horizontal, Qt::DisplayRole).toString().left(255);
    text.remove(QChar(0));
    return text;
}

// The width of a sunken frame the skin flattens, or 0 when the widget has
// none: framed lists and text views, and framed text boxes.
int sunkenBorder(const QWidget *widget)
{
    if (const auto *area = qobject_cast<const QAbstractScrollArea *>(widget)) {
        return area->frameShape() != QFrame::NoFrame && area->frameShadow() == QFrame::Sunken
                   ? area->frameWidth()
                   : 0;
    }
    if (const auto *box = qobject_cast<const QLineEdit *>(widget)) {
        if (!box->hasFrame())
            return 0;
        QStyleOptionFrame option;
        option.initFrom(box);
        return box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    }
    return 0;
}

// The colour the widget's text area is cleared with.
QColor backgroundOf(const QWidget *widget)
{
    if (const auto *area = qobject_cast<const QAbstractScrollArea *>(widget))
        widget = area->viewport();
    return widget->palette().color(widget->backgroundRole());
}

} // namespace

// --- Headers

void SkinEngine::skinHeader(QHeaderView *header)
{
    set(header, MOUSEFLAG, 0);
    set(header, HDINDEX, -1);
    set(header, HMINDEX, -1);
    header->viewport()->installEventFilter(this);
}

void SkinEngine::unskinHeader(QHeaderView *header)
{
    for (const char *name : {MOUSEFLAG, HDINDEX, HMINDEX})
        remove(header, name);
    header->viewport()->removeEventFilter(this);
    header->viewport()->update();
}

void SkinEngine::drawHeaderItem(QHeaderView *header, Skinned &skinned, int index, int state)
{
    if (index < 0)
        return;
    skinned.headerLooks[index] = state;
    header->viewport()->update(itemRect(header, index));
}

void SkinEngine::headerMouseMove(QHeaderView *header, Skinned &skinned, int x, bool leftDown)
{
    set(header, MOUSEFLAG, 1);
    const int item = itemAt(header, x);
    const int hot = get(header, HMINDEX);
    const int pressed = get(header, HDINDEX);
    if (item == hot)
        return;
    if (hot >= 0 && hot != pressed)
        drawHeaderItem(header, skinned, hot, 0);
    if (!leftDown) {
        set(header, HMINDEX, item);
        drawHeaderItem(header, skinned, item, 1);
    } else if (item == pressed) {
        drawHeaderItem(header, skinned, item, 2);
    }
}

void SkinEngine::paintHeader(QHeaderView *header, Skinned &skinned)
{
    QWidget *viewport = header->viewport();
    const int pressed = get(header, HDINDEX);
    const int hot = get(header, HMINDEX);
    std::vector<HeaderItem> items;
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i))
            continue;
        const auto drawn = skinned.headerLooks.find(i);
        const int state = drawn != skinned.headerLooks.end() ? drawn->second
                          : i == pressed                     ? 2
                          : i == hot                         ? 1
                                                             : 0;
        items.push_back({header->sectionViewportPosition(i), header->sectionSize(i),
                         itemText(header, i), state});
    }
    QPainter painter(viewport);
    painter.drawImage(QPoint(0, 0),
                      composeHeader(*m_images, viewport->size(), viewport->devicePixelRatioF(),
                                    header->font(), header->palette().color(QPalette::ButtonText),
                                    items));
}

bool SkinEngine::headerEvent(QHeaderView *header, Skinned &skinned, QEvent *event)
{
    QPoint at;
    if (skinevent::isPointerMove(event, at)) {
        headerMouseMove(header, skinned, at.x(), skinevent::leftHeld(event));
        return false;
    }
    if (skinevent::isLeft(event, at)) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const int old = get(header, HDINDEX);
            set(header, HDINDEX, -1);
            if (old >= 0)
                drawHeaderItem(header, skinned, old,
                               header->viewport()->rect().contains(at) ? 1 : 0);
            refreshAround(header);
        } else {
            const int item = itemAt(header, at.x());
            set(header, HDINDEX, item);
            drawHeaderItem(header, skinned, item, 2);
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::Leave: {
        const int old = get(header, HMINDEX);
        set(header, MOUSEFLAG, 0);
        set(header, HDINDEX, -1);
        set(header, HMINDEX, -1);
        drawHeaderItem(header, skinned, old, 0);
        // Nothing is hot or pressed now: every item is back to normal.
        skinned.headerLooks.clear();
        return false;
    }
    case QEvent::Paint:
        if (!m_images)
            return false;
        paintHeader(header, skinned);
        return true;
    default:
        return false;
    }
}

// --- Progress bars

void SkinEngine::paintProgressBar(QWidget *bar)
{
    const auto *progress = static_cast<const QProgressBar *>(bar);
    const int range = progress->maximum() - progress->minimum();
    const double fraction =
        range > 0 ? static_cast<double>(progress->value() - progress->minimum()) / range : 0.0;
    QPainter painter(bar);
    DrawLogical(painter, QPoint(0, 0),
                composeProgressBar(bar->size(), std::clamp(fraction, 0.0, 1.0),
                                   progress->orientation() == Qt::Vertical));
}

// --- Everything else

bool SkinEngine::otherEvent(QWidget *widget, QEvent *event)
{
    if (event->type() != QEvent::Paint || !m_images)
        return false;
    const int border = sunkenBorder(widget);
    if (border <= 0)
        return false;
    passOn(widget, event);
    // A one-pixel skin frame, the text area's colour inside it.
    QPainter painter(widget);
    const QRect all = widget->rect();
    FrameBox(painter, all, skin::frameColour(widget->isEnabled()));
    const QColor inside = backgroundOf(widget);
    for (int d = 1; d <= border; ++d)
        FrameBox(painter, all.adjusted(d, d, -d, -d), inside.rgb());
    return true;
}
