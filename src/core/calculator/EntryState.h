#pragma once
// The number being typed, kept by the calculator logic until an operator, "=", a
// replay or Back/Forward hands it to the engine; also the shown value and the memory.

#include "numeric/Extended.h"

#include <cstdint>

namespace quantrel {

struct EntryState {
    /// The number typed, pasted, recalled or inserted: what the engine will receive.
    Extended EntryValue = 0;
    /// The value last shown as a number (the memory keys and format hints use it).
    Extended ShownValue = 0;
    /// The memory register; 0 counts as empty.
    Extended MemoryValue = 0;
    /// Digits typed after Exp, as a whole number.
    Extended ExponentValue = 0;
    /// 0: no point typed; k >= 1: the point is typed and k-1 fraction digits follow.
    std::int32_t DecimalState = 0;
    /// Fraction digits shown while the number is typed.
    std::int32_t FractionDigits = 0;
    /// A number stands on the display that the engine has not received yet.
    bool NumberInProgress = false;
    /// The next digit starts a new number instead of extending the one shown.
    bool StartNewNumber = true;
    /// The number shown was fetched with Back or Forward.
    bool RevisitMode = false;
    /// +1 or -1.
    std::int32_t ExponentSign = 1;
    /// 10, or 16 in hexadecimal mode.
    std::int32_t NumberBase = 10;
    bool HexMode = false;
    /// Digits, the sign key and backspace work on the exponent.
    bool ExponentEntry = false;
    /// The trace log is on.
    bool DebugTrace = false;
};

} // namespace quantrel
