#pragma once

#include "adjust_dialog.h"

#include <array>
#include <cstdint>
#include <optional>

// What the colour balance dialog was told: the change of each channel.
struct RgbAmounts {
    std::int16_t red = 0;
    std::int16_t green = 0;
    std::int16_t blue = 0;
};

// The colour balance dialog: a bar for each of red, green and blue with its
// value, and the thumbnail with the three amounts applied.
class RgbBalanceDialog : public AdjustDialog
{
    Q_OBJECT

public:
    explicit RgbBalanceDialog(const Surface &canvas, QWidget *parent = nullptr);

    // Shows the dialog; the amounts on OK, nothing on Cancel or the close box.
    static std::optional<RgbAmounts> ask(const Surface &canvas, QWidget *parent);

    void showChannel(int index);
    void confirm();
    void cancel();

private:
    std::int16_t amount(int index) const;

    std::optional<RgbAmounts> m_answer;

    std::array<QScrollBar *, 3> m_channelBars{};
    std::array<QLabel *, 3> m_channelLabels{};
    std::array<QLabel *, 3> m_valueLabels{};
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
