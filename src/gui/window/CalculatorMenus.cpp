// The menus, the toolbar, the hidden "Keys" menu that holds every key shortcut, the
// popup menu of the window and the tape, and the handlers of their items. Items whose
// commands come with later work (options, help, always-on-top, zoom) are present and
// disabled.

#include "window/Calculator.h"

#include "calculator/PhysicalConstants.h"
#include "conversion/FormConvert.h"
#include "window/KeyButton.h"
#include "window/Pictures.h"
#include "window/TapeView.h"
#include "window/TopLayer.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace quantrel::gui {

namespace {

/// The conversion items of the "Tools" menu, in menu order.
constexpr std::array<std::pair<const char*, const char*>, 14> kConversionItems{{
    {"Convert2", "Convert &Area..."},
    {"ConvertComp1", "Convert &Computer..."},
    {"ConvertDensity1", "Convert &Density..."},
    {"ConvertEnergy1", "Convert &Energy..."},
    {"ConvertForce1", "Convert &Force..."},
    {"Convert1", "Convert &Length..."},
    {"ConvertMass1", "Convert &Mass..."},
    {"ConvertPower1", "Convert &Power..."},
    {"ConvertPressure1", "Convert P&ressure..."},
    {"ConvertSpeed1", "Convert &Speed..."},
    {"ConvertTemp1", "Convert &Temp..."},
    {"ConvertTime1", "Convert T&ime..."},
    {"ConvertTorque1", "Convert Tor&que..."},
    {"ConvertVolume1", "Convert &Volume..."},
}};

QMenu* addMenu(QWidget* parent, const char* name, const QString& title) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    return menu;
}

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

} // namespace

QAction* TCalculator::addItem(QMenu* menu, const char* name, const QString& caption,
                              const QKeySequence& shortcut, bool enabled) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setEnabled(enabled);
    menu->addAction(action);
    return action;
}

void TCalculator::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = addMenu(bar, "File1", tr("&File"));
    connect(addItem(file, "SaveTapeAs1", tr("Save Tape As...")), &QAction::triggered, this,
            &TCalculator::SaveTapeAs1Click);
    connect(addItem(file, "PageSetup1", tr("Page Se&tup...")), &QAction::triggered, this,
            &TCalculator::PageSetup1Click);
    connect(addItem(file, "PrintTape1", tr("&Print Tape")), &QAction::triggered, this,
            &TCalculator::PrintTape1Click);
    file->addSeparator();
    connect(addItem(file, "Exit2", tr("E&xit")), &QAction::triggered, this,
            &TCalculator::Exit2Click);
    bar->addMenu(file);

    QMenu* edit = addMenu(bar, "Edit2", tr("&Edit"));
    m_copy1 = addItem(edit, "Copy1", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m_paste1 = addItem(edit, "Paste1", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* selectAll =
        addItem(edit, "SelectAll1", tr("Se&lect All"), QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(m_copy1, &QAction::triggered, this, [this] { Copy1Click("Copy1"); });
    connect(m_paste1, &QAction::triggered, this, [this] { Paste1Click("Paste1"); });
    connect(selectAll, &QAction::triggered, this, [this] { SelectAll1Click("SelectAll1"); });
    connect(edit, &QMenu::aboutToShow, this, &TCalculator::Edit2Click);
    // A refused paste disables Paste1 and with it Ctrl+V; a number copied later must
    // be pasteable at once, not only after the Edit menu has been opened.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (const std::optional<bool> paste = m_logic->PasteEnabled(clipboardText().toStdString()))
            m_paste1->setEnabled(*paste);
    });
    bar->addMenu(edit);

    QMenu* view = addMenu(bar, "View1", tr("&View"));
    m_viewToolBar = addItem(view, "ViewToolBar", tr("&ToolBar"));
    m_viewStatusBar = addItem(view, "ViewStatusBar", tr("&Status Bar"));
    m_advanced = addItem(view, "Advanced1", tr("S&cientific"));
    m_onTop = addItem(view, "AlwaysonTop1", tr("&Always On Top"));
    for (QAction* toggle : {m_viewToolBar, m_viewStatusBar, m_advanced, m_onTop}) {
        toggle->setCheckable(true);
        toggle->setChecked(toggle != m_onTop);
    }
    connect(m_viewToolBar, &QAction::triggered, this, &TCalculator::ViewToolBarClick);
    connect(m_viewStatusBar, &QAction::triggered, this, &TCalculator::ViewStatusBarClick);
    connect(m_advanced, &QAction::triggered, this, &TCalculator::Advanced1Click);
    connect(m_onTop, &QAction::triggered, this, &TCalculator::AlwaysonTop1Click);
    QMenu* zoom = addMenu(view, "Zoom1", tr("&Zoom"));
    // Each size's item is enabled while the other size is shown.
    m_normalSize = addItem(zoom, "NormalSize1", tr("&Normal Size"),
                           QKeySequence(Qt::CTRL | Qt::Key_PageUp), false);
    m_largeSize =
        addItem(zoom, "LargeSize2", tr("&Large Size "), QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    connect(m_normalSize, &QAction::triggered, this, &TCalculator::NormalSize1Click);
    connect(m_largeSize, &QAction::triggered, this, &TCalculator::LargeSize2Click);
    view->addMenu(zoom);
    view->addSeparator();
    QAction* back =
        addItem(view, "PreviousEnteredNumber1", tr("&Back"), QKeySequence(Qt::ALT | Qt::Key_Left));
    QAction* forward =
        addItem(view, "NextEnteredNumber1", tr("&Forward"), QKeySequence(Qt::ALT | Qt::Key_Right));
    connect(back, &QAction::triggered, this,
            [this] { PrevToolButtonClick("PreviousEnteredNumber1"); });
    connect(forward, &QAction::triggered, this,
            [this] { NextToolButtonClick("NextEnteredNumber1"); });
    QMenu* history = addMenu(view, "PrevCalculations1", tr("&History"));
    buildHistoryMenu(history, "PrevCalculations1", "SubItem", m_historySubItems);
    view->addMenu(history);
    bar->addMenu(view);

    QMenu* tape = addMenu(bar, "Options1", tr("Ta&pe"));
    auto* formats = new QActionGroup(tape);
    const std::array<std::pair<const char*, QString>, 4> formatItems{{
        {"General1", tr("&General")},
        {"Exponent1", tr("&Scientific")},
        {"Currency1", tr("&Currency")},
        {"Fixed1", tr("F&ixed")},
    }};
    for (int mode = 1; mode <= 4; ++mode) {
        const auto& [name, caption] = formatItems[static_cast<std::size_t>(mode - 1)];
        QAction* item = addItem(tape, name, caption);
        item->setCheckable(true);
        item->setData(mode);
        formats->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, name, mode] { Exponent1Click(name, mode); });
    }
    tape->addSeparator();
    connect(addItem(tape, "Annotate1", tr("&Annotate...")), &QAction::triggered, this,
            [this] { Annotate1Click("Annotate1"); });
    connect(addItem(tape, "TapeFont1", tr("Tape &Font...")), &QAction::triggered, this,
            &TCalculator::TapeFont1Click);
    m_hideTape = addItem(tape, "HideTape1", tr("&Hide Tape"), QKeySequence(Qt::CTRL | Qt::Key_H));
    m_hideTape->setCheckable(true);
    connect(m_hideTape, &QAction::triggered, this, [this] { HideTape1Click("HideTape1"); });
    QAction* clearTape =
        addItem(tape, "ClearTape1", tr("Cle&ar Tape"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(clearTape, &QAction::triggered, this, [this] { ClearTape1Click("ClearTape1"); });
    bar->addMenu(tape);

    QMenu* tools = addMenu(bar, "Tools1", tr("&Tools"));
    QMenu* constants = addMenu(tools, "Constants1", tr("C&onstants"));
    int index = 0;
    for (const PhysicalConstant& constant : PhysicalConstants()) {
        ++index;
        if (constant.SeparatorBefore)
            constants->addSeparator();
        const std::string item(constant.ItemName);
        QAction* action =
            addItem(constants, item.c_str(),
                    QString::fromUtf8(constant.Caption.data(), constant.Caption.size()));
        connect(action, &QAction::triggered, this,
                [this, item, index] { ConstantClick(item.c_str(), index); });
    }
    tools->addMenu(constants);
    int tag = 0;
    for (const auto& [name, caption] : kConversionItems) {
        ++tag;
        connect(addItem(tools, name, tr(caption)), &QAction::triggered, this,
                [this, name, tag] { Convert2Click(name, tag); });
    }
    QMenu* conversions = addMenu(tools, "History1", tr("Conversion &History"));
    buildConvHistoryMenu(conversions, "ConvMenu", m_convMenuItems);
    tools->addMenu(conversions);
    tools->addSeparator();
    connect(addItem(tools, "MoreOptions1", tr("Options...")), &QAction::triggered, this,
            &TCalculator::MoreOptions1Click);
    bar->addMenu(tools);

    QMenu* help = addMenu(bar, "Help1", tr("&Help"));
    connect(addItem(help, "Help2", tr("&Help"), QKeySequence::HelpContents), &QAction::triggered,
            this, &TCalculator::Help2Click);
    connect(addItem(help, "About1", tr("&About...")), &QAction::triggered, this,
            &TCalculator::About1Click);
    bar->addMenu(help);
}

void TCalculator::buildHiddenKeys() {
    // Never shown: its items live on the window, so their shortcuts are always active.
    QMenu* keys = addMenu(this, "Keys1", QStringLiteral("Keys"));
    for (const KeyDef& key : CalculatorKeys()) {
        if (!key.HasItem())
            continue;
        const std::string item(key.Item);
        QAction* action = addItem(keys, item.c_str(),
                                  QString::fromUtf8(key.ItemCaption.data(), key.ItemCaption.size()),
                                  QKeySequence(key.Shortcut));
        // The hexadecimal digits are letters: typed as capitals they are the same keys.
        if (key.Area == KeyArea::Hex)
            action->setShortcuts(
                {QKeySequence(key.Shortcut),
                 QKeySequence(QKeyCombination(Qt::ShiftModifier, key.Shortcut.key()))});
        connect(action, &QAction::triggered, this, [this, &key] { KeyClick(key, key.Item); });
    }
    QAction* debug = addItem(keys, "Debug1", QStringLiteral("Debug"),
                             QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F12));
    connect(debug, &QAction::triggered, this, &TCalculator::Debug1Click);
    addActions(keys->actions());
}

void TCalculator::buildPopupMenu() {
    m_popupMenu = addMenu(this, "PopupMenu1", {});
    m_copy2 = addItem(m_popupMenu, "copy2", tr("&Copy"));
    m_paste2 = addItem(m_popupMenu, "Paste2", tr("&Paste"));
    QAction* selectAll = addItem(m_popupMenu, "SelectAll2", tr("&Select All"));
    connect(m_copy2, &QAction::triggered, this, [this] { Copy1Click("copy2"); });
    connect(m_paste2, &QAction::triggered, this, [this] { Paste1Click("Paste2"); });
    connect(selectAll, &QAction::triggered, this, [this] { SelectAll1Click("SelectAll2"); });
    connect(m_popupMenu, &QMenu::aboutToShow, this, &TCalculator::PopupMenu1Popup);

    const auto popupAt = [this](QWidget* owner) {
        return [this, owner](const QPoint& pos) { m_popupMenu->popup(owner->mapToGlobal(pos)); };
    };
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, popupAt(this));
    connect(m_tape, &QWidget::customContextMenuRequested, this, popupAt(m_tape));
    connect(m_display, &QWidget::customContextMenuRequested, this, popupAt(m_display));
}

void TCalculator::buildToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    auto* rows = new QWidget(m_toolBar);
    auto* stack = new QVBoxLayout(rows);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    std::array<QHBoxLayout*, 2> lines{new QHBoxLayout, new QHBoxLayout};
    for (QHBoxLayout* line : lines) {
        line->setSpacing(0);
        stack->addLayout(line);
    }

    QHBoxLayout* line = lines[0];
    const auto button = [&](const char* name, ToolImage image, const QString& hint,
                            const QString& accessibleName) {
        auto* tool = new QToolButton(rows);
        tool->setObjectName(QString::fromLatin1(name));
        tool->setIcon(ToolbarImage(image));
        tool->setIconSize(QSize(kPictureSize, kPictureSize));
        tool->setAutoRaise(true);
        tool->setFocusPolicy(Qt::NoFocus);
        tool->setToolTip(hint);
        tool->setAccessibleName(accessibleName);
        line->addWidget(tool);
        return tool;
    };
    const auto separator = [&] {
        auto* rule = new QFrame(rows);
        rule->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        rule->setFixedWidth(8);
        line->addWidget(rule);
    };

    QToolButton* prev =
        button("PrevToolButton", ToolImage::Back, tr("Back to Prev Number"), tr("Back"));
    QToolButton* next =
        button("NextToolButton", ToolImage::Forward, tr("Forward to Next Number"), tr("Forward"));
    QToolButton* replay = button("RecalcToolButton", ToolImage::Replay, tr("Replay Calculation"),
                                 tr("Replay calculation"));
    separator();
    m_showTape =
        button("ShowToolButton", ToolImage::HideTape, tr("Hide Tape"), tr("Show or hide tape"));
    QToolButton* erase =
        button("EraseToolButton", ToolImage::ClearTape, tr("Clear Tape"), tr("Clear tape"));
    QToolButton* annotate =
        button("ToolButtonAnnot", ToolImage::Annotate, tr("Annotate Tape"), tr("Annotate tape"));
    connect(annotate, &QToolButton::clicked, this, [this] { Annotate1Click("ToolButtonAnnot"); });
    connect(prev, &QToolButton::clicked, this, [this] { PrevToolButtonClick("PrevToolButton"); });
    connect(next, &QToolButton::clicked, this, [this] { NextToolButtonClick("NextToolButton"); });
    connect(replay, &QToolButton::clicked, this, &TCalculator::RecalcToolButtonClick);
    connect(m_showTape, &QToolButton::clicked, this, [this] {
        m_hideTape->setChecked(!m_hideTape->isChecked());
        HideTape1Click("ShowToolButton");
    });
    connect(erase, &QToolButton::clicked, this, [this] { ClearTape1Click("EraseToolButton"); });

    line = lines[1];
    m_formatKey = button("ToolButtonFormat", ToolImage::FormatGeneral, tr("Tape Format:General"),
                         tr("Tape format"));
    QToolButton* up = button("ToolButtonDecUp", ToolImage::DecimalsUp, {}, tr("More decimals"));
    QToolButton* down =
        button("ToolButtonDecDown", ToolImage::DecimalsDown, {}, tr("Fewer decimals"));
    separator();
    QToolButton* history =
        button("ToolButtonPrevEqu", ToolImage::History, tr("History"), tr("History"));
    separator();
    QToolButton* converter =
        button("ToolButton4", ToolImage::Converter, tr("Convert Units"), tr("Convert units"));
    connect(m_formatKey, &QToolButton::clicked, this, &TCalculator::ToolButtonFormatClick);
    connect(up, &QToolButton::clicked, this, &TCalculator::ToolButtonDecUpClick);
    connect(down, &QToolButton::clicked, this, &TCalculator::ToolButtonDecDownClick);

    QMenu* recent = addMenu(history, "EquPopupMenu", {});
    buildHistoryMenu(recent, "EquPopupMenu", "MenuItem", m_historyPopupItems);
    history->setMenu(recent);
    history->setPopupMode(QToolButton::MenuButtonPopup);
    connect(history, &QToolButton::clicked, this, &TCalculator::ToolButtonPrevEquClick);

    QMenu* conversions = addMenu(converter, "convhistPopupMenu", {});
    buildConvHistoryMenu(conversions, "ConvPMenu", m_convPopupItems);
    converter->setMenu(conversions);
    converter->setPopupMode(QToolButton::MenuButtonPopup);
    connect(converter, &QToolButton::clicked, this, [this] { Convert2Click("ToolButton4", 0); });
    // Its context menu is the same list of recent conversions.
    converter->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(converter, &QWidget::customContextMenuRequested, this,
            [converter, conversions](const QPoint& pos) {
                conversions->popup(converter->mapToGlobal(pos));
            });

    for (QHBoxLayout* each : lines)
        each->addStretch(1);
    m_toolBar->addWidget(rows);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void TCalculator::resolveControls() {
    for (int i = 0; i < kCalcControlCount; ++i) {
        const std::string_view name = ControlName(static_cast<CalcControl>(i));
        m_controls[static_cast<std::size_t>(i)] =
            findChild<QObject*>(QString::fromLatin1(name.data(), name.size()));
    }
}

// Handlers: each traces its control or item, forwards to the logic and gives the focus
// back to the "=" key.

void TCalculator::HypCheckBox1Click(bool checked) {
    command("HypCheckBox1", [&] { m_logic->SetHyp(checked); });
}

void TCalculator::RadioGroupDecHexClick(int index) {
    command("RadioGroupDecHex", [&] { m_logic->SetHexMode(index == 1); });
}

void TCalculator::RadioGroupDegRadGradClick(int index) {
    command("RadioGroupDegRadGrad", [&] { m_logic->SetAngleUnits(index + 1); });
}

void TCalculator::PrevToolButtonClick(const char* source) {
    command(source, [&] { m_logic->BackKey(); });
}

void TCalculator::NextToolButtonClick(const char* source) {
    command(source, [&] { m_logic->ForwardKey(); });
}

void TCalculator::RecalcToolButtonClick() {
    command("RecalcToolButton", [&] { m_logic->ReplayCalculation(); });
}

void TCalculator::ToolButtonPrevEquClick() {
    command("ToolButtonPrevEqu", [&] { m_logic->RecallHistory(1); });
}

void TCalculator::buildHistoryMenu(QMenu* menu, const char* menuName, const char* itemSuffix,
                                   std::array<QAction*, CalculatorLogic::kHistorySize>& items) {
    for (int tag = 1; tag <= CalculatorLogic::kHistorySize; ++tag) {
        const std::string name = "Equ" + std::to_string(tag) + itemSuffix;
        QAction* item = addItem(menu, name.c_str(), {});
        item->setData(tag);
        item->setVisible(false);
        connect(item, &QAction::triggered, this,
                [this, name, tag] { Equ5MenuItemClick(name.c_str(), tag); });
        items[static_cast<std::size_t>(tag - 1)] = item;
    }
    connect(menu, &QMenu::aboutToShow, this,
            [this, menuName, &items] { fillHistoryMenu(menuName, items); });
}

void TCalculator::Equ5MenuItemClick(const char* source, int tag) {
    command(source, [&] { m_logic->RecallHistory(tag); });
}

void TCalculator::fillHistoryMenu(const char* source, const std::array<QAction*, 5>& items) {
    m_logic->Trace(source);
    const auto captions = m_logic->HistoryMenuCaptions();
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->setVisible(captions[i].has_value());
        items[i]->setText(captions[i] ? QString::fromStdString(*captions[i]) : QString());
    }
}

void TCalculator::Exponent1Click(const char* source, int mode) {
    command(source, [&] { m_logic->SetTapeFormat(mode); });
}

void TCalculator::ToolButtonFormatClick() {
    command("ToolButtonFormat", [&] { m_logic->NextTapeFormat(); });
}

void TCalculator::ToolButtonDecUpClick() {
    command("ToolButtonDecUp", [&] { m_logic->IncreaseDigits(); });
}

void TCalculator::ToolButtonDecDownClick() {
    command("ToolButtonDecDown", [&] { m_logic->DecreaseDigits(); });
}

void TCalculator::ConstantClick(const char* item, int index) {
    command(item, [&] { m_logic->ConstantKey(index); });
}

void TCalculator::buildConvHistoryMenu(QMenu* menu, const char* itemPrefix,
                                       std::array<QAction*, ConvHistory::kSize>& items) {
    for (int k = 1; k <= ConvHistory::kSize; ++k) {
        const std::string name = itemPrefix + std::to_string(k);
        QAction* item = addItem(menu, name.c_str(), {});
        item->setData(k);
        item->setVisible(false);
        connect(item, &QAction::triggered, this,
                [this, name, k] { ConvMenu1Click(name.c_str(), k); });
        items[static_cast<std::size_t>(k - 1)] = item;
    }
    connect(menu, &QMenu::aboutToShow, this, &TCalculator::UpdateConvHistoryMenus);
}

void TCalculator::Convert2Click(const char* source, int tag) {
    m_logic->Trace(source);
    m_converter->Open(tag);
}

void TCalculator::UpdateConvHistoryMenus() {
    const ConvHistory& history = m_logic->ConversionHistory();
    for (int k = 1; k <= ConvHistory::kSize; ++k) {
        const std::optional<std::string> caption = history.MenuCaption(k, m_converter->Units());
        for (QAction* item : {m_convMenuItems[static_cast<std::size_t>(k - 1)],
                              m_convPopupItems[static_cast<std::size_t>(k - 1)]}) {
            item->setVisible(caption.has_value());
            item->setText(caption ? QString::fromStdString(*caption) : QString());
        }
    }
}

void TCalculator::ConvMenu1Click(const char* source, int k) {
    // A copy: applying the entry moves the history's entries.
    const TConvSpec spec = m_logic->ConversionHistory().Entry(k);
    command(source, [&] { m_logic->ApplyConversion(spec); });
    UpdateConvHistoryMenus();
}

void TCalculator::ApplyConversion(const char* source, const TConvSpec& spec, bool toHistory) {
    command(source, [&] { m_logic->ApplyConversion(spec, toHistory); });
    UpdateConvHistoryMenus();
}

bool TCalculator::AlwaysOnTop() const {
    return m_onTop->isChecked();
}

void TCalculator::Copy1Click(const char* source) {
    command(source, [&] {
        const std::string copied = m_logic->CopyText(m_tape->SelectedTapeText().toStdString());
        QGuiApplication::clipboard()->setText(QString::fromStdString(copied));
    });
}

void TCalculator::Paste1Click(const char* source) {
    command(source, [&] { m_logic->Paste(clipboardText().toStdString()); });
}

void TCalculator::SelectAll1Click(const char* source) {
    // The tape keeps the focus here, so that the selection can be copied at once.
    m_logic->Trace(source);
    m_tape->SelectAllTape();
}

void TCalculator::Edit2Click() {
    m_logic->Trace("Edit2");
    m_copy1->setEnabled(m_tape->HasSelection() || !m_display->text().isEmpty());
    if (const std::optional<bool> paste = m_logic->PasteEnabled(clipboardText().toStdString()))
        m_paste1->setEnabled(*paste);
}

void TCalculator::PopupMenu1Popup() {
    m_logic->Trace("PopupMenu1");
    m_copy2->setEnabled(m_tape->HasSelection() || m_display->hasSelectedText());
    if (const std::optional<bool> paste = m_logic->PasteEnabled(clipboardText().toStdString()))
        m_paste2->setEnabled(*paste);
}

void TCalculator::Debug1Click() {
    command("Debug1", [&] { m_logic->DebugOn(); });
}

void TCalculator::ClearTape1Click(const char* source) {
    command(source, [&] { m_tape->ClearTape(); });
}

void TCalculator::HideTape1Click(const char* source) {
    command(source, [&] {
        showTapeState();
        m_logic->SetTapeHidden(m_hideTape->isChecked());
        ArrangeWindow();
    });
}

void TCalculator::ViewToolBarClick() {
    command("ViewToolBar", [&] { ArrangeWindow(); });
}

void TCalculator::ViewStatusBarClick() {
    command("ViewStatusBar", [&] { ArrangeWindow(); });
}

void TCalculator::Advanced1Click() {
    command("Advanced1", [&] { ArrangeWindow(); });
}

void TCalculator::NormalSize1Click() {
    command("NormalSize1", [&] {
        m_settings.Large = false;
        m_normalSize->setEnabled(false);
        m_largeSize->setEnabled(true);
        ArrangeWindow();
    });
}

void TCalculator::LargeSize2Click() {
    command("LargeSize2", [&] {
        m_settings.Large = true;
        m_largeSize->setEnabled(false);
        m_normalSize->setEnabled(true);
        ArrangeWindow();
    });
}

void TCalculator::AlwaysonTop1Click() {
    command("AlwaysonTop1", [&] { setTopLayer(m_onTop->isChecked()); });
}

void TCalculator::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // FormActivate: back into the top layer, unless a modal box has stepped it out. The
    // flag changes after the event, since changing it hides and shows the window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_onTop->isChecked() &&
        !windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!QApplication::activeModalWidget())
                    setTopLayer(m_onTop->isChecked());
            },
            Qt::QueuedConnection);
}

std::vector<QWidget*> TCalculator::topLayerWindows() const {
    return {const_cast<TCalculator*>(this), m_converter, m_helpViewer};
}

void TCalculator::setTopLayer(bool on) {
    for (QWidget* window : topLayerWindows())
        if (window)
            SetStaysOnTop(window, on);
}

void TCalculator::Exit2Click() {
    m_logic->Trace("Exit2");
    close();
}

} // namespace quantrel::gui
