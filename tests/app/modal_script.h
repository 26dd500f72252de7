#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs open, which shows a modal Dialog, and runs script on that dialog once
// it is the active modal widget. Whatever stays open is rejected after a few
// seconds, so that a failing test cannot hang. Returns whether the script ran.
template <typename Dialog>
bool scriptModal(const std::function<void()> &open, const std::function<void(Dialog &)> &script)
{
    QTimer poller;
    poller.setInterval(10);
    QElapsedTimer clock;
    clock.start();
    bool scripted = false;
    QObject::connect(&poller, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!scripted && dialog) {
            scripted = true;
            script(*dialog);
        } else if (clock.elapsed() > 5000 && dialog) {
            dialog->reject();
        }
    });
    poller.start();
    open();
    return scripted;
}
