#include "skin_family.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

bool isHorizontalHeader(const QObject *object)
{
    const auto *header = qobject_cast<const QHeaderView *>(object);
    return header && header->orientation() == Qt::Horizontal;
}

} // namespace

SkinFamily skinFamilyOf(const QWidget *widget)
{
    if (widget->isWindow()) {
        if (widget->inherits("QDialog") || widget->inherits("QMainWindow"))
            return SkinFamily::Form;
        const QWidget *parent = widget->parentWidget();
        if (parent && parent->inherits("QComboBox"))
            return SkinFamily::DropDownList;
        return SkinFamily::Other;
    }
    if (widget->inherits("QPushButton"))
        return SkinFamily::CommandButton;
    if (widget->inherits("QComboBox"))
        return SkinFamily::Combo;
    if (widget->inherits("QCheckBox"))
        return SkinFamily::CheckBox;
    if (widget->inherits("QRadioButton"))
        return SkinFamily::OptionButton;
    if (isHorizontalHeader(widget))
        return SkinFamily::Header;
    if (widget->inherits("QProgressBar"))
        return SkinFamily::ProgressBar;
    return SkinFamily::Other;
}

bool stillOfFamily(const QObject *object, SkinFamily family)
{
    const QMetaObject *needed = nullptr;
    switch (family) {
    case SkinFamily::CommandButton:
        needed = &QPushButton::staticMetaObject;
        break;
    case SkinFamily::Combo:
        needed = &QComboBox::staticMetaObject;
        break;
    case SkinFamily::CheckBox:
        needed = &QCheckBox::staticMetaObject;
        break;
    case SkinFamily::OptionButton:
        needed = &QRadioButton::staticMetaObject;
        break;
    case SkinFamily::Header:
        needed = &QHeaderView::staticMetaObject;
        break;
    case SkinFamily::ProgressBar:
        needed = &QProgressBar::staticMetaObject;
        break;
    case SkinFamily::Form:
    case SkinFamily::DropDownList:
    case SkinFamily::Other:
        needed = &QWidget::staticMetaObject;
        break;
    }
    return object->metaObject()->inherits(needed);
}

QHeaderView *headerOfViewport(const QObject *widget)
{
    QObject *parent = widget->parent();
    if (!isHorizontalHeader(parent))
        return nullptr;
    auto *header = static_cast<QHeaderView *>(parent);
    return header->viewport() == widget ? header : nullptr;
}
