// TConvUnits: the table is loaded from text lines (the built-in ones, then the user's
// conv.csv), split into fields and stored as records; the lookups, the conversion rule
// and the texts of the converter and the tape read those records.

#include "conversion/convunits.h"

#include "conversion/BuiltinConvTable.h"
#include "numeric/NumberText.h"
#include "numeric/TextFile.h"
#include "numeric/Utf8.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

namespace quantrel {

namespace {

constexpr std::size_t kMaxConvTypes = 99;
constexpr std::size_t kMaxBaseConvs = 999;
constexpr std::size_t kMaxSpecConvs = 999;
// A full table is a few hundred kilobytes; a file far larger is not a table and is
// refused rather than read into memory.
constexpr std::size_t kMaxConvFileBytes = 4 << 20;

constexpr std::size_t kCategoryMax = 12;
constexpr std::size_t kKeyMax = 6;
constexpr std::size_t kDescriptionMax = 30;
constexpr std::size_t kSymbolMax = 12;

/// Characters 1 to 32 separate fields like a comma does.
bool isBlank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

/// Splits `line` into `fields` and returns how many it found. The strings of `fields`
/// are reused from line to line, so a whole load allocates little.
std::size_t splitInto(std::string_view line, std::vector<std::string>& fields) {
    std::size_t count = 0;
    auto nextField = [&]() -> std::string& {
        if (count == fields.size())
            fields.emplace_back();
        std::string& field = fields[count++];
        field.clear();
        return field;
    };
    const std::size_t n = line.size();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < n && isBlank(line[i]))
            ++i;
    };

    skipBlanks();
    if (i == n)
        return 0;
    for (;;) {
        std::string& field = nextField();
        if (line[i] == '"') {
            ++i;
            for (;;) {
                const std::size_t quote = line.find('"', i);
                if (quote == std::string_view::npos) {
                    field.append(line.substr(i));
                    i = n;
                    break;
                }
                field.append(line.substr(i, quote - i));
                i = quote + 1;
                if (i < n && line[i] == '"') {
                    field.push_back('"');
                    ++i;
                } else {
                    break;
                }
            }
        } else {
            const std::size_t start = i;
            while (i < n && line[i] != ',' && !isBlank(line[i]))
                ++i;
            field.assign(line.substr(start, i - start));
        }
        skipBlanks();
        if (i == n)
            break;
        if (line[i] == ',') {
            ++i;
            skipBlanks();
            if (i == n) {
                nextField();
                break;
            }
        }
    }
    return count;
}

/// A table number: optional sign, digits with a point, optional exponent
/// ("8.46668360003387E-05"), read at full precision whatever the locale.
std::optional<Extended> readNumber(std::string_view text) {
    return ParseNumber(text, NumberLocale::Plain());
}

/// A request field goes out as is unless the splitter would break it up (a user's
/// category such as "My units"); then it is quoted so that it reads back whole.
void appendSpecField(std::string& text, std::string_view field) {
    bool needsQuotes = false;
    for (char c : field)
        needsQuotes = needsQuotes || c == ',' || c == '"' || isBlank(c);
    if (!needsQuotes) {
        text += field;
        return;
    }
    text += '"';
    for (char c : field) {
        if (c == '"')
            text += '"';
        text += c;
    }
    text += '"';
}

} // namespace

std::vector<std::string> SplitConvLine(std::string_view line) {
    std::vector<std::string> fields;
    fields.resize(splitInto(line, fields));
    return fields;
}

std::string FormulaText(Extended X, Extended Y, Extended Z, int digits, const NumberLocale& loc) {
    std::string text;
    if (X != 0) {
        if (X >= 0)
            text = "+ ";
        text += GeneralText(X, digits, loc);
    }
    if (Y != 0) {
        text += " * ";
        text += GeneralText(Y, digits, loc);
    }
    if (Z != 0) {
        if (Z >= 0)
            text += " + ";
        text += GeneralText(Z, digits, loc);
    }
    return text;
}

TConvUnits::TConvUnits() = default;

void TConvUnits::SetMessageHandler(MessageHandler handler) {
    m_message = std::move(handler);
}
void TConvUnits::SetLocale(const NumberLocale& locale) {
    m_locale = locale;
}

bool TConvUnits::Loaded() const {
    return m_loaded;
}
const std::vector<std::string>& TConvUnits::BaseUnits() const {
    return m_baseUnits;
}
int TConvUnits::ConvDigits() const {
    return m_convDigits;
}
void TConvUnits::SetConvDigits(int digits) {
    m_convDigits = digits;
}
const std::string& TConvUnits::LoadError() const {
    return m_loadError;
}

int TConvUnits::ConvTypeCount() const {
    return static_cast<int>(m_convTypes.size());
}
int TConvUnits::BaseConvCount() const {
    return static_cast<int>(m_baseConvs.size());
}
int TConvUnits::SpecConvCount() const {
    return static_cast<int>(m_specConvs.size());
}
const TConvType& TConvUnits::ConvType(int index) const {
    return m_convTypes.at(static_cast<std::size_t>(index - 1));
}
const TBaseConv& TConvUnits::BaseConv(int index) const {
    return m_baseConvs.at(static_cast<std::size_t>(index - 1));
}
const TSpecConv& TConvUnits::SpecConv(int index) const {
    return m_specConvs.at(static_cast<std::size_t>(index - 1));
}

void TConvUnits::LoadConvTable(const std::string& convFilePath) {
    ClearConvTable();
    m_loadProblems.clear();
    LoadBuiltInTable();
    if (!convFilePath.empty())
        loadConvFile(convFilePath);
    m_loaded = true;
}

void TConvUnits::ClearConvTable() {
    m_convTypes.clear();
    m_baseConvs.clear();
    m_specConvs.clear();
}

bool TConvUnits::LoadBuiltInTable() {
    return loadLines(BuiltinConvLines(), false);
}

void TConvUnits::loadConvFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found)
        return;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxConvFileBytes) {
        m_loadError = "File Too Large (over 4 MiB):" + path;
        m_loadProblems.push_back({0, m_loadError});
        return;
    }
    const std::optional<std::string> text = ReadTextFile(path, kMaxConvFileBytes);
    if (!text) {
        m_loadError = "Cannot Read File:" + path;
        m_loadProblems.push_back({0, m_loadError});
        return;
    }
    std::string_view content = *text;
    // Editors on some systems start a UTF-8 file with a byte order mark.
    if (content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    // What the file stored before a line that stopped it stays usable, so list it.
    if (!loadLines(SplitLines(content), true))
        rebuildBaseUnits();
}

bool TConvUnits::loadLines(std::span<const std::string_view> lines, bool userFile) {
    std::vector<std::string> fields;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int lineNumber = static_cast<int>(index) + 1;
        const auto report = [&] {
            if (userFile && !m_loadError.empty())
                m_loadProblems.push_back({lineNumber, m_loadError});
        };
        const auto stop = [&](std::string message) {
            m_loadError = std::move(message);
            report();
            return false;
        };
        const std::size_t count = splitInto(lines[index], fields);
        if (count == 0 && userFile)
            continue; // people leave blank lines in their own files
        if (count == 0)
            return stop("Parse Error - Line:" + std::to_string(lineNumber));
        const auto& f = fields;
        if (f[0] == "1") {
            if (count < 4)
                return stop("Parse Error - Line:" + std::to_string(lineNumber));
            AddConvType(f[1], f[2], f[3]);
        } else if (f[0] == "2") {
            if (count < 8)
                return stop("Parse Error - Line:" + std::to_string(lineNumber));
            AddBaseConv(f[1], f[2], f[3], f[4], f[5], f[6], f[7]);
        } else if (f[0] == "3") {
            if (count < 7)
                return stop("Parse Error - Line:" + std::to_string(lineNumber));
            AddSpecConv(f[1], f[2], f[3], f[4], f[5], f[6]);
        } else {
            return stop("Unknown Record Type" + f[0]);
        }
        report();
    }
    rebuildBaseUnits();
    return true;
}

void TConvUnits::rebuildBaseUnits() {
    m_baseUnits.clear();
    for (const TConvType& convType : m_convTypes)
        m_baseUnits.push_back(convType.Category);
}

void TConvUnits::AddConvType(std::string_view category, std::string_view baseKey,
                             std::string_view baseSymbol) {
    m_loadError.clear();
    if (m_convTypes.size() >= kMaxConvTypes) {
        m_loadError = "Conversion types limit exceeded";
        return;
    }
    m_convTypes.push_back({Utf8Left(category, kCategoryMax), Utf8Left(baseKey, kKeyMax),
                           Utf8Left(baseSymbol, kSymbolMax)});
}

void TConvUnits::AddBaseConv(std::string_view category, std::string_view unitKey,
                             std::string_view description, std::string_view symbol,
                             std::string_view offset, std::string_view factor,
                             std::string_view postOffset) {
    m_loadError.clear();
    if (m_baseConvs.size() >= kMaxBaseConvs) {
        m_loadError = "Base Conversion limit exceeded";
        return;
    }
    TBaseConv& rec = m_baseConvs.emplace_back();
    rec.Category = Utf8Left(category, kCategoryMax);
    rec.UnitKey = Utf8Left(unitKey, kKeyMax);
    rec.Description = Utf8Left(description, kDescriptionMax);
    rec.Symbol = Utf8Left(symbol, kSymbolMax);
    readFactors(offset, factor, postOffset, rec.Offset, rec.Factor, rec.PostOffset);
}

void TConvUnits::AddSpecConv(std::string_view category, std::string_view fromKey,
                             std::string_view toKey, std::string_view offset,
                             std::string_view factor, std::string_view postOffset) {
    m_loadError.clear();
    if (m_specConvs.size() >= kMaxSpecConvs) {
        m_loadError = "Spec Conversion limit exceeded";
        return;
    }
    TSpecConv& rec = m_specConvs.emplace_back();
    rec.Category = Utf8Left(category, kCategoryMax);
    rec.FromKey = Utf8Left(fromKey, kKeyMax);
    rec.ToKey = Utf8Left(toKey, kKeyMax);
    readFactors(offset, factor, postOffset, rec.Offset, rec.Factor, rec.PostOffset);
}

void TConvUnits::readFactors(std::string_view offset, std::string_view factor,
                             std::string_view postOffset, Extended& O, Extended& F, Extended& P) {
    const std::string_view texts[] = {offset, factor, postOffset};
    Extended* const values[] = {&O, &F, &P};
    for (Extended* value : values)
        *value = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<Extended> number = readNumber(texts[i]);
        if (!number) {
            m_loadError = "Invalid Conversion Factor";
            return;
        }
        *values[i] = *number;
    }
}

std::string TConvUnits::GetBaseKey(std::string_view category) const {
    for (const TConvType& convType : m_convTypes)
        if (convType.Category == category)
            return convType.BaseKey;
    return {};
}

std::string TConvUnits::GetBaseSymbol(std::string_view category) const {
    for (const TConvType& convType : m_convTypes)
        if (convType.Category == category)
            return convType.BaseSymbol;
    return {};
}

std::string TConvUnits::GetBaseCaption(std::string_view category) const {
    for (const TConvType& convType : m_convTypes)
        if (convType.Category == category)
            return "Convert to:" + convType.BaseSymbol;
    return {};
}

std::string TConvUnits::GetUnitSymbol(std::string_view category, std::string_view unitKey) const {
    for (const TBaseConv& unit : m_baseConvs)
        if (unit.Category == category && unit.UnitKey == unitKey)
            return unit.Symbol;
    return {};
}

bool TConvUnits::FindBaseConv(std::string_view category, std::string_view unitKey, Extended& offset,
                              Extended& factor, Extended& postOffset) const {
    for (const TBaseConv& unit : m_baseConvs) {
        if (unit.Category == category && unit.UnitKey == unitKey) {
            offset = unit.Offset;
            factor = unit.Factor;
            postOffset = unit.PostOffset;
            return true;
        }
    }
    return false;
}

bool TConvUnits::FindSpecConv(std::string_view category, std::string_view fromKey,
                              std::string_view toKey, Extended& offset, Extended& factor,
                              Extended& postOffset) const {
    for (const TSpecConv& conv : m_specConvs) {
        if (conv.Category == category && conv.FromKey == fromKey && conv.ToKey == toKey) {
            offset = conv.Offset;
            factor = conv.Factor;
            postOffset = conv.PostOffset;
            return true;
        }
    }
    return false;
}

bool TConvUnits::GetConvFactors(const TConvSpec& spec, Extended& X, Extended& Y,
                                Extended& Z) const {
    if (!m_loaded || spec.FromKey == spec.ToKey) {
        X = 0;
        Y = 1;
        Z = 0;
        return true;
    }
    const std::string baseKey = GetBaseKey(spec.Category);
    Extended O = 0, F = 0, P = 0;
    if (baseKey == spec.ToKey && FindBaseConv(spec.Category, spec.FromKey, O, F, P)) {
        X = O;
        Y = F;
        Z = P;
        return true;
    }
    if (baseKey == spec.FromKey && FindBaseConv(spec.Category, spec.ToKey, O, F, P)) {
        X = -P;
        Y = 1 / F;
        Z = -O;
        return true;
    }
    if (FindSpecConv(spec.Category, spec.FromKey, spec.ToKey, O, F, P)) {
        X = O;
        Y = F;
        Z = P;
        return true;
    }
    Extended Ot = 0, Ft = 0, Pt = 0;
    if (FindBaseConv(spec.Category, spec.FromKey, O, F, P) &&
        FindBaseConv(spec.Category, spec.ToKey, Ot, Ft, Pt)) {
        // Through the base unit: b = (v + O) * F + P, then (b - Pt) / Ft - Ot. The
        // offsets are 0 for every built-in unit that gets here, but a user's unit with
        // an offset (say Rankine) must still convert correctly to another such unit.
        X = O;
        Y = F / Ft;
        Z = (P - Pt) / Ft - Ot;
        return true;
    }
    if (m_message)
        m_message("Error Getting Conv Factor!\r" + spec.Category + "\r" + spec.FromKey + "\r" +
                  spec.ToKey);
    return false;
}

void TConvUnits::GetConvSymbols(const TConvSpec& spec, std::string& fromSymbol,
                                std::string& toSymbol) const {
    const std::string baseKey = GetBaseKey(spec.Category);
    auto symbol = [&](const std::string& key) {
        return baseKey == key ? GetBaseSymbol(spec.Category) : GetUnitSymbol(spec.Category, key);
    };
    fromSymbol = symbol(spec.FromKey);
    toSymbol = symbol(spec.ToKey);
}

std::string TConvUnits::FormulaText(Extended X, Extended Y, Extended Z) const {
    return quantrel::FormulaText(X, Y, Z, m_convDigits, m_locale);
}

UnitList TConvUnits::FillUnitList(std::string_view category) const {
    UnitList list;
    list.Column0Caption = "Unit";
    list.Column0WidthText = std::string(20, 'x');
    list.Column1Caption = GetBaseCaption(category);
    for (const TBaseConv& unit : m_baseConvs) {
        if (unit.Category == category)
            list.Rows.push_back({StripQuotes(unit.Description),
                                 FormulaText(unit.Offset, unit.Factor, unit.PostOffset),
                                 unit.UnitKey});
    }
    return list;
}

std::string TConvUnits::StripQuotes(std::string_view text) {
    const std::size_t first = text.find('"');
    if (first == std::string_view::npos)
        return std::string(text);
    const std::size_t second = text.find('"', first + 1);
    return std::string(text.substr(
        first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1));
}

std::string TConvUnits::ConvSpecToText(const TConvSpec& spec) {
    std::string text;
    appendSpecField(text, spec.Category);
    text += ',';
    appendSpecField(text, spec.FromKey);
    text += ',';
    appendSpecField(text, spec.ToKey);
    return text;
}

TConvSpec TConvUnits::TextToConvSpec(std::string_view text) {
    std::vector<std::string> fields;
    if (splitInto(text, fields) != 3)
        return {};
    return TConvSpec::Make(fields[0], fields[1], fields[2]);
}

} // namespace quantrel
