#pragma once

#include <QDialog>

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
};
