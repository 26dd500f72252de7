#pragma once

#include "controls/plain_dialog.h"
#include "core/colour.h"

#include <array>
#include <optional>

class CommonDialogs;
class QComboBox;
class Line3D;
class QLabel;
class QLineEdit;
class QPushButton;

// What the New Image dialog was told.
struct NewPicture {
    int width = 0;
    int height = 0;
    Colour backColour = 0x00FFFFFF;
};

// The New Image dialog: asks for the size and background colour of a new
// picture.
class NewImageDialog : public PlainDialog
{
    Q_OBJECT

public:
    // colour1 and colour2 are the palette's current colours, offered as
    // "前景色" and "背景色".
    NewImageDialog(Colour colour1, Colour colour2, CommonDialogs &dialogs,
                   QWidget *parent = nullptr);

    // Shows the dialog; the answer on OK, nothing on Cancel or the close box.
    static std::optional<NewPicture> ask(Colour colour1, Colour colour2, CommonDialogs &dialogs,
                                         QWidget *parent);

    void confirm();
    void cancel();

private:
    std::optional<NewPicture> m_answer;
    Colour m_colour1;
    Colour m_colour2;
    CommonDialogs &m_dialogs;

    QLabel *m_widthLabel;
    QLineEdit *m_widthEdit;
    QLabel *m_heightLabel;
    QLineEdit *m_heightEdit;
    std::array<QLabel *, 2> m_pixelLabels;
    QLabel *m_backgroundLabel;
    QComboBox *m_colourList;
    Line3D *m_line;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
