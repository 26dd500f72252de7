#pragma once

#include "controls/plain_dialog.h"
#include "core/colour.h"

#include <optional>

class ColourSwatch;
class CommonDialogs;
class QLabel;
class QLineEdit;
class QPushButton;

// A frame round the picture as the image border dialog asks for it.
struct BorderChoice {
    int width = 0;
    Colour colour = 0;
};

// The image border dialog: asks for the colour and width of a frame.
class BorderDialog : public PlainDialog
{
    Q_OBJECT

public:
    explicit BorderDialog(CommonDialogs &dialogs, QWidget *parent = nullptr);

    // Shows the dialog; the choice on OK, nothing on Cancel or the close box.
    static std::optional<BorderChoice> ask(CommonDialogs &dialogs, QWidget *parent);

    void chooseColour();
    void checkWidth();
    void confirm();
    void cancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<BorderChoice> m_answer;
    CommonDialogs &m_dialogs;

    QLabel *m_colourLabel;
    ColourSwatch *m_colourSwatch;
    QLabel *m_widthLabel;
    QLineEdit *m_widthEdit;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
