// Back and Forward through the numbers of the current calculation, and the replay
// that evaluates the calculation again after a number was changed.

#include "calculator/CalculatorLogic.h"

namespace quantrel {

void CalculatorLogic::BackKey() {
    RunCommand([&] { fetchNumber(false); });
}

void CalculatorLogic::ForwardKey() {
    RunCommand([&] { fetchNumber(true); });
}

void CalculatorLogic::fetchNumber(bool forward) {
    if (m_entry.RevisitMode())
        m_main->ReplaceNumber(m_entry.EntryValue());
    if (forward ? m_main->MoveNext() : m_main->MovePrev())
        m_entry.Fetch(m_main->CurrentNumber());
    m_view.SelectTape(m_main->CursorSelStart(), m_main->CursorSelLength());
}

void CalculatorLogic::ReplayCalculation() {
    RunCommand([&] {
        if (m_main->IsEmpty() && !m_entry.NumberInProgress())
            return;
        if (m_entry.RevisitMode())
            m_main->ReplaceNumber(m_entry.EntryValue());
        else if (m_entry.NumberInProgress())
            m_main->EnterNumber(false, m_entry.EntryValue());
        appendSeparator();
        // Revisit ends before the replay, so that a replay the engine stops part way
        // leaves no fetched number pointing into the rebuilt calculation.
        m_entry.EndRevisit();
        m_main->Replay(0);
        ResetEntry();
    });
}

} // namespace quantrel
