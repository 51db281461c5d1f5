// The PDF report of a 10,000-cell batch with a saved 20S80P pack: statistics, histograms and the
// map drawn into a file. Target: within 3 s together with reading the batch (Store/ReadTenThousandCellBatch).
#include "report/BatchReport.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace voltaryn::report {
namespace {

BatchReport TenThousandCells()
{
    std::mt19937_64 rng(7);
    std::normal_distribution<double> capacity(3000, 60);
    std::normal_distribution<double> resistance(22, 4);
    std::normal_distribution<double> voltage(3.6, 0.02);
    BatchReport report;
    report.batch.name = "Lot 10k";
    report.batch.createdUtc = QDateTime(QDate(2024, 3, 15), QTime(8, 0), Qt::UTC);
    for (qint64 n = 1; n <= 10'000; ++n) {
        store::CellRow row;
        row.number = n;
        row.capacityMah = capacity(rng);
        row.latest.station = "bench";
        row.latest.voltageV = voltage(rng);
        row.latest.resistanceMohm = resistance(rng);
        row.latest.grade = *row.latest.resistanceMohm <= 25 ? "A" : *row.latest.resistanceMohm <= 40 ? "B" : "C";
        report.cells.push_back(row);
    }
    store::PackLayout pack{"20S80P", 20, 80, {}, report.batch.createdUtc};
    for (int i = 0; i < 20 * 80; ++i)
        pack.cells.push_back({i / 80, i % 80, i + 1});
    report.packs.push_back(pack);
    return report;
}

void ReportOfTenThousandCells(benchmark::State& state)
{
    const BatchReport report = TenThousandCells();
    QTemporaryDir folder;
    for (auto _ : state)
        WriteBatchReport(report, folder.filePath("report.pdf"), QDateTime::currentDateTimeUtc());
}
BENCHMARK(ReportOfTenThousandCells)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace voltaryn::report
