#pragma once
#include <QGuiApplication>

namespace core {

// Shows the wait cursor over every window while it lives: long work (a big report, a filter over
// a large table, a search, expanding the whole tree) tells the user it is under way.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace core
