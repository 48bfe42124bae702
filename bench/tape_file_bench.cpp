// The kept tape of 999 lines, on Qt's offscreen platform.
//   BM_KeepTape      what the end writes: the tape view as a document, as RTF, into
//                    tape.dat in one step
//   BM_LoadKeptTape  what the start reads: tape.dat parsed and put on the tape view
//   BM_WriteRtf, BM_ReadRtf  the codec alone, on the same document

#include "engine/QuantrelEval5.h"
#include "rtf/RtfDocument.h"
#include "window/TapeView.h"

#include "QtBenchmarkMain.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

using namespace quantrel;

// A working day's tape: operands, sub-totals, totals (some negative), expansions.
void FillTape(gui::TapeView& tape) {
    const int kinds[] = {taOperation, taOperation, taSubTotal, taExpand, taTotal};
    tape.BeginAppend();
    for (int i = 0; i < 999; ++i) {
        const int kind = kinds[i % 5];
        const bool negative = kind == taTotal && i % 2 == 1;
        const QString text = QStringLiteral("%1%2.50 %3")
                                 .arg(negative ? QStringLiteral("= -") : QString())
                                 .arg(1000 + i * 37)
                                 .arg(kind == taTotal ? QStringLiteral("*") : QStringLiteral("+"));
        tape.AppendLine(text, kind, negative);
    }
    tape.EndAppend();
}

QString TapeFile(const QTemporaryDir& dir) {
    if (!dir.isValid())
        throw std::runtime_error("no temporary folder");
    return QDir(dir.path()).filePath(QStringLiteral("tape.dat"));
}

void BM_KeepTape(benchmark::State& state) {
    gui::TapeView tape;
    FillTape(tape);
    const QTemporaryDir dir;
    const QString path = TapeFile(dir);
    for (auto _ : state) {
        const std::string text = rtf::WriteRtf(tape.ToDocument());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(text.data(), static_cast<qint64>(text.size())) !=
                static_cast<qint64>(text.size()) ||
            !file.commit())
            throw std::runtime_error("cannot write tape.dat");
    }
}
BENCHMARK(BM_KeepTape)->Unit(benchmark::kMillisecond);

void BM_LoadKeptTape(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString path = TapeFile(dir);
    {
        gui::TapeView tape;
        FillTape(tape);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(QByteArray::fromStdString(rtf::WriteRtf(tape.ToDocument()))) <= 0)
            throw std::runtime_error("cannot write tape.dat");
    }
    gui::TapeView tape;
    for (auto _ : state) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read tape.dat");
        const QByteArray bytes = in.readAll();
        tape.LoadDocument(rtf::ReadRtf(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
        benchmark::DoNotOptimize(tape.LineCount());
    }
}
BENCHMARK(BM_LoadKeptTape)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State& state) {
    gui::TapeView tape;
    FillTape(tape);
    const rtf::Document document = tape.ToDocument();
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::WriteRtf(document));
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

void BM_ReadRtf(benchmark::State& state) {
    gui::TapeView tape;
    FillTape(tape);
    const std::string text = rtf::WriteRtf(tape.ToDocument());
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::ReadRtf(text));
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
