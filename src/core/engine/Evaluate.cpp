// Reducing the equation. Each fold combines one open entry with the nearest open
// entry on its left (entry 1 accumulates the result). A first pass folds local
// priority peaks; when it finds none, a second pass folds runs of equal priority
// from the left, which makes chains of equal operators left-associative.

#include "engine/QuantrelEval5.h"

namespace quantrel {

std::int32_t TQuantrelEval::NextOpen(std::int32_t i) const {
    for (std::int32_t j = i + 1; j <= FMaxCompleteEquationIdx; ++j) {
        if (!FEntries[j].IsEval)
            return j;
    }
    return 0;
}

std::int32_t TQuantrelEval::PrevOpen(std::int32_t i, std::int32_t lowest) const {
    for (std::int32_t j = i - 1; j >= lowest; --j) {
        if (!FEntries[j].IsEval)
            return j;
    }
    return 0;
}

std::int32_t TQuantrelEval::FoldTarget(std::int32_t i, std::int32_t lowest) const {
    const std::int32_t left = PrevOpen(i, lowest);
    return left != 0 ? left : 1;
}

bool TQuantrelEval::EvalEntry(std::int32_t i, std::int32_t lowest) {
    TEquationEntry& entry = FEntries[i];
    TEquationEntry& target = FEntries[FoldTarget(i, lowest)];
    const Extended before = target.Result;
    const CalcOutcome outcome = Calc(entry.Oper, true, before, entry.Result, entry.Conv);
    target.Result = outcome.Value;
    entry.IsEval = true;
    if (outcome.Error) {
        FEquationInError = true;
        return false;
    }
    entry.NumOperOn = before;
    return true;
}

Extended TQuantrelEval::Evaluate() {
    // Every entry before `first` (the first open one after entry 1) is folded, so the
    // scans start there: a long calculation costs no more per key than a short one.
    std::int32_t first = NextOpen(1);
    if (first == 0)
        return FEntries[1].Result;

    // Folds entry i; tells whether evaluation is over (error or fully reduced).
    bool failed = false;
    const auto fold = [&](std::int32_t i, std::string_view label) {
        if (!EvalEntry(i, first)) {
            failed = true;
            return true;
        }
        if (i == first)
            first = NextOpen(i);
        if (FIsDebug)
            Snapshot(label);
        if (first == 0) {
            PrintPendingLines();
            return true;
        }
        return false;
    };
    const auto P = [&](std::int32_t i) { return FEntries[i].Priority; };

    for (;;) {
        bool foldedAny = false;
        for (std::int32_t i = first; i <= FMaxCompleteEquationIdx; ++i) {
            if (FEntries[i].IsEval)
                continue;
            const std::int32_t L = PrevOpen(i, first);
            const std::int32_t R = NextOpen(i);
            const bool peak = (L == 0 && R != 0 && P(i) > P(R)) ||
                              (R == 0 && L != 0 && P(i) > P(L)) || (L == 0 && R == 0) ||
                              (L != 0 && R != 0 && P(i) > P(L) && P(i) >= P(R));
            if (!peak)
                continue;
            foldedAny = true;
            if (fold(i, "First Pass"))
                return failed ? 0 : FEntries[1].Result;
        }
        if (foldedAny)
            continue;
        for (std::int32_t i = first; i <= FMaxCompleteEquationIdx; ++i) {
            if (FEntries[i].IsEval)
                continue;
            const std::int32_t L = PrevOpen(i, first);
            const std::int32_t R = NextOpen(i);
            const bool level = (L == 0 && R != 0 && P(i) == P(R)) ||
                               (R == 0 && L != 0 && P(i) == P(L)) ||
                               (L != 0 && R != 0 && P(i) == P(L) && P(i) == P(R));
            if (level && fold(i, "Second Pass"))
                return failed ? 0 : FEntries[1].Result;
        }
    }
}

Extended TQuantrelEval::EvaluateAndShow() {
    const Extended value = Evaluate();
    if (OnQuantrelVal)
        OnQuantrelVal(*this, value);
    return value;
}

} // namespace quantrel
