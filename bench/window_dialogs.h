#pragma once

#include "core/common_dialogs.h"
#include "core/picture_file.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <fstream>
#include <string>

// What the window-path benchmarks share: the pictures they open, the answers
// to the window's dialogs and the process's memory figures.

// A picture with something in every pixel, saved once per size in the
// temporary folder: kalvo_bench_WIDTH.bmp for a 4:3 picture (the name
// window_timing.py reads the size from), kalvo_bench_WxH.bmp otherwise.
inline QString pictureFile(QSize size)
{
    const QString name =
        size.height() == size.width() * 3 / 4
            ? QStringLiteral("kalvo_bench_%1.bmp").arg(size.width())
            : QStringLiteral("kalvo_bench_%1x%2.bmp").arg(size.width()).arg(size.height());
    const QString path = QDir::temp().filePath(name);
    if (QFileInfo::exists(path))
        return path;
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = qRgb(x * 255 / size.width(), y * 255 / size.height(), (x ^ y) & 0xFF);
    }
    savePicture(picture, path);
    return path;
}

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
