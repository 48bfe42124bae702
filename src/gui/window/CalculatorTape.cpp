// The tape as a document: kept in tape.dat between runs, saved as text, Rich Text or
// PDF, printed, annotated and given a font. The tape view converts to and from the
// core's rich-text document; this file moves it in and out of files and dialogs.

#include "window/Calculator.h"

#include "calculator/CalculatorLogic.h"
#include "rtf/RtfDocument.h"
#include "window/DataFolder.h"
#include "window/NoteForm.h"
#include "window/Placement.h"
#include "window/TapeFontDialog.h"
#include "window/TapeView.h"
#include "window/TopLayer.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QScreen>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include <sys/stat.h>

namespace quantrel::gui {

namespace {

constexpr qint64 kMaxTapeFileSize = 16 * 1024 * 1024; // a larger tape.dat is not ours

/// The permissions of the file at `path`, or those a new file gets under the umask.
std::filesystem::perms replacedPermissions(const QString& path) {
    std::error_code missing;
    const std::filesystem::file_status existing =
        std::filesystem::status(path.toStdString(), missing);
    if (!missing && std::filesystem::is_regular_file(existing))
        return existing.permissions();
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<std::filesystem::perms>(0666 & ~mask);
}

void reportFailure(const QString& what) {
    std::fprintf(stderr, "quantrel: %s\n", what.toLocal8Bit().constData());
}

/// A text file's bytes as text: UTF-8, or Latin-1 when they are not UTF-8.
QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace

QString TCalculator::tapeFile() const {
    return DataFile(m_dataFolder, QStringLiteral("tape.dat"));
}

void TCalculator::loadKeptTape() {
    if (!m_settings.Keep)
        return;
    QFile file(tapeFile());
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTapeFileSize)
        return;
    const QByteArray bytes = file.read(kMaxTapeFileSize + 1);
    if (bytes.size() > kMaxTapeFileSize || file.error() != QFileDevice::NoError)
        return;
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (rtf::IsRtf(text))
        m_tape->LoadDocument(rtf::ReadRtf(text));
    else
        m_tape->LoadPlainText(decodeText(bytes));
    m_tape->AppendLine(QStringLiteral(" "), taOperation, false);
}

void TCalculator::separateKeptTape() {
    const QString separator =
        QString::fromLatin1(kSeparatorLine.data(), static_cast<qsizetype>(kSeparatorLine.size()));
    if (m_settings.Keep && m_tape->LineCount() > 0 && m_tape->LastLine() != separator)
        m_tape->AppendLine(separator, taOperation, false);
}

void TCalculator::keepTape() {
    const QString file = tapeFile();
    if (!m_settings.Keep) {
        if (QFile::exists(file) && !QFile::remove(file))
            reportFailure(QStringLiteral("the old tape could not be deleted: ") + file);
        return;
    }
    m_tape->KeepLastLines(m_settings.Keepcount);
    const std::string text = rtf::WriteRtf(m_tape->ToDocument());
    QString error;
    if (!writeWhole(file, QByteArray::fromStdString(text), &error))
        reportFailure(QStringLiteral("the tape could not be kept in ") + file +
                      QStringLiteral(": ") + error);
}

bool TCalculator::SaveTapeTo(const QString& path, QString* error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("rtf"))
        return writeWhole(path, QByteArray::fromStdString(rtf::WriteRtf(m_tape->ToDocument())),
                          error);
    if (suffix != QStringLiteral("pdf"))
        return writeWhole(path, m_tape->PlainText().toUtf8(), error);

    // The printer writes the PDF beside the target, which it then replaces in one step.
    QTemporaryFile part(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".tape-XXXXXX.pdf")));
    if (!part.open()) {
        if (error)
            *error = part.errorString();
        return false;
    }
    part.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(part.fileName());
    PrintTapeOn(printer);
    std::error_code failed;
    if (printer.printerState() != QPrinter::Error && QFileInfo(part.fileName()).size() > 0) {
        // The temporary file is private; the PDF gets what the file it replaces had, or
        // what a new file gets, as the other formats do.
        std::filesystem::permissions(part.fileName().toStdString(), replacedPermissions(path),
                                     failed);
        std::filesystem::rename(part.fileName().toStdString(), path.toStdString(), failed);
        if (!failed) {
            part.setAutoRemove(false);
            return true;
        }
    }
    if (error)
        *error = failed ? QString::fromStdString(failed.message())
                        : QStringLiteral("the PDF could not be written");
    return false;
}

void TCalculator::PrintTapeOn(QPrinter& printer) {
    printer.setDocName(QStringLiteral("Quantrel"));
    m_tape->document()->print(&printer);
}

void TCalculator::WriteNote(const QString& note) {
    const int position = m_tape->InsertNote(note);
    m_logic->ShiftTapePositions(position, static_cast<std::int32_t>(note.toUcs4().size()) + 2);
}

void TCalculator::ApplyTapeFont(const QFont& chosen) {
    const QFont font = TTapeFontDialog::TapeFont(chosen);
    m_tape->SetTapeFont(font);
    m_settings.FontName = font.family().toStdString();
    m_settings.FontSize = font.pointSize();
    ArrangeWindow();
}

void TCalculator::placeDialog(QWidget* dialog, bool fitContents) const {
    if (fitContents)
        dialog->adjustSize();
    const QSize screenSize = screen() ? screen()->geometry().size() : QSize(INT_MAX, INT_MAX);
    MoveFrameTo(dialog, PlaceBeside(frameGeometry().topLeft(), OuterSize(dialog, this), screenSize,
                                    EdgeRule::WithinTheMargin));
}

void TCalculator::SaveTapeAs1Click() {
    command("SaveTapeAs1", [&] {
        const OutOfTopLayer pause(topLayerWindows());
        QFileDialog dialog(this, QStringLiteral("Save Tape As"),
                           QString::fromStdString(m_settings.SaveTape));
        dialog.setObjectName(QStringLiteral("SaveDialog1"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        const QStringList filters = {QStringLiteral("Text files (*.txt)"),
                                     QStringLiteral("Rich Text Files (*.rtf)"),
                                     QStringLiteral("PDF files (*.pdf)")};
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        // A name typed without an extension takes the chosen type's.
        connect(&dialog, &QFileDialog::filterSelected, &dialog,
                [&dialog, filters](const QString& f) {
                    static const char* const suffixes[] = {"txt", "rtf", "pdf"};
                    const auto at = filters.indexOf(f);
                    if (at >= 0)
                        dialog.setDefaultSuffix(QString::fromLatin1(suffixes[at]));
                });
        placeDialog(&dialog);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        const QString path = dialog.selectedFiles().constFirst();
        m_settings.SaveTape = QFileInfo(path).absolutePath().toStdString();
        QString error;
        if (!SaveTapeTo(path, &error))
            ShowMessageBox(QStringLiteral("The tape could not be saved as ") + path +
                               QStringLiteral(":\n") + error,
                           MessageKind::Error);
    });
}

std::unique_ptr<QPrinter> TCalculator::defaultPrinter(const QString& noneText) {
    const QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull()) {
        ShowMessageBox(noneText, MessageKind::Information);
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(target, QPrinter::HighResolution);
    if (m_pageLayout)
        printer->setPageLayout(*m_pageLayout);
    return printer;
}

void TCalculator::PrintTape1Click() {
    command("PrintTape1", [&] {
        const OutOfTopLayer pause(topLayerWindows());
        const std::unique_ptr<QPrinter> printer =
            defaultPrinter(QStringLiteral("There is no default printer.\nFile > Save Tape As... "
                                          "saves the tape as a PDF, ready to print."));
        if (!printer)
            return;
        PrintTapeOn(*printer);
        if (printer->printerState() == QPrinter::Error)
            ShowMessageBox(QStringLiteral("The tape could not be printed on ") +
                               printer->printerName() + QStringLiteral("."),
                           MessageKind::Error);
    });
}

void TCalculator::PageSetup1Click() {
    command("PageSetup1", [&] {
        const OutOfTopLayer pause(topLayerWindows());
        const std::unique_ptr<QPrinter> printer =
            defaultPrinter(QStringLiteral("There is no default printer to set up."));
        if (!printer)
            return;
        QPageSetupDialog dialog(printer.get(), this);
        placeDialog(&dialog);
        if (dialog.exec() == QDialog::Accepted)
            m_pageLayout = printer->pageLayout();
    });
}

void TCalculator::Annotate1Click(const char* source) {
    command(source, [&] {
        const QScreen* shown = screen();
        m_noteForm->PlaceBeside(frameGeometry().topLeft(),
                                shown ? shown->geometry() : QRect(0, 0, 1024, 768));
        if (m_noteForm->exec() == QDialog::Accepted)
            WriteNote(m_noteForm->Text());
    });
}

void TCalculator::TapeFont1Click() {
    command("TapeFont1", [&] {
        const OutOfTopLayer pause(topLayerWindows());
        TTapeFontDialog dialog(m_tape->font(), this);
        placeDialog(&dialog);
        if (dialog.exec() == QDialog::Accepted)
            ApplyTapeFont(dialog.SelectedFont());
    });
}

} // namespace quantrel::gui
