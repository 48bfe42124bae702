#pragma once
// What the fuzz programs share: the check that turns a broken promise into a finding,
// and a folder of the program's own for the loaders that read a path: each input is
// written to a file there and read back through the same code as a user's file.
//   static const ScratchFolder folder; folder.Write("conv.csv", bytes) -> ".../conv.csv"

#include "support/TempDir.h"

#include <cstdlib>

namespace quantrel::fuzz {

/// Ends the run as a finding when a promise does not hold.
inline void Check(bool holds) {
    if (!holds)
        std::abort();
}

/// A folder of the program's own, removed with its files at the end: the tests' one.
using ScratchFolder = test::TempDir;

} // namespace quantrel::fuzz
