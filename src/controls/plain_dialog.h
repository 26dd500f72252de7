#pragma once

#include <QDialog>

#include <initializer_list>

class CommonDialogs;
class QLabel;
class QLineEdit;
class QPushButton;

// A small fixed-size dialog of the program: no window icon, no context help,
// no default or cancel button. Enter clicks a push button only when that
// button has the focus, and Esc does nothing; the close box still cancels.
class PlainDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PlainDialog(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

    // Child widgets named and placed in one go.
    QLabel *addLabel(const char *name, const QString &text, const QRect &geometry);
    QLineEdit *addTextBox(const char *name, const QString &text, const QRect &geometry);
    // A push button that is never a default button.
    QPushButton *addButton(const char *name, const QString &text, const QRect &geometry);
    // Tab visits the widgets in this order.
    void chainTabOrder(std::initializer_list<QWidget *> widgets);

    // Whether a picture of width x height can be made; if not, the user is
    // told why (under the dialog's caption) and the dialog stays open.
    bool acceptableSize(int width, int height, CommonDialogs &dialogs);
};
