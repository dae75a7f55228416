#pragma once
#include <functional>

namespace core {

// Runs an event handler. In the outermost handler an error ends the handler and shows its text in
// the default error box; what the handler changed before stays changed. A handler nested inside
// another (a change handler run by a setText of an outer handler) keeps its error pending instead,
// so no exception crosses Qt's signal delivery; the outer handler picks it up with
// rethrowPending() right after the call that ran the nested one, and ends there too.
void guarded(const std::function<void()> &handler);
void rethrowPending();

} // namespace core
