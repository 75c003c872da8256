#pragma once

#include <QApplication>
#include <QCursor>

namespace parlumo {

// Shows the busy cursor while an exchange blocks the user-interface thread.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace parlumo
