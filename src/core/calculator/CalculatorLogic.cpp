// Construction of the calculator logic, its settings, the main engine's events and
// the state it reports to the view after every command (keys enabled, hints, status
// bar, revisit colour).

#include "calculator/CalculatorLogic.h"

#include "calculator/EntryText.h"
#include "numeric/NumberText.h"

#include <algorithm>
#include <string>

namespace quantrel {

namespace {

constexpr std::string_view kEngineName = "MainEngine";

constexpr std::array kHexDigitKeys{CalcControl::ButtonA, CalcControl::ButtonB,
                                   CalcControl::ButtonC, CalcControl::ButtonD,
                                   CalcControl::ButtonE, CalcControl::ButtonF};

// Keys without meaning for whole hexadecimal numbers.
constexpr std::array kDecimalOnlyKeys{
    CalcControl::Button17,   CalcControl::ButtonRecip, CalcControl::ButtonSqrt,
    CalcControl::ButtonTan,  CalcControl::ButtonCos,   CalcControl::ButtonSin,
    CalcControl::ButtonAtan, CalcControl::ButtonAcos,  CalcControl::ButtonAsin,
    CalcControl::ButtonPi,   CalcControl::ButtonLog,   CalcControl::ButtonInvLog,
    CalcControl::ButtonLn,   CalcControl::ButtonInvLn, CalcControl::ButtonYroot,
    CalcControl::ButtonExp};

// Tape format modes 1..4: menu item, status panel text, hint text.
struct FormatNames {
    CalcControl Item;
    std::string_view Panel;
    std::string_view Hint;
};
constexpr std::array<FormatNames, 4> kFormats{{
    {CalcControl::General1, "General", "Tape Format:General"},
    {CalcControl::Exponent1, "Scient.", "Tape Format:Scientific"},
    {CalcControl::Currency1, "Currency", "Tape Format:Currency"},
    {CalcControl::Fixed1, "Fixed", "Tape Format:Fixed"},
}};

bool usesDigits(std::int32_t mode) {
    return mode == 2 || mode == 4;
}

} // namespace

CalculatorLogic::CalculatorLogic(CalculatorView& view, const CalculatorSettings& settings,
                                 const NumberLocale& locale)
    : m_view(view), m_locale(locale), m_displayText("0"), m_main(std::make_unique<TQuantrelEval>()),
      m_scratch(std::make_unique<TQuantrelEval>()), m_buffer(std::make_unique<TEquationBuffer>()) {
    for (auto& engine : m_history)
        engine = std::make_unique<TQuantrelEval>();
    // Every engine's messages reach the user, as errors ("Equation Limit Reached!", an
    // unknown unit), each once a command; only the main engine has events.
    const auto message = [this](const std::string& text) {
        if (m_commandDepth > 0) {
            if (std::find(m_commandMessages.begin(), m_commandMessages.end(), text) !=
                m_commandMessages.end())
                return;
            m_commandMessages.push_back(text);
        }
        m_view.ShowMessage(text, MessageKind::Error);
    };
    m_main->SetMessageHandler(message);
    m_scratch->SetMessageHandler(message);
    for (auto& engine : m_history)
        engine->SetMessageHandler(message);
    wireMainEngine();
    SetLocale(locale);
    m_entry.SetMemoryValue(settings.MemNum);
    ApplySettings(settings);
    RefreshView();
}

CalculatorLogic::~CalculatorLogic() = default;

void CalculatorLogic::wireMainEngine() {
    m_main->OnQuantrelVal = [this](TQuantrelEval&, Extended value) { onValue(value); };
    m_main->OnQuantrelTape = [this](TQuantrelEval&, const std::string& text, std::int32_t attr,
                                    bool isNegative) {
        m_view.AppendTapeLine(text, attr, isNegative);
    };
    m_main->OnQuantrelError = [this](TQuantrelEval&, const std::string& text) {
        Trace(std::string(kEngineName) + " OnQuantrelError:" + text);
        m_view.ShowMessage(text, MessageKind::Error);
    };
    m_main->OnQuantrelSelStart = [this](TQuantrelEval&, std::int32_t& selStart) {
        selStart = m_view.TapePosition();
    };
    m_main->OnQuantrelGetMem = [this](TQuantrelEval&, Extended& memory) {
        memory = m_entry.MemoryValue();
    };
}

void CalculatorLogic::onValue(Extended value) {
    const std::string text = DisplayText(value);
    Trace(std::string(kEngineName) + " Disp " + text);
    ShowNumber(text, value);
    m_entry.SetShownValue(value);
}

void CalculatorLogic::ApplySettings(const CalculatorSettings& settings) {
    RunCommand([&] {
        const Extended memory = m_entry.MemoryValue();
        m_settings = settings;
        m_settings.MemNum = memory;
        TQuantrelEval& engine = *m_main;
        engine.SetTapeFormatMode(settings.NumOpt);
        engine.SetDigits(settings.Digits);
        engine.SetConvDigits(settings.ConvDigits);
        engine.SetSubTotal(settings.Subtotals);
        engine.SetExpandOper(settings.ExpandOper);
        engine.SetSubTotalSym(settings.SubTotalsSymIndex);
        engine.SetExpandOperSym(settings.ExpandOperSymIndex);
        engine.SetDumbMath(settings.Dumb);
        engine.SetTaxLit(settings.TaxLit);
        engine.SetTaxRate(settings.TaxRate);
        updateTaxCaptions();
    });
}

void CalculatorLogic::ApplyOptions(const CalculatorSettings& settings) {
    RunCommand([&] {
        takeOptions(settings);
        TQuantrelEval& engine = *m_main;
        engine.SetSubTotal(settings.Subtotals);
        engine.SetExpandOper(settings.ExpandOper);
        engine.SetExpandOperSym(settings.ExpandOperSymIndex);
        engine.SetSubTotalSym(settings.SubTotalsSymIndex);
        engine.SetDumbMath(settings.Dumb);
        engine.SetTaxLit(settings.TaxLit);
        engine.SetTaxRate(settings.TaxRate);
        engine.SetDigits(settings.Digits);
        engine.SetConvDigits(settings.ConvDigits);
        updateTaxCaptions();
    });
}

void CalculatorLogic::KeepOptions(const CalculatorSettings& settings) {
    takeOptions(settings);
}

void CalculatorLogic::takeOptions(const CalculatorSettings& settings) {
    const CalculatorSettings own = m_settings;
    m_settings = settings;
    m_settings.NumOpt = own.NumOpt;
    m_settings.Hide = own.Hide;
    m_settings.MemNum = own.MemNum;
}

CalculatorSettings CalculatorLogic::Settings() const {
    CalculatorSettings settings = m_settings;
    settings.NumOpt = m_main->TapeFormatMode();
    settings.Digits = m_main->Digits();
    settings.MemNum = m_entry.MemoryValue();
    return settings;
}

void CalculatorLogic::SetLocale(const NumberLocale& locale) {
    RunCommand([&] {
        m_locale = locale;
        m_main->SetLocale(locale);
        m_scratch->SetLocale(locale);
        for (auto& engine : m_history)
            engine->SetLocale(locale);
        m_view.SetCaption(CalcControl::Button17, locale.decimalSeparator);
    });
}

void CalculatorLogic::LoadConvTable(const std::string& convFilePath) {
    RunCommand([&] { m_main->LoadConvTable(convFilePath); });
}

void CalculatorLogic::SetTapeHidden(bool hidden) {
    RunCommand([&] { m_settings.Hide = hidden; });
}

void CalculatorLogic::RefreshView() {
    RunCommand([&] {
        m_view.ShowDisplay(m_displayText);
        m_view.SetCaption(CalcControl::Button17, m_locale.decimalSeparator);
        m_view.SetCaption(CalcControl::MathTab, m_entry.DebugTrace() ? "DEBUG" : "Math");
        updateBaseKeys();
        updateTaxCaptions();
        updateHypCaptions();
    });
}

void CalculatorLogic::DebugOn() {
    RunCommand([&] {
        m_entry.TraceOn();
        m_main->SetIsDebug(true);
        m_view.ShowMessage("Trace On", MessageKind::Information);
        m_view.SetCaption(CalcControl::MathTab, "DEBUG");
    });
}

void CalculatorLogic::Trace(const std::string& text) {
    if (m_entry.DebugTrace())
        m_view.Trace(text);
}

const TQuantrelEval& CalculatorLogic::HistoryEngine(int n) const {
    return *m_history.at(static_cast<std::size_t>(n - 1));
}

TQuantrelEval& CalculatorLogic::historyEngine(int n) {
    return *m_history.at(static_cast<std::size_t>(n - 1));
}

// What the view shows of the state; sent after every command.

void CalculatorLogic::refreshDerived() {
    UpdateNavigation();
    UpdateDisplayColour();
    UpdateMemoryHint();
    UpdateFormatHint();
    UpdateDecimalHints();
    UpdateStatusBar();
}

void CalculatorLogic::UpdateNavigation() {
    const bool canPrev = m_main->CanMovePrev();
    const bool canNext = m_main->CanMoveNext();
    m_view.SetEnabled(CalcControl::PrevToolButton, canPrev);
    m_view.SetEnabled(CalcControl::PreviousEnteredNumber1, canPrev);
    m_view.SetEnabled(CalcControl::NextToolButton, canNext);
    m_view.SetEnabled(CalcControl::NextEnteredNumber1, canNext);
    m_view.SetEnabled(CalcControl::RecalcToolButton, !m_main->IsEmpty());
    m_view.SetEnabled(CalcControl::ButtonRParen, m_main->HasOpenParen());
}

void CalculatorLogic::UpdateDisplayColour() {
    m_view.ShowRevisitMode(m_entry.RevisitMode());
}

std::string CalculatorLogic::memoryHintText() const {
    const Extended memory = m_entry.MemoryValue();
    if (memory == 0)
        return "No Number in Memory";
    if (m_entry.HexMode()) {
        const std::optional<std::string> hex = HexText(memory);
        if (!hex)
            return "Number too large to show as Hex";
        return "Memory = Hex " + *hex;
    }
    return "Memory = " + GeneralText(memory, m_locale);
}

std::string CalculatorLogic::memoryPanelText() const {
    const Extended memory = m_entry.MemoryValue();
    if (memory == 0)
        return {};
    if (m_entry.HexMode()) {
        if (const std::optional<std::string> hex = HexText(memory))
            return "Mem: Hex " + *hex;
    }
    return "Mem:" + GeneralText(memory, m_locale);
}

void CalculatorLogic::UpdateMemoryHint() {
    m_view.SetHint(CalcControl::ButtonMemRecall, memoryHintText());
}

void CalculatorLogic::UpdateStatusBar() {
    m_view.SetStatusPanel(0, memoryPanelText());
    m_view.SetStatusPanel(1, m_main->DumbMath() ? "As Entered" : "Arithmetic");
    std::string format;
    const std::int32_t mode = m_main->TapeFormatMode();
    if (!m_settings.Hide && mode >= 1 && mode <= 4) {
        format = kFormats[static_cast<std::size_t>(mode - 1)].Panel;
        if (usesDigits(mode))
            format += " (" + std::to_string(m_main->Digits()) + ")";
    }
    m_view.SetStatusPanel(2, format);
    const std::int32_t depth = m_main->ParenDepth();
    m_view.SetStatusPanel(3, depth > 0 ? "(=" + std::to_string(depth) : std::string());
}

void CalculatorLogic::UpdateFormatHint() {
    const std::int32_t mode = m_main->TapeFormatMode();
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        const bool current = static_cast<std::int32_t>(i) + 1 == mode;
        m_view.SetChecked(kFormats[i].Item, current);
        if (current)
            m_view.SetHint(CalcControl::ToolButtonFormat, std::string(kFormats[i].Hint));
    }
    m_view.SetEnabled(CalcControl::ToolButtonDecUp, usesDigits(mode));
    m_view.SetEnabled(CalcControl::ToolButtonDecDown, usesDigits(mode));
}

void CalculatorLogic::UpdateDecimalHints() {
    std::string hint;
    const Extended shown = m_entry.ShownValue();
    const std::int32_t digits = m_main->Digits();
    if (m_main->TapeFormatMode() == 2)
        hint = "Scientific: " + ExponentText(shown, digits + 1, 0, m_locale);
    else if (m_main->TapeFormatMode() == 4)
        hint = "Fixed: " + NumberText(shown, 4, digits, m_locale);
    m_view.SetHint(CalcControl::ToolButtonDecUp, hint);
    m_view.SetHint(CalcControl::ToolButtonDecDown, hint);
}

void CalculatorLogic::updateBaseKeys() {
    for (const CalcControl key : kHexDigitKeys)
        m_view.SetEnabled(key, m_entry.HexMode());
    for (const CalcControl key : kDecimalOnlyKeys)
        m_view.SetEnabled(key, !m_entry.HexMode());
    m_view.SetChecked(CalcControl::RadioGroupDecHex_0, !m_entry.HexMode());
    m_view.SetChecked(CalcControl::RadioGroupDecHex_1, m_entry.HexMode());
}

void CalculatorLogic::updateTaxCaptions() {
    const std::string& name = m_main->TaxLit();
    m_view.SetCaption(CalcControl::ButtonPlusTax, "+" + name);
    m_view.SetCaption(CalcControl::ButtonMinusTax, "-" + name);
    m_view.SetCaption(CalcControl::ButtonTaxInc, name + "(i)");
    m_view.SetCaption(CalcControl::ButtonTaxExcl, name + "(e)");
}

void CalculatorLogic::updateHypCaptions() {
    m_view.SetChecked(CalcControl::HypCheckBox1, m_hyp);
    const std::string suffix = m_hyp ? "h" : "";
    m_view.SetCaption(CalcControl::ButtonSin, "Sin" + suffix);
    m_view.SetCaption(CalcControl::ButtonCos, "Cos" + suffix);
    m_view.SetCaption(CalcControl::ButtonTan, "Tan" + suffix);
    m_view.SetCaption(CalcControl::ButtonAsin, "aSin" + suffix);
    m_view.SetCaption(CalcControl::ButtonAcos, "aCos" + suffix);
    m_view.SetCaption(CalcControl::ButtonAtan, "aTan" + suffix);
}

} // namespace quantrel
