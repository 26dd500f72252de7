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

    void showAmount(int value);
    void confirm();
    void cancel();

private:
    std::optional<std::int16_t> m_answer;

    QScrollBar *m_amountBar;
    QLabel *m_valueLabel;
    QLabel *m_brightnessLabel;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
