#include "calculator/EquationSlots.h"

#include <cstddef>

namespace quantrel {

int EquationSlots::Engine(int slot) const {
    if (slot < 1 || slot > kSize)
        return 0;
    return m_engines[static_cast<std::size_t>(slot - 1)];
}

int EquationSlots::freeEngine(int firstSlot) const {
    for (int n = 1; n <= kSize; ++n) {
        bool held = false;
        for (int slot = firstSlot; slot <= kSize; ++slot)
            held = held || m_engines[static_cast<std::size_t>(slot - 1)] == n;
        if (!held)
            return n;
    }
    return 0;
}

int EquationSlots::Save() {
    for (std::size_t j = kSize - 1; j >= 1; --j)
        m_engines[j] = m_engines[j - 1];
    m_engines[0] = freeEngine(2);
    return m_engines[0];
}

int EquationSlots::Recall(int slot) {
    for (int j = slot; j >= 2; --j)
        m_engines[static_cast<std::size_t>(j - 1)] = m_engines[static_cast<std::size_t>(j - 2)];
    // Slot 1 still names a moved engine; emptied, it no longer counts as held.
    m_engines[0] = 0;
    m_engines[0] = freeEngine(1);
    return m_engines[0];
}

void EquationSlots::Append(int engine) {
    for (int& held : m_engines) {
        if (held == 0) {
            held = engine;
            return;
        }
    }
}

} // namespace quantrel
