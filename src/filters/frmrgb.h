#pragma once

#include "adjust_dialog.h"

#include <array>

struct FilterAmounts;

// The colour balance dialog: a bar for each of red, green and blue with its
// value, and the thumbnail with the three amounts applied. OK leaves the
// values in RedDelta, GreenDelta and BlueDelta and DialogResult at 1; Cancel
// and the close box leave DialogResult at 2.
class frmRgb : public AdjustDialog
{
    Q_OBJECT

public:
    frmRgb(const Surface &canvas, Document &document, FilterAmounts &amounts,
           QWidget *parent = nullptr);

    void sbRgb_Change(int index);
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    std::int16_t amount(int index) const;

    FilterAmounts &m_amounts;

    std::array<QScrollBar *, 3> sbRgb{};
    std::array<QLabel *, 3> lblrgb{};
    std::array<QLabel *, 3> lblValue{};
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};
