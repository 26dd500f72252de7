#include "skin_engine.h"

#include "skinner.h"

#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVariant>

// Takes over the windows the program opens while the skin is installed.
class SkinEngine::Watcher : public QObject
{
public:
    explicit Watcher(SkinEngine &engine) : m_engine(engine) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Polish reaches a new window with its controls already built, and
        // each control added later, before anything is painted.
        if (event->type() == QEvent::Polish && watched->isWidgetType())
            m_engine.takeOver(static_cast<QWidget *>(watched));
        return false;
    }

private:
    SkinEngine &m_engine;
};

SkinEngine &SkinEngine::instance()
{
    static SkinEngine engine;
    return engine;
}

SkinEngine::~SkinEngine()
{
    if (m_watcher && qApp)
        qApp->removeEventFilter(m_watcher.get());
}

int SkinEngine::install(QWidget *window)
{
    if (!m_images) {
        m_images = SkinImages::build();
        m_watcher = std::make_unique<Watcher>(*this);
        qApp->installEventFilter(m_watcher.get());
    }
    return skinWindow(window);
}

int SkinEngine::skinWindow(QWidget *window)
{
    using namespace skinprop;
    if (!window || get(window, PROCADDR) != 0)
        return 0;
    const SkinFamily family = skinFamilyOf(window);
    switch (family) {
    case SkinFamily::Form: {
        const auto controls = controlsOf(window);
        for (QWidget *control : controls) {
            // A header's viewport goes with its header.
            if (!headerOfViewport(control))
                skinWindow(control);
        }
        break;
    }
    case SkinFamily::CommandButton:
        skinButton(window);
        break;
    case SkinFamily::Combo:
    case SkinFamily::CheckBox:
    case SkinFamily::OptionButton:
        set(window, MOUSEFLAG, 0);
        set(window, OLDSTATE, 0);
        break;
    case SkinFamily::Header:
        skinHeader(static_cast<QHeaderView *>(window));
        break;
    case SkinFamily::ProgressBar:
    case SkinFamily::DropDownList:
    case SkinFamily::Other:
        break;
    }
    ++m_count;
    m_skinned[window].family = family;
    set(window, PROCADDR, 1);
    window->installEventFilter(this);
    window->update();
    return 1;
}

int SkinEngine::unskinWindow(QWidget *window)
{
    using namespace skinprop;
    if (!window || get(window, PROCADDR) == 0)
        return 0;
    const auto found = m_skinned.find(window);
    const SkinFamily family =
        found != m_skinned.end() ? found->second.family : skinFamilyOf(window);
    switch (family) {
    case SkinFamily::Form: {
        const auto controls = controlsOf(window);
        for (QWidget *control : controls)
            unskinWindow(control);
        break;
    }
    case SkinFamily::CommandButton:
        unskinButton(window);
        break;
    case SkinFamily::Combo:
    case SkinFamily::CheckBox:
    case SkinFamily::OptionButton:
        remove(window, MOUSEFLAG);
        remove(window, OLDSTATE);
        break;
    case SkinFamily::Header:
        unskinHeader(static_cast<QHeaderView *>(window));
        break;
    case SkinFamily::ProgressBar:
    case SkinFamily::DropDownList:
    case SkinFamily::Other:
        break;
    }
    remove(window, PROCADDR);
    window->removeEventFilter(this);
    m_skinned.erase(window);
    window->update();
    countOut();
    return 1;
}

QList<QWidget *> SkinEngine::controlsOf(QWidget *form)
{
    QList<QWidget *> controls = form->findChildren<QWidget *>();
    controls.removeIf([form](const QWidget *control) { return control->window() != form; });
    return controls;
}

void SkinEngine::countOut()
{
    if (--m_count > 0)
        return;
    // The last skinned window is gone: back to not installed.
    m_count = 0;
    m_images.reset();
    if (m_watcher) {
        qApp->removeEventFilter(m_watcher.get());
        m_watcher.reset();
    }
}

void SkinEngine::forget(QObject *object)
{
    // No property is written now: that would send the dying widget an event.
    if (const int timer = skinprop::get(object, skinprop::TIMERID))
        object->killTimer(timer);
    m_skinned.erase(object);
    countOut();
}

void SkinEngine::takeOver(QWidget *widget)
{
    if (m_skinned.count(widget) != 0)
        return;
    if (widget->isWindow()) {
        const SkinFamily family = skinFamilyOf(widget);
        if (family == SkinFamily::Form ||
            (family == SkinFamily::DropDownList && m_skinned.count(widget->parentWidget()) != 0))
            skinWindow(widget);
        return;
    }
    if (m_skinned.count(widget->window()) != 0 && !headerOfViewport(widget))
        skinWindow(widget);
}

void SkinEngine::passOn(QObject *watched, QEvent *event)
{
    QObject *const outer = m_passing;
    m_passing = watched;
    QCoreApplication::sendEvent(watched, event);
    m_passing = outer;
}

void SkinEngine::refreshMarks(QWidget *window)
{
    if (!window)
        return;
    const auto found = m_skinned.find(window);
    if (found == m_skinned.end())
        return;
    if (found->second.family == SkinFamily::CheckBox)
        drawCheckBox(window, 0, true);
    else if (found->second.family == SkinFamily::OptionButton)
        drawOptionButton(window, 0, true);
}

void SkinEngine::refreshAround(QWidget *widget)
{
    QWidget *root = widget->parentWidget() ? widget->parentWidget() : widget;
    const auto all = root->findChildren<QWidget *>();
    for (QWidget *each : all)
        refreshMarks(each);
}

bool SkinEngine::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_passing)
        return false;
    const auto found = m_skinned.find(watched);
    if (found == m_skinned.end()) {
        // The only other widgets this filter watches are skinned headers'
        // viewports, where the items are drawn and the pointer goes.
        if (event->type() == QEvent::Destroy)
            return false;
        QHeaderView *header = headerOfViewport(watched);
        const auto owner = header ? m_skinned.find(header) : m_skinned.end();
        if (owner == m_skinned.end() || !stillOfFamily(header, SkinFamily::Header))
            return false;
        return headerEvent(header, owner->second, event);
    }
    if (event->type() == QEvent::Destroy) {
        forget(watched);
        return false;
    }
    Skinned &skinned = found->second;
    // Being destroyed: the events its base destructors still send are Qt's.
    if (!stillOfFamily(watched, skinned.family))
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    QPoint at;
    if (event->type() == QEvent::MouseButtonRelease && skinevent::isLeft(event, at)) {
        // After the family has seen the release (the marks are drawn when the
        // next paint comes, so the order does not show).
        refreshAround(widget);
    }
    switch (skinned.family) {
    case SkinFamily::CommandButton:
        return buttonEvent(widget, skinned, event);
    case SkinFamily::Combo:
        return comboEvent(static_cast<QComboBox *>(widget), event);
    case SkinFamily::CheckBox:
        return markEvent(widget, false, event);
    case SkinFamily::OptionButton:
        return markEvent(widget, true, event);
    case SkinFamily::ProgressBar:
        if (event->type() == QEvent::Paint && m_images) {
            paintProgressBar(widget);
            return true;
        }
        return false;
    case SkinFamily::DropDownList:
        return dropDownEvent(widget, event);
    case SkinFamily::Other:
        return otherEvent(widget, event);
    case SkinFamily::Header:
    case SkinFamily::Form:
        return false;
    }
    return false;
}

namespace skinprop {

int get(const QObject *object, const char *name)
{
    return object->property(name).toInt();
}

void set(QObject *object, const char *name, int value)
{
    object->setProperty(name, value);
}

void remove(QObject *object, const char *name)
{
    object->setProperty(name, QVariant());
}

} // namespace skinprop

namespace skinevent {

bool isPointerMove(const QEvent *event, QPoint &at)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        at = static_cast<const QMouseEvent *>(event)->position().toPoint();
        return true;
    case QEvent::HoverMove:
        at = static_cast<const QHoverEvent *>(event)->position().toPoint();
        return true;
    case QEvent::Enter:
        at = static_cast<const QEnterEvent *>(event)->position().toPoint();
        return true;
    default:
        return false;
    }
}

bool leftHeld(const QEvent *event)
{
    if (event->type() == QEvent::MouseMove)
        return static_cast<const QMouseEvent *>(event)->buttons().testFlag(Qt::LeftButton);
    // Hover moves and entering carry no buttons of their own.
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

bool isLeft(const QEvent *event, QPoint &at)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        at = mouse->position().toPoint();
        return mouse->button() == Qt::LeftButton;
    }
    default:
        return false;
    }
}

bool isSpace(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->key() == Qt::Key_Space &&
           !(event->type() == QEvent::KeyRelease && key->isAutoRepeat());
}

} // namespace skinevent

namespace Skin {

int install(QWidget *window)
{
    return SkinEngine::instance().install(window);
}

int uninstall(QWidget *window)
{
    return SkinEngine::instance().unskinWindow(window);
}

int skinWindow(QWidget *window)
{
    return SkinEngine::instance().skinWindow(window);
}

int unskinWindow(QWidget *window)
{
    return SkinEngine::instance().unskinWindow(window);
}

void refreshMarks(QWidget *window)
{
    SkinEngine::instance().refreshMarks(window);
}

int skinnedWidgetCount()
{
    return SkinEngine::instance().skinnedCount();
}

const SkinImages *sharedImages()
{
    return SkinEngine::instance().images();
}

} // namespace Skin
