#pragma once
// --units: the conversion table, one unit per line, tab-separated:
//   Length<TAB>lkm<TAB>kilometres<TAB>km<TAB>0<TAB>1000<TAB>0

#include "conversion/convunits.h"

#include <ostream>
#include <string>

namespace quantrel::cli {

/// Writes the units of `category` (every category when empty); false when the
/// category is not in the table.
bool ListUnits(const TConvUnits& table, const std::string& category, std::ostream& out);

} // namespace quantrel::cli
