#include "list_accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QItemSelectionModel>

namespace {

// Assistive tools on Linux learn a list's value only as the selected item of
// its popup list, and Qt selects that item only while the popup is open: so
// the chosen item stays selected all the time.
void selectChosenItem(QComboBox *list)
{
    QAbstractItemView *view = list->view();
    if (!view || !view->selectionModel())
        return;
    const QModelIndex chosen =
        list->model()->index(list->currentIndex(), list->modelColumn(), list->rootModelIndex());
    view->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect);
}

class AccessibleList : public QAccessibleWidget
{
public:
    explicit AccessibleList(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    // The name comes from QAccessibleWidget: the accessible name, or the
    // buddy label's text.
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(kind);
    }

    // The popup list of items is the one child, as with Qt's own lists.
    int childCount() const override { return list()->view() ? 1 : 0; }

    QAccessibleInterface *child(int index) const override
    {
        if (index != 0 || !list()->view())
            return nullptr;
        trackChosenItem();
        return QAccessible::queryAccessibleInterface(list()->view());
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && list()->view() && child->object() == list()->view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name != showMenuAction() && name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (list()->view() && list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }

    // Only once a reader looks into the list: asking for the popup list makes
    // it, and making it for every list at start would be a window each.
    void trackChosenItem() const
    {
        if (m_tracking)
            return;
        m_tracking = true;
        QComboBox *combo = list();
        selectChosenItem(combo);
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                         [combo] { selectChosenItem(combo); });
    }

    mutable bool m_tracking = false;
};

QAccessibleInterface *accessibleList(const QString &className, QObject *object)
{
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    auto *list = qobject_cast<QComboBox *>(object);
    // A list one can type into keeps Qt's reading, which covers its text box.
    if (!list || list->isEditable())
        return nullptr;
    return new AccessibleList(list);
}

} // namespace

void installListAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleList);
        return true;
    }();
    Q_UNUSED(installed);
}
