// Cost of printing the largest list a recording makes (36001 records in nine columns) to a PDF.
#include "ui/lists/GridPrinter.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace voltaryn {
namespace {

RecordTable FullRecording()
{
    constexpr int Records = 36001;
    RecordTable table{{"No.s", "Time", "V", "400 mOhm", "Amp", "Celsius", "In-Cap ", "Out-Cap ", "T-Cap "}, {}};
    table.rows.reserve(Records);
    char time[16];
    for (int record = 1; record <= Records; ++record) {
        const int second = (36000 + 2 * record) % 86400;
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
        table.rows.push_back({std::to_string(record), time, "12.63", "05.41", "-2.000", "24.0", "0000(m)", "0002(m)", "-0002(m)"});
    }
    return table;
}

void BM_PrintFullRecordingToPdf(benchmark::State& state)
{
    const RecordTable table = FullRecording();
    const QTemporaryDir folder;
    PrintResult result;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("list.pdf"));
        result = PrintTable(printer, table);
        if (result.status != PrintStatus::Printed)
            state.SkipWithError("the PDF printer did not start");
    }
    state.counters["pages"] = result.pages;
}
BENCHMARK(BM_PrintFullRecordingToPdf)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace voltaryn
