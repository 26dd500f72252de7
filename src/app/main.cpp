#include "app/editor.h"
#include "app/main_window.h"
#include "app/qt_common_dialogs.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
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
    Editor editor(dialogs);
    MainWindow window(editor);
    window.startUp();
    window.show();
    // "kalvo picture.bmp": Qt has taken its own options out of the list.
    editor.documentCommands().openFromCommandLine(QCoreApplication::arguments().mid(1));
    return QApplication::exec();
}
