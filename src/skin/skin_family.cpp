#include "skin_family.h"

#include <QHeaderView>

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

QHeaderView *headerOfViewport(const QObject *widget)
{
    QObject *parent = widget->parent();
    if (!isHorizontalHeader(parent))
        return nullptr;
    auto *header = static_cast<QHeaderView *>(parent);
    return header->viewport() == widget ? header : nullptr;
}
