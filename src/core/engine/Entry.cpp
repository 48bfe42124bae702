// Building the equation: numbers, operators, parentheses, the number cursor and
// replaying entries. An operator that lets pending entries be reduced calls Evaluate.

#include "engine/QuantrelEval5.h"

#include "engine/SilentAbort.h"

#include <algorithm>

namespace quantrel {

void TQuantrelEval::Reset() {
    for (std::int32_t i = 1; i <= kMaxEquationEntries; ++i)
        FEntries[i] = TEquationEntry{};
    FEquationIdx = 1;
    FMaxCompleteEquationIdx = 0;
    FTapeIdx = 0;
    FFresh = true;
    FEquationInError = false;
    FParenLevel = 0;
    FLastNum = 0;
    FCursorIdx = 0;
    FCursorShown = false;
}

std::int32_t TQuantrelEval::PriorityOf(TOperCode Oper) const {
    return OperPriority(Oper, FDumbMath) + 100 * FParenLevel;
}

void TQuantrelEval::EnterNumber(bool IsGetMem, Extended Num) {
    if (FEquationInError)
        throw SilentAbort{};
    if (IsGetMem) {
        Num = 0;
        if (OnQuantrelGetMem)
            OnQuantrelGetMem(*this, Num);
    }
    if (FFresh) {
        FFresh = false;
        FEquationIdx = 1;
        FMaxCompleteEquationIdx = 1;
        TEquationEntry& first = FEntries[1];
        first.IsEval = false;
        first.Result = Num;
        first.NumEnt = Num;
        first.Oper = qeBlank;
        first.Priority = PriorityOf(qeBlank);
        first.IsNumberEntered = true;
        first.IsGetMem = IsGetMem;
        first.IsPrinted = false;
    } else {
        TEquationEntry& e = FEntries[FEquationIdx];
        e.Result = Num;
        e.NumEnt = Num;
        e.IsNumberEntered = true;
        e.IsGetMem = IsGetMem;
        e.IsPrinted = false;
        FMaxCompleteEquationIdx = std::min(FMaxCompleteEquationIdx + 1, FEquationIdx);
    }
    FLastNum = Num;
}

void TQuantrelEval::EnterOperator(TOperCode Oper, const TConvSpec& Conv) {
    const TConvSpec conv = Conv;
    if (FEquationInError)
        throw SilentAbort{};
    const Extended previousDisplay = FLastNum;
    const bool evalNow = CanEvaluateNow(Oper, FEquationIdx);

    TEquationEntry& current = FEntries[FEquationIdx];
    if (IsBinaryOper(current.Oper) && !current.IsNumberEntered) {
        // The pending operator still waits for its number: the new one replaces it.
        current.Oper = Oper;
        current.Priority = PriorityOf(Oper);
        current.Conv = conv;
        current.IsPrinted = false;
        if (!IsBinaryOper(Oper))
            ++FMaxCompleteEquationIdx;
    } else if (PercentApplies(Oper, current.Oper)) {
        Oper = PercentFormOf(current.Oper);
        current.Oper = Oper;
        current.Priority = PriorityOf(Oper);
        current.IsPrinted = false;
    } else {
        if (FEquationIdx == kMaxEquationEntries) {
            ShowMessage("Equation Limit Reached!");
            throw SilentAbort{};
        }
        ++FEquationIdx;
        if (!IsBinaryOper(Oper))
            ++FMaxCompleteEquationIdx;
        TEquationEntry& added = FEntries[FEquationIdx];
        added = TEquationEntry{};
        added.Oper = Oper;
        added.Priority = PriorityOf(Oper);
        added.NumOperOn = previousDisplay;
        added.Conv = conv;
    }

    if (evalNow || Oper == qeEquals) {
        FLastNum = Evaluate();
        FCursorShown = false;
    } else {
        FLastNum = ApplyImmediate(Oper, conv, FLastNum);
        FCursorShown = IsBinaryOper(Oper);
    }
    if (OnQuantrelVal)
        OnQuantrelVal(*this, FLastNum);
    if (Oper == qeEquals)
        EvaluateAndShow();
    ResetCursor();
    if (FIsDebug)
        Snapshot("AfterGetLastNum");
}

Extended TQuantrelEval::ApplyImmediate(TOperCode Oper, const TConvSpec& Conv, Extended X) {
    if (IsBinaryOper(Oper))
        return X;
    return Calc(Oper, false, X, 0, Conv).Value;
}

bool TQuantrelEval::PercentApplies(TOperCode incoming, TOperCode current) const {
    return !FDumbPercen && incoming == qePercen &&
           (current == qeAdd || current == qeMinus || current == qeTimes || current == qeDivide);
}

bool TQuantrelEval::OpenParen() {
    ++FParenLevel;
    ++FEntries[FEquationIdx].Parens;
    return true;
}

bool TQuantrelEval::CloseParen() {
    if (FParenLevel == 0)
        return false;
    --FParenLevel;
    --FEntries[FEquationIdx].Parens;
    return true;
}

bool TQuantrelEval::AwaitingNumber() const {
    if (FEquationIdx == 0)
        return true;
    const TEquationEntry& e = FEntries[FEquationIdx];
    return IsBinaryOper(e.Oper) && !e.IsNumberEntered;
}

bool TQuantrelEval::CanEvaluateNow(TOperCode Oper, std::int32_t Idx) const {
    const TEquationEntry& e = FEntries[Idx];
    const std::int32_t P = PriorityOf(Oper);
    const bool binary = IsBinaryOper(Oper);
    if (Oper == qeEquals)
        return false;
    if (e.Oper == qeBlank && binary)
        return false; // only the first number exists
    if (e.IsEval && e.Oper == qeEquals && binary)
        return false; // the calculation continues after equals
    if (P > e.Priority && !e.IsEval && e.Oper != qeEquals && e.Oper != qeBlank)
        return false; // the incoming operator binds tighter than the pending one
    for (std::int32_t j = Idx; j >= 2 && !FEntries[j].IsEval; --j) {
        if (FEntries[j].Priority < P && FEntries[j].Oper != qeEquals)
            return false;
    }
    return true;
}

// Number cursor.

bool TQuantrelEval::ResetCursor() {
    FCursorNum = 0;
    FCursorIdx = 0;
    for (std::int32_t j = FMaxCompleteEquationIdx; j >= 1; --j) {
        if (FEntries[j].IsNumberEntered) {
            FCursorIdx = j;
            FCursorNum = FEntries[j].NumEnt;
            return true;
        }
    }
    return false;
}

std::int32_t TQuantrelEval::FindPrev(std::int32_t start) const {
    for (std::int32_t j = std::min(start, kMaxEquationEntries); j >= 1; --j) {
        if (FEntries[j].IsNumberEntered)
            return j;
    }
    return 0;
}

std::int32_t TQuantrelEval::FindNext() const {
    for (std::int32_t j = FCursorIdx + 1; j <= FMaxCompleteEquationIdx; ++j) {
        if (FEntries[j].IsNumberEntered)
            return j;
    }
    return 0;
}

bool TQuantrelEval::MovePrev() {
    const std::int32_t start = FCursorShown ? FCursorIdx - 1 : FCursorIdx;
    FCursorShown = true;
    const std::int32_t j = FindPrev(start);
    if (j == 0)
        return false;
    FCursorIdx = j;
    FCursorNum = FEntries[j].NumEnt;
    return true;
}

bool TQuantrelEval::CanMovePrev() const {
    return FindPrev(FCursorShown ? FCursorIdx - 1 : FCursorIdx) != 0;
}

bool TQuantrelEval::MoveNext() {
    const std::int32_t j = FindNext();
    if (j == 0)
        return false;
    FCursorIdx = j;
    FCursorNum = FEntries[j].NumEnt;
    return true;
}

bool TQuantrelEval::CanMoveNext() const {
    return FindNext() != 0;
}

Extended TQuantrelEval::CurrentNumber() {
    if (OnQuantrelVal)
        OnQuantrelVal(*this, FCursorNum);
    return FCursorNum;
}

std::int32_t TQuantrelEval::CursorSelStart() const {
    return FCursorIdx >= 1 ? FEntries[FCursorIdx].TapeSelStart : 0;
}

std::int32_t TQuantrelEval::CursorSelLength() const {
    return FCursorIdx >= 1 ? FEntries[FCursorIdx].TapeSelLength : 0;
}

void TQuantrelEval::ReplaceNumber(Extended Num) {
    if (FCursorIdx < 1)
        return;
    TEquationEntry& e = FEntries[FCursorIdx];
    e.Result = Num;
    e.NumEnt = Num;
    e.IsNumberEntered = true;
    e.IsGetMem = false;
    FLastNum = Num;
}

// Replaying.

void TQuantrelEval::ApplyParens(std::int32_t parens) {
    for (; parens > 0; --parens)
        OpenParen();
    for (; parens < 0; ++parens)
        CloseParen();
}

void TQuantrelEval::Rebuild(const TEquationBuffer& entries, std::int32_t count) {
    Reset();
    // An empty calculation stays empty rather than becoming the number 0.
    if (count < 1 || !entries[1].IsNumberEntered)
        return;
    ApplyParens(entries[1].Parens);
    EnterNumber(entries[1].IsGetMem, entries[1].NumEnt);
    for (std::int32_t i = 2; i <= count; ++i) {
        const TEquationEntry& e = entries[i];
        // As typed: operator, number, "%"; a combined percent still waiting for its
        // number (read from a file) is entered as it is.
        const bool combinedPercent = IsPercentForm(e.Oper) && e.IsNumberEntered;
        EnterOperator(combinedPercent ? BaseOperOf(e.Oper) : e.Oper, e.Conv);
        ApplyParens(e.Parens);
        if (e.IsNumberEntered)
            EnterNumber(e.IsGetMem, e.NumEnt);
        if (combinedPercent)
            EnterOperator(qePercen, {});
    }
}

Extended TQuantrelEval::Replay(std::int32_t UpToIdx) {
    const std::int32_t count = FEquationIdx;
    const std::int32_t n = (UpToIdx <= 0 || UpToIdx > count) ? count : UpToIdx;
    std::copy(FEntries.begin() + 1, FEntries.begin() + count + 1, FSavedEntries.begin() + 1);
    Rebuild(FSavedEntries, n);
    return FLastNum;
}

void TQuantrelEval::CopyEquation(TEquationBuffer& Buffer) const {
    if (&Buffer != &FEntries)
        Buffer = FEntries;
}

void TQuantrelEval::AssignEquation(const TEquationBuffer& Buffer, std::int32_t Count) {
    const std::int32_t count = std::clamp(Count, 0, kMaxEquationEntries);
    // Rebuilding resets this engine's entries, which may be the very buffer given.
    if (&Buffer != &FSavedEntries)
        std::copy(Buffer.begin() + 1, Buffer.begin() + count + 1, FSavedEntries.begin() + 1);
    Rebuild(FSavedEntries, count);
}

void TQuantrelEval::ShiftTapePositions(std::int32_t FromPos, std::int32_t Delta) {
    for (std::int32_t i = 1; i <= FMaxCompleteEquationIdx; ++i) {
        if (FEntries[i].TapeSelStart >= FromPos)
            FEntries[i].TapeSelStart += Delta;
    }
}

} // namespace quantrel
