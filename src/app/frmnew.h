#pragma once

#include "controls/plain_dialog.h"
#include "core/colour.h"

#include <array>

class CommonDialogs;
class QComboBox;
class Line3D;
class QLabel;
class QLineEdit;
class QPushButton;
struct Document;

// The New Image dialog: asks for the size and background colour of a new
// picture and leaves them in the document's NewWidth, NewHeight and
// NewBackColor, with DialogResult 1 on OK and 2 on Cancel.
class frmNew : public PlainDialog
{
    Q_OBJECT

public:
    // color1 and color2 are the palette's current colours, offered as
    // "前景色" and "背景色".
    frmNew(Document &document, Colour color1, Colour color2, CommonDialogs &dialogs,
           QWidget *parent = nullptr);

    void cmdOK_Click();
    void CmdCancel_Click();

private:
    Document &m_document;
    Colour m_color1;
    Colour m_color2;
    CommonDialogs &m_dialogs;

    QLabel *lblWidth;
    QLineEdit *txtWidth;
    QLabel *lblHeight;
    QLineEdit *txtHeight;
    std::array<QLabel *, 2> lblPixel;
    QLabel *lblImagebk;
    QComboBox *cboColor;
    Line3D *Line3D1;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};
