#pragma once
// The engine refuses an operation (error state, full equation) by throwing this.
// The one place where the window or the command-line program runs a command
// catches it and ends the command quietly: no message, no further effect.

#include <exception>

namespace quantrel {

struct SilentAbort : std::exception {
    const char* what() const noexcept override { return "operation refused"; }
};

} // namespace quantrel
