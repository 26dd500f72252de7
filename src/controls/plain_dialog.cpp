#include "plain_dialog.h"

#include "core/common_dialogs.h"
#include "core/surface.h"
#include "list_accessibility.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PlainDialog::PlainDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowIcon(QIcon());
    installListAccessibility();
}

void PlainDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

QLabel *PlainDialog::addLabel(const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QLineEdit *PlainDialog::addTextBox(const char *name, const QString &text, const QRect &geometry)
{
    auto *box = new QLineEdit(text, this);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QPushButton *PlainDialog::addButton(const char *name, const QString &text, const QRect &geometry)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void PlainDialog::chainTabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

bool PlainDialog::acceptableSize(int width, int height, CommonDialogs &dialogs)
{
    if (width < 1 || height < 1) {
        dialogs.message(this, QStringLiteral("位图像素值必须大于零"), windowTitle(),
                        CommonDialogs::Icon::Warning);
        return false;
    }
    // A size that cannot be had would leave the canvas as it was without a
    // word; say so and let the user correct it.
    if (!Surface::canHold(width, height)) {
        dialogs.message(this, QStringLiteral("位图尺寸太大，内存无法容纳"), windowTitle(),
                        CommonDialogs::Icon::Warning);
        return false;
    }
    return true;
}
