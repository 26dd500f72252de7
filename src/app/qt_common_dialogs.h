#pragma once

#include "core/common_dialogs.h"

// The platform dialogs as Qt offers them. Kalvo's own (non-native) versions
// are used so that they look the same everywhere and speak Chinese.
class QtCommonDialogs : public CommonDialogs
{
public:
    FileChoice openFileName(QWidget *owner, const QString &title, const QString &filter,
                            const QString &folder) override;
    FileChoice saveFileName(QWidget *owner, const QString &title, const QString &filter,
                            const QString &folder) override;
    Colour chooseColour(QWidget *owner, Colour start, const std::array<Colour, 16> &customColours,
                        bool full) override;
    void message(QWidget *owner, const QString &text, const QString &title, Icon icon) override;
    bool askYesNo(QWidget *owner, const QString &text, const QString &title, Icon icon) override;
    std::optional<QString> inputText(QWidget *owner, const QString &prompt, const QString &title,
                                     const QString &initial) override;

    // "desc|pattern|desc|pattern|" as Qt's "desc (pattern);;desc (pattern)";
    // patterns separated by ";" become space separated. A description
    // without a pattern matches every file.
    static QString qtFilter(const QString &filter);
};
