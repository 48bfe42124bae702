#pragma once
// Drives a TQuantrelEval with a line of keys, as the keypad would, and records what
// the engine reports. Keys: numbers, "+ - * / = % ^ ( )", "mem" (a memory number),
// function names ("sqrt", "sin", "+tax", ...) and "conv:Category,From,To".

#include "engine/QuantrelEval5.h"
#include "engine/SilentAbort.h"
#include "numeric/Utf8.h"
#include "support/TapeLine.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace quantrel::test {

inline TOperCode KeyOper(const std::string& key) {
    static const std::map<std::string, TOperCode> keys{
        {"+", qeAdd},         {"-", qeMinus},        {"*", qeTimes},      {"/", qeDivide},
        {"=", qeEquals},      {"%", qePercen},       {"^", qeNpowr},      {"root", qeNroot},
        {"sqr", qeSqr},       {"sqrt", qeSqrt},      {"recip", qeRecip},  {"log", qeLog},
        {"10^x", qeIlog},     {"ln", qeELog},        {"e^x", qeIelog},    {"+/-", qeRevSign},
        {"sin", qeSin},       {"cos", qeCos},        {"tan", qeTan},      {"asin", qeAsin},
        {"acos", qeAcos},     {"atan", qeAtan},      {"+tax", qePlusTax}, {"-tax", qeMinusTax},
        {"tax(i)", qeTaxInc}, {"tax(e)", qeTaxExcl}, {"frac", qeFrac},    {"int", qeInt},
        {"abs", qeAbs},       {"mod", qeMod},        {"sinh", qeSinh},    {"cosh", qeCosh},
        {"tanh", qeTanh},     {"asinh", qeAsinh},    {"acosh", qeAcosh},  {"atanh", qeAtanh},
    };
    const auto found = keys.find(key);
    return found == keys.end() ? qeNone : found->second;
}

/// An engine with recording handlers. Tape positions count as the tape view does:
/// each line plus a two-character line break.
struct EngineHarness {
    TQuantrelEval engine;
    std::vector<TapeLine> tape;
    std::vector<Extended> shown;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
    Extended memory = 0;
    std::int32_t tapeLength = 0;

    EngineHarness() {
        engine.OnQuantrelTape = [this](TQuantrelEval&, const std::string& text, std::int32_t attr,
                                       bool negative) {
            tape.push_back({text, attr, negative});
            tapeLength += static_cast<std::int32_t>(Utf8Length(text)) + 2;
        };
        engine.OnQuantrelVal = [this](TQuantrelEval&, Extended value) { shown.push_back(value); };
        engine.OnQuantrelError = [this](TQuantrelEval&, const std::string& e) {
            errors.push_back(e);
        };
        engine.OnQuantrelSelStart = [this](TQuantrelEval&, std::int32_t& pos) { pos = tapeLength; };
        engine.OnQuantrelGetMem = [this](TQuantrelEval&, Extended& mem) { mem = memory; };
        engine.SetMessageHandler([this](const std::string& m) { messages.push_back(m); });
    }

    /// Runs the keys; returns false when the engine refused one (silent abort).
    bool Keys(const std::string& keys) {
        std::istringstream in(keys);
        std::string key;
        try {
            while (in >> key) {
                if (key == "(")
                    engine.OpenParen();
                else if (key == ")")
                    engine.CloseParen();
                else if (key == "mem")
                    engine.EnterNumber(true, 0);
                else if (key.rfind("conv:", 0) == 0)
                    engine.EnterOperator(qeConv, TConvUnits::TextToConvSpec(key.substr(5)));
                else if (const TOperCode oper = KeyOper(key); oper != qeNone)
                    engine.EnterOperator(oper);
                else
                    engine.EnterNumber(false, std::stold(key));
            }
        } catch (const SilentAbort&) {
            return false;
        }
        return true;
    }

    Extended Display() const { return shown.empty() ? 0 : shown.back(); }
};

} // namespace quantrel::test
