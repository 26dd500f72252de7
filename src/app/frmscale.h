#pragma once

#include "controls/plain_dialog.h"

class CommonDialogs;
class QLabel;
class QLineEdit;
class QPushButton;
struct Document;

// The Scale dialog: shows the document's NewWidth and NewHeight (the canvas
// size, set by the caller) and leaves the size typed there, with DialogResult
// 1 on OK and 2 on Cancel.
class frmScale : public PlainDialog
{
    Q_OBJECT

public:
    frmScale(Document &document, CommonDialogs &dialogs, QWidget *parent = nullptr);

    void cmdOK_Click();
    void CmdCancel_Click();

private:
    Document &m_document;
    CommonDialogs &m_dialogs;

    QLabel *lblWidth;
    QLineEdit *txtWidth;
    QLabel *lblheight;
    QLineEdit *txtHeight;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};
