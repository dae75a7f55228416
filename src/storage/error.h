#pragma once
#include "core/error.h"

namespace storage {

// An error raised by the table engine; its text is what the user sees.
class Error : public core::Error {
public:
    using core::Error::Error;
};

} // namespace storage
