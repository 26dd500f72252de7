#include "save_progress.h"

#include "controls/busy_cursor.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <memory>
#include <thread>

namespace {

constexpr int ProgressDelayMs = 500;
constexpr int ProgressStepMs = 50;

} // namespace

PictureError saveShowingProgress(const QImage &image, const QString &path,
                                 const PictureFormat &format, QWidget *owner)
{
    const BusyCursor busy;
    QEventLoop loop;
    std::atomic<int> rowsDone{0};
    PictureError error = PictureError::None;
    std::thread saver([&] {
        error = savePicture(image, path, format, &rowsDone);
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });

    std::unique_ptr<QProgressDialog> progress;
    QTimer step;
    int waited = 0;
    QObject::connect(&step, &QTimer::timeout, &loop, [&] {
        waited += ProgressStepMs;
        if (!progress && waited >= ProgressDelayMs) {
            progress = std::make_unique<QProgressDialog>(QStringLiteral("正在保存图片..."),
                                                         QString(), 0, image.height(), owner);
            progress->setWindowTitle(QStringLiteral("保存"));
            progress->setMinimumDuration(0);
        }
        if (progress)
            progress->setValue(rowsDone.load(std::memory_order_relaxed));
    });
    step.start(ProgressStepMs);
    // Repaints and timers go on; clicks and keys wait for the end of the save.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    saver.join();
    return error;
}
