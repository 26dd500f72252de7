#include "tool_palette.h"

#include "controls/flat_button.h"

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
        connect(button, &FlatButton::Click, this, [this, id = row.id] { emit toolClicked(id); });
        m_buttons[static_cast<std::size_t>(i)] = button;
    }
}

FlatButton *ToolPalette::button(ToolId id) const
{
    return m_buttons[static_cast<std::size_t>(id)];
}

void ToolPalette::showSelected(std::optional<ToolId> id)
{
    for (FlatButton *button : m_buttons) {
        button->setButtonStyle(1);
        button->setForeColor(ButtonText);
        button->setBackColor(ButtonFace);
    }
    if (id) {
        FlatButton *chosen = button(*id);
        chosen->setButtonStyle(2);
        chosen->setForeColor(PureRed);
        chosen->setBackColor(WindowBackground);
    }
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
