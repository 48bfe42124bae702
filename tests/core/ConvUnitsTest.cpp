// TConvUnits: the built-in table, the line splitter, loading a user's conv.csv and
// its errors, the conversion rule and the texts built on it.

#include "conversion/convunits.h"
#include "conversion/ConverterText.h"
#include "support/ExtendedMatch.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quantrel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr Extended kFiveNinths = 5.0L / 9.0L;

/// A loaded table with ConvDigits 8, a point locale and its messages recorded.
class ConvUnitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        conv.SetLocale(NumberLocale::CommaPoint());
        conv.SetConvDigits(8);
        conv.SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
        conv.LoadConvTable("");
    }

    TConvUnits conv;
    std::vector<std::string> messages;
};

/// Loads the built-in table and then `fileContent` as the user's conv.csv.
TConvUnits loadWithFile(const std::string& fileContent) {
    TempDir dir;
    TConvUnits conv;
    conv.LoadConvTable(dir.Write("conv.csv", fileContent));
    return conv;
}

/// (v + X) * Y + Z, as a conversion applies its triple.
Extended convert(const TConvUnits& conv, const TConvSpec& spec, Extended v) {
    Extended X = 0, Y = 0, Z = 0;
    EXPECT_TRUE(conv.GetConvFactors(spec, X, Y, Z));
    return (v + X) * Y + Z;
}

// --- The built-in table -------------------------------------------------------------

TEST(ConvUnitsNew, StartsEmptyAndConvertsNothingUntilLoaded) {
    TConvUnits conv;
    std::vector<std::string> messages;
    conv.SetMessageHandler([&](const std::string& text) { messages.push_back(text); });
    EXPECT_FALSE(conv.Loaded());
    EXPECT_EQ(conv.ConvDigits(), 0);
    EXPECT_TRUE(conv.BaseUnits().empty());
    EXPECT_EQ(conv.ConvTypeCount() + conv.BaseConvCount() + conv.SpecConvCount(), 0);

    Extended X = 7, Y = 7, Z = 7;
    EXPECT_TRUE(conv.GetConvFactors(TConvSpec::Make("Length", "lmi", "lkm"), X, Y, Z));
    EXPECT_EQ(X, 0);
    EXPECT_EQ(Y, 1);
    EXPECT_EQ(Z, 0);
    std::string from = "?", to = "?";
    conv.GetConvSymbols(TConvSpec::Make("Time", "zs", "zm"), from, to);
    EXPECT_EQ(from, "");
    EXPECT_EQ(to, "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(ConvUnitsTest, BuiltInTableHasItsCountsAndCategories) {
    EXPECT_TRUE(conv.Loaded());
    EXPECT_EQ(conv.LoadError(), "");
    EXPECT_EQ(conv.ConvTypeCount(), 14);
    EXPECT_EQ(conv.BaseConvCount(), 259);
    EXPECT_EQ(conv.SpecConvCount(), 2);
    const std::vector<std::string> categories = {
        "Area",  "Computer", "Density", "Energy",      "Force", "Length", "Mass",
        "Power", "Pressure", "Speed",   "Temperature", "Time",  "Torque", "Volume"};
    EXPECT_EQ(conv.BaseUnits(), categories);

    conv.LoadConvTable("");
    EXPECT_EQ(conv.BaseConvCount(), 259) << "a second load starts from the first record";
}

TEST_F(ConvUnitsTest, EveryCategoryHasItsUnitsAndBaseUnit) {
    struct Row {
        const char* category;
        const char* baseKey;
        const char* baseSymbol;
        int units;
    };
    const Row rows[] = {
        {"Area", "sqm", "m²", 16},        {"Computer", "cb", "Byte", 10},
        {"Density", "dkgl", "Kg/L", 20},  {"Energy", "ej", "J", 26},
        {"Force", "fn", "N", 12},         {"Length", "lm", "m", 28},
        {"Mass", "mkg", "Kg", 14},        {"Power", "pW", "W", 25},
        {"Pressure", "rpa", "Pa", 31},    {"Speed", "xms", "m/s", 20},
        {"Temperature", "tc", "DegC", 3}, {"Time", "zs", "s", 8},
        {"Torque", "qnm", "Nm", 13},      {"Volume", "vl", "l", 33},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.category);
        EXPECT_EQ(conv.GetBaseKey(row.category), row.baseKey);
        EXPECT_EQ(conv.GetBaseSymbol(row.category), row.baseSymbol);
        std::set<std::string> keys;
        int units = 0;
        for (int i = 1; i <= conv.BaseConvCount(); ++i) {
            const TBaseConv& unit = conv.BaseConv(i);
            if (unit.Category != row.category)
                continue;
            ++units;
            EXPECT_TRUE(keys.insert(unit.UnitKey).second) << "duplicate key " << unit.UnitKey;
        }
        EXPECT_EQ(units, row.units);
        Extended O = 9, F = 9, P = 9;
        ASSERT_TRUE(conv.FindBaseConv(row.category, row.baseKey, O, F, P));
        EXPECT_EQ(O, 0);
        EXPECT_EQ(F, 1);
        EXPECT_EQ(P, 0);
    }
}

/// Every text and number of every record: the table was checked row by row against
/// its source when it was written, and this digest pins what was checked.
std::uint64_t tableDigest(const TConvUnits& conv) {
    std::uint64_t hash = 14695981039346656037ULL;
    auto addByte = [&](unsigned char byte) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    };
    auto addText = [&](const std::string& text) {
        for (char c : text)
            addByte(static_cast<unsigned char>(c));
        addByte(0);
    };
    auto addNumber = [&](Extended x) {
        int exponent = 0;
        const Extended mantissa = std::frexp(std::fabs(x), &exponent);
        const auto bits = static_cast<std::uint64_t>(std::ldexp(mantissa, 64));
        addByte(std::signbit(x) ? 1 : 0);
        for (int shift = 0; shift < 64; shift += 8)
            addByte(static_cast<unsigned char>(bits >> shift));
        for (int shift = 0; shift < 32; shift += 8)
            addByte(static_cast<unsigned char>(static_cast<std::uint32_t>(exponent) >> shift));
    };
    for (int i = 1; i <= conv.ConvTypeCount(); ++i) {
        const TConvType& t = conv.ConvType(i);
        addText(t.Category);
        addText(t.BaseKey);
        addText(t.BaseSymbol);
    }
    for (int i = 1; i <= conv.BaseConvCount(); ++i) {
        const TBaseConv& u = conv.BaseConv(i);
        addText(u.Category);
        addText(u.UnitKey);
        addText(u.Description);
        addText(u.Symbol);
        addNumber(u.Offset);
        addNumber(u.Factor);
        addNumber(u.PostOffset);
    }
    for (int i = 1; i <= conv.SpecConvCount(); ++i) {
        const TSpecConv& s = conv.SpecConv(i);
        addText(s.Category);
        addText(s.FromKey);
        addText(s.ToKey);
        addNumber(s.Offset);
        addNumber(s.Factor);
        addNumber(s.PostOffset);
    }
    return hash;
}

TEST_F(ConvUnitsTest, WholeTableMatchesItsCheckedDigest) {
    EXPECT_EQ(tableDigest(conv), 0x9e471c024771ad78ULL);
}

TEST_F(ConvUnitsTest, SampleRowsKeepTheirTextsAndNumbers) {
    // Rows that are easy to get wrong: texts cut to their maximum, trailing and double
    // spaces, commas inside quotes, exponent notation, offsets, our own keys.
    const TBaseConv rows[] = {
        {"Area", "sqacre", "acres", "acre", 0, 4046.856422L, 0},
        {"Area", "sqmius", "square miles (US survey)", "miles(USsurv", 0, 2589998, 0},
        {"Computer", "cti", "TebiByte", "TiB", 0, 1099511627776.0L, 0},
        {"Density", "dtscy", "tons(US or Short)/cubic yard", "t(US)/yd³", 0, 1.186552843L, 0},
        {"Energy", "ec20", "Calories  (20C) ", "Cal(20C)", 0, 4.1819L, 0},
        {"Energy", "ecm", "Calories (mean)  ", "Cal(m)", 0, 4.19002L, 0},
        {"Energy", "eftlbf", "foot pounds-force ", "ft-lb-f", 0, 1.355818L, 0},
        {"Force", "fsth", "sthenes (=kN)", "sth", 0, 1000, 0},
        {"Length", "lmius", "miles (US survey) or statute m", "miles(USsurv", 0, 1609.347L, 0},
        {"Length", "lpar", "parsecs", "parsec", 0, 30900000000000000.0L, 0},
        {"Mass", "mcm", "carats, metric", "carat", 0, 0.0002L, 0},
        {"Speed", "xfth", "feet/hour", "ft/h", 0, 8.46668360003387E-05L, 0},
        {"Speed", "xcmm", "centimetres/minute", "cm/m", 0, 0.000166666666666667L, 0},
        {"Temperature", "tf", "Degrees Faren", "DegF", -32, kFiveNinths, 0},
        {"Temperature", "tk", "Degrees Kelvin", "DegK", -273.15L, 1, 0},
        {"Torque", "qozfi", "ounce-force inches", "ozf-in", 0, 0.00706154845634551L, 0},
        {"Volume", "vtsp", "teaspoon", "Teaspn", 0, 0.004928922L, 0},
    };
    for (const TBaseConv& want : rows) {
        SCOPED_TRACE(want.Category + "/" + want.UnitKey);
        const TBaseConv* found = nullptr;
        for (int i = 1; i <= conv.BaseConvCount() && !found; ++i)
            if (conv.BaseConv(i).Category == want.Category &&
                conv.BaseConv(i).UnitKey == want.UnitKey)
                found = &conv.BaseConv(i);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->Description, want.Description);
        EXPECT_EQ(found->Symbol, want.Symbol);
        EXPECT_EQ(found->Offset, want.Offset);
        EXPECT_EQ(found->Factor, want.Factor);
        EXPECT_EQ(found->PostOffset, want.PostOffset);
    }
    const TSpecConv& toF = conv.SpecConv(1);
    EXPECT_EQ(std::make_pair(toF.FromKey, toF.ToKey),
              std::make_pair(std::string("tk"), std::string("tf")));
    EXPECT_EQ(toF.Offset, -273.15L);
    EXPECT_EQ(toF.Factor, 1.8L);
    EXPECT_EQ(toF.PostOffset, 32);
    const TSpecConv& toK = conv.SpecConv(2);
    EXPECT_EQ(std::make_pair(toK.FromKey, toK.ToKey),
              std::make_pair(std::string("tf"), std::string("tk")));
    EXPECT_EQ(toK.Offset, -32);
    EXPECT_EQ(toK.Factor, kFiveNinths);
    EXPECT_EQ(toK.PostOffset, 273.15L);
}

// --- Line splitter ------------------------------------------------------------------

TEST(SplitConvLine, SplitsByTheLineRules) {
    struct Case {
        const char* name;
        std::string line;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"category line ends in four empty fields",
         "1,Area,sqm,m²,,,,",
         {"1", "Area", "sqm", "m²", "", "", "", ""}},
        {"special line ends in one empty field",
         "3,Temperature,tk,tf,-273.15,1.8,32,",
         {"3", "Temperature", "tk", "tf", "-273.15", "1.8", "32", ""}},
        {"quoted description",
         R"(2,Mass,mcm,"carats, metric",carat,0,0.0002,0)",
         {"2", "Mass", "mcm", "carats, metric", "carat", "0", "0.0002", "0"}},
        {"quoted spaces kept", R"("Calories  (20C) ",x)", {"Calories  (20C) ", "x"}},
        {"unquoted space separates", "foot pounds", {"foot", "pounds"}},
        {"doubled quote stands for one", R"("a ""b"", c",d)", {R"(a "b", c)", "d"}},
        {"text right after a closing quote is a new field", R"("ab"cd)", {"ab", "cd"}},
        {"unclosed quote runs to the end", R"("ab, cd)", {"ab, cd"}},
        {"blanks around fields and commas skipped", " \t a ,\x01 b \r", {"a", "b"}},
        {"two commas give an empty field", "a,,b", {"a", "", "b"}},
        {"a lone comma gives two empty fields", ",", {"", ""}},
        {"control character separates",
         "a\x1f"
         "b",
         {"a", "b"}},
        {"empty line has no field", "", {}},
        {"blank line has no field", " \t ", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitConvLine(c.line), c.fields) << c.name;
}

// --- Loading a user's conv.csv and its errors -------------------------------------

TEST(ConvFile, MissingFileOrEmptyPathLoadsTheBuiltInTableAlone) {
    TempDir dir;
    for (const std::string& path : {std::string(), dir.File("conv.csv")}) {
        TConvUnits conv;
        conv.LoadConvTable(path);
        EXPECT_TRUE(conv.Loaded());
        EXPECT_EQ(conv.LoadError(), "") << path;
        EXPECT_EQ(conv.BaseConvCount(), 259) << path;
        EXPECT_EQ(conv.BaseUnits().size(), 14u) << path;
    }
}

TEST(ConvFile, AddsCategoriesAndUnitsAfterTheBuiltInOnes) {
    // A byte order mark, CR LF line ends, a quoted category with a space, a unit added
    // to a built-in category and one that clashes with a built-in key.
    const std::string file = "\xEF\xBB\xBF"
                             "1,Angle,deg,°,,,,\r\n"
                             "2,Angle,deg,\"degrees\",°,0,1,0\r\n"
                             "2,Angle,grad,\"grads\",gon,0,0.9,0\r\n"
                             "2,Angle,turn,\"turns\",rev,0,360,0\r\n"
                             "1,\"Data rate\",bps,bit/s,,,,\r\n"
                             "2,\"Data rate\",kbps,\"kilobits/second\",kbit/s,0,1000,0\r\n"
                             "2,Length,lleag,\"leagues\",league,0,4828.032,0\r\n"
                             "2,Length,lkm,\"kilometres (mine)\",KM,0,999,0\r\n";
    TConvUnits conv = loadWithFile(file);
    EXPECT_EQ(conv.LoadError(), "");
    EXPECT_EQ(conv.ConvTypeCount(), 16);
    EXPECT_EQ(conv.BaseConvCount(), 259 + 6);
    ASSERT_EQ(conv.BaseUnits().size(), 16u);
    EXPECT_EQ(conv.BaseUnits()[14], "Angle");
    EXPECT_EQ(conv.BaseUnits()[15], "Data rate");

    EXPECT_EQ(conv.GetBaseCaption("Angle"), "Convert to:°");
    EXPECT_EQ(convert(conv, TConvSpec::Make("Angle", "turn", "grad"), 1), 400);
    EXPECT_EQ(convert(conv, TConvSpec::Make("Data rate", "kbps", "bps"), 3), 3000);
    EXPECT_PRED_FORMAT3(ExtendedNear, convert(conv, TConvSpec::Make("Length", "lleag", "lmi"), 1),
                        3.0L, 1e-15L);
    EXPECT_EQ(conv.GetUnitSymbol("Length", "lkm"), "km") << "the built-in unit comes first";
    EXPECT_EQ(convert(conv, TConvSpec::Make("Length", "lkm", "lm"), 1), 1000);
}

TEST(ConvFile, ReportsItsErrors) {
    using P = std::vector<ConvLoadProblem>;
    struct Case {
        const char* name;
        std::string file;
        std::string error;
        int types, units, specs;
        std::size_t baseUnits;
        P problems;
    };
    const std::string goodUnit = "2,Length,lx1,\"x\",x,0,2,0\n";
    const std::string parse = "Parse Error - Line:";
    const std::string invalid = "Invalid Conversion Factor";
    const Case cases[] = {
        {"unit line with 7 fields", goodUnit + "2,Length,lx2,\"x\",x,0,2\n" + goodUnit, parse + "2",
         14, 260, 2, 14, P{{2, parse + "2"}}},
        {"category line with 3 fields", "1,Angle,deg\n", parse + "1", 14, 259, 2, 14,
         P{{1, parse + "1"}}},
        {"special line with 6 fields", goodUnit + goodUnit + "3,Length,lm,lx1,0,2\n", parse + "3",
         14, 261, 2, 14, P{{3, parse + "3"}}},
        {"empty lines are skipped", goodUnit + "\n" + goodUnit, "", 14, 261, 2, 14, P{}},
        {"blank lines are skipped", goodUnit + " \t\n", "", 14, 260, 2, 14, P{}},
        {"unknown record type; what came before stays listed",
         "1,Angle,deg,°,,,,\n4,Angle\n" + goodUnit, "Unknown Record Type4", 15, 259, 2, 15,
         P{{2, "Unknown Record Type4"}}},
        {"comment line", "# my units\n", "Unknown Record Type#", 14, 259, 2, 14,
         P{{1, "Unknown Record Type#"}}},
        {"record type compared whole", "01,Angle,deg,°\n", "Unknown Record Type01", 14, 259, 2, 14,
         P{{1, "Unknown Record Type01"}}},
        {"empty factor", "2,Length,lx,\"x\",x,0,,0\n", invalid, 14, 260, 2, 14, P{{1, invalid}}},
        {"a later good line clears the message but not the report",
         "2,Length,lx,\"x\",x,0,,0\n" + goodUnit, "", 14, 261, 2, 14, P{{1, invalid}}},
        {"bad special factor", "3,Length,lm,lx1,0,two,0,\n", invalid, 14, 259, 3, 14,
         P{{1, invalid}}},
        {"last line without a line break", goodUnit + "2,Length,lx2,\"x\",x", parse + "2", 14, 260,
         2, 14, P{{2, parse + "2"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TConvUnits conv = loadWithFile(c.file);
        EXPECT_TRUE(conv.Loaded());
        EXPECT_EQ(conv.LoadError(), c.error);
        EXPECT_EQ(conv.ConvTypeCount(), c.types);
        EXPECT_EQ(conv.BaseConvCount(), c.units);
        EXPECT_EQ(conv.SpecConvCount(), c.specs);
        EXPECT_EQ(conv.BaseUnits().size(), c.baseUnits);
        EXPECT_EQ(conv.LoadProblems(), c.problems);
    }
}

TEST(ConvFile, NumberNotReadKeepsTheRecordWithZeros) {
    TConvUnits conv = loadWithFile("2,Length,lx,\"x\",x,1.5,abc,7\n");
    EXPECT_EQ(conv.LoadError(), "Invalid Conversion Factor");
    const TBaseConv& unit = conv.BaseConv(260);
    EXPECT_EQ(unit.UnitKey, "lx");
    EXPECT_EQ(unit.Offset, 1.5L);
    EXPECT_EQ(unit.Factor, 0) << "the bad number and the ones after it are 0";
    EXPECT_EQ(unit.PostOffset, 0);
}

TEST(ConvFile, ReadsNumbersWithAPointAtFullPrecision) {
    struct Case {
        const char* text;
        std::optional<Extended> value;
    };
    const Case cases[] = {
        {"0.555555556", 0.555555556L},
        {"8.46668360003387E-05", 8.46668360003387E-05L},
        {"1e3", 1000},
        {"+2.5", 2.5L},
        {"-273.15", -273.15L},
        {"5.", 5},
        {".25", 0.25L},
        {"1E+2", 100},
        {"0.1", 0.1L},
        {"", std::nullopt},
        {"1,5", std::nullopt},
        {"abc", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1e", std::nullopt},
        {"--1", std::nullopt},
        {".", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"1E99999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TConvUnits conv = loadWithFile(std::string("2,Length,lx,\"x\",x,0,\"") + c.text + "\",0\n");
        ASSERT_EQ(conv.BaseConvCount(), 260);
        if (c.value) {
            EXPECT_EQ(conv.LoadError(), "");
            EXPECT_EQ(conv.BaseConv(260).Factor, *c.value);
        } else {
            EXPECT_EQ(conv.LoadError(), "Invalid Conversion Factor");
            EXPECT_EQ(conv.BaseConv(260).Factor, 0);
        }
    }
}

TEST(ConvFile, StopsStoringAtEachLimit) {
    struct Case {
        const char* name;
        std::string line; // %d stands for a counter that keeps keys apart
        int lines;
        std::string error;
        int types, units, specs;
    };
    const Case cases[] = {
        {"99 conversion types", "1,C%d,k,s,,,,", 86, "Conversion types limit exceeded", 99, 259, 2},
        {"999 base conversions", "2,Length,u%d,\"u\",u,0,1,0", 741,
         "Base Conversion limit exceeded", 14, 999, 2},
        {"999 special conversions", "3,Length,lm,u%d,0,1,0,", 998, "Spec Conversion limit exceeded",
         14, 259, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file;
        for (int i = 0; i < c.lines; ++i) {
            std::string line = c.line;
            line.replace(line.find("%d"), 2, std::to_string(i));
            file += line + "\n";
        }
        TConvUnits conv = loadWithFile(file);
        EXPECT_EQ(conv.LoadError(), c.error);
        EXPECT_EQ(conv.ConvTypeCount(), c.types);
        EXPECT_EQ(conv.BaseConvCount(), c.units);
        EXPECT_EQ(conv.SpecConvCount(), c.specs);
        EXPECT_EQ(conv.BaseUnits().size(), static_cast<std::size_t>(c.types));
    }
}

TEST(ConvFile, CutsLongTextsByCharacters) {
    TConvUnits conv = loadWithFile(
        "1,Température²²²,bâsekeyy,m³m³m³m³m³m³m³,,,,\n"
        "2,Température²²²,ünitkey,\"ééééééééééééééééééééééééééééééééé\",s²s²s²s²s²s²s²,0,1,0\n"
        "3,Température²²²,frömkey,toookey,0,1,0,\n");
    EXPECT_EQ(conv.LoadError(), "");
    EXPECT_EQ(conv.ConvType(15).Category, "Température²");
    EXPECT_EQ(conv.ConvType(15).BaseKey, "bâseke");
    EXPECT_EQ(conv.ConvType(15).BaseSymbol, "m³m³m³m³m³m³");
    EXPECT_EQ(conv.BaseConv(260).UnitKey, "ünitke");
    EXPECT_EQ(conv.BaseConv(260).Description, "éééééééééééééééééééééééééééééé");
    EXPECT_EQ(conv.BaseConv(260).Symbol, "s²s²s²s²s²s²");
    EXPECT_EQ(conv.SpecConv(3).FromKey, "frömke");
    EXPECT_EQ(conv.SpecConv(3).ToKey, "toooke");
}

TEST(ConvFile, UnreadablePathIsReported) {
    TempDir dir;
    const std::string path = dir.File("conv.csv");
    fs::create_directory(path);
    TConvUnits conv;
    conv.LoadConvTable(path);
    EXPECT_EQ(conv.LoadError(), "Cannot Read File:" + path);
    EXPECT_EQ(conv.BaseConvCount(), 259);
    EXPECT_TRUE(conv.Loaded());

    // A file beyond the size limit is said to be too large, not unreadable.
    fs::remove(path);
    std::ofstream(path, std::ios::binary) << std::string((4 << 20) + 1, '\n');
    TConvUnits large;
    large.LoadConvTable(path);
    EXPECT_EQ(large.LoadError(), "File Too Large (over 4 MiB):" + path);
    EXPECT_EQ(large.BaseConvCount(), 259);
}

// --- GetConvFactors -----------------------------------------------------------------

TEST_F(ConvUnitsTest, GetConvFactorsFollowsItsRules) {
    struct Case {
        const char* name;
        TConvSpec spec;
        Extended X, Y, Z;
    };
    const Case cases[] = {
        {"to the base unit", TConvSpec::Make("Temperature", "tf", "tc"), -32, kFiveNinths, 0},
        {"from the base unit", TConvSpec::Make("Temperature", "tc", "tf"), -0.0L, 1 / kFiveNinths,
         32},
        {"from the base unit, offset", TConvSpec::Make("Temperature", "tc", "tk"), -0.0L, 1,
         273.15L},
        {"to the base unit, offset", TConvSpec::Make("Temperature", "tk", "tc"), -273.15L, 1, 0},
        {"special conversion", TConvSpec::Make("Temperature", "tk", "tf"), -273.15L, 1.8L, 32},
        {"special conversion back", TConvSpec::Make("Temperature", "tf", "tk"), -32, kFiveNinths,
         273.15L},
        {"through the base unit", TConvSpec::Make("Length", "lmi", "lkm"), 0, 1609.344L / 1000, 0},
        {"same unit", TConvSpec::Make("Area", "sqm", "sqm"), 0, 1, 0},
        {"same key, unknown category", TConvSpec::Make("Nothing", "x", "x"), 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Extended X = 7, Y = 8, Z = 9;
        EXPECT_TRUE(conv.GetConvFactors(c.spec, X, Y, Z));
        EXPECT_EQ(X, c.X);
        EXPECT_EQ(std::signbit(X), std::signbit(c.X));
        EXPECT_EQ(Y, c.Y);
        EXPECT_EQ(Z, c.Z);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ConvUnitsTest, UnresolvedRequestShowsItsMessageAndKeepsThePresets) {
    const TConvSpec cases[] = {
        TConvSpec::Make("Area", "sqacre", "nokey"),
        TConvSpec::Make("Nothing", "lmi", "lkm"),
        TConvSpec::Make("length", "lmi", "lkm"),
    };
    for (const TConvSpec& spec : cases) {
        SCOPED_TRACE(TConvUnits::ConvSpecToText(spec));
        messages.clear();
        Extended X = 7, Y = 8, Z = 9;
        EXPECT_FALSE(conv.GetConvFactors(spec, X, Y, Z));
        EXPECT_EQ(X, 7);
        EXPECT_EQ(Y, 8);
        EXPECT_EQ(Z, 9);
        EXPECT_EQ(messages,
                  std::vector<std::string>{"Error Getting Conv Factor!\r" + spec.Category + "\r" +
                                           spec.FromKey + "\r" + spec.ToKey});
    }
}

TEST_F(ConvUnitsTest, FahrenheitConvertsExactly) {
    EXPECT_EQ(convert(conv, TConvSpec::Make("Temperature", "tc", "tf"), 100), 212);
    EXPECT_EQ(convert(conv, TConvSpec::Make("Temperature", "tf", "tc"), 212), 100);
    EXPECT_EQ(convert(conv, TConvSpec::Make("Temperature", "tf", "tc"), -40), -40);
    EXPECT_EQ(convert(conv, TConvSpec::Make("Temperature", "tc", "tf"), -40), -40);
    EXPECT_EQ(convert(conv, TConvSpec::Make("Temperature", "tf", "tk"), 32), 273.15L);
    EXPECT_PRED_FORMAT3(ExtendedNear,
                        convert(conv, TConvSpec::Make("Temperature", "tk", "tf"), 373.15L), 212.0L,
                        1e-13L);
}

TEST(ConvFile, UnitsWithOffsetsConvertToEachOther) {
    // Rankine has an offset like Fahrenheit; no special conversion links the two.
    TConvUnits conv = loadWithFile(
        "2,Temperature,tr,\"Degrees Rankine\",DegR,-491.67,0.5555555555555555555556,0\n");
    ASSERT_EQ(conv.LoadError(), "");
    EXPECT_EQ(convert(conv, TConvSpec::Make("Temperature", "tr", "tf"), 491.67L), 32);
    EXPECT_EQ(convert(conv, TConvSpec::Make("Temperature", "tf", "tr"), 32), 491.67L);
    EXPECT_EQ(convert(conv, TConvSpec::Make("Temperature", "tk", "tr"), 273.15L), 491.67L);
    EXPECT_PRED_FORMAT3(ExtendedNear, convert(conv, TConvSpec::Make("Temperature", "tr", "tk"), 0),
                        0.0L, 1e-13L);
}

// --- Texts --------------------------------------------------------------------------

TEST(FormulaText, WritesTheTriple) {
    struct Case {
        Extended X, Y, Z;
        int digits;
        NumberLocale locale;
        const char* text;
    };
    const NumberLocale point = NumberLocale::CommaPoint();
    const Case cases[] = {
        {-32, 0.555555556L, 0, 8, point, "-32 * 0.55555556"},
        {-32, kFiveNinths, 0, 8, point, "-32 * 0.55555556"},
        {-0.0L, 1 / kFiveNinths, 32, 8, point, " * 1.8 + 32"},
        {0, 4046.856422L, 0, 8, point, " * 4046.8564"},
        {-273.15L, 1.8L, 32, 8, point, "-273.15 * 1.8 + 32"},
        {5, 2, -3, 8, point, "+ 5 * 2-3"},
        {0, 0, 0, 8, point, ""},
        {0, 0.00001L, 0, 8, point, " * 1E-5"},
        {0, 0.555555556L, 0, 0, point, " * 0.56"},
        {0, 0.555555556L, 0, 1, point, " * 0.56"},
        {-273.15L, 1.8L, 32, 8, NumberLocale::PointComma(), "-273,15 * 1,8 + 32"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormulaText(c.X, c.Y, c.Z, c.digits, c.locale), c.text) << c.text;
}

TEST_F(ConvUnitsTest, MemberFormulaTextUsesConvDigitsAndLocale) {
    conv.SetConvDigits(4);
    conv.SetLocale(NumberLocale::PointComma());
    EXPECT_EQ(conv.FormulaText(-32, kFiveNinths, 0.5L), "-32 * 0,5556 + 0,5");
}

TEST_F(ConvUnitsTest, SymbolsAndCaptions) {
    std::string from, to;
    conv.GetConvSymbols(TConvSpec::Make("Time", "zs", "zm"), from, to);
    EXPECT_EQ(from, "s") << "a base unit shows its category's base symbol";
    EXPECT_EQ(to, "min");
    conv.GetConvSymbols(TConvSpec::Make("Computer", "ck", "cb"), from, to);
    EXPECT_EQ(from, "KB");
    EXPECT_EQ(to, "Byte");
    EXPECT_EQ(conv.GetUnitSymbol("Time", "zs"), "sec");
    EXPECT_EQ(conv.GetUnitSymbol("Time", "nokey"), "");
    EXPECT_EQ(conv.GetBaseCaption("Area"), "Convert to:m²");
    EXPECT_EQ(conv.GetBaseCaption("Nothing"), "");
    EXPECT_EQ(conv.GetBaseKey("Nothing"), "");
}

TEST_F(ConvUnitsTest, FillUnitListGivesTheRowsInTableOrder) {
    const UnitList list = conv.FillUnitList("Temperature");
    EXPECT_EQ(list.Column0Caption, "Unit");
    EXPECT_EQ(list.Column0WidthText, "xxxxxxxxxxxxxxxxxxxx");
    EXPECT_EQ(list.Column1Caption, "Convert to:DegC");
    ASSERT_EQ(list.Rows.size(), 3u);
    const UnitListRow rows[] = {{"Degrees Centigrade", " * 1", "tc"},
                                {"Degrees Faren", "-32 * 0.55555556", "tf"},
                                {"Degrees Kelvin", "-273.15 * 1", "tk"}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(list.Rows[i].Caption, rows[i].Caption);
        EXPECT_EQ(list.Rows[i].Formula, rows[i].Formula);
        EXPECT_EQ(list.Rows[i].Key, rows[i].Key);
    }

    const UnitList none = conv.FillUnitList("Nothing");
    EXPECT_EQ(none.Column1Caption, "");
    EXPECT_TRUE(none.Rows.empty());
}

TEST(StripQuotes, TakesTheTextBetweenTheFirstTwoQuotes) {
    const std::pair<const char*, const char*> cases[] = {
        {"acres", "acres"},   {R"("acres")", "acres"}, {R"(a"b c"d)", "b c"},
        {R"("open)", "open"}, {R"("")", ""},           {R"(a"b"c"d")", "b"},
    };
    for (const auto& [text, want] : cases)
        EXPECT_EQ(TConvUnits::StripQuotes(text), want) << text;
}

TEST(ConvSpecText, ReadsOnlyThreeFields) {
    const std::pair<const char*, TConvSpec> cases[] = {
        {",,", {}},
        {"", {}},
        {"Length,lmi", {}},
        {"Length,lmi,lkm,x", {}},
        {"Length,lmi,lkm", {"Length", "lmi", "lkm"}},
        {"Temperature12,tfffffff,tk", {"Temperature1", "tfffff", "tk"}},
    };
    for (const auto& [text, want] : cases)
        EXPECT_EQ(TConvUnits::TextToConvSpec(text), want) << text;
}

TEST(ConvSpecText, WritesAndReadsBack) {
    const std::pair<TConvSpec, const char*> cases[] = {
        {{}, ",,"},
        {{"Length", "lmi", "lkm"}, "Length,lmi,lkm"},
        // A user's category may hold a space; quoting keeps it one field.
        {{"Data rate", "kbps", "bps"}, R"("Data rate",kbps,bps)"},
        {{"a,b", "q\"x", ""}, R"("a,b","q""x",)"},
    };
    for (const auto& [spec, text] : cases) {
        EXPECT_EQ(TConvUnits::ConvSpecToText(spec), text);
        EXPECT_EQ(TConvUnits::TextToConvSpec(text), spec) << text;
    }
}

// --- The converter's status line and row order -------------------------------------

TEST_F(ConvUnitsTest, StatusLineWritesEachFactorAfterItsSign) {
    struct Case {
        TConvSpec spec;
        const char* text;
    };
    const Case cases[] = {
        {TConvSpec::Make("Area", "sqacre", "sqacre"), "Convert acre to acre: * 1"},
        {TConvSpec::Make("Length", "lmi", "lkm"), "Convert miles to km: * 1.609344"},
        {TConvSpec::Make("Temperature", "tf", "tc"), "Convert DegF to DegC: + -32 * 0.55555556"},
        {TConvSpec::Make("Temperature", "tc", "tf"), "Convert DegC to DegF: * 1.8 + 32"},
        {TConvSpec::Make("Time", "zs", "zm"), "Convert sec to min: * 0.016666667"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvStatusText(conv, c.spec), c.text);
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(ConvStatusText(conv, TConvSpec::Make("Length", "nope", "lkm")), "Convert  to km:");
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages[0], "Error Getting Conv Factor!\rLength\rnope\rlkm");
}

TEST(ConverterText, RowsCompareWithoutCaseOfAToZThenByCode) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"acres", "Acres", 0},
        {"acres", "hectares", -1},
        {"Hectares", "acres", 1},
        {"acre", "acres", -1},
        {"", "a", -1},
        {"Z", "a", 1},
        {"_x", "ax", -1},
        {"[", "Z", -1},
        {"m\xC2\xB2", "mz", 1},
        {" * 1", " * 0.5", 1},
        {"-32 * 1", " * 1", 1},
    };
    for (const Case& c : cases) {
        const int result = CompareConvTexts(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    }
}

} // namespace
} // namespace quantrel
