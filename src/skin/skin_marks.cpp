// Combos, check boxes and option buttons: hot and pressed looks drawn over
// Qt's own behaviour.
#include "control_painters.h"
#include "nine_grid.h"
#include "skin_colours.h"
#include "skin_engine.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

using namespace skinprop;

namespace {

// The width of a combo's drop-down button: a vertical scroll bar's and one.
int comboButtonWidth(const QComboBox *combo)
{
    return combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo) + 1;
}

QRect comboButtonRect(const QComboBox *combo)
{
    const int width = comboButtonWidth(combo);
    return {combo->width() - width - 1, 1, width, combo->height() - 2};
}

// Whether the combo's list is dropped down (its popup window is showing).
bool droppedDown(const QComboBox *combo)
{
    const auto children = combo->children();
    for (const QObject *child : children) {
        if (child->isWidgetType()) {
            const auto *widget = static_cast<const QWidget *>(child);
            if (widget->isWindow() && widget->isVisible())
                return true;
        }
    }
    return false;
}

// Whether at lies on an editable combo's drop-down button (its button zone).
bool inButtonZone(const QComboBox *combo, QPoint at)
{
    const int v = comboButtonWidth(combo) - 1;
    const int w = combo->width(), h = combo->height();
    return at.x() >= w - v - 2 && at.x() <= w - 2 && at.y() >= 2 && at.y() <= h - 2;
}

QStyleOptionButton buttonOption(const QWidget *widget)
{
    const auto *button = static_cast<const QAbstractButton *>(widget);
    QStyleOptionButton option;
    option.initFrom(widget);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    option.state |= button->isChecked() ? QStyle::State_On : QStyle::State_Off;
    if (button->isDown())
        option.state |= QStyle::State_Sunken;
    return option;
}

QRect indicatorRect(const QWidget *widget, bool option)
{
    const QStyleOptionButton style = buttonOption(widget);
    return widget->style()->subElementRect(
        option ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &style, widget);
}

} // namespace

// --- Combos

void SkinEngine::drawComboButton(QComboBox *combo, int state, bool force)
{
    if (droppedDown(combo))
        state = 2;
    if (state == get(combo, OLDSTATE) && !force)
        return;
    set(combo, OLDSTATE, state);
    combo->update(comboButtonRect(combo));
}

void SkinEngine::comboMouseMove(QComboBox *combo, QPoint at, bool leftDown)
{
    set(combo, MOUSEFLAG, 1);
    int state = leftDown ? 2 : 1;
    // On an editable combo only the button zone lights up.
    if (combo->isEditable() && !inButtonZone(combo, at))
        state = 0;
    drawComboButton(combo, state, false);
}

void SkinEngine::paintCombo(QComboBox *combo)
{
    const int state = droppedDown(combo) ? 2 : get(combo, OLDSTATE);
    set(combo, OLDSTATE, state);
    QPainter painter(combo);
    DrawLogical(painter, QPoint(0, 0),
                composeComboFace(*m_images, combo->size(), comboButtonWidth(combo), state,
                                 combo->isEnabled()));
    if (combo->isEditable())
        return; // its text box draws the text
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    option.frame = combo->hasFrame();
    option.currentText = combo->currentText();
    option.currentIcon = combo->itemIcon(combo->currentIndex());
    option.iconSize = combo->iconSize();
    option.subControls = QStyle::SC_All;
    // The text's own box, one pixel wider to the left to leave it a margin.
    const QRect field =
        combo->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
            .adjusted(-1, 0, 0, 0) &
        QRect(3, 3, comboButtonRect(combo).left() - 4, combo->height() - 6);
    // The chosen text is highlighted while the list has the keyboard.
    const bool highlighted = combo->hasFocus() && state != 2;
    const QColor text =
        option.palette.color(highlighted ? QPalette::HighlightedText : QPalette::Text);
    if (highlighted)
        painter.fillRect(field, option.palette.color(QPalette::Highlight));
    // Whichever role the style reads the text colour from.
    for (const auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        option.palette.setColor(role, text);
    painter.setPen(text);
    painter.setClipRect(field);
    combo->style()->drawControl(QStyle::CE_ComboBoxLabel, &option, &painter, combo);
}

bool SkinEngine::comboEvent(QComboBox *combo, QEvent *event)
{
    QPoint at;
    if (skinevent::isPointerMove(event, at)) {
        comboMouseMove(combo, at, skinevent::leftHeld(event));
        return false;
    }
    if (skinevent::isLeft(event, at)) {
        if (event->type() == QEvent::MouseButtonRelease)
            drawComboButton(combo, combo->rect().contains(at) ? 1 : 0, false);
        else if (!combo->isEditable() || inButtonZone(combo, at))
            drawComboButton(combo, 2, false);
        return false;
    }
    switch (event->type()) {
    case QEvent::Leave:
        set(combo, MOUSEFLAG, 0);
        drawComboButton(combo, 0, false);
        return false;
    case QEvent::Move:
        drawComboButton(combo, 0, false);
        return false;
    case QEvent::Paint:
        if (!m_images)
            return false;
        paintCombo(combo);
        return true;
    default:
        return false;
    }
}

bool SkinEngine::dropDownEvent(QWidget *list, QEvent *event)
{
    if (event->type() == QEvent::Hide) {
        // The list closed: its combo's button leaves the dropped-down look.
        auto *combo = qobject_cast<QComboBox *>(list->parentWidget());
        if (combo && m_skinned.count(combo) != 0)
            drawComboButton(combo, 0, false);
        return false;
    }
    if (event->type() != QEvent::Paint || !m_images)
        return false;
    passOn(list, event);
    QPainter painter(list);
    const QRect all = list->rect();
    FrameBox(painter, all, skin::frameColour(list->isEnabled()));
    FrameBox(painter, all.adjusted(1, 1, -1, -1), skin::White);
    return true;
}

// --- Check boxes and option buttons

int SkinEngine::drawCheckBox(QWidget *box, int state, bool force)
{
    return drawMark(box, false, state, force);
}

int SkinEngine::drawOptionButton(QWidget *option, int state, bool force)
{
    return drawMark(option, true, state, force);
}

int SkinEngine::drawMark(QWidget *button, bool option, int state, bool force)
{
    if (state == get(button, OLDSTATE) && !force)
        return 0;
    set(button, OLDSTATE, state);
    button->update(indicatorRect(button, option));
    return 1;
}

void SkinEngine::paintCheckBox(QWidget *box, QEvent *event)
{
    // Qt draws the caption and focus; the square goes over its own.
    passOn(box, event);
    const auto *check = static_cast<const QCheckBox *>(box);
    const int mark = check->checkState() == Qt::Checked            ? 1
                     : check->checkState() == Qt::PartiallyChecked ? 2
                                                                   : 0;
    const QRect square = indicatorRect(box, false);
    QPainter painter(box);
    DrawLogical(
        painter, square.topLeft(),
        composeCheckBox(*m_images, square.size(), get(box, OLDSTATE), mark, box->isEnabled()));
}

void SkinEngine::paintOptionButton(QWidget *option)
{
    // Drawn whole: Qt's own circle would show around the skin's.
    const QStyleOptionButton style = buttonOption(option);
    const QRect circle = indicatorRect(option, true);
    QPainter painter(option);
    DrawLogical(painter, circle.topLeft(),
                composeOptionButton(*m_images, circle.size(), get(option, OLDSTATE),
                                    static_cast<QAbstractButton *>(option)->isChecked(),
                                    option->isEnabled()));
    QStyleOptionButton label = style;
    label.rect = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
    option->style()->drawControl(QStyle::CE_RadioButtonLabel, &label, &painter, option);
    if (option->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(style);
        focus.rect =
            option->style()->subElementRect(QStyle::SE_RadioButtonFocusRect, &style, option);
        option->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, option);
    }
}

bool SkinEngine::markEvent(QWidget *button, bool option, QEvent *event)
{
    auto draw = [&](int state, bool force) {
        return option ? drawOptionButton(button, state, force) : drawCheckBox(button, state, force);
    };
    QPoint at;
    if (skinevent::isPointerMove(event, at)) {
        set(button, MOUSEFLAG, 1);
        draw(skinevent::leftHeld(event) ? 2 : 1, true);
        return false;
    }
    if (skinevent::isLeft(event, at)) {
        draw(event->type() == QEvent::MouseButtonRelease ? 0 : 2, false);
        return false;
    }
    if (skinevent::isSpace(event)) {
        draw(event->type() == QEvent::KeyPress ? 2 : 0, false);
        return false;
    }
    switch (event->type()) {
    case QEvent::Leave:
        set(button, MOUSEFLAG, 0);
        draw(0, false);
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (option)
            draw(0, true);
        return false;
    case QEvent::Paint:
        if (!m_images)
            return false;
        if (option)
            paintOptionButton(button);
        else
            paintCheckBox(button, event);
        return true;
    default:
        return false;
    }
}
