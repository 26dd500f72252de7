#pragma once

#include "adjust_dialog.h"

#include <cstdint>
#include <optional>

// The brightness dialog: one vertical bar, its value, and the thumbnail with
// the brightness applied.
class BrightnessDialog : public AdjustDialog
{
    Q_OBJECT

public:
    explicit BrightnessDialog(const Surface &canvas, QWidget *parent = nullptr);

    // Shows the dialog; the amount on OK, nothing on Cancel or the close box.
    static std::optional<std::int16_t> ask(const Surface &canvas, QWidget *parent);

    void sBar_Change(int value);
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    std::optional<std::int16_t> m_answer;

    QScrollBar *sBar;
    QLabel *lblValue;
    QLabel *lblBrightness;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};
