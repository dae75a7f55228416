#include "sharedstate.h"

namespace core {

SharedState &shared()
{
    static SharedState state;
    return state;
}

} // namespace core
