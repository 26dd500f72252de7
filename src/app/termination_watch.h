#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM (a logout, kill), SIGHUP (the terminal went away) and SIGINT
// (Ctrl+C) as a signal on the main thread, so that the program can finish its
// recovery copy before it ends. The handler only writes the signal's number
// to a pipe; once it has been heard, a second such signal ends the program at
// once.
class TerminationWatch : public QObject
{
    Q_OBJECT

public:
    explicit TerminationWatch(QObject *parent = nullptr);
    ~TerminationWatch() override;

signals:
    void requested(int signal);

private:
    void heard();

    QSocketNotifier *m_notifier = nullptr;
};
