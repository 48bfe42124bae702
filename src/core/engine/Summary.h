#pragma once
// The one-line summary of a calculation for the history menus:
//   12 + 3 x (4 - 1) =  ->  "12+3*(4-1)="      hexadecimal 255 + 1 =  ->  "xFF+x1="

#include <string>

namespace quantrel {

class TQuantrelEval;

/// The unspaced summary of an engine's complete entries; empty for an empty equation.
std::string EquationSummary(const TQuantrelEval& engine);

} // namespace quantrel
