// The memory register's keys Min, M+, MR and MC. The memory belongs to the logic;
// the engine asks for it through OnQuantrelGetMem when it replays a memory entry.

#include "calculator/CalculatorLogic.h"

#include <cmath>

namespace quantrel {

void CalculatorLogic::MemoryIn() {
    RunCommand([&] {
        m_entry.SetMemoryValue(m_entry.ShownValue());
        m_entry.EndNumber();
    });
}

void CalculatorLogic::MemoryAdd() {
    RunCommand([&] {
        const Extended sum = m_entry.MemoryValue() + m_entry.ShownValue();
        if (!std::isfinite(sum)) {
            // The memory keeps its value rather than becoming infinite.
            m_view.ShowMessage("Number too Large", MessageKind::Error);
            return;
        }
        m_entry.SetMemoryValue(sum);
        m_entry.EndNumber();
    });
}

void CalculatorLogic::MemoryClear() {
    RunCommand([&] {
        m_entry.SetMemoryValue(0);
        m_entry.EndNumber();
    });
}

void CalculatorLogic::MemoryRecall() {
    RunCommand([&] { enterShownNumber(m_entry.MemoryValue()); });
}

} // namespace quantrel
