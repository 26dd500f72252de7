#pragma once

class QHeaderView;
class QObject;
class QWidget;

// What the skin does with a widget depends on its family, told by its Qt
// class. Kalvo's own controls and everything else not listed fall under Other:
// they keep their own drawing (text boxes and lists get the flat frame).
enum class SkinFamily {
    // A top-level dialog or main window: skinning it skins what it holds.
    Form,
    CommandButton,
    Combo,
    CheckBox,
    OptionButton,
    // A horizontal header; its items are drawn on its viewport.
    Header,
    ProgressBar,
    // The list that a combo drops down.
    DropDownList,
    Other,
};

SkinFamily skinFamilyOf(const QWidget *widget);

// Whether object still is of the Qt class its family's drawing treats it as.
// A widget being destroyed is only its base classes by the time QWidget's
// destructor sends it the last events (a focused button loses the focus
// there), and treating it as its family's class then is undefined behaviour.
bool stillOfFamily(const QObject *object, SkinFamily family);

// The header whose items widget shows, when widget is a skinnable header's
// viewport; null otherwise.
QHeaderView *headerOfViewport(const QObject *widget);
