#pragma once

#include "adjust_dialog.h"

struct FilterAmounts;

// The brightness dialog: one vertical bar, its value, and the thumbnail with
// the brightness applied. OK leaves the value in BrightnessAmount and
// DialogResult at 6; Cancel and the close box leave DialogResult at 2.
class frmBright : public AdjustDialog
{
    Q_OBJECT

public:
    frmBright(const Surface &canvas, Document &document, FilterAmounts &amounts,
              QWidget *parent = nullptr);

    void sBar_Change(int value);
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    FilterAmounts &m_amounts;

    QScrollBar *sBar;
    QLabel *lblValue;
    QLabel *lblBrightness;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};
