#pragma once
// Which history engine holds which of the five recent calculations. Slot 1 is the
// most recent; each slot names an engine 1..5 or 0 when empty. The engines stay put
// and only their numbers move, so a calculation is copied once when it enters.
//   Save(): [2,1,0,0,0] -> [3,2,1,0,0]      Recall(2): [3,2,1,0,0] -> [2,3,1,0,0]

#include <array>

namespace quantrel {

class EquationSlots {
public:
    static constexpr int kSize = 5;

    /// The engine of slot 1..5, 0 for an empty slot or a slot number out of range.
    int Engine(int slot) const;
    /// The engine of each slot, most recent first.
    const std::array<int, kSize>& Engines() const { return m_engines; }

    /// A calculation enters at slot 1: the others move down one and the oldest drops
    /// out. Returns the engine that now holds slot 1, to be filled by the caller.
    int Save();
    /// The calculation of `slot` leaves to become the current one, and the current one
    /// takes slot 1: the slots above `slot` move down one. Returns the engine of slot 1
    /// (the one that held `slot`), to be filled by the caller once it has read it.
    int Recall(int slot);
    /// All slots empty.
    void Clear() { m_engines = {}; }
    /// Start-up: the engine takes the first empty slot.
    void Append(int engine);

private:
    /// The first engine held by none of the slots from `firstSlot` on.
    int freeEngine(int firstSlot) const;

    std::array<int, kSize> m_engines{};
};

} // namespace quantrel
