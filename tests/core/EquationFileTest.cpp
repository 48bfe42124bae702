// Equation files, the one-line summary and the diagnostic snapshot.

#include "EngineHarness.h"
#include "support/TempDir.h"

#include "engine/EquationFile.h"
#include "engine/Summary.h"
#include "numeric/NumberText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace quantrel::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(EquationFile, WritesTheKeysThatRebuildTheEquation) {
    struct Case {
        const char* keys;
        const char* file;
    };
    const Case cases[] = {
        {"( 2 + 3 ) * 10 % =",
         "(\r\n2\r\nqeAdd\r\n)\r\n3\r\nqeTimes\r\n10\r\nqePercen\r\nqeEquals\r\n"},
        {"200 + 10 %", "200\r\nqeAdd\r\n10\r\nqePercen\r\n"},
        {"mem * mem =", "5\r\nqeTimes\r\nGETMEM\r\nqeEquals\r\n"},
        {"90 conv:Time,zs,zm =", "90\r\nqeConv,Time,zs,zm\r\nqeEquals\r\n"},
        {"2 + 3 +", "2\r\nqeAdd\r\n3\r\nqeAdd\r\n"},
        {"0.333333333333333333 sqrt", "0.333333333333333\r\nqeSqrt\r\n"},
        {"-1.5e-20 * ( ( 4", "-1.5E-20\r\nqeTimes\r\n(\r\n(\r\n4\r\n"},
    };
    TempDir folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        EngineHarness h;
        h.memory = 5;
        h.engine.LoadConvTable("");
        h.Keys(c.keys);
        const std::string path = folder.File("Equ1.dat");
        ASSERT_TRUE(h.engine.SaveToFile(path));
        EXPECT_EQ(ReadAll(path), c.file);
        EXPECT_FALSE(fs::exists(path + ".tmp"));
    }
}

TEST(EquationFile, RoundTripRebuildsEntriesAndResult) {
    const char* const cases[] = {
        "( 2 + 3 ) * 10 % =",
        "200 + 10 % =",
        "200 - 10 % * 3 =",
        "mem + 2 * mem =",
        "90 conv:Time,zs,zm + 1 =",
        "1 + 2 * 3 +",
        "2 ^ 10 root 5 - 7 sin =",
        "2 + 9 sqrt",
        "1 / 3 =",
    };
    TempDir folder;
    for (const char* keys : cases) {
        SCOPED_TRACE(keys);
        EngineHarness saved;
        saved.memory = 4;
        saved.engine.LoadConvTable("");
        saved.Keys(keys);
        const std::string path = folder.File("Equ2.dat");
        ASSERT_TRUE(saved.engine.SaveToFile(path));

        EngineHarness loaded;
        loaded.memory = 4;
        loaded.engine.LoadConvTable("");
        ASSERT_TRUE(loaded.engine.LoadFromFile(path));
        ASSERT_EQ(loaded.engine.EquationIdx(), saved.engine.EquationIdx());
        for (int i = 1; i <= saved.engine.EquationIdx(); ++i) {
            SCOPED_TRACE(i);
            const TEquationEntry& a = saved.engine.Entry(i);
            const TEquationEntry& b = loaded.engine.Entry(i);
            EXPECT_EQ(b.Oper, a.Oper);
            EXPECT_EQ(b.Priority, a.Priority);
            EXPECT_EQ(b.Parens, a.Parens);
            EXPECT_EQ(b.IsNumberEntered, a.IsNumberEntered);
            EXPECT_EQ(b.IsGetMem, i > 1 && a.IsGetMem); // entry 1 is written as its number
            EXPECT_EQ(b.Conv, a.Conv);
            EXPECT_EQ(b.NumEnt, ParseNumber(GeneralText(a.NumEnt, 15, {}), {}).value());
        }
        EXPECT_EQ(loaded.engine.AwaitingNumber(), saved.engine.AwaitingNumber());
        EXPECT_EQ(loaded.tape, saved.tape); // evaluated anew, as typed
    }
}

TEST(EquationFile, EmptyEquationIsAZeroByteFile) {
    TempDir folder;
    TQuantrelEval empty;
    const std::string path = folder.File("Equ3.dat");
    ASSERT_TRUE(empty.SaveToFile(path));
    EXPECT_EQ(fs::file_size(path), 0u);

    EngineHarness h;
    h.Keys("1 + 2 =");
    EXPECT_FALSE(h.engine.LoadFromFile(path));
    EXPECT_TRUE(h.engine.IsEmpty());
}

TEST(EquationFile, LoadFailures) {
    struct Case {
        const char* name;
        std::string file;
        int entriesKept; // EquationIdx after the failed load
    };
    std::string tooLong = "1\r\n";
    for (int i = 0; i < 499; ++i)
        tooLong += "qeAdd\r\n1\r\n";
    const Case cases[] = {
        {"unknown name", "2\r\nqeAdd\r\n3\r\nqePlus\r\n", 2},
        {"name in the wrong case", "2\r\nqeadd\r\n3\r\n", 1},
        {"empty line", "2\r\nqeAdd\r\n\r\n3\r\n", 2},
        {"first line is never an operator", "qeAdd\r\n2\r\n", 1},
        {"arithmetic error", "5\r\nqeDivide\r\n0\r\nqeAdd\r\n1\r\n", 3},
        {"more than 499 entries", tooLong, 499},
        {"number with a thousands separator", "1,234\r\n", 1},
    };
    TempDir folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineHarness h;
        EXPECT_FALSE(h.engine.LoadFromFile(folder.Write("bad.dat", c.file)));
        EXPECT_EQ(h.engine.EquationIdx(), c.entriesKept);
    }

    EngineHarness h;
    h.Keys("7 + 1 =");
    EXPECT_FALSE(h.engine.LoadFromFile(folder.File("missing.dat")));
    EXPECT_EQ(h.engine.EquationIdx(), 3) << "an unreadable file leaves the engine alone";
    EXPECT_FALSE(h.engine.LoadFromFile(folder.Write("huge.dat", std::string(2 << 20, '1'))));
    EXPECT_EQ(h.engine.EquationIdx(), 3) << "a file far larger than any equation is not read";
}

TEST(EquationFile, ReadsWhatOtherWritersMightLeave) {
    TempDir folder;
    EngineHarness h;
    h.engine.LoadConvTable("");
    // Lone LF and CR line ends, no final line end, a category of 14 characters.
    ASSERT_TRUE(h.engine.LoadFromFile(
        folder.Write("other.dat", "100\nqeConv,TemperatureABC,tc,tf\rqeAdd")));
    EXPECT_EQ(h.engine.Entry(2).Conv, TConvSpec::Make("TemperatureA", "tc", "tf"));
    EXPECT_TRUE(h.engine.AwaitingNumber()) << "a trailing operator waits for its number";
    EXPECT_EQ(h.engine.EquationIdx(), 3);
}

TEST(EquationFile, ACombinedPercentWaitingForItsNumberReadsBackAsItself) {
    // Keys always give a combined percent its number; a file can name one alone.
    const std::string file = "250\r\nqeAdd\r\n20\r\nqePercenAdd\r\n";
    TempDir folder;
    EngineHarness loaded;
    ASSERT_TRUE(loaded.engine.LoadFromFile(folder.Write("percent.dat", file)));
    EXPECT_EQ(loaded.engine.Entry(3).Oper, qePercenAdd);
    EXPECT_TRUE(loaded.engine.AwaitingNumber());
    const std::string saved = folder.File("saved.dat");
    ASSERT_TRUE(loaded.engine.SaveToFile(saved));
    EXPECT_EQ(ReadAll(saved), file);

    EngineHarness reloaded;
    ASSERT_TRUE(reloaded.engine.LoadFromFile(saved));
    ASSERT_TRUE(loaded.Keys("10 ="));
    ASSERT_TRUE(reloaded.Keys("10 ="));
    EXPECT_EQ(reloaded.tape, loaded.tape);
    EXPECT_EQ(reloaded.Display(), 272);
}

TEST(EquationFile, CommaDecimalNumbersRoundTrip) {
    TempDir folder;
    EngineHarness h;
    h.engine.SetLocale(NumberLocale::PointComma());
    h.Keys("2.5 * 1.25 =");
    const std::string path = folder.File("comma.dat");
    ASSERT_TRUE(h.engine.SaveToFile(path));
    EXPECT_EQ(ReadAll(path), "2,5\r\nqeTimes\r\n1,25\r\nqeEquals\r\n");
    TQuantrelEval loaded;
    loaded.SetLocale(NumberLocale::PointComma());
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.Entry(1).Result, 3.125L);
}

TEST(EquationFile, FailedSaveKeepsTheOldFile) {
    TempDir folder;
    EngineHarness h;
    h.Keys("1 + 1 =");
    EXPECT_FALSE(h.engine.SaveToFile(folder.File("no-such-folder/Equ1.dat")));

    // The target is a folder: the rename fails and nothing is left behind.
    const std::string target = folder.File("Equ4.dat");
    fs::create_directory(target);
    fs::create_directory(target + "/keep");
    EXPECT_FALSE(h.engine.SaveToFile(target));
    EXPECT_TRUE(fs::is_directory(target + "/keep"));
    EXPECT_FALSE(fs::exists(target + ".tmp"));
}

TEST(EquationFile, ParseOperLine) {
    EXPECT_EQ(ParseOperLine("qeAdd").Oper, qeAdd);
    EXPECT_EQ(ParseOperLine("qeadd").Oper, qeNone);
    EXPECT_EQ(ParseOperLine("qeBlank").Oper, qeNone) << "not a name that files hold";
    EXPECT_EQ(ParseOperLine("2").Oper, qeNone);
    EXPECT_EQ(ParseOperLine("1,5").Oper, qeNone);
    const OperLine conv = ParseOperLine("qeConv,Length,lmileslong,lkm");
    EXPECT_EQ(conv.Oper, qeConv);
    EXPECT_EQ(conv.Conv, TConvSpec::Make("Length", "lmiles", "lkm"));
    EXPECT_EQ(ParseOperLine("qeConv,Length,lmi").Oper, qeNone);
}

TEST(EquationSummary, OneLineTexts) {
    struct Case {
        const char* keys;
        int base;
        const char* summary;
    };
    const Case cases[] = {
        {"", 10, ""},
        {"12 + 3 * ( 4 - 1 ) =", 10, "12+3*(4-1)="},
        {"9 sqrt + 1 =", 10, "9Sqrt+1="},
        {"100 +tax =", 10, "100="},
        {"-2.5 * 1e-7 =", 10, "-2.5*1E-7="},
        {"1 + ( ( 2 + 3 ) * 4 ) =", 10, "1+((2+3)*4)="},
        {"2 + 3 *", 10, "2+3"},
        {"255 + 1 =", 16, "xFF+x1="},
        {"-1 =", 16, "xFFFFFFFFFFFFFFFF="},
        {"1e30 + 2.9 =", 16, "***+x2="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        EngineHarness h;
        h.engine.SetBaseUnits(c.base);
        h.Keys(c.keys);
        EXPECT_EQ(EquationSummary(h.engine), c.summary);
    }
}

TEST(Snapshot, AppendsTheEntriesAtFixedPoints) {
    TempDir folder;
    EngineHarness h;
    const std::string log = folder.File("snaplog.txt");
    h.engine.SetSnapshotPath(log);
    h.engine.SetIsDebug(true);
    h.Keys("2 +");
    EXPECT_EQ(ReadAll(log),
              "------------------------\r\n"
              "FEquationIdx............: 2\r\n"
              "FMaxCompleteEquationIdx.: 1\r\n"
              "AfterGetLastNum 1 Is Eval: False Result: 2.00 Num Ent: 2.00 Oper:   Priority: 0 "
              "Num Oper On: 0.00 Is Number Entered: 1\r\n"
              "AfterGetLastNum 2 Is Eval: False Result: 0.00 Num Ent: 0.00 Oper: + Priority: 5 "
              "Num Oper On: 2.00 Is Number Entered: 0\r\n");

    EngineHarness asEntered;
    const std::string log2 = folder.File("snaplog2.txt");
    asEntered.engine.SetSnapshotPath(log2);
    asEntered.engine.SetIsDebug(true);
    asEntered.engine.SetDumbMath(true);
    asEntered.Keys("5.5 - 1 sqrt =");
    const std::string text = ReadAll(log2);
    for (const char* label : {"\r\nDoSub4.5 1 Is Eval: False ", "\r\nSecond Pass 2 Is Eval: True ",
                              "\r\nFirst Pass 3 Is Eval: True ", "\r\nAfterGetLastNum 4 "}) {
        EXPECT_NE(text.find(label), std::string::npos) << label;
    }
}

TEST(Snapshot, UnwritableLogNeverDisturbsTheCalculation) {
    TempDir folder;
    EngineHarness h;
    h.engine.SetSnapshotPath(folder.File("no-such-folder/snaplog.txt"));
    h.engine.SetIsDebug(true);
    ASSERT_TRUE(h.Keys("2 + 3 * 4 ="));
    EXPECT_EQ(h.Display(), 14);
}

} // namespace
} // namespace quantrel::test
