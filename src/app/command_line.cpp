#include "command_line.h"

CommandLine readCommandLine(const QStringList &arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded &&
                   (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            return {CommandLine::Request::Usage, {}};
        } else if (!optionsEnded && argument == QLatin1String("--version")) {
            return {CommandLine::Request::Version, {}};
        } else {
            line.files << argument;
        }
    }
    return line;
}

QString programVersion()
{
    // KALVO_VERSION is the CMake project's version, given to this file alone
    // so that a new version rebuilds one object.
    return QStringLiteral(KALVO_VERSION);
}

QString usageText()
{
    return QStringLiteral("用法：kalvo [图片文件]\n"
                          "      kalvo --help | --version\n"
                          "\n"
                          "Kalvo 画图程序。打开给出的位图、PNG、JPEG 或 GIF 图片；"
                          "没有给出文件时从空白图片开始。\n"
                          "\n"
                          "  -h, --help   显示本帮助后退出\n"
                          "  --version    显示版本后退出\n"
                          "  --           其后的参数都是文件名\n"
                          "\n"
                          "以“-”开头的文件名写成 ./-文件名 或放在 -- 之后，"
                          "例如 kalvo ./--help。\n");
}

QString versionText()
{
    return QStringLiteral("Kalvo %1\n").arg(programVersion());
}
