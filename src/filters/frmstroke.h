#pragma once

#include "controls/plain_dialog.h"

class ColourSwatch;
class CommonDialogs;
class QLabel;
class QLineEdit;
class QPushButton;
struct Document;

// The image border dialog: asks for the colour and width of a frame and
// leaves them in the document's BorderColor and BorderWidth, with
// DialogResult 1 on OK and 2 on Cancel.
class frmStroke : public PlainDialog
{
    Q_OBJECT

public:
    frmStroke(Document &document, CommonDialogs &dialogs, QWidget *parent = nullptr);

    void pColor_Click();
    void txtWidth_LostFocus();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Document &m_document;
    CommonDialogs &m_dialogs;

    QLabel *lblColor;
    ColourSwatch *pColor;
    QLabel *Label1;
    QLineEdit *txtWidth;
    QPushButton *cmdok;
    QPushButton *cmdCancel;
};
