#include "app/frmmain.h"
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

int main(int argc, char **argv)
{
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
    frmmain window(dialogs);
    window.startUp();
    window.show();
    // A copy of the picture is kept from the start: nothing drawn is lost
    // when the process dies (an unwritable cache folder only means no copy).
    RecoveryCopy &copy = window.recoveryCopy();
    copy.start(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
               QStringLiteral("/recovery"));
    // A recovered picture takes the place of one named on the command line:
    // the user chose to go on with it. "kalvo picture.bmp": Qt has taken its
    // own options out of the list.
    if (!offerRecovery(copy, window.documentCommands(), dialogs, &window))
        window.documentCommands().openFromCommandLine(QCoreApplication::arguments().mid(1));
    // Asked to end (a logout, kill): the copy is brought up to date first.
    TerminationWatch termination;
    QObject::connect(&termination, &TerminationWatch::requested, &copy, [&copy](int signal) {
        copy.finish([signal] { QCoreApplication::exit(128 + signal); });
    });
    return QApplication::exec();
}
