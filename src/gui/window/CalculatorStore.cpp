// What outlives a run: the settings and the data folder's files read while the window
// is created and stored when the program ends, the first show's placement, closing
// (which only hides the window in the notification area), and the tray icon.
//
//   start:  store -> ProgramSettings -> check marks, logic and main engine -> conv.csv
//           -> Equ1.dat..Equ5.dat -> layout
//   end:    check marks, logic, position -> store; calculation -> history -> Equ files

#include "window/Calculator.h"

#include "conversion/FormConvert.h"
#include "conversion/convunits.h"
#include "window/ColorText.h"
#include "window/DataFolder.h"
#include "window/NoteForm.h"
#include "window/Pictures.h"
#include "window/Placement.h"
#include "window/TapeFontDialog.h"
#include "window/TapeView.h"
#include "window/TopLayer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTextBrowser>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace quantrel::gui {

namespace {

/// Failures while storing show no message (the program is ending); they go to standard
/// error so that a user who starts it from a terminal learns of them.
void reportStoreFailure(const QString& what) {
    std::fprintf(stderr, "quantrel: %s\n", what.toLocal8Bit().constData());
}

/// The stored data folder when it is there and writable, else the default rule's.
QString usableDataFolder(const std::string& stored, const QString& fallback) {
    const QString folder = QString::fromStdString(stored);
    const QFileInfo info(folder);
    if (!folder.isEmpty() && info.isDir() && info.isWritable())
        return folder;
    return fallback.isEmpty() ? DefaultDataFolder() : fallback;
}

} // namespace

void TCalculator::LoadSettings(const WindowOptions& options, const NumberLocale& locale) {
    m_settings = ReadProgramSettings(m_store.Read(), locale);
    m_dataFolder = usableDataFolder(m_settings.SaveDest, options.dataFolder);
    m_settings.SaveDest = m_dataFolder.toStdString();

    m_hideTape->setChecked(m_settings.Calc.Hide);
    m_onTop->setChecked(m_settings.OnTop);
    SetStaysOnTop(this, m_settings.OnTop);
    m_normalSize->setEnabled(m_settings.Large);
    m_largeSize->setEnabled(!m_settings.Large);
    m_viewToolBar->setChecked(m_settings.Toolbar);
    m_viewStatusBar->setChecked(m_settings.Statusbar);
    m_advanced->setChecked(m_settings.Scientific);
    showTapeState();
    SetFastClick(m_settings.Down);

    QFont tapeFont = m_tape->font();
    if (m_settings.FontSize >= TTapeFontDialog::kMinPoints &&
        m_settings.FontSize <= TTapeFontDialog::kMaxPoints)
        tapeFont.setPointSize(m_settings.FontSize);
    if (!m_settings.FontName.empty())
        tapeFont.setFamily(QString::fromStdString(m_settings.FontName));
    m_tape->setFont(tapeFont);
    m_tape->document()->setDefaultFont(tapeFont);
    applyTapeStyle();
}

void TCalculator::applyTapeStyle() {
    const auto colour = [](const std::string& text, const QColor& fallback) {
        return TextToColor(QString::fromStdString(text), fallback);
    };
    TapeStyle style;
    style.totalsBold = m_settings.TotalsBold;
    style.totalsUnder = m_settings.TotalsUnder;
    style.totalsRed = m_settings.TotalsRed;
    style.expandOperColor = colour(m_settings.ExpandOperColor, style.expandOperColor);
    style.subTotalsColor = colour(m_settings.SubTotalsColor, style.subTotalsColor);
    style.annotColor = colour(m_settings.AnnotColor, style.annotColor);
    style.annotItalics = m_settings.AnnotItalics;
    style.annotUnder = m_settings.AnnotUnder;
    m_tape->SetStyle(style);
}

void TCalculator::SaveSettings() {
    // The position of the frame, as "Left" and "Top" place it at the next start; a
    // window never shown (a run in the notification area) keeps the place it was given.
    if (!m_firstShow) {
        m_settings.Left = frameGeometry().left();
        m_settings.Top = frameGeometry().top();
    }
    m_settings.Calc = m_logic->Settings(); // "Hide" included: HideTape1 tells the logic
    m_settings.OnTop = m_onTop->isChecked();
    m_settings.Toolbar = m_viewToolBar->isChecked();
    m_settings.Statusbar = m_viewStatusBar->isChecked();
    m_settings.Scientific = m_advanced->isChecked();
    m_settings.Down = m_fastClick;
    m_settings.FontSize = m_tape->font().pointSize();
    m_settings.FontName = m_tape->font().family().toStdString(); // the face in use, also at first

    const QStringList notes = m_noteForm->Notes();
    for (std::size_t k = 0; k < m_settings.Notes.size(); ++k)
        m_settings.Notes[k] = static_cast<qsizetype>(k) < notes.size()
                                  ? notes[static_cast<qsizetype>(k)].toStdString()
                                  : std::string();
    const ConvHistory& conversions = m_logic->ConversionHistory();
    for (int k = 1; k <= ConvHistory::kSize; ++k)
        m_settings.Conv[static_cast<std::size_t>(k - 1)] =
            TConvUnits::ConvSpecToText(conversions.Entry(k));
    const TFormConvert::Place& converter = m_converter->Saved();
    m_settings.ConvLeft = converter.Left;
    m_settings.ConvTop = converter.Top;
    m_settings.ConvWidth = converter.Width;
    m_settings.ConvHeight = converter.Height;
    QString error;
    if (!m_store.Write(WriteProgramSettings(m_settings, m_logic->Locale()), &error))
        reportStoreFailure(QStringLiteral("settings not stored: ") + error);
}

void TCalculator::StoreAll() {
    if (m_stored || !m_logic)
        return;
    m_stored = true;
    try {
        SaveSettings();
    } catch (const std::exception& failure) {
        reportStoreFailure(QStringLiteral("settings not stored: ") + failure.what());
    }
    try {
        keepTape();
    } catch (const std::exception& failure) {
        reportStoreFailure(QStringLiteral("tape not kept: ") + failure.what());
    }
    try {
        if (!m_logic->WriteEquationFiles(m_dataFolder.toStdString()))
            reportStoreFailure(QStringLiteral("the recent calculations could not all be "
                                              "written to ") +
                               m_dataFolder);
    } catch (const std::exception& failure) {
        reportStoreFailure(QStringLiteral("recent calculations not stored: ") + failure.what());
    }
}

void TCalculator::placeOnFirstShow() {
    QPoint place(m_settings.Left, m_settings.Top);
    if (const QScreen* shown = screen()) {
        const QSize screenSize = shown->geometry().size();
        const QSize size = OuterSize(this);
        if (place.x() + size.width() > screenSize.width())
            place.setX(screenSize.width() - size.width() - kScreenMargin);
        if (place.y() + size.height() > screenSize.height())
            place.setY(screenSize.height() - size.height() - kScreenMargin);
    }
    MoveFrameTo(this, place);
}

void TCalculator::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // The first show's place was found with the client size; once the window manager
    // has framed the window, the frame's own size decides.
    if (m_placePending && !FrameMargins(this).isNull()) {
        m_placePending = false;
        placeOnFirstShow();
    }
}

void TCalculator::setVisible(bool visible) {
    // Placed before the native window exists, so that the window manager puts the
    // frame, not the client area, at the stored place.
    if (visible && m_firstShow && !isVisible()) {
        placeOnFirstShow();
        m_placePending = true;
    }
    QMainWindow::setVisible(visible);
}

void TCalculator::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        separateKeptTape();
    }
    FocusEqualsKey();
}

void TCalculator::closeEvent(QCloseEvent* event) {
    m_logic->Trace("FormClose");
    m_converter->RememberPosition();
    if (m_helpViewer)
        m_helpViewer->close(); // help belongs to the window, also in the tray
    if (!m_trayMode) {
        // The program ends with its last window; store before anything else goes.
        StoreAll();
        event->accept();
        return;
    }
    event->ignore();
    if (m_settings.Reset) {
        command("FormClose", [&] { m_logic->ClearKey(); });
        m_tape->ClearTape();
    }
    m_converter->hide();
    hide();
}

void TCalculator::ShowFromOutside() {
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

void TCalculator::showTapeState() {
    const bool hidden = m_hideTape->isChecked();
    m_showTape->setIcon(ToolbarImage(hidden ? ToolImage::ShowTape : ToolImage::HideTape));
    m_showTape->setToolTip(hidden ? tr("Show Tape") : tr("Hide Tape"));
}

void TCalculator::buildTray() {
    auto* tray = new QSystemTrayIcon(windowIcon(), this);
    tray->setObjectName(QStringLiteral("TrayNotifyIcon1"));
    tray->setToolTip(QStringLiteral("Quantrel"));
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenuTray"));
    QAction* close = menu->addAction(tr("&Close Quantrel"));
    close->setObjectName(QStringLiteral("CloseQuantrel1"));
    QAction* open = menu->addAction(tr("&Open Quantrel"));
    open->setObjectName(QStringLiteral("OpenQuantrel1"));
    // The default item, shown in bold as the double-click's own.
    menu->setDefaultAction(open);
    connect(close, &QAction::triggered, this, [this] {
        m_logic->Trace("CloseQuantrel1");
        QApplication::quit();
    });
    connect(open, &QAction::triggered, this, [this] {
        m_logic->Trace("OpenQuantrel1");
        show();
    });
    connect(tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    ShowFromOutside();
            });
    tray->setContextMenu(menu);
    tray->show();
}

} // namespace quantrel::gui
