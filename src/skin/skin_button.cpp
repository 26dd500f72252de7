// Push buttons: four prepared state images, hover, press and fades.
#include "skin_engine.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QTimerEvent>

#include <algorithm>

using namespace skinprop;

namespace {

constexpr int FadePeriod = 15;
constexpr int FadeStep = 3;

// The button without its four corner pixels, so that it reads as rounded
// over whatever lies behind it.
QRegion roundedRegion(QSize size)
{
    QRegion region(QRect(QPoint(0, 0), size));
    if (size.width() < 3 || size.height() < 3)
        return region;
    const int right = size.width() - 1, bottom = size.height() - 1;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        region -= QRegion(QRect(corner, QSize(1, 1)));
    return region;
}

ButtonLook lookOf(const QWidget *button)
{
    const auto *push = static_cast<const QPushButton *>(button);
    return {button->size(), button->devicePixelRatioF(), push->text(), button->font(),
            button->hasFocus()};
}

} // namespace

void SkinEngine::skinButton(QWidget *button)
{
    set(button, MOUSEFLAG, 0);
    set(button, TIMERID, 0);
    set(button, OLDSTATE, button->isEnabled() ? 0 : 3);
    set(button, ALPHALEVEL, 0);
    button->setMask(roundedRegion(button->size()));
    // The state images are drawn when first needed: a dialog is skinned
    // before its layout has given the buttons their sizes.
}

void SkinEngine::unskinButton(QWidget *button)
{
    stopFade(button);
    for (const char *name : {OLDSTATE, MOUSEFLAG, TIMERID, ALPHALEVEL})
        remove(button, name);
    button->clearMask();
}

SkinEngine::ButtonFace &SkinEngine::face(QWidget *button, Skinned &skinned, bool snap)
{
    if (!skinned.face)
        skinned.face = std::make_unique<ButtonFace>();
    ButtonFace &prepared = *skinned.face;
    const ButtonLook look = lookOf(button);
    if (look == prepared.look && !prepared.shown.isNull())
        return prepared;
    // What the button shows changed (or it was never drawn): new state images.
    prepared.look = look;
    prepared.states = RenderButtonStates(*m_images, look);
    const int state = std::clamp(get(button, OLDSTATE), 0, 3);
    if (snap || prepared.shown.size() != prepared.states[0].size())
        prepared.shown = prepared.states[static_cast<std::size_t>(state)].copy();
    return prepared;
}

void SkinEngine::blendState(QWidget *button, Skinned &skinned)
{
    if (!button->isEnabled())
        set(button, OLDSTATE, 3);
    if (!m_images)
        return;
    ButtonFace &prepared = face(button, skinned, true);
    const int state = std::clamp(get(button, OLDSTATE), 0, 3);
    BlendConstant(prepared.shown, prepared.states[static_cast<std::size_t>(state)],
                  get(button, ALPHALEVEL));
}

void SkinEngine::drawButtonState(QWidget *button, Skinned &skinned)
{
    blendState(button, skinned);
    if (get(button, ALPHALEVEL) > 0)
        button->update();
}

void SkinEngine::drawAtOnce(QWidget *button, Skinned &skinned)
{
    set(button, ALPHALEVEL, 255);
    drawButtonState(button, skinned);
    set(button, ALPHALEVEL, 0);
}

void SkinEngine::startFade(QWidget *button)
{
    if (get(button, TIMERID) == 0)
        set(button, TIMERID, button->startTimer(FadePeriod));
}

void SkinEngine::stopFade(QWidget *button)
{
    const int timer = get(button, TIMERID);
    if (timer == 0)
        return;
    button->killTimer(timer);
    set(button, TIMERID, 0);
}

void SkinEngine::fadeTick(QWidget *button, Skinned &skinned)
{
    int alpha = get(button, ALPHALEVEL);
    drawButtonState(button, skinned);
    alpha += FadeStep;
    if (alpha >= 256) {
        stopFade(button);
        alpha = 0;
    }
    set(button, ALPHALEVEL, alpha);
}

void SkinEngine::buttonMouseMove(QWidget *button, Skinned &skinned, QPoint at)
{
    if (get(button, MOUSEFLAG) == 0) {
        // The pointer came over the button: the hover look fades in.
        set(button, MOUSEFLAG, 1);
        set(button, OLDSTATE, 1);
        set(button, ALPHALEVEL, 0);
        startFade(button);
    } else if (!button->rect().contains(at)) {
        // Held and dragged off the button: the current look at once.
        stopFade(button);
        set(button, ALPHALEVEL, 255);
        drawButtonState(button, skinned);
    }
}

void SkinEngine::paintButton(QWidget *button, Skinned &skinned)
{
    // A paint during a fade shows the fade as far as it got: Qt repaints a
    // button itself when the pointer enters it or presses it.
    if (get(button, TIMERID) == 0) {
        set(button, ALPHALEVEL, 255);
        blendState(button, skinned);
    }
    QPainter painter(button);
    painter.drawImage(QPoint(0, 0), face(button, skinned, true).shown);
}

bool SkinEngine::buttonEvent(QWidget *button, Skinned &skinned, QEvent *event)
{
    QPoint at;
    if (skinevent::isPointerMove(event, at)) {
        // Hover moves only matter to arm the hover look; a held button sends
        // real moves, also from outside the button.
        if (event->type() == QEvent::MouseMove ||
            (get(button, MOUSEFLAG) == 0 && button->rect().contains(at)))
            buttonMouseMove(button, skinned, at);
        return false;
    }
    if (skinevent::isLeft(event, at)) {
        if (event->type() == QEvent::MouseButtonRelease) {
            set(button, MOUSEFLAG, 0);
            set(button, OLDSTATE, 0);
            set(button, ALPHALEVEL, 60);
            startFade(button);
        } else {
            stopFade(button);
            set(button, OLDSTATE, 2);
            drawAtOnce(button, skinned);
        }
        return false;
    }
    if (skinevent::isSpace(event)) {
        if (event->type() == QEvent::KeyPress) {
            stopFade(button);
            set(button, OLDSTATE, 2);
            drawAtOnce(button, skinned);
        } else {
            set(button, MOUSEFLAG, 0);
            set(button, ALPHALEVEL, 0);
            set(button, OLDSTATE, 0);
            startFade(button);
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::Leave:
        // The hover look at once at about half, then the normal look fades in.
        set(button, MOUSEFLAG, 0);
        set(button, OLDSTATE, 1);
        set(button, ALPHALEVEL, 140);
        drawButtonState(button, skinned);
        set(button, OLDSTATE, 0);
        set(button, ALPHALEVEL, 0);
        startFade(button);
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // The focus rectangle is in the state images only with the focus.
        if (m_images)
            face(button, skinned, false);
        set(button, ALPHALEVEL, 0);
        startFade(button);
        return false;
    case QEvent::EnabledChange:
        set(button, OLDSTATE, button->isEnabled() ? 0 : 3);
        drawButtonState(button, skinned);
        return false;
    case QEvent::Resize:
        button->setMask(roundedRegion(button->size()));
        return false;
    case QEvent::Timer:
        if (static_cast<QTimerEvent *>(event)->timerId() == get(button, TIMERID) &&
            get(button, TIMERID) != 0)
            fadeTick(button, skinned);
        return false;
    case QEvent::Paint:
        if (!m_images)
            return false;
        paintButton(button, skinned);
        return true;
    default:
        return false;
    }
}
