#include "tool_palette.h"

#include "controls/flat_button.h"
#include "tool_icons.h"

#include <QKeyEvent>

#include <algorithm>
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
    setTabStop(0);
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
        setTabStop(index);
    }
}

void ToolPalette::setTabStop(int index)
{
    // A click still focuses any button, as it always has.
    for (int i = 0; i < ToolCount; ++i)
        cmdtool[static_cast<std::size_t>(i)]->setFocusPolicy(i == index ? Qt::StrongFocus
                                                                        : Qt::ClickFocus);
}

int ToolPalette::focusedIndex() const
{
    const auto found = std::find(cmdtool.begin(), cmdtool.end(), focusWidget());
    return found != cmdtool.end() && (*found)->hasFocus()
               ? static_cast<int>(found - cmdtool.begin())
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
    setTabStop(next);
    button(next)->setFocus(Qt::TabFocusReason);
    emit toolClicked(next);
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
