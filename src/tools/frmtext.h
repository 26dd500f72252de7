#pragma once

#include "controls/plain_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TextPreview;
struct Document;
struct TextSettings;

// The Text dialog: asks for the text, font, size and style of the text tool,
// showing "Abc" in the chosen font. It opens with settings and, on OK, leaves
// the choice there with DialogResult 1; Cancel and the close box leave 2.
// Enter in the text box is OK.
class frmText : public PlainDialog
{
    Q_OBJECT

public:
    static constexpr int SmallestSize = 8;
    static constexpr int LargestSize = 72;

    // document and settings are not owned and must outlive the dialog.
    frmText(Document &document, TextSettings &settings, QWidget *parent = nullptr);

    void cmdOK_Click();
    void CmdCancel_Click();

private:
    // A label and its drop-down list in a row from at.
    QComboBox *addList(const char *labelName, const char *name, const QString &label, QPoint at,
                       int listWidth);
    // "Abc" in the chosen font, size and style.
    void showPreview();

    Document &m_document;
    TextSettings &m_settings;

    QComboBox *cboFont;
    QComboBox *cboSize;
    QComboBox *cboStyle;
    QLabel *lblText;
    QLineEdit *txtText;
    QLabel *lblPreview;
    TextPreview *pPreview;
    QPushButton *cmdOK;
    QPushButton *CmdCancel;
};
