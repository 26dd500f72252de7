#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor for as long as it lives: long work on a big picture runs
// inside the event that started it, so the user sees that it is busy.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }

    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
