// "&Help" and "&About...": the help document, an HTML file of ours shown in a small
// viewer window, and the About box.

#include "window/Calculator.h"

#include "window/Pictures.h"
#include "window/TopLayer.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <climits>

namespace quantrel::gui {

namespace {

constexpr const char* kHelpName = "quantrel.html";
constexpr QSize kViewerSize(640, 600);
const QString kHelpError = QStringLiteral("Quantrel encountered an error when displaying help\r");

} // namespace

QString DefaultHelpFile() {
    // Beside the program (a build or a portable copy), else where an install puts it.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString beside = programFolder.filePath(QString::fromLatin1(kHelpName));
    const QString installed = QDir::cleanPath(programFolder.filePath(
        QStringLiteral("../share/quantrel/") + QString::fromLatin1(kHelpName)));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

void TCalculator::Help2Click() {
    command("Help2", [&] {
        const QString path = QFileInfo(m_helpFile).absoluteFilePath();
        if (!QFileInfo::exists(path)) {
            ShowMessageBox(kHelpError + QStringLiteral("Help File\r") +
                               QDir::toNativeSeparators(path) + QStringLiteral("\rNot Found"),
                           MessageKind::Error);
            return;
        }
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
            ShowMessageBox(kHelpError + QStringLiteral("See the Readme.txt file in\r") +
                               QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) +
                               QStringLiteral("\rFor likely causes..."),
                           MessageKind::Error);
            return;
        }
        if (!m_helpViewer) {
            m_helpViewer = new QTextBrowser(this);
            m_helpViewer->setWindowFlags(Qt::Window);
            m_helpViewer->setObjectName(QStringLiteral("HelpViewer"));
            m_helpViewer->setWindowTitle(QStringLiteral("Quantrel Help"));
            m_helpViewer->setWindowIcon(ProgramIcon());
            m_helpViewer->setOpenExternalLinks(true);
            m_helpViewer->resize(kViewerSize);
            auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), m_helpViewer);
            connect(close, &QShortcut::activated, m_helpViewer, &QWidget::close);
            placeDialog(m_helpViewer, false);
        }
        // In front of a calculator that stays on top, as the converter is.
        SetStaysOnTop(m_helpViewer, AlwaysOnTop());
        // Read anew each time, so an edited or reinstalled document shows as it is now.
        m_helpViewer->setSearchPaths({QFileInfo(path).absolutePath()});
        m_helpViewer->setHtml(QString::fromUtf8(file.readAll()));
        m_helpViewer->moveCursor(QTextCursor::Start); // the first topic
        m_helpViewer->show();
        m_helpViewer->raise();
        m_helpViewer->activateWindow();
    });
}

void TCalculator::About1Click() {
    command("About1", [&] {
        QDialog box(this);
        box.setObjectName(QStringLiteral("AboutBox"));
        box.setWindowTitle(QStringLiteral("About QuantRel"));
        auto* column = new QVBoxLayout(&box);
        auto* name = new QLabel(QStringLiteral("Quantrel"), &box);
        name->setObjectName(QStringLiteral("ProductName"));
        QFont large = name->font();
        large.setPixelSize(32);
        large.setBold(true);
        name->setFont(large);
        name->setAlignment(Qt::AlignCenter);
        auto* version = new QLabel(
            QStringLiteral("V%1.%2").arg(QUANTREL_VERSION_MAJOR).arg(QUANTREL_VERSION_MINOR), &box);
        version->setObjectName(QStringLiteral("Version"));
        version->setAlignment(Qt::AlignCenter);
        auto* what =
            new QLabel(QStringLiteral("A printing calculator with a scientific keypad"), &box);
        what->setAlignment(Qt::AlignCenter);
        // We have no web site: the link opens the help.
        auto* link = new QLabel(QStringLiteral("<a href=\"help\">Quantrel Help</a>"), &box);
        link->setObjectName(QStringLiteral("HelpLink"));
        link->setAlignment(Qt::AlignCenter);
        link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        connect(link, &QLabel::linkActivated, &box, [this, &box] {
            box.accept();
            Help2Click();
        });
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
        connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
        for (QWidget* part : {static_cast<QWidget*>(name), static_cast<QWidget*>(version),
                              static_cast<QWidget*>(what), static_cast<QWidget*>(link),
                              static_cast<QWidget*>(buttons)})
            column->addWidget(part);
        column->setSizeConstraint(QLayout::SetFixedSize);
        placeDialog(&box);
        const OutOfTopLayer pause(topLayerWindows());
        box.exec();
    });
}

} // namespace quantrel::gui
