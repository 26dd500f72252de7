#pragma once

#include "controls/plain_dialog.h"

#include <QSize>

#include <optional>

class CommonDialogs;
class QLabel;
class QLineEdit;
class QPushButton;

// The Scale dialog: shows the canvas size and asks for a new one.
class ScaleDialog : public PlainDialog
{
    Q_OBJECT

public:
    ScaleDialog(QSize current, CommonDialogs &dialogs, QWidget *parent = nullptr);

    // Shows the dialog; the size typed on OK, nothing on Cancel or the close
    // box.
    static std::optional<QSize> ask(QSize current, CommonDialogs &dialogs, QWidget *parent);

    void confirm();
    void cancel();

private:
    std::optional<QSize> m_answer;
    CommonDialogs &m_dialogs;

    QLabel *m_widthLabel;
    QLineEdit *m_widthEdit;
    QLabel *m_heightLabel;
    QLineEdit *m_heightEdit;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
