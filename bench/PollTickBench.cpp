// Cost of the panel's poll ticks against the simulated meter: the exchange, the decode and a full
// render of the main window (grab() paints every widget, more than a tick's partial repaint).
// One rotation is three ticks (identify, range, display); it must stay far below the 300 ms
// those ticks span.
#include "meter/MeterSession.h"
#include "sim/SimulatedHidBackend.h"
#include "ui/panel/PanelWindow.h"

#include <benchmark/benchmark.h>

namespace voltaryn {
namespace {

// No tick lets events run or opens a dialog.
class NoEvents : public EventPump {
    void LetEventsRun() override {}
};

class NoDialogs : public DialogService {
    void ShowMessage(QWidget*, MessageIcon, const QString&) override {}
    bool Confirm(QWidget*, const QString&) override { return false; }
    QString AskText(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString AskSaveFileName(QWidget*, const QString&) override { return {}; }
    QString AskOpenFileName(QWidget*, const QString&) override { return {}; }
    void RunModal(QDialog&) override {}
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
};

void BM_PollRotationWithFullRender(benchmark::State& state)
{
    sim::SimulatedMeter meter;
    sim::SimulatedHidBackend backend(meter);
    MeterSession session(backend);
    Recorder recorder(session.reading, 0);
    NoDialogs dialogs;
    NoEvents pump;
    PanelWindow panel(session, recorder, dialogs, pump);
    panel.show();
    for (auto _ : state) {
        for (int tick = 0; tick < 3; ++tick) {
            panel.PollTick();
            benchmark::DoNotOptimize(panel.grab());
        }
    }
}
BENCHMARK(BM_PollRotationWithFullRender)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace voltaryn
