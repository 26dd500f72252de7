#pragma once

#include <QImage>
#include <QRect>

// The five small pictures every skinned control is drawn from. They are built
// in code, pixel by pixel; transparent pixels hold the key colour (magenta).
struct SkinImages {
    // Four push button frames of 7 x 21, stacked: normal, hover, pressed,
    // disabled.
    QImage buttonImage;
    // Two drop-down button backgrounds of 4 x 18 (hot, pressed) and two
    // arrows of 7 x 4 (enabled, disabled).
    QImage comboImage;
    // Check marks, indeterminate squares and option dots, enabled and
    // disabled.
    QImage markImage;
    // Four option circles of 13 x 13, stacked: normal, hot, pressed, disabled.
    QImage optionImage;
    // Three header item frames of 3 x 20 side by side: normal, hot, pressed.
    QImage headerImage;

    static SkinImages build();
};

// Where each picture lies within its image.
namespace skinrect {

// state 0 normal, 1 hover, 2 pressed, 3 disabled.
inline QRect button(int state)
{
    return {0, 21 * state, 7, 21};
}
// state 1 hot, 2 pressed or dropped down.
inline QRect comboButton(int state)
{
    return {state == 2 ? 4 : 0, 0, 4, 18};
}
inline QRect comboArrow(bool enabled)
{
    return {8, enabled ? 0 : 4, 7, 4};
}
inline QRect checkMark(bool enabled)
{
    return {enabled ? 0 : 9, 0, 9, 8};
}
inline QRect indeterminate(bool enabled)
{
    return {enabled ? 1 : 10, 9, 7, 7};
}
inline QRect optionDot(bool enabled)
{
    return {enabled ? 2 : 11, 18, 5, 5};
}
// state 0 normal, 1 hot, 2 pressed, 3 disabled.
inline QRect optionCircle(int state)
{
    return {0, 13 * state, 13, 13};
}
// The fill of a hot (1) or pressed (2) check box square.
inline QRect checkFill(int state)
{
    return {1, state == 2 ? 30 : 17, 11, 5};
}
// state 0 normal, 1 hot, 2 pressed.
inline QRect headerItem(int state)
{
    return {3 * state, 0, 3, 20};
}
inline QRect headerBackground()
{
    return {1, 0, 1, 20};
}

} // namespace skinrect
