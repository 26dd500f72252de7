#include "termination_watch.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace {

constexpr int Watched[] = {SIGTERM, SIGHUP, SIGINT};

int pipeEnds[2] = {-1, -1};

void handler(int signal)
{
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &number, 1);
}

void setHandler(void (*action)(int))
{
    struct sigaction how {
    };
    how.sa_handler = action;
    sigemptyset(&how.sa_mask);
    how.sa_flags = SA_RESTART;
    for (const int signal : Watched)
        sigaction(signal, &how, nullptr);
}

} // namespace

TerminationWatch::TerminationWatch(QObject *parent) : QObject(parent)
{
    if (pipeEnds[0] < 0 && pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatch::heard);
    setHandler(handler);
}

TerminationWatch::~TerminationWatch()
{
    setHandler(SIG_DFL);
}

void TerminationWatch::heard()
{
    char number = 0;
    if (read(pipeEnds[0], &number, 1) != 1)
        return;
    setHandler(SIG_DFL);
    emit requested(number);
}
