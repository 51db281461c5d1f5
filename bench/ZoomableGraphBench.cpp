// The zoomable graphs at their largest, offscreen at 1600x900: the detail graph of a full
// history (seven channels of 432000 samples) from the detail settings' OK until it has painted
// once, one pan step of it, and a 36001-record data file opened and one of its columns plotted,
// as the clicks do it, until the plot has painted.
#include "BenchServices.h"
#include "app/Application.h"
#include "app/QtEventPump.h"
#include "graphs/DetailGraph.h"
#include "graphs/GraphState.h"
#include "sim/SimulatedHidBackend.h"
#include "ui/graphs/DetailGraphWindow.h"
#include "ui/graphs/PlotWindow.h"
#include "ui/lists/RecordListWindow.h"

#include <QAction>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <cmath>
#include <fstream>

namespace voltaryn {
namespace {

constexpr QSize Screen(1600, 900);

// A history recorded up to its last index, every channel charted.
struct FullHistory {
    FullHistory()
    {
        for (int i = 0; i < GraphHistory::Capacity; ++i) {
            const double wave = std::sin(i / 600.0);
            state.History.Store(i, {{12 + wave, -2 + wave, 24 + wave, 5 + wave, 1000 * wave, 900 * wave, 100 * wave}});
        }
        state.GraphSampleIndex = GraphHistory::Capacity - 1;
        state.GraphChannels.values.fill(true);
        limits[AxisChannel::Voltage] = {67, -67};
    }
    GraphState state;
    AxisLimits limits;
    NoDialogs dialogs;
};

DetailGraphWindow* OpenDetail(FullHistory& history)
{
    const std::optional<DetailGraphData> data = PrepareDetailGraph(history.state, history.state.GraphChannels, history.limits);
    auto* window = new DetailGraphWindow(history.state.GraphTempUnit, history.dialogs, nullptr);
    window->resize(Screen);
    window->show();
    window->Draw(*data);
    window->Graph().replot(QCustomPlot::rpImmediateRefresh);
    return window;
}

void BM_DetailGraphOfAFullHistory(benchmark::State& state)
{
    FullHistory history;
    for (auto _ : state)
        delete OpenDetail(history);
}
BENCHMARK(BM_DetailGraphOfAFullHistory)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DetailGraphPanStep(benchmark::State& state)
{
    FullHistory history;
    std::unique_ptr<DetailGraphWindow> window(OpenDetail(history));
    QCPAxis& samples = *window->Graph().xAxis;
    samples.setRange(1, 100000);
    for (auto _ : state) {
        samples.moveRange(1000);
        window->Graph().replot(QCustomPlot::rpImmediateRefresh);
    }
}
BENCHMARK(BM_DetailGraphPanStep)->Unit(benchmark::kMillisecond);

void BM_OpenAndPlotA36001RecordFile(benchmark::State& state)
{
    const QTemporaryDir folder;
    NoDialogs dialogs;
    dialogs.openFileName = folder.filePath("bench.txt");
    {
        std::ofstream file(dialogs.openFileName.toStdString(), std::ios::binary);
        file << "No.s\tTime\tV\t400 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n";
        for (int record = 1; record <= 36001; ++record)
            file << record << "\t10:00:00\t12.63" << (record % 1000 < 50 ? "*" : "")
                 << "\t05.41\t-2.000\t24.0\t0000(m)\t0002(m)\t-0002(m)\r\n";
    }
    sim::SimulatedMeter meter;
    sim::SimulatedHidBackend backend(meter);
    QtEventPump pump;  // the program's own
    Application app({backend, dialogs, pump, SystemLocalTime});
    PanelWindow& panel = app.Panel();
    panel.show();
    for (auto _ : state) {
        panel.findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("Open")->trigger();
        auto* list = qobject_cast<RecordListWindow*>(panel.findChild<QWidget*>("FileList"));
        emit list->Grid().clicked(list->Model().index(0, 2));
        auto* plot = panel.findChild<PlotWindow*>("Plot");
        if (plot == nullptr || plot->Graph().graph(0)->dataCount() != 36001 || dialogs.messages != 0) {
            state.SkipWithError("the column was not plotted");
            return;
        }
        plot->resize(Screen);
        plot->Graph().replot(QCustomPlot::rpImmediateRefresh);
    }
}
BENCHMARK(BM_OpenAndPlotA36001RecordFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace voltaryn
