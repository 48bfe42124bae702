#pragma once
// Every value of the settings store, as the window keeps it between start-up and
// shut-down: the calculator's own settings and the window's (view, tape styles,
// notes, folders, the converter's place). A default-constructed value holds the
// first-run defaults, which are those of the table of stored settings.

#include "calculator/CalculatorSettings.h"

#include <array>
#include <cstdint>
#include <string>

namespace quantrel {

struct ProgramSettings {
    static constexpr int kNotes = 10;
    static constexpr int kConversions = 10;

    /// The values the calculator logic and the main engine apply ("NumOpt" ... "TaxLit",
    /// "Hide", "ThousSep", "MemNum").
    CalculatorSettings Calc;

    // "Tape"
    std::int32_t FontSize = 8;
    std::string FontName; ///< blanks around removed; empty keeps the window's font
    bool Keep = false;
    bool Reset = false;
    std::int32_t Keepcount = 99;
    // "Form"
    bool OnTop = false;
    bool Toolbar = true;
    bool Statusbar = true;
    bool Scientific = true;
    bool Large = false;
    std::int32_t Left = 100;
    std::int32_t Top = 100;
    // "Totals"
    bool TotalsBold = true;
    bool TotalsUnder = true;
    bool TotalsRed = false;
    // "Annot"
    std::string AnnotColor = "clBlue";
    bool AnnotItalics = false;
    bool AnnotUnder = false;
    std::array<std::string, kNotes> Notes; ///< "Note1".."Note10", most recent first
    // "Expand"
    std::string SubTotalsColor = "clGreen";
    std::string ExpandOperColor = "clBlue";
    // "Dir"
    std::string SaveDest; ///< the data folder; empty until the window fills in its default
    std::string SaveTape; ///< the folder Save Tape As used last
    // "Conv"
    std::array<std::string, kConversions> Conv; ///< "Conv1".."Conv10", conversion texts
    std::int32_t ConvLeft = 0;
    std::int32_t ConvTop = 0;
    std::int32_t ConvHeight = 0;
    std::int32_t ConvWidth = 0;
    // "Mouse"
    bool Down = false; ///< Fast Click

    bool operator==(const ProgramSettings&) const = default;
};

} // namespace quantrel
