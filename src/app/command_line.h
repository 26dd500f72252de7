#pragma once

#include <QString>
#include <QStringList>

// What `kalvo ARGUMENTS...` asks for. Only the usage and the version are
// options: every other argument names a picture, so a file whose name starts
// with a dash is opened as ./-name, or after "--".
struct CommandLine {
    enum class Request { Start, Usage, Version };

    Request request = Request::Start;
    // The pictures named, in order; the window opens the first.
    QStringList files;
};

// arguments: those after the program's own name. The first option met wins.
CommandLine readCommandLine(const QStringList &arguments);

// The program's version, from its build.
QString programVersion();

// What `kalvo --help` and `kalvo --version` print, ending in a newline.
QString usageText();
QString versionText();
