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

    void cmdOK_Click();
    void CmdCancel_Click();

private:
    std::optional<QSize> m_answer;
    CommonDialogs &m_dialogs;

    QLabel *lblWidth;
    QLineEdit *txtWidth;
    QLabel *lblheight;
    QLineEdit *txtHeight;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};
