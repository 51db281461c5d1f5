// The Cell Sorting window's speed: opening a batch of 10,000 cells with its table, both
// histograms and the statistics drawn; a committed capture taken into that batch; and, on the
// simulated cell bench, the time from the reading that decides a capture to its grade painted on
// the tile, and the window's own cost of a reading that decides nothing. The meter's side of each
// poll and the store's thread are left out of the figures: they are the window's own.
#include "BenchServices.h"
#include "app/Application.h"
#include "cells/Grades.h"
#include "ui/cells/BatchSession.h"
#include "ui/cells/CellSortingController.h"
#include "ui/cells/CellSortingWindow.h"

#include <QLabel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace voltaryn {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kCells = 10000;

// A lot as the sorting leaves it: voltages around 3.6 V, resistances 12-70 mOhm, graded.
std::vector<store::CellRow> TenThousandCells()
{
    const cells::GradeTable grades = cells::DefaultLiIonGrades();
    const QDateTime start(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC);
    std::vector<store::CellRow> rows(kCells);
    for (int n = 0; n < kCells; ++n) {
        store::CellRow& row = rows[n];
        row.number = n + 1;
        const double volts = 3.45 + (n * 7919 % 300) / 1000.0;
        const double milliOhms = 12.0 + (n * 104729 % 5800) / 100.0;
        row.latest.measuredUtc = start.addMSecs(n * 1200LL);
        row.latest.voltageV = volts;
        row.latest.resistanceMohm = milliOhms;
        row.latest.temperatureC = 24.0;
        row.latest.voltageText = QString::number(volts, 'f', 3);
        row.latest.resistanceText = QString::number(milliOhms, 'f', 2);
        row.latest.grade = QString::fromStdString(grades.GradeOf(volts, milliOhms).Name);
        if (n % 3 == 0)
            row.capacityMah = 2900 + n % 150;
    }
    return rows;
}

void OpenTenThousandCellBatch(benchmark::State& state)
{
    const std::vector<store::CellRow> cells = TenThousandCells();
    BatchSession session({}, [] { return QDateTime::currentDateTimeUtc(); });  // its store never opened
    CellSortingWindow window(session);
    window.resize(1280, 760);
    window.show();
    for (auto _ : state) {
        session.SetGrades(cells::DefaultLiIonGrades());
        session.Cells().Reset(cells);
        window.ShowRules();
        QCoreApplication::processEvents();  // the histograms' queued replots
        benchmark::DoNotOptimize(window.grab());
        state.PauseTiming();
        session.Cells().Reset({});
        state.ResumeTiming();
    }
}
BENCHMARK(OpenTenThousandCellBatch)->Unit(benchmark::kMillisecond);

void CaptureCommittedIntoTenThousandCells(benchmark::State& state)
{
    std::vector<store::CellRow> cells = TenThousandCells();
    BatchSession session({}, [] { return QDateTime::currentDateTimeUtc(); });  // its store never opened
    CellSortingWindow window(session);
    window.resize(1280, 760);
    window.show();
    session.SetGrades(cells::DefaultLiIonGrades());
    session.Cells().Reset(cells);
    window.ShowRules();
    store::CellRow next = cells.back();
    for (auto _ : state) {
        ++next.number;
        session.Cells().Upsert(next);
        window.RefreshSummary();
        QCoreApplication::processEvents();
        window.repaint();
    }
}
BENCHMARK(CaptureCommittedIntoTenThousandCells)->Unit(benchmark::kMillisecond);

// The program on the simulated cell bench with the Cell Sorting window open on a batch of 10,000
// cells. Each Poll() lets the panel read one display, untimed, then times the window's handling
// of it up to the tile painted.
class SortingOnTheBench {
public:
    SortingOnTheBench()
    {
        meter_.SetCellBench(7);
        app_.Panel().show();
        app_.CellSorting().Open();
        while (app_.Batches().Batch().isEmpty() || app_.Batches().Busy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        app_.Batches().Cells().Reset(TenThousandCells());
        Window().RefreshSummary();
        tile_ = Window().findChild<QWidget*>("tile");
        caption_ = Window().findChild<QLabel*>("tileCaption");
    }

    struct Step {
        double seconds;
        bool captured;
    };
    Step Poll()
    {
        now_ += 100ms;
        app_.Panel().ShowPoll(app_.Meter().pollLoop.Tick());
        const bool wasCaptured = caption_->text().startsWith("Captured →");
        const Clock::time_point started = Clock::now();
        app_.CellSorting().DisplayDecoded();
        tile_->repaint();
        const std::chrono::duration<double> took = Clock::now() - started;
        // The store's answer to a capture is taken before the next reading, as the event loop does.
        QCoreApplication::processEvents();
        return {took.count(), !wasCaptured && caption_->text().startsWith("Captured →")};
    }

private:
    CellSortingWindow& Window() { return *app_.CellSorting().Window(); }

    QTemporaryDir folder_;
    sim::SimTime start_{std::chrono::sys_days{std::chrono::year{2026} / 3 / 2}};
    sim::SimTime now_ = start_;
    sim::SimulatedMeter meter_{[this] { return now_; }};
    sim::SimulatedHidBackend backend_{meter_};
    NoDialogs dialogs_;
    NoEvents pump_;
    Application app_{{backend_, dialogs_, pump_, [] { return LocalTime{.hour = 10}; },
                      CellSortingSetup{folder_.filePath("cells.db"),
                                       [this] { return std::chrono::duration_cast<cells::ReadingTime>(now_ - start_); },
                                       [this] {
                                           const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                               now_.time_since_epoch());
                                           return QDateTime::fromMSecsSinceEpoch(ms.count()).toUTC();
                                       }}}};
    QWidget* tile_ = nullptr;
    QLabel* caption_ = nullptr;
};

void GradeOnScreenAfterTheDecidingReading(benchmark::State& state)
{
    SortingOnTheBench bench;
    for (auto _ : state) {
        SortingOnTheBench::Step step{};
        do
            step = bench.Poll();
        while (!step.captured);
        state.SetIterationTime(step.seconds);
    }
}
BENCHMARK(GradeOnScreenAfterTheDecidingReading)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

void ReadingWithoutCapture(benchmark::State& state)
{
    SortingOnTheBench bench;
    for (auto _ : state) {
        SortingOnTheBench::Step step{};
        do
            step = bench.Poll();
        while (step.captured);
        state.SetIterationTime(step.seconds);
    }
}
BENCHMARK(ReadingWithoutCapture)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace voltaryn
