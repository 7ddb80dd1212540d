#pragma once

#include <QApplication>

// The wait cursor over the whole program while the object lives: for the
// commands that read, convert and show a large file. Message boxes come after
// it is gone, so they never show a wait cursor.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }

    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
