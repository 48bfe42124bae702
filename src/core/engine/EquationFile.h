#pragma once
// Equation files keep a calculation as the keys that rebuild it, one per line:
//   "(", "2", "qeAdd", ")", "3", "qeTimes", "10", "qePercen", "qeEquals"
// A conversion line carries its request: "qeConv,Length,lmi,lkm".

#include "conversion/ConvSpec.h"
#include "engine/OperCode.h"

#include <string_view>

namespace quantrel {

struct OperLine {
    TOperCode Oper = qeNone; ///< qeNone when the line names no operator
    TConvSpec Conv;
};

/// Reads an operator line: "qeAdd" or "qeConv,Category,From,To"; names compare with case.
OperLine ParseOperLine(std::string_view line);

} // namespace quantrel
