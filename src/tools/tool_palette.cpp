#include "tool_palette.h"

#include "controls/flat_button.h"

#include <QKeyEvent>

#include <algorithm>
#include <array>

namespace {

constexpr Colour PureRed = 0x000000FF;

} // namespace

ToolPalette::ToolPalette(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ToolPalette"));
    // Captions are Chinese: a face made for them, small enough that a line
    // sits within a button beside its 16-pixel icon.
    QFont captionFont = font();
    captionFont.setFamilies(QStringList{QStringLiteral("Noto Sans CJK SC")} + font().families());
    captionFont.setPixelSize(12);
    for (const ToolRow &row : toolTable()) {
        const int i = static_cast<int>(row.id);
        auto *button = new FlatButton(this);
        button->setObjectName(QStringLiteral("cmdtool"));
        button->setProperty("index", i);
        button->setFont(captionFont);
        button->setCaption(row.captionText());
        button->setAccessibleName(row.captionText());
        button->setPicture(row.icon());
        // Caption after the icon: centred captions would wander from row to row.
        button->setCaptionAlignment(0);
        button->setShowFocusRect(false);
        button->setGeometry(0, i * ButtonHeight, width(), ButtonHeight);
        connect(button, &FlatButton::clicked, this, [this, id = row.id] { emit toolClicked(id); });
        m_buttons[static_cast<std::size_t>(i)] = button;
    }
    setTabStop(0);
}

FlatButton *ToolPalette::button(ToolId id) const
{
    return m_buttons[static_cast<std::size_t>(id)];
}

void ToolPalette::showSelected(std::optional<ToolId> id)
{
    for (FlatButton *button : m_buttons) {
        button->setButtonStyle(1);
        button->setForeColour(ButtonText);
        button->setBackColour(ButtonFace);
    }
    if (id) {
        FlatButton *chosen = button(*id);
        chosen->setButtonStyle(2);
        chosen->setForeColour(PureRed);
        chosen->setBackColour(WindowBackground);
        setTabStop(static_cast<int>(*id));
    }
}

void ToolPalette::setTabStop(int index)
{
    // A click still focuses any button, as it always has.
    for (int i = 0; i < ToolCount; ++i)
        m_buttons[static_cast<std::size_t>(i)]->setFocusPolicy(i == index ? Qt::StrongFocus
                                                                          : Qt::ClickFocus);
}

int ToolPalette::focusedIndex() const
{
    const auto found = std::find(m_buttons.begin(), m_buttons.end(), focusWidget());
    return found != m_buttons.end() && (*found)->hasFocus()
               ? static_cast<int>(found - m_buttons.begin())
               : -1;
}

void ToolPalette::keyPressEvent(QKeyEvent *event)
{
    const int focused = focusedIndex();
    // The arrows of the number pad (without Num Lock) are arrows too.
    if (focused < 0 || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    int next = focused;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        next = std::max(0, focused - 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        next = std::min(ToolCount - 1, focused + 1);
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = ToolCount - 1;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const bool choose = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                        event->key() == Qt::Key_Enter;
    if (!choose && next == focused)
        return; // at the end of the column
    // The focus first, so that a hint box the choice opens gives it back here.
    // The column is the tool table's order.
    setTabStop(next);
    button(ToolId(next))->setFocus(Qt::TabFocusReason);
    emit toolClicked(ToolId(next));
}

void ToolPalette::resizeEvent(QResizeEvent *)
{
    for (FlatButton *button : m_buttons)
        button->resize(width(), ButtonHeight);
}

QSize ToolPalette::sizeHint() const
{
    return {width(), ToolCount * ButtonHeight};
}
