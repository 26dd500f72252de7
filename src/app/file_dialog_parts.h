#pragma once

#include <QFileIconProvider>
#include <QIdentityProxyModel>

class QFont;

// The file dialogs' icons and type names, taken from the file's name alone.
// Qt's own provider reads the start of each listed file to tell its type,
// which hangs for good on a file whose read blocks (/proc/kmsg) and costs a
// read per file on a slow disk.
class NameOnlyIconProvider : public QFileIconProvider
{
public:
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
    using QFileIconProvider::icon;
};

// The file dialogs' list with the modification dates in the program's locale:
// Qt's file-system model writes them in the system's, whatever the program
// speaks.
class LocaleDatesModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    static constexpr int DateColumn = 3;

    QVariant data(const QModelIndex &index, int role) const override;
    // A width that shows any date of the column whole in font.
    static int dateColumnWidth(const QFont &font);
};
