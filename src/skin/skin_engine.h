#pragma once

#include "button_painter.h"
#include "skin_family.h"
#include "skin_images.h"

#include <QList>
#include <QObject>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

class QComboBox;
class QHeaderView;
class QPoint;
class QWidget;

// The engine behind Skin: one per process. It is the event filter of
// every skinned widget; another filter on the application takes over new
// windows as Qt polishes them.
class SkinEngine : public QObject
{
    Q_OBJECT

public:
    static SkinEngine &instance();
    ~SkinEngine() override;

    int install(QWidget *window);
    int skinWindow(QWidget *window);
    int unskinWindow(QWidget *window);
    void refreshMarks(QWidget *window);
    int skinnedCount() const { return m_count; }
    const SkinImages *images() const { return m_images ? &*m_images : nullptr; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A push button's four prepared state images and what it shows now: each
    // fade step blends a state image onto the shown one.
    struct ButtonFace {
        ButtonLook look;
        std::array<QImage, 4> states;
        QImage shown;
    };
    struct Skinned {
        SkinFamily family = SkinFamily::Other;
        std::unique_ptr<ButtonFace> face;
        // Header items drawn in a state of their own since the pointer
        // entered the header: item -> 0 normal, 1 hot, 2 pressed.
        std::map<int, int> headerLooks;
    };
    class Watcher;

    SkinEngine() = default;

    // The widgets inside a form, those of other windows it owns left out.
    static QList<QWidget *> controlsOf(QWidget *form);
    // Takes over a widget Qt is polishing, when it belongs to the skin.
    void takeOver(QWidget *widget);
    // A skinned widget is being destroyed: its timer stops and it is counted
    // out. Nothing of the widget but its QObject part is left.
    void forget(QObject *object);
    void countOut();
    // Lets the widget handle event itself, bypassing this filter.
    void passOn(QObject *watched, QEvent *event);
    // After a left button release: every check box and option button beside
    // widget shows its mark again.
    void refreshAround(QWidget *widget);

    // --- Push buttons (skin_button.cpp)
    void skinButton(QWidget *button);
    void unskinButton(QWidget *button);
    bool buttonEvent(QWidget *button, Skinned &skinned, QEvent *event);
    void buttonMouseMove(QWidget *button, Skinned &skinned, QPoint at);
    // The state images, rendered again when what they show changed; snap puts
    // the shown image straight to the current state after a change.
    ButtonFace &face(QWidget *button, Skinned &skinned, bool snap);
    // Blends the current state's image at "ALPHALEVEL" onto the shown one;
    // drawButtonState repaints the button too.
    void blendState(QWidget *button, Skinned &skinned);
    void drawButtonState(QWidget *button, Skinned &skinned);
    void drawAtOnce(QWidget *button, Skinned &skinned);
    void fadeTick(QWidget *button, Skinned &skinned);
    void startFade(QWidget *button);
    void stopFade(QWidget *button);
    void paintButton(QWidget *button, Skinned &skinned);

    // --- Combos, check boxes, option buttons (skin_marks.cpp)
    bool comboEvent(QComboBox *combo, QEvent *event);
    void comboMouseMove(QComboBox *combo, QPoint at, bool leftDown);
    void drawComboButton(QComboBox *combo, int state, bool force);
    void paintCombo(QComboBox *combo);
    bool markEvent(QWidget *button, bool option, QEvent *event);
    int drawCheckBox(QWidget *box, int state, bool force);
    int drawOptionButton(QWidget *option, int state, bool force);
    // Stores state as the one drawn and repaints the square or circle, unless
    // it is the state drawn already and force is false; 1 when it repaints.
    int drawMark(QWidget *button, bool option, int state, bool force);
    void paintCheckBox(QWidget *box, QEvent *event);
    void paintOptionButton(QWidget *option);

    // --- Headers, progress bars, frames (skin_frames.cpp)
    void skinHeader(QHeaderView *header);
    void unskinHeader(QHeaderView *header);
    bool headerEvent(QHeaderView *header, Skinned &skinned, QEvent *event);
    void headerMouseMove(QHeaderView *header, Skinned &skinned, int x, bool leftDown);
    void drawHeaderItem(QHeaderView *header, Skinned &skinned, int index, int state);
    void paintHeader(QHeaderView *header, Skinned &skinned);
    void paintProgressBar(QWidget *bar);
    bool otherEvent(QWidget *widget, QEvent *event);
    bool dropDownEvent(QWidget *list, QEvent *event);

    std::unordered_map<const QObject *, Skinned> m_skinned;
    int m_count = 0;
    std::optional<SkinImages> m_images;
    std::unique_ptr<Watcher> m_watcher;
    // The widget whose event is being passed on, which this filter lets by.
    QObject *m_passing = nullptr;
};

// The per-widget values, as dynamic properties under these names.
namespace skinprop {

inline constexpr char PROCADDR[] = "PROCADDR";
inline constexpr char OLDSTATE[] = "OLDSTATE";
inline constexpr char ALPHALEVEL[] = "ALPHALEVEL";
inline constexpr char TIMERID[] = "TIMERID";
inline constexpr char MOUSEFLAG[] = "MOUSEFLAG";
inline constexpr char HDINDEX[] = "HDINDEX";
inline constexpr char HMINDEX[] = "HMINDEX";

// 0 when the property is not set.
int get(const QObject *object, const char *name);
void set(QObject *object, const char *name, int value);
void remove(QObject *object, const char *name);

} // namespace skinprop

// Positions and buttons of the pointer events the families follow.
namespace skinevent {

// Whether event moves the pointer over the widget (a move, a hover move or
// the pointer entering); at receives where.
bool isPointerMove(const QEvent *event, QPoint &at);
// Whether the left button is held during the move event.
bool leftHeld(const QEvent *event);
// A press, double-click or release of the left button; at receives where.
bool isLeft(const QEvent *event, QPoint &at);
// A press or release of Space (its auto-repeated releases left out).
bool isSpace(const QEvent *event);

} // namespace skinevent
