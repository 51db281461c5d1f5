// The store's speed: 10,000 captures, each committed durably before the next; 10,000 captures
// into the offline queue of a station whose server is away; reading back the 10,000-cell batch
// with each cell's latest measurement. Runs on SQLite, and on PostgreSQL when libpq's PG*
// variables name a server: run it under
//   pg_virtualenv -t -o shared_preload_libraries=pg_stat_statements
// for a throwaway one that also counts the statements it runs, which tells the round trips a
// capture takes. A table of the figures, the engines side by side, comes last. On PostgreSQL it
// also times a 500-block string's history read from the server and from the queue's copy.
#include "common/ServerStatements.h"
#include "store/CellStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
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

// What the table at the end shows of each engine.
struct Figures {
    std::optional<double> durableSeconds;
    std::optional<double> queuedSeconds;
    std::optional<double> roundTrips;
};

std::map<Engine, Figures>& Results()
{
    static std::map<Engine, Figures> results;
    return results;
}

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
    // On the store's database, libpq's default one.
    std::optional<testing::ServerStatementCounter> statements;
    if (engine == Engine::Postgresql)
        statements.emplace();
    QElapsedTimer took;
    took.start();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.store->RecordCapture(NextCapture(bench.captured++)));
    Results()[engine].durableSeconds = static_cast<double>(took.nsecsElapsed()) / 1e9;
    if (const auto counted = statements ? statements->Counted() : std::nullopt)
        Results()[engine].roundTrips = static_cast<double>(*counted) / static_cast<double>(state.iterations());
    state.counters["captures"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// A station whose server is away from the start (a socket folder no server listens in) and is
// never tried again: every capture goes into the queue file.
void CapturesQueuedWhileTheServerIsAway(benchmark::State& state)
{
    QTemporaryDir folder;
    StoreOptions options{folder.filePath(QStringLiteral("queue.db"))};
    options.retryClock = [] { return std::chrono::steady_clock::duration{}; };
    CellStore store(options);
    StoreAddress address;
    address.engine = Engine::Postgresql;
    address.host = folder.path();
    store.Open(address);
    int n = 0;
    QElapsedTimer took;
    took.start();
    for (auto _ : state)
        benchmark::DoNotOptimize(store.RecordCapture(NextCapture(n++)));
    Results()[Engine::Postgresql].queuedSeconds = static_cast<double>(took.nsecsElapsed()) / 1e9;
    if (store.Status().queued != n)
        state.SkipWithError("a capture did not reach the queue");
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

// A 500-block string with its straps, inspected 20 times: about 20,000 readings. A station reads
// its history from the server at each walk's start and remembers it in the queue file (Online);
// while the server is away it reads the remembered copy instead (Away). Target: a walk starts
// within a second either way.
constexpr int kStringBlocks = 500;
constexpr int kStringInspections = 20;
const QString kSite = QStringLiteral("bench site");
const QString kString = QStringLiteral("bench string");

struct HistoryStation {
    QTemporaryDir folder;
    std::unique_ptr<CellStore> store;
};

HistoryStation& HistoryStationOf()
{
    static HistoryStation station;
    return station;
}

HistoryStation& StringOnServer()
{
    HistoryStation& station = HistoryStationOf();
    if (station.store)
        return station;
    station.store = std::make_unique<CellStore>(StoreOptions{station.folder.filePath(QStringLiteral("queue.db"))});
    StoreAddress address;
    address.engine = Engine::Postgresql;
    station.store->Open(address);
    if (station.store->FindString(kSite, kString))
        return station;
    station.store->AddSite({kSite});
    station.store->AddString({kSite, kString, kStringBlocks, 12, QStringLiteral("vrla"), 6, true, {}, {}, {}});
    int n = 0;
    for (int inspection = 0; inspection < kStringInspections; ++inspection) {
        const QDateTime started = QDateTime(QDate(2021, 1, 10), QTime(9, 0), Qt::UTC).addDays(91LL * inspection);
        int taken = 0;
        for (const strings::Place& place : strings::WalkOrder({kStringBlocks, 12, strings::Chemistry::Vrla, 6, true})) {
            CaptureInput reading = NextCapture(n++);
            reading.batch.clear();
            reading.grade.clear();
            reading.measuredUtc = started.addSecs(++taken);
            reading.inspection = InspectionTarget{kSite, kString, QStringLiteral("bench-%1").arg(inspection), started,
                                                  22.0, {}, place, false};
            station.store->RecordCapture(reading);
        }
    }
    return station;
}

void StringHistoryOnline(benchmark::State& state)
{
    HistoryStation& station = StringOnServer();
    for (auto _ : state) {
        const StringHistory history = station.store->StringHistoryOf(kSite, kString);
        if (history.readings.size() != std::size_t{kStringInspections} * (2 * kStringBlocks - 1))
            state.SkipWithError("the string does not hold every reading");
    }
}

// A second station on the same queue file whose server is away (a socket folder no server listens in).
void StringHistoryAway(benchmark::State& state)
{
    HistoryStation& station = StringOnServer();
    station.store->StringHistoryOf(kSite, kString);  // remembered
    StoreOptions options{station.folder.filePath(QStringLiteral("queue.db"))};
    CellStore away(options);
    StoreAddress address;
    address.engine = Engine::Postgresql;
    address.host = station.folder.path();
    away.Open(address);
    for (auto _ : state) {
        const StringHistory history = away.StringHistoryOf(kSite, kString);
        if (!history.rememberedUtc.isValid())
            state.SkipWithError("the history came from a server");
    }
}

void Register(const char* engineName, Engine engine)
{
    const std::string suffix = std::string("/") + engineName;
    benchmark::RegisterBenchmark(("Store/CapturesCommittedOneByOne" + suffix).c_str(), CapturesCommittedOneByOne, engine)
        ->Iterations(kCells)
        ->Unit(benchmark::kMicrosecond);
    if (engine == Engine::Postgresql)  // only a server's store keeps a queue
        benchmark::RegisterBenchmark(("Store/CapturesQueuedWhileTheServerIsAway" + suffix).c_str(),
                                     CapturesQueuedWhileTheServerIsAway)
            ->Iterations(kCells)
            ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Store/ReadTenThousandCellBatch" + suffix).c_str(), ReadTenThousandCellBatch, engine)
        ->Unit(benchmark::kMillisecond);
    if (engine == Engine::Postgresql) {
        benchmark::RegisterBenchmark("Store/StringHistory500Blocks20Inspections/Online", StringHistoryOnline)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("Store/StringHistory500Blocks20Inspections/Away", StringHistoryAway)
            ->Unit(benchmark::kMillisecond);
    }
}

std::string Cell(const std::optional<double>& value, const char* format)
{
    if (!value)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, format, *value);
    return text;
}

void PrintTable()
{
    const Figures sqlite = Results()[Engine::Sqlite];
    const Figures server = Results()[Engine::Postgresql];
    const struct {
        const char* what;
        std::optional<double> Figures::*figure;
        const char* format;
    } rows[] = {
        {"10,000 durable captures", &Figures::durableSeconds, "%.2f s"},
        {"10,000 captures into the offline queue", &Figures::queuedSeconds, "%.2f s"},
        {"round trips per capture", &Figures::roundTrips, "%.2f"},
    };
    std::printf("\n%-40s %12s %12s\n", "", "SQLite", "PostgreSQL");
    for (const auto& row : rows)
        std::printf("%-40s %12s %12s\n", row.what, Cell(sqlite.*row.figure, row.format).c_str(),
                    Cell(server.*row.figure, row.format).c_str());
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
    voltaryn::store::PrintTable();
    voltaryn::store::Stores().clear();  // the connections close while the application is there
    voltaryn::store::HistoryStationOf().store.reset();
    return 0;
}
