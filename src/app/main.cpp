#include "app/command_line.h"
#include "app/editor.h"
#include "app/main_window.h"
#include "app/qt_common_dialogs.h"
#include "app/recovery_offer.h"
#include "app/termination_watch.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    // The usage and the version are answered before Qt starts, so that they
    // need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const CommandLine line = readCommandLine(arguments);
        line.request != CommandLine::Request::Start) {
        const QString text =
            line.request == CommandLine::Request::Usage ? usageText() : versionText();
        const bool written = std::fputs(text.toLocal8Bit().constData(), stdout) >= 0;
        return written && std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
    }

    // Whole scale factors keep each picture pixel a block of whole device
    // pixels on high-density screens.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    // Every move of the mouse reaches the tools: when the program falls
    // behind, merged moves would draw a zigzag as straight segments.
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    QApplication::setApplicationName(QStringLiteral("Kalvo"));
    // The installed desktop entry and icon go by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.kalvo"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.example.kalvo")));

    // Dates, numbers, Qt's own dialog buttons and texts in Chinese, like the
    // rest of Kalvo, whatever language the desktop speaks.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslations);

    // A face with Chinese glyphs behind whatever the desktop chose.
    QFont font = QApplication::font();
    QStringList families = font.families();
    if (families.isEmpty())
        families << font.family();
    families << QStringLiteral("Noto Sans CJK SC");
    font.setFamilies(families);
    QApplication::setFont(font);

    QtCommonDialogs dialogs;
    Editor editor(dialogs);
    MainWindow window(editor);
    window.startUp();
    window.show();
    // A copy of the picture is kept from the start: nothing drawn is lost
    // when the process dies (an unwritable cache folder only means no copy).
    RecoveryCopy &copy = editor.recoveryCopy();
    copy.start(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
               QStringLiteral("/recovery"));
    // A recovered picture takes the place of one named on the command line:
    // the user chose to go on with it. "kalvo picture.bmp": read again now
    // that Qt has taken its own options, such as -platform, out of the list.
    if (!offerRecovery(copy, editor.documentCommands(), dialogs, &window))
        editor.documentCommands().openFromCommandLine(
            readCommandLine(QCoreApplication::arguments().mid(1)).files);
    // Asked to end (a logout, kill): the copy is brought up to date first.
    TerminationWatch termination;
    QObject::connect(&termination, &TerminationWatch::requested, &copy, [&copy](int signal) {
        copy.finish([signal] { QCoreApplication::exit(128 + signal); });
    });
    return QApplication::exec();
}
