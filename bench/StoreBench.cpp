// The store's speed: 10,000 captures, each committed durably before the next, and reading back
// the 10,000-cell batch with each cell's latest measurement. Runs on SQLite, and on PostgreSQL
// when libpq's PG* variables name a server (run it under `pg_virtualenv -t` for a throwaway one).
#include "store/CellStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace voltaryn::store {
namespace {

constexpr int kCells = 10000;
const QString kBatch = QStringLiteral("bench");

struct BenchStore {
    QTemporaryDir folder;
    std::unique_ptr<CellStore> store;
    int captured = 0;
};

// One store per engine, shared by the benchmarks so the read-back finds the batch the captures
// filled.
std::map<Engine, BenchStore>& Stores()
{
    static std::map<Engine, BenchStore> stores;
    return stores;
}

BenchStore& StoreFor(Engine engine)
{
    BenchStore& bench = Stores()[engine];
    if (!bench.store) {
        bench.store = std::make_unique<CellStore>(StoreOptions{bench.folder.filePath(QStringLiteral("queue.db"))});
        StoreAddress address;
        address.engine = engine;
        address.path = bench.folder.filePath(QStringLiteral("cells.db"));
        bench.store->Open(address);
        if (bench.store->FindBatch(kBatch))
            bench.store->DeleteBatch(kBatch);
        bench.store->CreateBatch(kBatch);
    }
    return bench;
}

CaptureInput NextCapture(int n)
{
    CaptureInput capture;
    capture.batch = kBatch;
    capture.station = QStringLiteral("bench");
    capture.operatorName = QStringLiteral("bench");
    capture.measuredUtc = QDateTime(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC).addMSecs(n * 1200LL);
    capture.voltageV = 3.55 + (n % 100) / 1000.0;
    capture.resistanceMohm = 18.0 + (n % 50) / 10.0;
    capture.voltageText = QString::number(*capture.voltageV, 'f', 4);
    capture.resistanceText = QString::number(*capture.resistanceMohm, 'f', 2);
    capture.rangeText = QStringLiteral("40 mOhm");
    capture.grade = n % 7 == 0 ? QStringLiteral("B") : QStringLiteral("A");
    return capture;
}

void CapturesCommittedOneByOne(benchmark::State& state, Engine engine)
{
    BenchStore& bench = StoreFor(engine);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.store->RecordCapture(NextCapture(bench.captured++)));
    state.counters["captures"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void ReadTenThousandCellBatch(benchmark::State& state, Engine engine)
{
    BenchStore& bench = StoreFor(engine);
    while (bench.captured < kCells)
        bench.store->RecordCapture(NextCapture(bench.captured++));
    for (auto _ : state) {
        const auto cells = bench.store->Cells(kBatch);
        if (cells.size() != std::size_t{kCells})
            state.SkipWithError("the batch does not hold 10,000 cells");
        benchmark::DoNotOptimize(cells.data());
    }
}

void Register(const char* engineName, Engine engine)
{
    benchmark::RegisterBenchmark((std::string("Store/CapturesCommittedOneByOne/") + engineName).c_str(),
                                 CapturesCommittedOneByOne, engine)
        ->Iterations(kCells)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("Store/ReadTenThousandCellBatch/") + engineName).c_str(),
                                 ReadTenThousandCellBatch, engine)
        ->Unit(benchmark::kMillisecond);
}

} // namespace
} // namespace voltaryn::store

int main(int argc, char** argv)
{
    using voltaryn::store::Engine;
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    voltaryn::store::Register("Sqlite", Engine::Sqlite);
    if (qEnvironmentVariableIsSet("PGHOST") || qEnvironmentVariableIsSet("PGPORT"))
        voltaryn::store::Register("Postgresql", Engine::Postgresql);
    else
        fprintf(stderr, "No PG* variables: PostgreSQL left out (run under pg_virtualenv -t for it)\n");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    voltaryn::store::Stores().clear();  // the connections close while the application is there
    return 0;
}
