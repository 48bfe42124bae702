// The window's controls and their layout: the display Edit1, the main keypad, the
// function tabs, the tape and the status bar, placed by ArrangeWindow, in normal size
// or in large size (4/3 of it). Sizes are in pixels and fonts have pixel sizes, so the
// layout does not depend on the screen's resolution setting.

#include "window/Calculator.h"

#include "window/KeyButton.h"
#include "window/Pictures.h"
#include "window/TapeView.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace quantrel::gui {

namespace {

constexpr int kFontPixels = 11;        // the window's font ("MS Sans Serif" 8 at 96 dpi)
constexpr int kLargeTabFontPoints = 2; // the large size's tabs: this much more, in bold
constexpr int kTapeFontPoints = 8;     // the tape's first-run "FontSize"
constexpr int kDisplayFontPixels = 19;

constexpr int kLeft = 4; // display and keypad
constexpr int kAreaWidth = 242;
constexpr int kDisplayHeight = 30;
constexpr int kKeyWidth = 37;
constexpr int kKeyHeight = 27;
constexpr int kKeyGap = 4;
constexpr int kKeypadHeight = 4 * kKeyHeight + 3 * kKeyGap;

constexpr int kTabsLeft = 2;
constexpr int kTabsExtra = 6; // the tab widget's frame around its page
constexpr int kTabsWidth = 246;
constexpr int kPageMargin = 3;
constexpr int kTabKeyGap = 3;
constexpr int kPageHeight = 2 * kKeyHeight + 3 * kTabKeyGap;
constexpr int kChoiceLeft = 180; // the radio groups at the right of "Trig" and "Hex"
constexpr int kChoiceWidth = 60;

constexpr int kTapeLeft = 250; // the tape panel's designed left edge plus 2

/// The widest tape line the tape is sized for.
constexpr const char* kTapeSample = "ZMI -5.20970799008685E-1088";
/// The widest display text: a negative number in exponent entry.
constexpr const char* kDisplaySample = "-8.8888888888888E+8888";

constexpr std::array<int, 4> kPanelWidths{150, 100, 90, 50}; // the large size widens 0 to 2
constexpr std::array<const char*, 4> kPanelNames{"Memory", "Precedence", "Tape format",
                                                 "Open parentheses"};

int keyWidth(KeyArea area) {
    switch (area) {
    case KeyArea::Basic:
        return kKeyWidth;
    case KeyArea::Math:
        return 31;
    case KeyArea::Tax:
        return 70;
    default:
        return 39;
    }
}

QRect keyGeometry(const KeyDef& key) {
    const int width = keyWidth(key.Area);
    if (key.Area == KeyArea::Basic)
        return {key.Column * (kKeyWidth + kKeyGap), key.Row * (kKeyHeight + kKeyGap), width,
                kKeyHeight};
    return {kPageMargin + key.Column * (width + kTabKeyGap),
            kPageMargin + key.Row * (kKeyHeight + kTabKeyGap), width, kKeyHeight};
}

QRect hypGeometry() {
    const int column = kPageMargin + 3 * (keyWidth(KeyArea::Trig) + kTabKeyGap);
    return {column + 1, kPageMargin, kChoiceLeft - column - 2, kKeyHeight};
}

QFont pixelFont(const QFont& base, int pixels) {
    QFont font = base;
    font.setPixelSize(pixels);
    return font;
}

/// A framed column of radio buttons, the first one checked; `clicked` gets the index.
QFrame* radioGroup(QWidget* page, const char* name, std::initializer_list<const char*> items,
                   const std::function<void(int)>& clicked) {
    auto* group = new QFrame(page);
    // A styled panel draws all four edges; a sunken one leaves the right and bottom
    // ones in a light shade that vanishes against the page, so the group looks clipped.
    group->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    group->setObjectName(QString::fromLatin1(name));
    group->setAccessibleName(QString::fromLatin1(name));
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(3, 1, 1, 1);
    column->setSpacing(0);
    auto* buttons = new QButtonGroup(group);
    int index = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(QString::fromLatin1(item), group);
        radio->setObjectName(QString::fromLatin1(name) + u'_' + QString::number(index));
        radio->setChecked(index == 0);
        column->addWidget(radio);
        buttons->addButton(radio, index++);
    }
    QObject::connect(buttons, &QButtonGroup::idClicked, group, clicked);
    return group;
}

} // namespace

void TCalculator::buildCentral() {
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("CentralPanel"));
    m_central->setFont(pixelFont(font(), kFontPixels));
    setCentralWidget(m_central);
    m_tapeLeft = kTapeLeft;
    buildDisplay();
    buildKeys();
    buildTape();
}

void TCalculator::buildDisplay() {
    m_display = new QLineEdit(m_central);
    m_display->setObjectName(QStringLiteral("Edit1"));
    m_display->setAccessibleName(QStringLiteral("Display"));
    m_display->setReadOnly(true);
    // The display is no input: the keys it would take (Backspace, Delete) are the
    // calculator's.
    m_display->setFocusPolicy(Qt::NoFocus);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette palette = m_display->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, QColor(0, 255, 0));
    m_display->setPalette(palette);
    fitDisplayFont();
}

void TCalculator::fitDisplayFont() {
    // Bold 19-pixel Arial, or the nearest face; smaller only where that face is too
    // wide for the longest number.
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    const int room = m_display->width() - 12;
    int pixels = scaled(kDisplayFontPixels);
    for (; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(QString::fromLatin1(kDisplaySample)) <= room)
            break;
    }
    m_display->setFont(font);
}

KeyButton* TCalculator::makeKey(const KeyDef& key, QWidget* parent) {
    auto* button = new KeyButton(parent);
    const QString name = QString::fromLatin1(key.Control.data(), key.Control.size());
    const QString caption = QString::fromUtf8(key.Caption.data(), key.Caption.size());
    button->setObjectName(name);
    button->setText(caption);
    button->setAccessibleName(
        key.Name.empty() ? caption : QString::fromUtf8(key.Name.data(), key.Name.size()));
    if (!key.Hint.empty())
        button->setToolTip(QString::fromUtf8(key.Hint.data(), key.Hint.size()));
    if (key.Picture != KeyPicture::None)
        button->setIcon(KeyPictureIcon(key.Picture));
    connect(button, &QPushButton::clicked, this, [this, &key] { KeyClick(key, key.Control); });
    // Fast Click: a failure names the key, as the press has no other context.
    connect(button, &KeyButton::fastPressed, this,
            [this, &key, name] { KeyClick(key, key.Control, name); });
    m_keys.push_back(button);
    m_keyDefs.push_back(&key);
    return button;
}

void TCalculator::buildKeys() {
    m_keypad = new QWidget(m_central);
    m_keypad->setObjectName(QStringLiteral("BasicKeysPanel"));

    m_tabs = new QTabWidget(m_central);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    const std::array<std::pair<KeyArea, const char*>, 5> pages{{{KeyArea::Math, "Math"},
                                                                {KeyArea::Trig, "Trig"},
                                                                {KeyArea::Hex, "Hex"},
                                                                {KeyArea::Log, "Log"},
                                                                {KeyArea::Tax, "Tax"}}};
    for (const auto& [area, title] : pages) {
        QWidget* page = buildTabPage(area);
        page->setObjectName(QString::fromLatin1(title) + QStringLiteral("Tab"));
        m_tabs->addTab(page, QString::fromLatin1(title));
    }

    for (const KeyDef& key : CalculatorKeys()) {
        if (key.Area == KeyArea::Basic) {
            KeyButton* button = makeKey(key, m_keypad);
            if (key.Control == "Button15") {
                QPalette palette = button->palette();
                palette.setColor(QPalette::ButtonText, Qt::red);
                button->setPalette(palette);
            }
        }
    }
    m_equalsKey = m_keypad->findChild<KeyButton*>(QStringLiteral("EqualsBitBtn"));
    m_replayKey = m_keypad->findChild<KeyButton*>(QStringLiteral("RecalcBitBtn"));
    for (KeyButton* key : {m_equalsKey, m_replayKey})
        key->setAutoDefault(true); // Enter presses the focused "=" or replay key
    m_equalsKey->setDefault(true);
    m_replayKey->hide();
}

QWidget* TCalculator::buildTabPage(KeyArea area) {
    auto* page = new QWidget;
    for (const KeyDef& key : CalculatorKeys())
        if (key.Area == area)
            makeKey(key, page);
    if (area == KeyArea::Trig)
        buildTrigChoices(page);
    else if (area == KeyArea::Hex)
        buildHexChoices(page);
    return page;
}

void TCalculator::buildTrigChoices(QWidget* page) {
    auto* hyp = new QCheckBox(QStringLiteral("Hyp"), page);
    hyp->setObjectName(QStringLiteral("HypCheckBox1"));
    hyp->setAccessibleName(QStringLiteral("Hyperbolic"));
    connect(hyp, &QCheckBox::clicked, this, &TCalculator::HypCheckBox1Click);
    radioGroup(page, "RadioGroupDegRadGrad", {"Deg", "Rad", "Grad"},
               [this](int index) { RadioGroupDegRadGradClick(index); });
}

void TCalculator::buildHexChoices(QWidget* page) {
    radioGroup(page, "RadioGroupDecHex", {"Dec.", "Hex."},
               [this](int index) { RadioGroupDecHexClick(index); });
}

void TCalculator::buildTape() {
    m_tapePanel = new QFrame(m_central);
    m_tapePanel->setObjectName(QStringLiteral("TapePanel"));
    auto* fill = new QVBoxLayout(m_tapePanel);
    fill->setContentsMargins(0, 0, 0, 0);
    m_tape = new TapeView(m_tapePanel);
    m_tape->setAccessibleName(QStringLiteral("Tape"));
    m_tape->setContextMenuPolicy(Qt::CustomContextMenu);
    // No stored face: the window's font at the first-run size.
    QFont tapeFont = m_central->font();
    tapeFont.setPointSize(kTapeFontPoints);
    m_tape->setFont(tapeFont);
    m_tape->document()->setDefaultFont(tapeFont);
    fill->addWidget(m_tape);
}

void TCalculator::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFont(pixelFont(font(), kFontPixels));
    // Panels of fixed widths, cut off by a narrow window rather than widening it.
    auto* panels = new QWidget(bar);
    panels->setObjectName(QStringLiteral("StatusPanels"));
    panels->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        auto* label = new QLabel(panels);
        label->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        label->setAccessibleName(QString::fromLatin1(kPanelNames[i]));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels[i] = label;
    }
    bar->addWidget(panels, 1);
    setStatusBar(bar);
    m_statusBar = bar;
}

int TCalculator::scaled(int pixels) const {
    return m_largeApplied ? pixels * 4 / 3 : pixels;
}

void TCalculator::applySize() {
    // Every place and size comes from the design, so that switching back and forth
    // leaves no rounding behind in the keys; only the tape's edge truncates each way.
    const auto rect = [this](const QRect& r) {
        return QRect(scaled(r.x()), scaled(r.y()), scaled(r.width()), scaled(r.height()));
    };
    const QFont font = pixelFont(m_central->font(), scaled(kFontPixels));
    m_keypad->setFont(font);
    m_tabs->setFont(font);
    // Two points more than the normal tabs' font, at the screen's resolution.
    const int largeTabPixels = kFontPixels + qRound(kLargeTabFontPoints * logicalDpiY() / 72.0);
    QFont tabFont = pixelFont(font, m_largeApplied ? largeTabPixels : kFontPixels);
    tabFont.setBold(m_largeApplied);
    m_tabs->tabBar()->setFont(tabFont);

    m_display->resize(scaled(kAreaWidth), scaled(kDisplayHeight));
    fitDisplayFont();
    m_keypad->setFixedSize(scaled(kAreaWidth), scaled(kKeypadHeight));
    const int picture = m_largeApplied ? kLargeKeyPictureSize : kPictureSize;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        m_keys[i]->setGeometry(rect(keyGeometry(*m_keyDefs[i])));
        if (m_keyDefs[i]->Picture != KeyPicture::None)
            m_keys[i]->setIconSize(QSize(picture, picture));
    }
    if (auto* hyp = m_tabs->findChild<QWidget*>(QStringLiteral("HypCheckBox1")))
        hyp->setGeometry(rect(hypGeometry()));
    for (const char* name : {"RadioGroupDegRadGrad", "RadioGroupDecHex"}) {
        auto* group = m_tabs->findChild<QFrame*>(QString::fromLatin1(name));
        if (!group)
            continue;
        // Clear of the page's right and bottom edges, where the tab frame is drawn.
        group->setGeometry(scaled(kChoiceLeft), 1, scaled(kChoiceWidth) - 2,
                           std::min(group->sizeHint().height(), scaled(kPageHeight) - 1));
    }
    // The tab widget's own frame and bar come on top of the keys' rows.
    m_tabs->setFixedSize(scaled(kTabsWidth),
                         m_tabs->tabBar()->sizeHint().height() + scaled(kPageHeight) + kTabsExtra);

    m_statusBar->setFont(font);
    auto* panels = m_statusBar->findChild<QWidget*>(QStringLiteral("StatusPanels"));
    const int height = QFontMetrics(font).height() + 6;
    panels->setFixedHeight(height);
    int left = 0;
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        const int width = i + 1 < m_panels.size() ? scaled(kPanelWidths[i]) : kPanelWidths[i];
        m_panels[i]->setFont(font);
        m_panels[i]->setGeometry(left, 0, width - 2, height);
        left += width;
    }
}

void TCalculator::ArrangeWindow() {
    const bool toolBar = m_viewToolBar->isChecked();
    const bool scientific = m_advanced->isChecked();
    m_toolBar->setVisible(toolBar);
    m_statusBar->setVisible(m_viewStatusBar->isChecked());
    if (m_largeApplied != m_settings.Large) {
        m_largeApplied = m_settings.Large;
        m_tapeLeft = m_largeApplied ? m_tapeLeft * 4 / 3 : m_tapeLeft * 3 / 4;
        applySize();
    }

    // The toolbar and the status bar stand outside the central area.
    const int displayHeight = m_display->height();
    const int keypadHeight = m_keypad->height();
    const int tabsHeight = scientific ? m_tabs->height() : 0;
    m_display->move(scaled(kLeft), 5);
    m_keypad->move(scaled(kLeft), displayHeight + 7);
    m_tabs->move(kTabsLeft, displayHeight + keypadHeight + 8);
    m_tabs->setVisible(scientific);
    const int height = displayHeight + keypadHeight + (toolBar ? 10 : 8) + tabsHeight;

    const bool tapeShown = !m_hideTape->isChecked();
    m_tapePanel->setVisible(tapeShown);
    int width = m_tapeLeft;
    if (tapeShown) {
        // The sample line fits the tape's text area, beside its scroll bar and margins.
        const int sample =
            QFontMetrics(m_tape->font()).horizontalAdvance(QString::fromLatin1(kTapeSample));
        const int chrome = m_tape->verticalScrollBar()->sizeHint().width() +
                           2 * m_tape->frameWidth() +
                           2 * static_cast<int>(m_tape->document()->documentMargin());
        const int tapeWidth = sample + 20 + chrome;
        m_tapePanel->setGeometry(m_tapeLeft, 2, tapeWidth,
                                 displayHeight + keypadHeight + 7 + tabsHeight);
        width = tapeWidth + m_tapeLeft + 6;
    }
    m_central->setFixedSize(width, height);
    // The window takes its new size now, not when the event loop next lays it out.
    layout()->activate();
}

} // namespace quantrel::gui
