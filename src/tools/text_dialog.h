#pragma once

#include "controls/plain_dialog.h"
#include "text_settings.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TextPreview;

// The Text dialog: asks for the text, font, size and style of the text tool,
// showing "Abc" in the chosen font. It opens with the settings given.
// Enter in the text box is OK.
class TextDialog : public PlainDialog
{
    Q_OBJECT

public:
    static constexpr int SmallestSize = 8;
    static constexpr int LargestSize = 72;

    explicit TextDialog(const TextSettings &settings, QWidget *parent = nullptr);

    // Shows the dialog; the choice on OK, nothing on Cancel or the close box.
    static std::optional<TextSettings> ask(const TextSettings &settings, QWidget *parent);

    void confirm();
    void cancel();

private:
    // A label and its drop-down list in a row from at.
    QComboBox *addList(const char *labelName, const char *name, const QString &label, QPoint at,
                       int listWidth);
    // "Abc" in the chosen font, size and style.
    void showPreview();

    std::optional<TextSettings> m_answer;

    QComboBox *m_fontList;
    QComboBox *m_sizeList;
    QComboBox *m_styleList;
    QLineEdit *m_textEdit;
    TextPreview *m_preview;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
