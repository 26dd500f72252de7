#include "core/surface.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Surface canvas(760, 568);
    QLabel window;
    window.setWindowTitle(QStringLiteral("Kalvo"));
    window.setPixmap(QPixmap::fromImage(canvas.image()));
    window.show();
    return app.exec();
}
