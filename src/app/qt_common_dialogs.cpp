#include "qt_common_dialogs.h"

#include "file_dialog_parts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QTreeView>

namespace {

QMessageBox::Icon messageIcon(CommonDialogs::Icon icon)
{
    switch (icon) {
    case CommonDialogs::Icon::Information:
        return QMessageBox::Information;
    case CommonDialogs::Icon::Warning:
        return QMessageBox::Warning;
    case CommonDialogs::Icon::Critical:
        return QMessageBox::Critical;
    case CommonDialogs::Icon::Question:
        return QMessageBox::Question;
    case CommonDialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

FileChoice runFileDialog(QWidget *owner, const QString &title, const QString &filter,
                         const QString &folder, QFileDialog::AcceptMode mode)
{
    // The provider outlives the dialog, whose file-system model asks it from
    // its own thread until it is gone. Listing a folder must never read a file:
    // /proc/kmsg blocks a reader until the kernel logs something.
    NameOnlyIconProvider icons;
    QFileDialog dialog(owner, title, folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList types = QtCommonDialogs::qtFilter(filter).split(QStringLiteral(";;"));
    dialog.setNameFilters(types);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setIconProvider(&icons);
    // The dialog takes the model as its own.
    dialog.setProxyModel(new LocaleDatesModel);
    if (auto *details = dialog.findChild<QTreeView *>())
        details->header()->resizeSection(LocaleDatesModel::DateColumn,
                                         LocaleDatesModel::dateColumnWidth(details->font()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(),
            static_cast<int>(std::max<qsizetype>(0, types.indexOf(dialog.selectedNameFilter())))};
}

} // namespace

QString QtCommonDialogs::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i);
        QString pattern = i + 1 < parts.size() ? parts.at(i + 1).trimmed() : QString();
        if (description.isEmpty() && pattern.isEmpty())
            continue;
        if (pattern.isEmpty())
            pattern = QStringLiteral("*");
        pattern = pattern.replace(QLatin1Char(';'), QLatin1Char(' ')).simplified();
        // A description that already shows its patterns in parentheses is a
        // complete Qt filter; adding them again would show them twice.
        if (description.endsWith(QStringLiteral("(%1)").arg(pattern)))
            entries << description;
        else
            entries << QStringLiteral("%1 (%2)").arg(description, pattern);
    }
    return entries.join(QStringLiteral(";;"));
}

FileChoice QtCommonDialogs::openFileName(QWidget *owner, const QString &title,
                                         const QString &filter, const QString &folder)
{
    return runFileDialog(owner, title, filter, folder, QFileDialog::AcceptOpen);
}

FileChoice QtCommonDialogs::saveFileName(QWidget *owner, const QString &title,
                                         const QString &filter, const QString &folder)
{
    return runFileDialog(owner, title, filter, folder, QFileDialog::AcceptSave);
}

Colour QtCommonDialogs::chooseColour(QWidget *owner, Colour start,
                                     const std::array<Colour, 16> &customColours, bool)
{
    // Qt's chooser always shows its custom part, so "full" has nothing to add.
    for (std::size_t i = 0; i < customColours.size(); ++i) {
        const Colour custom = customColours[i] == NoColour ? 0x00FFFFFF : customColours[i];
        QColorDialog::setCustomColor(static_cast<int>(i), QColor::fromRgb(toQRgb(custom)));
    }
    const Colour initial = start == NoColour ? 0 : start;
    QColorDialog dialog(QColor::fromRgb(toQRgb(initial)), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return NoColour;
    return fromQRgb(dialog.selectedColor().rgb());
}

void QtCommonDialogs::message(QWidget *owner, const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(messageIcon(icon), title, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtCommonDialogs::askYesNo(QWidget *owner, const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(messageIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtCommonDialogs::inputText(QWidget *owner, const QString &prompt,
                                                  const QString &title, const QString &initial)
{
    QInputDialog dialog(owner);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
