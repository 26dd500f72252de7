#pragma once

#include "colour.h"

#include <QString>

#include <array>
#include <optional>

class QWidget;

// A file chosen in a file dialog: its path, "" when the user cancelled, and
// the type chosen in the dialog's list, counted from 0 in the filter's order.
struct FileChoice {
    QString path;
    int type = 0;
};

// The seam through which Kalvo asks the platform for a file name, a colour, a
// yes/no answer or a text, or shows a message. The program uses the Qt
// implementation; tests put a scripted one in its place.
class CommonDialogs
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    CommonDialogs() = default;
    CommonDialogs(const CommonDialogs &) = delete;
    CommonDialogs &operator=(const CommonDialogs &) = delete;
    virtual ~CommonDialogs() = default;

    // filter is in the "description|pattern|" form, e.g.
    // "位图文件(*.bmp)|*.bmp|"; its first type is chosen when the dialog opens.
    virtual FileChoice openFileName(QWidget *owner, const QString &title, const QString &filter,
                                    const QString &folder) = 0;
    virtual FileChoice saveFileName(QWidget *owner, const QString &title, const QString &filter,
                                    const QString &folder) = 0;

    // The chosen colour, or NoColour when the user cancelled. customColours
    // fill the chooser's custom slots; full opens its custom-colour part.
    virtual Colour chooseColour(QWidget *owner, Colour start,
                                const std::array<Colour, 16> &customColours, bool full) = 0;

    virtual void message(QWidget *owner, const QString &text, const QString &title, Icon icon) = 0;
    // True for Yes.
    virtual bool askYesNo(QWidget *owner, const QString &text, const QString &title, Icon icon) = 0;
    // The text entered, or nothing when the user cancelled.
    virtual std::optional<QString> inputText(QWidget *owner, const QString &prompt,
                                             const QString &title, const QString &initial) = 0;
};

// The dialogs an editing object asks the user with, and the window they are
// shown over: none until a window binds the editor, and none in tests.
struct UserDialogs {
    CommonDialogs &dialogs;
    QWidget *owner = nullptr;
};
