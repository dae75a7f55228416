#include "dialogs.h"

#include <QtGlobal>

namespace core {

namespace {
Dialogs *current = nullptr;
}

Dialogs &dialogs()
{
    Q_ASSERT_X(current, "core::dialogs", "no dialogs installed");
    return *current;
}

void setDialogs(Dialogs *d)
{
    current = d;
}

} // namespace core
