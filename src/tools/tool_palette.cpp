#include "tool_palette.h"

#include "controls/flat_button.h"
#include "tool_icons.h"

#include <array>

namespace {

const std::array<const char *, ToolCount> Captions{
    "选定",   "铅笔",     "直线",     "星形",         "矩形",       "实心矩形", "圆形", "实心圆形",
    "椭圆形", "实心椭圆", "圆角矩形", "实心圆角矩形", "用颜色填充", "喷枪",     "曲线", "多边形",
    "画笔",   "橡皮擦",   "取色",     "克隆",         "渐变",       "文字"};

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
    for (int i = 0; i < ToolCount; ++i) {
        auto *button = new FlatButton(this);
        button->setObjectName(QStringLiteral("cmdtool"));
        button->setProperty("index", i);
        button->setFont(captionFont);
        button->setCaption(caption(i));
        button->setAccessibleName(caption(i));
        button->setPicture(toolIcon(i));
        // Caption after the icon: centred captions would wander from row to row.
        button->setCaptionAlignment(0);
        button->setShowFocusRect(false);
        button->setGeometry(0, i * ButtonHeight, width(), ButtonHeight);
        connect(button, &FlatButton::Click, this, [this, i] { emit toolClicked(i); });
        cmdtool[static_cast<std::size_t>(i)] = button;
    }
}

QString ToolPalette::caption(int index)
{
    if (index < 0 || index >= ToolCount)
        return {};
    return QString::fromUtf8(Captions[static_cast<std::size_t>(index)]);
}

FlatButton *ToolPalette::button(int index) const
{
    if (index < 0 || index >= ToolCount)
        return nullptr;
    return cmdtool[static_cast<std::size_t>(index)];
}

void ToolPalette::showSelected(int index)
{
    for (FlatButton *button : cmdtool) {
        button->setButtonStyle(1);
        button->setForeColor(ButtonText);
        button->setBackColor(ButtonFace);
    }
    if (FlatButton *chosen = button(index)) {
        chosen->setButtonStyle(2);
        chosen->setForeColor(PureRed);
        chosen->setBackColor(WindowBackground);
    }
}

void ToolPalette::resizeEvent(QResizeEvent *)
{
    for (FlatButton *button : cmdtool)
        button->resize(width(), ButtonHeight);
}

QSize ToolPalette::sizeHint() const
{
    return {width(), ToolCount * ButtonHeight};
}
