// The least a Qt Widgets program can do for a zoom step or a wheel notch: a
// window as large as Kalvo's view that, on any key but a modifier and on each
// wheel turn, shows the other of two ready pictures with one unscaled blit.
// window_timing.py --floor times it beside Kalvo on the same display: what
// it takes is Qt's and the X server's, not Kalvo's.
//
//     window_floor WIDTH HEIGHT
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include <array>

namespace {

class Floor : public QWidget
{
public:
    explicit Floor(QSize size)
    {
        setWindowTitle(QStringLiteral("window_floor"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(size);
        // Two pictures unlike each other in every pixel that the timing
        // script probes.
        for (std::size_t i = 0; i < m_pictures.size(); ++i) {
            QImage &picture = m_pictures[i];
            picture = QImage(size, QImage::Format_RGB32);
            for (int y = 0; y < size.height(); ++y) {
                auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
                for (int x = 0; x < size.width(); ++x)
                    row[x] =
                        i == 0 ? qRgb(x & 0xff, y & 0xff, 0x40) : qRgb(0x20, x & 0xff, y & 0xff);
            }
        }
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, m_pictures[m_shown]); }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() != Qt::Key_Control && event->key() != Qt::Key_Shift)
            showOther();
    }
    void wheelEvent(QWheelEvent *) override { showOther(); }

private:
    void showOther()
    {
        m_shown = 1 - m_shown;
        update();
    }

    std::array<QImage, 2> m_pictures;
    std::size_t m_shown = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QSize size =
        arguments.size() == 3 ? QSize(arguments[1].toInt(), arguments[2].toInt()) : QSize(876, 436);
    Floor floor(size);
    floor.move(0, 0);
    floor.show();
    return QApplication::exec();
}
