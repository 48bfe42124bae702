// The tape as a document: kept in tape.dat and read back, saved in each format,
// printed to a PDF, annotated (with the engine's positions following) and given a
// font. Store and data live in a temporary folder.

#include "ModalWatchdog.h"
#include "QtPrinters.h"
#include "rtf/RtfDocument.h"
#include "support/TempDir.h"
#include "window/Calculator.h"
#include "window/NoteForm.h"
#include "window/TapeView.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace quantrel::gui {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

class TapeDocumentTest : public ::testing::Test {
protected:
    QString file(const char* name) const { return QString::fromStdString(m_dir.File(name)); }

    std::unique_ptr<TCalculator> window() {
        auto w = std::make_unique<TCalculator>(
            WindowOptions{file(""), NumberLocale::CommaPoint(), file("quantrel.ini")});
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    void writeFile(const char* name, const std::string& text) const {
        std::ofstream(m_dir.File(name), std::ios::binary) << text;
    }
    QByteArray readFile(const QString& path) const {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    static void keys(TCalculator& w, const char* typed) {
        for (const char* c = typed; *c != '\0'; ++c)
            QTest::keyClick(&w, *c);
    }
    static QStringList lines(TCalculator& w) {
        QStringList out;
        const QTextDocument* doc = w.Tape().document();
        for (int i = 0; i < w.Tape().LineCount(); ++i)
            out << doc->findBlockByNumber(i).text();
        return out;
    }
    /// The look of the first character of line `line`.
    static QTextCharFormat lookOf(TCalculator& w, int line) {
        const QTextBlock block = w.Tape().document()->findBlockByNumber(line);
        return block.begin().fragment().charFormat();
    }
    /// The text pdftotext reads from `pdf`, or nothing when it is not installed.
    static std::optional<QString> pdfText(const QString& pdf) {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            return std::nullopt;
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    /// pdftotext lays the right-aligned lines out with blanks of its own.
    static QString withoutBlanks(QString text) {
        text.remove(u' ');
        return text;
    }

    test::TempDir m_dir;
    ModalWatchdog m_watchdog;
};

TEST_F(TapeDocumentTest, AKeptTapeIsTrimmedToKeepcountAndComesBackWithItsLooks) {
    struct Case {
        int lines;
        int kept;
    };
    for (const Case c : {Case{150, 99}, Case{40, 40}}) {
        SCOPED_TRACE(c.lines);
        QFile::remove(file("tape.dat"));
        writeFile("quantrel.ini", "[Tape]\nKeep=1\nKeepcount=99\n[Totals]\nRed=1\n");
        {
            const auto w = window();
            for (int i = 1; i <= c.lines - 3; ++i)
                w->Tape().AppendLine(QStringLiteral("line %1").arg(i), taOperation, false);
            keys(*w, "5-10=");
        }
        const QByteArray kept = readFile(file("tape.dat"));
        ASSERT_TRUE(rtf::IsRtf(std::string_view(kept.constData(), kept.size())));
        EXPECT_EQ(rtf::ReadRtf(std::string_view(kept.constData(), kept.size())).paragraphs.size(),
                  static_cast<std::size_t>(c.kept));

        const auto again = window();
        const QStringList back = lines(*again);
        ASSERT_EQ(back.size(), c.kept + 2) << "the kept lines, \" \" and the separator";
        EXPECT_EQ(back[0], QStringLiteral("line %1").arg(c.lines - 3 - c.kept + 4));
        EXPECT_EQ(back[c.kept - 1], "= -5");
        EXPECT_EQ(back[c.kept], " ");
        EXPECT_EQ(back[c.kept + 1], "------------");
        const QTextCharFormat total = lookOf(*again, c.kept - 1);
        EXPECT_EQ(total.foreground().color(), kRed);
        EXPECT_EQ(total.fontWeight(), QFont::Bold);
        EXPECT_TRUE(total.fontUnderline());
        EXPECT_EQ(again->Tape().document()->findBlockByNumber(0).blockFormat().alignment() &
                      Qt::AlignHorizontal_Mask,
                  Qt::AlignRight);
        // The next calculation's positions still point at its lines.
        keys(*again, "2+3+");
        QTest::mouseClick(again->findChild<QAbstractButton*>(QStringLiteral("PrevToolButton")),
                          Qt::LeftButton);
        EXPECT_EQ(again->Tape().SelectedTapeText(), "+ 3");
        again->Tape().ClearTape();
    }
}

TEST_F(TapeDocumentTest, KeepOffDeletesTheFileAndPlainTextLoadsAsLines) {
    writeFile("tape.dat", "first\r\nsecond \xE2\x82\xAC\r\n");
    writeFile("quantrel.ini", "[Tape]\nKeep=1\n");
    {
        const auto w = window();
        EXPECT_EQ(lines(*w), QStringList({"first", "second \u20AC", " ", "------------"}));
    }
    writeFile("quantrel.ini", "[Tape]\nKeep=0\n");
    window().reset();
    EXPECT_FALSE(QFile::exists(file("tape.dat")));
    writeFile("quantrel.ini", "[Tape]\nKeep=1\n");
    const auto empty = window();
    EXPECT_EQ(empty->Tape().LineCount(), 0) << "a missing file leaves the tape empty";
}

TEST_F(TapeDocumentTest, EachExtensionWritesItsFormat) {
    const auto w = window();
    keys(*w, "12*3=");
    const QString tapeText = w->Tape().PlainText();
    ASSERT_TRUE(tapeText.endsWith("\r\n"));
    for (const char* name : {"a.rtf", "b.Rtf", "c.txt", "d.doc", "e", "f.pdf"}) {
        SCOPED_TRACE(name);
        QString error;
        ASSERT_TRUE(w->SaveTapeTo(file(name), &error)) << error.toStdString();
        const QByteArray bytes = readFile(file(name));
        const QString suffix = QFileInfo(file(name)).suffix().toLower();
        if (suffix == "rtf") {
            const rtf::Document doc =
                rtf::ReadRtf(std::string_view(bytes.constData(), bytes.size()));
            EXPECT_EQ(rtf::PlainLines(doc).back(), "= 36");
        } else if (suffix == "pdf") {
            EXPECT_TRUE(bytes.startsWith("%PDF"));
            if (const auto text = pdfText(file(name))) {
                EXPECT_TRUE(withoutBlanks(*text).contains("=36\n")) << text->toStdString();
            }
        } else {
            EXPECT_EQ(QString::fromUtf8(bytes), tapeText);
        }
    }
    QString error;
    EXPECT_FALSE(w->SaveTapeTo(file("missing/x.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(w->SaveTapeTo(file("missing/x.pdf"), &error));

    // Every format gets the permissions a new file gets, and a replaced file keeps its
    // own: the PDF is written through a private temporary file.
    const auto permissions = [&](const char* name) {
        return std::filesystem::status(m_dir.File(name)).permissions();
    };
    EXPECT_EQ(permissions("f.pdf"), permissions("c.txt"));
    const auto shared = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                        std::filesystem::perms::group_read | std::filesystem::perms::group_write |
                        std::filesystem::perms::others_read;
    std::filesystem::permissions(m_dir.File("f.pdf"), shared);
    ASSERT_TRUE(w->SaveTapeTo(file("f.pdf")));
    EXPECT_EQ(permissions("f.pdf"), shared);
}

TEST_F(TapeDocumentTest, PrintingToAPdfHoldsTheTapesLines) {
    const auto w = window();
    keys(*w, "7+8=");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file("printed.pdf"));
    w->PrintTapeOn(printer);
    EXPECT_EQ(printer.docName(), "Quantrel");
    EXPECT_TRUE(readFile(file("printed.pdf")).startsWith("%PDF"));
    if (const auto text = pdfText(file("printed.pdf"))) {
        for (const char* line : {"7\n", "+8\n", "=15\n"})
            EXPECT_TRUE(withoutBlanks(*text).contains(line))
                << line << " in " << text->toStdString();
    }
}

TEST_F(TapeDocumentTest, ANoteGoesAboveTheCaretsLineAndPositionsFollow) {
    writeFile("quantrel.ini", "[Annot]\nAnnotColor=clRed\nItalics=1\nUnder=1\n");
    const auto w = window();
    keys(*w, "1+2+4+");
    // After a calculation the note is the new last line.
    w->WriteNote(QStringLiteral("groceries"));
    EXPECT_EQ(lines(*w).back(), "groceries");
    const QTextCharFormat note = lookOf(*w, w->Tape().LineCount() - 1);
    EXPECT_EQ(note.foreground().color(), kRed);
    EXPECT_TRUE(note.fontItalic());
    EXPECT_TRUE(note.fontUnderline());

    // A click into the third line puts the next note above it.
    const QStringList before = lines(*w);
    QTextCursor caret(w->Tape().document()->findBlockByNumber(2));
    caret.movePosition(QTextCursor::EndOfBlock);
    w->Tape().setTextCursor(caret);
    w->WriteNote(QStringLiteral("invoice 117 \u00B0"));
    QStringList expected = before;
    expected.insert(2, QStringLiteral("invoice 117 \u00B0"));
    EXPECT_EQ(lines(*w), expected);
    // Back selects the lines of the numbers, below and above the notes.
    QAbstractButton* back = w->findChild<QAbstractButton*>(QStringLiteral("PrevToolButton"));
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(w->Tape().SelectedTapeText(), "+ 4");
    QTest::mouseClick(back, Qt::LeftButton);
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(w->Tape().SelectedTapeText().trimmed(), "1");
}

TEST_F(TapeDocumentTest, TheNoteListKeepsTheTenMostRecent) {
    QStringList stored;
    for (int k = 1; k <= 10; ++k)
        stored << QStringLiteral("note %1").arg(k);
    TNoteForm form(stored);
    const auto ok = [&form](const QString& typed) {
        form.Reset();
        form.ComboBox()->setEditText(typed);
        form.OKButtonClick();
        return form.result() == QDialog::Accepted;
    };

    EXPECT_FALSE(ok(QStringLiteral("   "))) << "blanks write nothing";
    EXPECT_EQ(form.Notes(), stored);

    form.Reset();
    form.ComboBox()->setCurrentIndex(3);
    form.OKButtonClick();
    EXPECT_EQ(form.Text(), "note 4");
    QStringList expected = stored;
    expected.move(3, 0);
    EXPECT_EQ(form.Notes(), expected);

    EXPECT_TRUE(ok(QStringLiteral("  Note 4 ")));
    EXPECT_EQ(form.Text(), "  Note 4 ") << "a new note is written as typed";
    expected.prepend(QStringLiteral("Note 4"));
    expected.removeLast();
    EXPECT_EQ(form.Notes(), expected) << "other case is a new note; the oldest falls out";

    EXPECT_TRUE(ok(QStringLiteral(" Note 4")));
    EXPECT_EQ(form.Text(), "Note 4") << "a known note is written trimmed";
    EXPECT_EQ(form.Notes(), expected);

    form.Reset();
    EXPECT_EQ(form.Text(), "");
    EXPECT_EQ(form.ComboBox()->lineEdit()->maxLength(), 27);
}

TEST_F(TapeDocumentTest, NotesComeBackAtTheNextStart) {
    writeFile("quantrel.ini", "[Annot]\nNote1=rent\nNote2=\nNote3=food\n");
    {
        const auto w = window();
        EXPECT_EQ(w->NoteForm().Notes(), QStringList({"rent", "food"}));
        w->NoteForm().Reset();
        w->NoteForm().ComboBox()->setEditText(QStringLiteral("gas"));
        w->NoteForm().OKButtonClick();
    }
    const auto again = window();
    EXPECT_EQ(again->NoteForm().Notes(), QStringList({"gas", "rent", "food"}));
}

TEST_F(TapeDocumentTest, ATapeFontKeepsColoursAndStylesAndWidensTheWindow) {
    writeFile("quantrel.ini", "[Totals]\nRed=1\n");
    const auto w = window();
    keys(*w, "5-10=");
    const int width = w->centralWidget()->minimumWidth();
    QFont big = w->Tape().font();
    big.setPointSize(40); // beyond the dialog's range
    w->ApplyTapeFont(big);
    EXPECT_EQ(w->Tape().font().pointSize(), 20);
    EXPECT_GT(w->centralWidget()->minimumWidth(), width);
    const QTextCharFormat total = lookOf(*w, w->Tape().LineCount() - 1);
    EXPECT_EQ(total.foreground().color(), kRed);
    EXPECT_EQ(total.fontWeight(), QFont::Bold);
    EXPECT_EQ(total.font().pointSize(), 20);
    EXPECT_EQ(w->Settings().FontSize, 20);

    // The font dialog names a style of the face (here its italic one): the tape takes
    // the face and the size, its lines keep the styles of the settings.
    QFont chosen(QStringLiteral("Liberation Sans"), 10);
    chosen.setStyleName(QStringLiteral("Italic"));
    chosen.setItalic(true);
    chosen.setUnderline(true);
    w->ApplyTapeFont(chosen);
    keys(*w, "2+3=");
    for (const QFont& used : {w->Tape().font(), w->Tape().document()->defaultFont()}) {
        EXPECT_TRUE(used.styleName().isEmpty()) << "a style name would override bold totals";
        EXPECT_FALSE(used.italic());
        EXPECT_FALSE(used.underline());
        EXPECT_EQ(used.family(), "Liberation Sans");
        EXPECT_EQ(used.pointSize(), 10);
    }
    const QTextCharFormat later = lookOf(*w, w->Tape().LineCount() - 1);
    EXPECT_EQ(later.fontWeight(), QFont::Bold);
    EXPECT_TRUE(later.font().resolve(w->Tape().document()->defaultFont()).styleName().isEmpty());
    EXPECT_EQ(w->Settings().FontName, "Liberation Sans");
}

TEST_F(TapeDocumentTest, TheTapeFontDialogOffersFiveToTwentyPoints) {
    const auto w = window();
    m_watchdog.Answer(QStringLiteral("FontDialog1"), [](QDialog& dialog) {
        auto* sizes = dialog.findChild<QComboBox*>(QStringLiteral("SizeComboBox"));
        ASSERT_NE(sizes, nullptr);
        QStringList offered;
        for (int i = 0; i < sizes->count(); ++i)
            offered << sizes->itemText(i);
        EXPECT_EQ(offered.front(), "5");
        EXPECT_EQ(offered.back(), "20");
        EXPECT_EQ(offered.size(), 16);
        EXPECT_EQ(sizes->currentText(), "8") << "the tape's own size first";
        sizes->setCurrentIndex(sizes->findText(QStringLiteral("12")));
        dialog.accept();
    });
    w->findChild<QAction*>(QStringLiteral("TapeFont1"))->trigger();
    EXPECT_EQ(w->Tape().font().pointSize(), 12);
    EXPECT_EQ(m_watchdog.Pending(), 0);
}

TEST_F(TapeDocumentTest, TheTapeFaceIsStoredAlsoWhenNeverChosen) {
    const auto w = window();
    w->StoreAll();
    EXPECT_EQ(w->Settings().FontName, w->Tape().font().family().toStdString());
    EXPECT_FALSE(w->Settings().FontName.empty());
}

} // namespace
} // namespace quantrel::gui
