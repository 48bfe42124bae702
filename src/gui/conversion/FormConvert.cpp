#include "conversion/FormConvert.h"

#include "conversion/ConverterText.h"
#include "window/Calculator.h"
#include "window/DataFolder.h"
#include "window/Placement.h"
#include "window/TopLayer.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <climits>

namespace quantrel::gui {

namespace {

// The design's places, in client pixels.
constexpr QRect kCategoryBox(2, 4, 145, 21);
constexpr QPoint kBaseLabel(168, 8);
constexpr QPoint kBaseUnit(228, 8);
constexpr int kListTop = 32;
constexpr int kButtonSize = 30;
constexpr int kRightArrowTop = 40;
constexpr int kLeftArrowTop = 72;
constexpr int kStatusHeight = 19;
constexpr int kKeyColumn = 2; // the unit key: in every row, shown in no column

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

/// A 24 x 24 arrow; the icon greys it by itself when the button is disabled.
QIcon arrowIcon(bool pointsRight) {
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(3, 9);
    arrow.lineTo(13, 9);
    arrow.lineTo(13, 3);
    arrow.lineTo(22, 12);
    arrow.lineTo(13, 21);
    arrow.lineTo(13, 15);
    arrow.lineTo(3, 15);
    arrow.closeSubpath();
    if (!pointsRight)
        arrow = QTransform(-1, 0, 0, 1, 24, 0).map(arrow);
    painter.fillPath(arrow, QColor(0, 0, 128));
    painter.end();
    return QIcon(picture);
}

QTreeWidget* makeList(QWidget* parent, const char* name) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(3);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionsClickable(true);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    list->setColumnHidden(kKeyColumn, true);
    // The chosen units stay marked while the user works in the other list.
    QPalette palette = list->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    list->setPalette(palette);
    return list;
}

QToolButton* makeArrow(QWidget* parent, const char* name, bool pointsRight, int top,
                       const QString& accessibleName) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(arrowIcon(pointsRight));
    button->setIconSize(QSize(24, 24));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(accessibleName);
    button->setGeometry(0, top, kButtonSize, kButtonSize);
    return button;
}

} // namespace

TFormConvert::TFormConvert(TCalculator& calculator, const Place& saved)
    : QWidget(&calculator, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      m_calculator(calculator), m_saved(saved) {
    setObjectName(QStringLiteral("FormConvert"));
    setWindowTitle(tr("Converter"));

    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("ConvTypeComboBox"));
    m_category->setGeometry(kCategoryBox);
    m_category->setAccessibleName(tr("Category"));
    m_baseLabel = new QLabel(tr("Base Units:"), this);
    m_baseLabel->setObjectName(QStringLiteral("Label1"));
    m_baseLabel->move(kBaseLabel);
    m_baseLabel->adjustSize();
    m_baseUnit = new QLabel(this);
    m_baseUnit->setObjectName(QStringLiteral("BaseUnitLabel"));
    // The caption may be wider in this font than in the design: the symbol follows it.
    m_baseUnit->move(std::max(kBaseUnit.x(), m_baseLabel->geometry().right() + 5), kBaseUnit.y());
    m_baseUnit->resize(80, m_baseLabel->height());
    m_from = makeList(this, "FromExtListView");
    m_to = makeList(this, "ToExtListView");
    m_right = makeArrow(this, "Button16", true, kRightArrowTop, tr("Convert to the right unit"));
    m_right->setToolTip(tr("Convert the display from the left unit to the right unit and "
                           "remember the conversion (Enter)"));
    m_left = makeArrow(this, "Button20", false, kLeftArrowTop, tr("Convert to the left unit"));
    m_left->setToolTip(tr("Convert the display from the right unit to the left unit"));
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_status = new QLabel(m_statusBar);
    m_statusBar->addWidget(m_status, 1);
    setTabOrder(m_category, m_from);
    setTabOrder(m_from, m_to);

    connect(m_category, &QComboBox::currentIndexChanged, this,
            &TFormConvert::ConvTypeComboBoxChange);
    for (QTreeWidget* list : {m_from, m_to}) {
        connect(list, &QTreeWidget::itemSelectionChanged, this, &TFormConvert::UpdateConvStatus);
        connect(list->header(), &QHeaderView::sectionClicked, this,
                [this, list](int column) { FromExtListViewColumnClick(list, column); });
    }
    // Enter on a row, or a double-click, applies it as the right arrow does, so the
    // converter needs no mouse.
    for (QTreeWidget* list : {m_from, m_to})
        connect(list, &QTreeWidget::itemActivated, this, &TFormConvert::Button16Click);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    connect(m_right, &QToolButton::clicked, this, &TFormConvert::Button16Click);
    connect(m_left, &QToolButton::clicked, this, &TFormConvert::Button20Click);
    resize(kDesignSize);
    setMinimumSize(kLeastSize);

    // FormCreate: the table of the calculator's data folder, the first category.
    m_sortUp = true;
    m_units.SetLocale(calculator.Logic().Locale());
    m_units.SetMessageHandler([this](const std::string& text) {
        m_calculator.ShowMessageBox(qt(text), MessageKind::Error);
    });
    m_units.LoadConvTable(
        DataFile(calculator.DataFolder(), QStringLiteral("conv.csv")).toStdString());
    m_units.SetConvDigits(calculator.Logic().Settings().ConvDigits);
    {
        const QSignalBlocker quiet(m_category);
        for (const std::string& category : m_units.BaseUnits())
            m_category->addItem(qt(category));
        m_category->setCurrentIndex(0);
    }
    m_sortColumn = 0;
    const std::string first =
        m_units.BaseUnits().empty() ? std::string() : m_units.BaseUnits().front();
    {
        const QSignalBlocker quietFrom(m_from);
        const QSignalBlocker quietTo(m_to);
        fillUnitList(m_from, first);
        fillUnitList(m_to, first);
        selectFirstRow(m_to);
        selectFirstRow(m_from);
    }
    UpdateConvStatus();
}

void TFormConvert::fillUnitList(QTreeWidget* list, const std::string& category) {
    const UnitList units = m_units.FillUnitList(category);
    list->clear();
    list->setHeaderLabels({qt(units.Column0Caption), qt(units.Column1Caption), QString()});
    const int first = list->fontMetrics().horizontalAdvance(qt(units.Column0WidthText)) + 15;
    list->setColumnWidth(0, first);
    list->setColumnWidth(1, std::max(50, list->width() - first - 20));
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(units.Rows.size()));
    for (const UnitListRow& row : units.Rows)
        rows << new QTreeWidgetItem(QStringList{qt(row.Caption), qt(row.Formula), qt(row.Key)});
    list->addTopLevelItems(rows);
    sortList(list);
}

void TFormConvert::sortList(QTreeWidget* list) {
    const QSignalBlocker quiet(list);
    QTreeWidgetItem* selected = list->selectedItems().value(0);
    QList<QTreeWidgetItem*> rows = list->invisibleRootItem()->takeChildren();
    const int column = std::clamp(m_sortColumn, 0, kKeyColumn);
    std::stable_sort(rows.begin(), rows.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        const int order =
            CompareConvTexts(a->text(column).toStdString(), b->text(column).toStdString());
        return m_sortUp ? order < 0 : order > 0;
    });
    list->addTopLevelItems(rows);
    if (selected)
        list->setCurrentItem(selected);
}

void TFormConvert::selectFirstRow(QTreeWidget* list) {
    if (list->topLevelItemCount() > 0)
        list->setCurrentItem(list->topLevelItem(0));
}

std::optional<TConvSpec> TFormConvert::selectedSpec(QTreeWidget* from, QTreeWidget* to) const {
    const QList<QTreeWidgetItem*> fromRows = from->selectedItems();
    const QList<QTreeWidgetItem*> toRows = to->selectedItems();
    if (fromRows.isEmpty() || toRows.isEmpty())
        return std::nullopt;
    return TConvSpec::Make(m_category->currentText().toStdString(),
                           fromRows.front()->text(kKeyColumn).toStdString(),
                           toRows.front()->text(kKeyColumn).toStdString());
}

void TFormConvert::SelectCategory(int index) {
    const QSignalBlocker quiet(m_category);
    m_category->setCurrentIndex(index);
}

void TFormConvert::ConvTypeComboBoxChange() {
    m_units.SetConvDigits(m_calculator.Logic().Settings().ConvDigits);
    if (m_category->currentIndex() < 0 && m_category->count() > 0)
        SelectCategory(0);
    const std::string category = m_category->currentText().toStdString();
    m_sortColumn = 0;
    {
        const QSignalBlocker quietFrom(m_from);
        const QSignalBlocker quietTo(m_to);
        fillUnitList(m_from, category);
        fillUnitList(m_to, category);
        m_from->headerItem()->setText(0, tr("From Unit"));
        m_to->headerItem()->setText(0, tr("To Unit"));
        selectFirstRow(m_to);
        selectFirstRow(m_from);
    }
    UpdateConvStatus();
}

void TFormConvert::FromExtListViewColumnClick(QTreeWidget* list, int column) {
    m_sortColumn = column;
    m_sortUp = !m_sortUp;
    sortList(list);
}

void TFormConvert::UpdateConvStatus() {
    const std::optional<TConvSpec> spec = selectedSpec(m_from, m_to);
    if (!spec)
        return;
    m_status->setText(qt(ConvStatusText(m_units, *spec)));
    m_baseUnit->setText(qt(m_units.GetBaseSymbol(spec->Category)));
}

void TFormConvert::Button16Click() {
    if (const std::optional<TConvSpec> spec = selectedSpec(m_from, m_to))
        m_calculator.ApplyConversion("Button16", *spec, true);
}

void TFormConvert::Button20Click() {
    if (const std::optional<TConvSpec> spec = selectedSpec(m_to, m_from))
        m_calculator.ApplyConversion("Button20", *spec, false);
}

QString TFormConvert::StatusText() const {
    return m_status->text();
}

QString TFormConvert::BaseUnitText() const {
    return m_baseUnit->text();
}

void TFormConvert::ArrangeControls() {
    const int half = width() / 2;
    const int listHeight = std::max(0, height() - kListTop - kStatusHeight - 2);
    m_from->setGeometry(2, kListTop, half - 22, listHeight);
    m_to->setGeometry(half + 22, kListTop, half - 22, listHeight);
    for (QTreeWidget* list : {m_from, m_to}) {
        list->setColumnWidth(0, list->width() / 2);
        list->setColumnWidth(1, list->width() * 2 / 5);
    }
    m_right->move(half - kButtonSize / 2, kRightArrowTop);
    m_left->move(half - kButtonSize / 2, kLeftArrowTop);
    m_statusBar->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
}

void TFormConvert::setVisible(bool visible) {
    // FormShow, each time the window is shown; done before it shows, so that the
    // window manager frames it at its place and size at once.
    if (visible && !isVisible())
        FormShow();
    QWidget::setVisible(visible);
}

void TFormConvert::FormShow() {
    // Sizes are outer sizes; before the window manager has framed this window, its
    // frame is taken to be the calculator's, and corrected once it is known.
    const QWidget* framedLike = &m_calculator;
    m_framePending = FrameMargins(this).isNull();
    setMinimumSize(kLeastSize - (OuterSize(this, framedLike) - size()));
    const bool saved = m_saved.Width != 0 || m_saved.Height != 0;
    m_outerWanted = QSize();
    if (saved || m_firstShow) {
        m_outerWanted = saved ? QSize(m_saved.Width, m_saved.Height) : kDesignSize;
        m_resizing = true;
        ResizeOuter(this, m_outerWanted, framedLike);
        m_resizing = false;
    }
    m_firstShow = false;
    if (m_saved.Left != 0 || m_saved.Top != 0) {
        MoveFrameTo(this, QPoint(m_saved.Left, m_saved.Top));
    } else {
        const QScreen* shown = m_calculator.screen();
        const QSize screenSize = shown ? shown->geometry().size() : QSize(INT_MAX, INT_MAX);
        MoveFrameTo(this, PlaceBeside(m_calculator.frameGeometry().topLeft(),
                                      OuterSize(this, framedLike), screenSize));
    }
}

bool TFormConvert::fitFrame() {
    if (!m_framePending || FrameMargins(this).isNull())
        return false;
    m_framePending = false;
    const QSize frame = OuterSize(this) - size();
    setMinimumSize(kLeastSize - frame);
    if (m_outerWanted.isValid() && OuterSize(this) != m_outerWanted) {
        m_resizing = true;
        ResizeOuter(this, m_outerWanted);
        m_resizing = false;
    }
    return true;
}

void TFormConvert::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fitFrame();
}

void TFormConvert::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeControls();
    if (fitFrame())
        return;
    if (!m_resizing && isVisible()) {
        const QSize outer = OuterSize(this, &m_calculator);
        m_saved.Width = outer.width();
        m_saved.Height = outer.height();
    }
}

void TFormConvert::closeEvent(QCloseEvent* event) {
    m_saved.Left = frameGeometry().left();
    m_saved.Top = frameGeometry().top();
    QWidget::closeEvent(event); // hidden, not destroyed: the lists stay as they are
}

void TFormConvert::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // FormActivate: a calculator that stays on top takes its converter along. The
    // flag is changed after the event, since changing it hides and shows the window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        m_calculator.AlwaysOnTop() != windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        QMetaObject::invokeMethod(this, &TFormConvert::keepOnTop, Qt::QueuedConnection);
}

void TFormConvert::keepOnTop() {
    // A modal box has the calculator's windows out of the top layer until it closes.
    if (!QApplication::activeModalWidget())
        SetStaysOnTop(this, m_calculator.AlwaysOnTop());
}

void TFormConvert::RememberPosition() {
    if (isVisible() && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        m_saved.Left = frameGeometry().left();
        m_saved.Top = frameGeometry().top();
    }
}

void TFormConvert::Open(int tag) {
    if (tag != 0)
        SelectCategory(tag - 1);
    ConvTypeComboBoxChange();
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    keepOnTop();
    show();
    raise();
    activateWindow();
    reportTableProblems();
}

void TFormConvert::reportTableProblems() {
    if (m_problemsShown)
        return;
    m_problemsShown = true;
    const std::vector<ConvLoadProblem>& problems = m_units.LoadProblems();
    if (problems.empty())
        return;
    QString text = tr("Problems in the conversion file %1:")
                       .arg(DataFile(m_calculator.DataFolder(), QStringLiteral("conv.csv")));
    // A box the size of the screen at most: the first problems and a count of the rest.
    constexpr std::size_t kShown = 20;
    for (std::size_t k = 0; k < std::min(problems.size(), kShown); ++k) {
        text += QLatin1Char('\n');
        if (problems[k].Line > 0)
            text += tr("Line %1: ").arg(problems[k].Line);
        text += qt(problems[k].Message);
    }
    if (problems.size() > kShown)
        text += QLatin1Char('\n') + tr("... and %1 more").arg(problems.size() - kShown);
    m_calculator.ShowMessageBox(text, MessageKind::Error);
}

} // namespace quantrel::gui
