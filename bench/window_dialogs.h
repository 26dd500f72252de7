#pragma once

#include "core/common_dialogs.h"

#include <fstream>
#include <string>

// What the window-path benchmarks share: the answers to the window's dialogs
// and the process's memory figures.

// Answers the window's dialogs: the file to open, the file and type to save,
// Yes, and the text offered; keeps the last message shown.
class BenchDialogs : public CommonDialogs
{
public:
    QString file;
    QString saveFile;
    int saveType = 0;
    QString lastMessage;

    FileChoice openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {file, 0};
    }
    FileChoice saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {saveFile, saveType};
    }
    Colour chooseColour(QWidget *, Colour, const std::array<Colour, 16> &, bool) override
    {
        return NoColour;
    }
    void message(QWidget *, const QString &text, const QString &, Icon) override
    {
        lastMessage = text;
    }
    bool askYesNo(QWidget *, const QString &, const QString &, Icon) override { return true; }
    // The answer offered, as a user who presses OK.
    std::optional<QString> inputText(QWidget *, const QString &, const QString &,
                                     const QString &initial) override
    {
        return initial;
    }
};

// A kilobyte figure of /proc/self/status, in bytes.
inline double statusBytes(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ':';
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(key.size())) * 1024.0;
    }
    return 0;
}

// The peak starts again from what the process holds now.
inline void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}
