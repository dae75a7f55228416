#include "guard.h"

#include "dialogs.h"
#include "error.h"

#include <QString>

#include <exception>

namespace core {

namespace {
int depth = 0;
std::exception_ptr pending;

QString describe(const std::exception_ptr &e)
{
    try {
        std::rethrow_exception(e);
    } catch (const Error &err) {
        return err.text();
    } catch (const std::exception &err) {
        return QString::fromLocal8Bit(err.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}
} // namespace

void guarded(const std::function<void()> &handler)
{
    ++depth;
    std::exception_ptr failure;
    try {
        handler();
        rethrowPending();
    } catch (...) {
        failure = std::current_exception();
    }
    --depth;
    if (!failure)
        return;
    if (depth > 0) {
        pending = failure;
        return;
    }
    pending = nullptr;
    dialogs().error(describe(failure));
}

void rethrowPending()
{
    if (pending) {
        auto e = pending;
        pending = nullptr;
        std::rethrow_exception(e);
    }
}

} // namespace core
