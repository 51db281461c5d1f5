// Cost of downloading a whole 36001-record SD card file from the simulated meter into a shown
// data list, as a click on the Memory window's file row does it: about 50,000 chunk exchanges,
// the lines put together into rows, and the application's events processed after each chunk,
// so the list repaints its progress while the download runs.
#include "BenchServices.h"
#include "app/Application.h"
#include "app/QtEventPump.h"
#include "sim/SimulatedHidBackend.h"
#include "ui/lists/DataListWindow.h"
#include "ui/memory/MemoryWindow.h"

#include <QAction>
#include <QApplication>
#include <QToolBar>

#include <benchmark/benchmark.h>

namespace voltaryn {
namespace {

void BM_SdDownload36001RecordsIntoTheDataList(benchmark::State& state)
{
    constexpr int Records = 36001;
    constexpr int FileNumber = 9;
    sim::SimulatedMeter meter;
    meter.Card().AddFile({.number = FileNumber, .start = sim::SimTime{}, .records = Records});
    sim::SimulatedHidBackend backend(meter);
    NoDialogs dialogs;
    QtEventPump pump;  // the program's own
    Application app({backend, dialogs, pump, SystemLocalTime});
    PanelWindow& panel = app.Panel();
    panel.show();
    for (int tick = 0; tick < 3; ++tick)
        app.Poll();
    panel.findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("SDcard")->trigger();
    auto* memory = panel.findChild<MemoryWindow*>("Memory");
    if (memory == nullptr || dialogs.messages != 0) {
        state.SkipWithError("the SD card was not listed");
        return;
    }
    for (auto _ : state) {
        emit memory->fileClicked(FileNumber, Records);
        auto* list = panel.findChild<DataListWindow*>("DataList");
        if (list == nullptr || list->Model().rowCount() != Records)
            state.SkipWithError("the download ended early");
        state.PauseTiming();
        list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SdDownload36001RecordsIntoTheDataList)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
} // namespace voltaryn
