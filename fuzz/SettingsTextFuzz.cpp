// Any text as the settings store: "[Section]" lines and "Name=value" lines. Reading,
// writing and reading again gives the same settings, numbers as their 15-digit texts
// show them; the written texts then stay as they are, under either decimal separator.
// Every value also goes through the checks of the options dialog's fields.

#include "FuzzSupport.h"

#include "calculator/SettingsTable.h"
#include "numeric/NumberText.h"
#include "numeric/TextFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quantrel;
using fuzz::Check;

constexpr std::size_t kFieldValues = 64;

SettingsTexts parseStore(std::string_view text, std::vector<std::string>& values) {
    SettingsTexts texts;
    std::string section;
    for (const std::string_view line : SplitLines(text)) {
        if (line.starts_with('[') && line.ends_with(']')) {
            section = std::string(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string value(line.substr(equals + 1));
        if (values.size() < kFieldValues)
            values.push_back(value);
        texts[{section, std::string(line.substr(0, equals))}] = std::move(value);
    }
    return texts;
}

bool sameStoredNumber(Extended a, Extended b, const NumberLocale& loc) {
    return NumberSettingText(a, loc) == NumberSettingText(b, loc);
}

void checkRoundTrip(const SettingsTexts& stored, const NumberLocale& loc,
                    const NumberLocale& other) {
    const ProgramSettings first = ReadProgramSettings(stored, loc);
    const SettingsTexts written = WriteProgramSettings(first, loc);
    const ProgramSettings second = ReadProgramSettings(written, loc);

    // The store keeps numbers as 15-digit texts; everything else exactly.
    Check(sameStoredNumber(first.Calc.MemNum, second.Calc.MemNum, loc));
    Check(sameStoredNumber(first.Calc.TaxRate, second.Calc.TaxRate, loc));
    ProgramSettings firstAsStored = first;
    firstAsStored.Calc.MemNum = second.Calc.MemNum;
    firstAsStored.Calc.TaxRate = second.Calc.TaxRate;
    Check(firstAsStored == second);

    Check(WriteProgramSettings(second, loc) == written);
    // A user who changes the locale keeps the values written under the old one.
    Check(ReadProgramSettings(written, other) == second);
}

void checkFields(const std::vector<std::string>& values, const NumberLocale& loc) {
    for (const SettingDef& row : StoredSettings()) {
        if (!row.Range)
            continue;
        const SettingRange& range = *row.Range;
        for (const std::string& value : values) {
            const CheckedSetting typing = CheckSettingText(range, value, loc, true);
            const CheckedSetting closing = CheckSettingText(range, value, loc, false);
            for (const CheckedSetting& checked : {typing, closing}) {
                if (checked.Value) {
                    Check(checked.Message.empty() && *checked.Value >= range.Low &&
                          *checked.Value <= range.High);
                    Check(!range.Whole || std::trunc(*checked.Value) == *checked.Value);
                } else {
                    Check(checked.Message == range.NotANumber ||
                          checked.Message == range.OutOfRange);
                }
            }
            // What the field takes while typing, the dialog takes when it closes.
            Check(!typing.Value || closing.Value == typing.Value);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> values;
    const SettingsTexts stored =
        parseStore(std::string_view(reinterpret_cast<const char*>(data), size), values);
    const NumberLocale commaPoint = NumberLocale::CommaPoint();
    const NumberLocale pointComma = NumberLocale::PointComma();
    checkRoundTrip(stored, commaPoint, pointComma);
    checkRoundTrip(stored, pointComma, commaPoint);
    checkFields(values, commaPoint);
    checkFields(values, pointComma);
    return 0;
}
