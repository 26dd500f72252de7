#pragma once

#include <QFont>
#include <QString>

// The last choices of the Text dialog, kept until the program ends, so that
// the dialog reopens with them.
struct TextSettings {
    QString fontName;
    // Points; 0 until the dialog was first confirmed.
    int fontSize = 0;
    QString text;
    // 0 none, 1 bold, 2 italic, 3 bold and italic.
    int style = 0;
};

// The face name at size points in style (as TextSettings::style); a size below 1 keeps
// the default size.
inline QFont textFont(const QString &name, int size, int style)
{
    QFont font(name);
    if (size > 0)
        font.setPointSize(size);
    font.setBold(style == 1 || style == 3);
    font.setItalic(style == 2 || style == 3);
    return font;
}
