#pragma once
// TQuantrelEval, the calculation engine. Keys come in as numbers (EnterNumber) and
// operator codes (EnterOperator); the engine keeps them as an equation of up to 499
// entries, reduces it by precedence (or strictly as entered) whenever an operator
// allows, and reports back synchronously through its events:
//
//   EnterNumber / EnterOperator -> Evaluate (folds entries with Calc)
//        -> PrintPendingLines -> OnQuantrelTape (lines with their TapeAttr)
//        -> OnQuantrelVal (the value for the display)
//
// Each engine is self-contained: properties, locale and conversion table are its own.

#include "conversion/convunits.h"
#include "engine/OperCode.h"
#include "numeric/Extended.h"
#include "numeric/NumberLocale.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quantrel {

/// One entry of an equation: an operator and, for a binary one, its number.
struct TEquationEntry {
    bool IsEval = false;    ///< folded into its left neighbour
    Extended Result = 0;    ///< working value (entry 1: the running result)
    Extended NumEnt = 0;    ///< the number as entered
    Extended NumOperOn = 0; ///< left value the operator works on
    bool IsNumberEntered = false;
    bool IsGetMem = false;  ///< the number came from the memory request
    bool IsPrinted = false; ///< its tape lines have been written
    TOperCode Oper = qeBlank;
    std::int32_t Priority = 0; ///< OperPriority + 100 x parenthesis depth
    std::int32_t TapeSelStart = 0;
    std::int32_t TapeSelLength = 0;
    std::int32_t Parens = 0; ///< net parentheses typed while this was the last entry
    TConvSpec Conv;          ///< for qeConv only
};

inline constexpr int kMaxEquationEntries = 499;

/// A whole equation: entries 1 to 499 (slot 0 is unused, so indices read as in the
/// equation).
using TEquationBuffer = std::array<TEquationEntry, kMaxEquationEntries + 1>;

/// Line kinds of the tape.
enum TapeAttr : std::int32_t {
    taOperation = 1,
    taExpand = 2,
    taSubTotal = 3,
    taTotal = 4,
    taError = 5,
};

/// What Calc gives: the value (0 after an error) and whether an error occurred.
struct CalcOutcome {
    Extended Value = 0;
    bool Error = false;
};

class TQuantrelEval {
public:
    using TQuantrelValEvent = std::function<void(TQuantrelEval& Sender, Extended ShowVal)>;
    using TQuantrelTapeEvent = std::function<void(TQuantrelEval& Sender, const std::string& TapeVal,
                                                  std::int32_t TapeAttr, bool IsNegative)>;
    using TQuantrelErrorEvent =
        std::function<void(TQuantrelEval& Sender, const std::string& Error)>;
    using TQuantrelSelStartEvent =
        std::function<void(TQuantrelEval& Sender, std::int32_t& SelStart)>;
    using TQuantrelGetMemEvent = std::function<void(TQuantrelEval& Sender, Extended& MemNum)>;
    using MessageHandler = std::function<void(const std::string&)>;

    TQuantrelEval();
    TQuantrelEval(const TQuantrelEval&) = delete;
    TQuantrelEval& operator=(const TQuantrelEval&) = delete;

    // Events; an empty one is skipped.
    TQuantrelValEvent OnQuantrelVal;
    TQuantrelTapeEvent OnQuantrelTape;
    TQuantrelErrorEvent OnQuantrelError;
    TQuantrelSelStartEvent OnQuantrelSelStart;
    TQuantrelGetMemEvent OnQuantrelGetMem;

    /// Where modal messages go ("Equation Limit Reached!", ...), for the engine and its
    /// conversion table. Unset drops them.
    void SetMessageHandler(MessageHandler handler);
    /// Separators and currency format for the tape's numbers (comma/point by default).
    void SetLocale(const NumberLocale& locale);
    const NumberLocale& Locale() const { return m_locale; }
    /// File that the diagnostic snapshot appends to while IsDebug is on.
    void SetSnapshotPath(std::string path) { m_snapshotPath = std::move(path); }
    const std::string& SnapshotPath() const { return m_snapshotPath; }

    // Properties.
    const std::string& TaxLit() const { return FTaxLit; }
    void SetTaxLit(std::string value) { FTaxLit = std::move(value); }
    double TaxRate() const { return FTaxRate; }
    void SetTaxRate(double value) { FTaxRate = value; }
    bool SubTotal() const { return FSubTotal; }
    void SetSubTotal(bool value) { FSubTotal = value; }
    std::int32_t SubTotalSym() const { return FSubTotalSym; }
    void SetSubTotalSym(std::int32_t value);
    bool ExpandOper() const { return FExpandOper; }
    void SetExpandOper(bool value) { FExpandOper = value; }
    std::int32_t ExpandOperSym() const { return FExpandOperSym; }
    void SetExpandOperSym(std::int32_t value);
    bool DumbPercen() const { return FDumbPercen; }
    void SetDumbPercen(bool value) { FDumbPercen = value; }
    bool IsEmpty() const { return FMaxCompleteEquationIdx == 0; }
    bool IsDebug() const { return FIsDebug; }
    void SetIsDebug(bool value) { FIsDebug = value; }
    bool DumbMath() const { return FDumbMath; }
    void SetDumbMath(bool value) { FDumbMath = value; }
    /// 1 degrees, 2 radians, 3 grads.
    std::int32_t TrigUnits() const { return FTrigUnits; }
    void SetTrigUnits(std::int32_t value) { FTrigUnits = value; }
    /// 10 or 16.
    std::int32_t BaseUnits() const { return FBaseUnits; }
    void SetBaseUnits(std::int32_t value) { FBaseUnits = value; }
    /// 1 General, 2 Scientific, 3 Currency, 4 Fixed.
    std::int32_t TapeFormatMode() const { return FTapeFormatMode; }
    void SetTapeFormatMode(std::int32_t value) { FTapeFormatMode = value; }
    std::int32_t Digits() const { return FDigits; }
    void SetDigits(std::int32_t value) { FDigits = value; }
    std::int32_t ConvDigits() const { return FConvDigits; }
    void SetConvDigits(std::int32_t value) { FConvDigits = value; }
    std::int32_t Precision() const { return FPrecision; }
    void SetPrecision(std::int32_t value) { FPrecision = value; }
    bool EquationInError() const { return FEquationInError; }
    void SetEquationInError(bool value) { FEquationInError = value; }
    const std::string& About() const { return FAbout; }
    void SetAbout(std::string value) { FAbout = std::move(value); }

    // Entry and editing.
    void Reset();
    void EnterNumber(bool IsGetMem, Extended Num);
    void EnterOperator(TOperCode Oper, const TConvSpec& Conv = {});
    bool OpenParen();
    bool CloseParen();
    bool HasOpenParen() const { return FParenLevel >= 1; }
    std::int32_t ParenDepth() const { return FParenLevel; }
    bool AwaitingNumber() const;
    std::int32_t EquationIdx() const { return FEquationIdx; }

    // The number cursor.
    bool MovePrev();
    bool MoveNext();
    bool CanMovePrev() const;
    bool CanMoveNext() const;
    Extended CurrentNumber();
    std::int32_t CursorIdx() const { return FCursorIdx; }
    std::int32_t CursorSelStart() const;
    std::int32_t CursorSelLength() const;
    void ReplaceNumber(Extended Num);

    // Rebuilding and moving equations.
    Extended Replay(std::int32_t UpToIdx);
    void CopyEquation(TEquationBuffer& Buffer) const;
    void AssignEquation(const TEquationBuffer& Buffer, std::int32_t Count);
    void ShiftTapePositions(std::int32_t FromPos, std::int32_t Delta);

    /// Writes the equation as its keys, one per line (CR LF); an empty equation gives
    /// an empty file. The file is replaced whole or not at all.
    bool SaveToFile(const std::string& fileName) const;
    /// Replaces the equation by the one in the file, entering its keys as typed.
    /// False when the file cannot be read, a line is not understood or the engine
    /// refuses a key; the entries before the failing line stay.
    bool LoadFromFile(const std::string& fileName);

    /// Loads the conversion table of this engine (path of the user's conv.csv).
    void LoadConvTable(const std::string& fileName);
    TConvUnits& ConvUnits() { return FConvUnits; }
    const TConvUnits& ConvUnits() const { return FConvUnits; }

    /// The value of one operator: V is the left value, W the entry's own number.
    /// With Report, an error writes its tape line and raises OnQuantrelError.
    CalcOutcome Calc(TOperCode Oper, bool Report, Extended V, Extended W, const TConvSpec& Conv);

    /// The text of a number on the tape; Oper marks angles (qeSin, qeCos, qeTan, qeAngle).
    std::string FormatTapeNumber(TOperCode Oper, Extended X) const;

    /// Read access for summaries and tests: entry i (1..499) and the last complete index.
    const TEquationEntry& Entry(std::int32_t i) const {
        return FEntries.at(static_cast<std::size_t>(i));
    }
    std::int32_t MaxCompleteEquationIdx() const { return FMaxCompleteEquationIdx; }

private:
    // Entry.
    bool CanEvaluateNow(TOperCode Oper, std::int32_t Idx) const;
    Extended ApplyImmediate(TOperCode Oper, const TConvSpec& Conv, Extended X);
    bool PercentApplies(TOperCode incoming, TOperCode current) const;
    std::int32_t PriorityOf(TOperCode Oper) const;
    bool ResetCursor();
    std::int32_t FindPrev(std::int32_t start) const;
    std::int32_t FindNext() const;
    void ApplyParens(std::int32_t parens);
    void Rebuild(const TEquationBuffer& entries, std::int32_t count);

    // Evaluation.
    Extended Evaluate();
    Extended EvaluateAndShow();
    bool EvalEntry(std::int32_t i, std::int32_t lowest = 2);
    std::int32_t NextOpen(std::int32_t i) const;
    /// The nearest open entry left of i, looking no further left than `lowest` (every
    /// entry below it is folded); 0 for none.
    std::int32_t PrevOpen(std::int32_t i, std::int32_t lowest = 2) const;
    std::int32_t FoldTarget(std::int32_t i, std::int32_t lowest = 2) const;

    // Arithmetic.
    Extended ToRadians(Extended x) const;
    Extended FromRadians(Extended x) const;
    /// x less its whole turns (360 degrees, 400 grads); radians as they are.
    Extended ReducedAngle(Extended x) const;
    Extended DebugSubtract(Extended x, Extended y);

    // Tape.
    void EmitTapeLine(const std::string& text, std::int32_t attr, bool isNegative);
    void EmitOperationLine(std::int32_t i, const std::string& text);
    void PrintPendingLines();
    void PrintTotalLine(std::int32_t i);
    void PrintOperandLine(std::int32_t i);
    void PrintFunctionLine(std::int32_t i);
    void PrintTaxLine(std::int32_t i);
    void PrintConversionLine(std::int32_t i);
    void PrintExpansion(std::int32_t i);
    void PrintFunctionExpansion(std::int32_t i);
    void PrintTaxExpansion(std::int32_t i);
    void PrintConversionExpansion(std::int32_t i);
    void EmitExpandedLine(const std::string& head, const std::string& value);
    std::string ConversionText(TOperCode numberOper, Extended value, const TConvSpec& conv) const;
    std::string TaxRateText(TOperCode Oper) const;
    void PrintSubTotalLine(TOperCode code);

    /// Appends a dump of the entries to the snapshot file (while IsDebug is on).
    void Snapshot(std::string_view label);
    void ShowMessage(const std::string& text) const;

    // Properties.
    std::string FTaxLit = "GST";
    double FTaxRate = 0.1;
    bool FSubTotal = true;
    std::int32_t FSubTotalSym = 0;
    bool FExpandOper = true;
    std::int32_t FExpandOperSym = 0;
    bool FDumbPercen = false;
    bool FIsDebug = false;
    bool FDumbMath = false;
    std::int32_t FTrigUnits = 1;
    std::int32_t FBaseUnits = 10;
    std::int32_t FTapeFormatMode = 1;
    std::int32_t FDigits = 4;
    std::int32_t FConvDigits = 0;
    std::int32_t FPrecision = 14;
    bool FEquationInError = false;
    std::string FAbout;

    // Equation state.
    TEquationBuffer FEntries;
    TEquationBuffer FSavedEntries;
    std::int32_t FEquationIdx = 1;
    std::int32_t FMaxCompleteEquationIdx = 0;
    bool FFresh = true;
    std::int32_t FParenLevel = 0;
    Extended FLastNum = 0;
    std::int32_t FCursorIdx = 0;
    Extended FCursorNum = 0;
    bool FCursorShown = false;
    std::int32_t FTapeIdx = 0; ///< highest entry whose tape lines are written

    // Bracket texts of sub-total and expanded lines.
    std::string FSubTotalOpen = "{";
    std::string FSubTotalClose = "}";
    std::string FExpandOpen = "[";
    std::string FExpandClose = "]";

    NumberLocale m_locale;
    std::string m_snapshotPath;
    MessageHandler m_message;
    TConvUnits FConvUnits;
};

} // namespace quantrel
