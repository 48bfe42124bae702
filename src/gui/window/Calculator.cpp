// The window's construction, its side of CalculatorView, the message box, the trace
// log and the keyboard: what the logic reports is rendered here, and every key that
// reaches the window goes back to the logic.

#include "window/Calculator.h"

#include "conversion/FormConvert.h"
#include "conversion/convunits.h"
#include "options/FormOptions.h"
#include "window/DataFolder.h"
#include "window/KeyButton.h"
#include "window/NoteForm.h"
#include "window/Pictures.h"
#include "window/Placement.h"
#include "window/QtLocale.h"
#include "window/TapeView.h"
#include "window/TopLayer.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QToolButton>

#include <exception>

namespace quantrel::gui {

namespace {

const QColor kDisplayText(0, 255, 0);   // lime
const QColor kRevisitText(0, 255, 255); // aqua

/// The offset of a message box's top-left corner from the window's.
constexpr QPoint kMessageOffset(50, 50);

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

/// A message box whose frame opens at a given place. QMessageBox fixes its size as it
/// shows, which sets its client area's position again, so the place comes after that.
class PlacedMessageBox : public QMessageBox {
public:
    PlacedMessageBox(QWidget* parent, const QPoint& place) : QMessageBox(parent), m_place(place) {
        move(place); // keeps it from centring itself on the window
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        MoveFrameTo(this, m_place);
    }

private:
    QPoint m_place;
};

QStringList noteTexts(const ProgramSettings& settings) {
    QStringList notes;
    for (const std::string& note : settings.Notes)
        notes << qt(note);
    return notes;
}

} // namespace

TCalculator::TCalculator(const WindowOptions& options, QWidget* parent)
    : QMainWindow(parent), m_store(options.settingsFile),
      m_helpFile(options.helpFile.isEmpty() ? DefaultHelpFile() : options.helpFile) {
    setObjectName(QStringLiteral("Calculator"));
    setWindowTitle(QStringLiteral("Quantrel"));
    setWindowIcon(ProgramIcon());
    // A fixed border: no maximise button, and the layout fixes the size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildCentral();
    buildStatusBar();
    applySize();
    buildToolBar();
    buildMenus();
    buildHiddenKeys();
    buildPopupMenu();
    resolveControls();

    const NumberLocale locale =
        options.locale ? *options.locale : NumberLocaleOf(QLocale::system());
    LoadSettings(options, locale);
    // The logic's construction gives the main engine its settings and the memory.
    m_logic = std::make_unique<CalculatorLogic>(*this, m_settings.Calc, locale);
    m_logic->SetSnapshotPath(DataFile(m_dataFolder, QStringLiteral("snaplog.txt")).toStdString());
    m_logic->LoadConvTable(DataFile(m_dataFolder, QStringLiteral("conv.csv")).toStdString());
    m_logic->ReadEquationFiles(m_dataFolder.toStdString());
    ConvHistory& conversions = m_logic->ConversionHistory();
    for (int k = 1; k <= ConvHistory::kSize; ++k)
        conversions.SetEntry(
            k, TConvUnits::TextToConvSpec(m_settings.Conv[static_cast<std::size_t>(k - 1)]));
    m_noteForm = new TNoteForm(noteTexts(m_settings), this);
    m_optionsForm = new TFormOptions(
        m_settings, locale,
        [this](const QString& text) { ShowMessageBox(text, MessageKind::Error); }, this);
    m_converter = new TFormConvert(*this, {m_settings.ConvLeft, m_settings.ConvTop,
                                           m_settings.ConvWidth, m_settings.ConvHeight});
    loadKeptTape();

    ArrangeWindow();
    m_trayMode = options.trayMode &&
                 options.trayAvailable.value_or(QSystemTrayIcon::isSystemTrayAvailable());
    if (m_trayMode)
        buildTray();
    FocusEqualsKey();
}

TCalculator::~TCalculator() {
    StoreAll();
}

void TCalculator::SetFastClick(bool on) {
    m_fastClick = on;
    for (KeyButton* key : m_keys)
        key->SetFastClick(on);
}

int TCalculator::ShowMessageBox(const QString& text, MessageKind kind) {
    PlacedMessageBox box(this, frameGeometry().topLeft() + kMessageOffset);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowTitle(QStringLiteral("Quantrel"));
    box.setTextFormat(Qt::PlainText);
    // The engine separates lines with CR alone, which a label does not break on.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(lines);
    switch (kind) {
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    const OutOfTopLayer pause(topLayerWindows());
    // The lines that led to the message (an error line) show before the box does.
    if (m_tapeBatch)
        m_tape->EndAppend();
    const int pressed = box.exec();
    if (m_tapeBatch)
        m_tape->BeginAppend();
    return pressed;
}

void TCalculator::FocusEqualsKey() {
    KeyButton* key = m_logic && m_logic->Entry().RevisitMode() ? m_replayKey : m_equalsKey;
    if (!key->isHidden() && key->isEnabled())
        key->setFocus(Qt::OtherFocusReason);
}

void TCalculator::command(const std::string& traceText, const std::function<void()>& body,
                          const QString& failureText) {
    m_logic->Trace(traceText);
    // A command may print a whole calculation; the tape lays its lines out once.
    m_tape->BeginAppend();
    m_tapeBatch = true;
    try {
        body();
    } catch (const std::exception& failure) {
        ShowMessageBox(failureText.isEmpty() ? QString::fromUtf8(failure.what()) : failureText,
                       MessageKind::Error);
    }
    m_tapeBatch = false;
    m_tape->EndAppend();
    FocusEqualsKey();
}

// Keyboard. Shortcuts (the menus and the hidden "Keys" menu) take their keys before
// any control sees them; what the focused control leaves arrives here.

void TCalculator::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // The "=" key is the window's default button.
        (m_replayKey->isHidden() ? m_equalsKey : m_replayKey)->click();
        event->accept();
        return;
    }
    if (FormKeyPress(event->text())) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TCalculator::FormKeyPress(const QString& text) {
    if (text.isEmpty())
        return false;
    const std::string character = text.toStdString();
    const std::optional<KeyCommand> key = CharacterKey(character, m_logic->Locale());
    if (!key)
        return false;
    command(objectName().toStdString() + ":" + character, [&] { m_logic->RunKey(*key); });
    return true;
}

void TCalculator::KeyClick(const KeyDef& key, std::string_view source, const QString& failureText) {
    const KeyCommand keyCommand = key.Command();
    std::string traceText(source);
    if (keyCommand.Action == KeyAction::Digit)
        traceText += ":" + std::to_string(keyCommand.Number);
    command(
        traceText, [&] { m_logic->RunKey(keyCommand); }, failureText);
}

// CalculatorView: what the logic reports.

void TCalculator::ShowDisplay(const std::string& text) {
    m_display->setText(qt(text));
}

void TCalculator::AppendTapeLine(const std::string& text, std::int32_t attr, bool isNegative) {
    m_tape->AppendLine(qt(text), attr, isNegative);
}

std::int32_t TCalculator::TapePosition() {
    return m_tape->NextLineStart();
}

void TCalculator::ShowMessage(const std::string& text, MessageKind kind) {
    ShowMessageBox(qt(text), kind);
}

void TCalculator::ShowRevisitMode(bool on) {
    if (m_replayKey->isHidden() != on)
        return;
    QPalette palette = m_display->palette();
    palette.setColor(QPalette::Text, on ? kRevisitText : kDisplayText);
    m_display->setPalette(palette);
    m_equalsKey->setHidden(on);
    m_replayKey->setHidden(!on);
}

void TCalculator::SelectTape(std::int32_t start, std::int32_t length) {
    m_tape->SelectTapeRange(start, length);
}

void TCalculator::SetEnabled(CalcControl control, bool enabled) {
    QObject* object = m_controls[static_cast<std::size_t>(control)];
    if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setEnabled(enabled);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setEnabled(enabled);
}

void TCalculator::SetCaption(CalcControl control, const std::string& caption) {
    QObject* object = m_controls[static_cast<std::size_t>(control)];
    if (control == CalcControl::MathTab) {
        m_tabs->setTabText(m_tabs->indexOf(static_cast<QWidget*>(object)), qt(caption));
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        if (button->text() != qt(caption))
            button->setText(qt(caption));
    } else if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(qt(caption));
    }
}

void TCalculator::SetHint(CalcControl control, const std::string& hint) {
    QObject* object = m_controls[static_cast<std::size_t>(control)];
    if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setToolTip(qt(hint));
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setToolTip(qt(hint));
}

void TCalculator::SetChecked(CalcControl control, bool checked) {
    QObject* object = m_controls[static_cast<std::size_t>(control)];
    if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setChecked(checked);
    } else if (auto* action = qobject_cast<QAction*>(object)) {
        action->setChecked(checked);
        // The format button shows the picture of the checked tape format (mode + 5).
        const bool tapeFormat = control == CalcControl::General1 ||
                                control == CalcControl::Exponent1 ||
                                control == CalcControl::Currency1 || control == CalcControl::Fixed1;
        if (tapeFormat && checked)
            m_formatKey->setIcon(ToolbarImage(action->data().toInt() + 5));
    }
}

void TCalculator::SetStatusPanel(int panel, const std::string& text) {
    if (panel < 0 || panel >= static_cast<int>(m_panels.size()))
        return;
    QLabel* label = m_panels[static_cast<std::size_t>(panel)];
    const QString shown = qt(text);
    if (label->text() != shown)
        label->setText(shown);
}

void TCalculator::Trace(const std::string& text) {
    // Opened per line: the log is only written after the hidden Debug command.
    QFile log(DataFile(m_dataFolder, QStringLiteral("Debug.txt")));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    const QString line = locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                         locale.toString(now.time(), QLocale::LongFormat) + u' ' + qt(text) + u'\n';
    log.write(line.toUtf8());
}

} // namespace quantrel::gui
