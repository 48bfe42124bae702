#pragma once
// The unit conversion table and its rules. The table is built from a built-in text
// (and, when present, a user's "conv.csv") of comma-separated records: categories,
// units with their factor to the category's base unit, and special conversions.
// Lookups scan from the first record and take the first match.

#include "conversion/ConvSpec.h"
#include "numeric/Extended.h"
#include "numeric/NumberLocale.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quantrel {

/// Record type 1: a category and its base unit.
struct TConvType {
    std::string Category;   ///< max 12 characters
    std::string BaseKey;    ///< max 6
    std::string BaseSymbol; ///< max 12
};

/// Record type 2: a unit; v in the unit is (v + Offset) * Factor + PostOffset in the base unit.
struct TBaseConv {
    std::string Category;    ///< max 12
    std::string UnitKey;     ///< max 6
    std::string Description; ///< max 30
    std::string Symbol;      ///< max 12
    Extended Offset = 0;
    Extended Factor = 0;
    Extended PostOffset = 0;
};

/// Record type 3: a direct conversion; v in FromKey is (v + Offset) * Factor + PostOffset in ToKey.
struct TSpecConv {
    std::string Category; ///< max 12
    std::string FromKey;  ///< max 6
    std::string ToKey;    ///< max 6
    Extended Offset = 0;
    Extended Factor = 0;
    Extended PostOffset = 0;
};

/// One row of the converter's unit list: caption, formula to the base unit, unit key.
struct UnitListRow {
    std::string Caption;
    std::string Formula;
    std::string Key;
};

/// What the converter's unit list shows for a category; the window only measures
/// `Column0WidthText` in its font and puts the rows in.
struct UnitList {
    std::string Column0Caption;    ///< "Unit"
    std::string Column0WidthText;  ///< twenty "x": column 0 is its width + 15 pixels
    std::string Column1Caption;    ///< "Convert to:" and the base symbol
    std::vector<UnitListRow> Rows; ///< in table order
};

/// Something the load of a user's conversion file reported, with the file's line (from 1).
struct ConvLoadProblem {
    int Line = 0;
    std::string Message; ///< "Invalid Conversion Factor", "Parse Error - Line:4", ...
    bool operator==(const ConvLoadProblem&) const = default;
};

/// Splits one table line into fields: commas and characters 1..32 separate fields,
/// double quotes enclose a field ("" inside stands for one quote).
/// SplitConvLine(R"(2,Area,sqacre,"acres",acre,0,4046.856422,0)") gives 8 fields.
std::vector<std::string> SplitConvLine(std::string_view line);

/// The formula text of a conversion triple with `digits` significant digits:
/// FormulaText(-32, 0.555555556, 0, 8) -> "-32 * 0.55555556".
std::string FormulaText(Extended X, Extended Y, Extended Z, int digits, const NumberLocale& loc);

class TConvUnits {
public:
    using MessageHandler = std::function<void(const std::string&)>;

    TConvUnits();

    /// Where modal messages go ("Error Getting Conv Factor!..."); unset drops them.
    void SetMessageHandler(MessageHandler handler);
    /// Decimal separator for FormulaText.
    void SetLocale(const NumberLocale& locale);
    const NumberLocale& Locale() const { return m_locale; }

    bool Loaded() const;
    /// Category names in table order.
    const std::vector<std::string>& BaseUnits() const;
    /// Significant digits of FormulaText; 0 in a new component.
    int ConvDigits() const;
    void SetConvDigits(int digits);

    /// Builds the table from the built-in text, then from the file `convFilePath`
    /// (the user's "conv.csv") when it exists. An empty path loads the built-in text only.
    void LoadConvTable(const std::string& convFilePath);
    /// The last loading error, or empty.
    const std::string& LoadError() const;
    /// Every message the user's conversion file produced, in file order, so that a
    /// faulty file can be reported even when a later line cleared LoadError.
    const std::vector<ConvLoadProblem>& LoadProblems() const { return m_loadProblems; }

    int ConvTypeCount() const;
    int BaseConvCount() const;
    int SpecConvCount() const;
    /// Records by 1-based index; std::out_of_range outside 1..count.
    const TConvType& ConvType(int index) const;
    const TBaseConv& BaseConv(int index) const;
    const TSpecConv& SpecConv(int index) const;

    std::string GetBaseKey(std::string_view category) const;
    std::string GetBaseSymbol(std::string_view category) const;
    std::string GetBaseCaption(std::string_view category) const;
    std::string GetUnitSymbol(std::string_view category, std::string_view unitKey) const;
    bool FindBaseConv(std::string_view category, std::string_view unitKey, Extended& offset,
                      Extended& factor, Extended& postOffset) const;
    bool FindSpecConv(std::string_view category, std::string_view fromKey, std::string_view toKey,
                      Extended& offset, Extended& factor, Extended& postOffset) const;

    /// The conversion triple of a request. When no rule resolves it, shows "Error
    /// Getting Conv Factor!" with the three texts, leaves X, Y, Z as the caller set
    /// them and returns false.
    bool GetConvFactors(const TConvSpec& spec, Extended& X, Extended& Y, Extended& Z) const;
    void GetConvSymbols(const TConvSpec& spec, std::string& fromSymbol,
                        std::string& toSymbol) const;
    std::string FormulaText(Extended X, Extended Y, Extended Z) const;
    UnitList FillUnitList(std::string_view category) const;

    static std::string StripQuotes(std::string_view text);
    static std::string ConvSpecToText(const TConvSpec& spec);
    static TConvSpec TextToConvSpec(std::string_view text);

private:
    void ClearConvTable();
    /// Stores the records of `lines`; false when a line stopped the load (see LoadError).
    /// BaseUnits is rebuilt only when every line was read. For the user's file, blank
    /// lines are skipped and every message is kept in LoadProblems.
    bool loadLines(std::span<const std::string_view> lines, bool userFile);
    void rebuildBaseUnits();
    bool LoadBuiltInTable();
    /// Reads the user's file after the built-in text; a missing file is no error.
    void loadConvFile(const std::string& path);
    void AddConvType(std::string_view category, std::string_view baseKey,
                     std::string_view baseSymbol);
    void AddBaseConv(std::string_view category, std::string_view unitKey,
                     std::string_view description, std::string_view symbol, std::string_view offset,
                     std::string_view factor, std::string_view postOffset);
    void AddSpecConv(std::string_view category, std::string_view fromKey, std::string_view toKey,
                     std::string_view offset, std::string_view factor, std::string_view postOffset);
    /// Reads the three numbers of a record; the first that is not a number and the
    /// ones after it stay 0 and set "Invalid Conversion Factor".
    void readFactors(std::string_view offset, std::string_view factor, std::string_view postOffset,
                     Extended& O, Extended& F, Extended& P);

    bool m_loaded = false;
    int m_convDigits = 0;
    NumberLocale m_locale;
    MessageHandler m_message;
    std::string m_loadError;
    std::vector<ConvLoadProblem> m_loadProblems;
    std::vector<std::string> m_baseUnits;
    std::vector<TConvType> m_convTypes;
    std::vector<TBaseConv> m_baseConvs;
    std::vector<TSpecConv> m_specConvs;
};

} // namespace quantrel
