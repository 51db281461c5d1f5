#include "QtDialogService.h"
#include "QtEventPump.h"
#include "SimulatedMeterWindow.h"
#include "common/LocalTime.h"
#include "link/HidapiBackend.h"
#include "meter/MeterSession.h"
#include "sim/SimulatedHidBackend.h"
#include "ui/panel/PanelWindow.h"

#include <QApplication>

#include <memory>

using namespace voltaryn;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Voltaryn");
    const bool demo = QApplication::arguments().contains("--demo");

    // With --demo the program talks to its built-in simulated meter, otherwise to a real one.
    sim::SimulatedMeter simulatedMeter;
    std::unique_ptr<HidBackend> backend;
    if (demo)
        backend = std::make_unique<sim::SimulatedHidBackend>(simulatedMeter);
    else
        backend = std::make_unique<HidapiBackend>();

    MeterSession session(*backend);
    Recorder recorder(session.reading, SystemLocalTime().SecondOfDay());
    QtDialogService dialogs;
    QtEventPump pump;
    PanelWindow panel(session, recorder, dialogs, pump);
    panel.show();

    std::unique_ptr<SimulatedMeterWindow> simulatorWindow;
    if (demo) {
        simulatorWindow = std::make_unique<SimulatedMeterWindow>(
            simulatedMeter, static_cast<sim::SimulatedHidBackend&>(*backend));
        simulatorWindow->move(panel.frameGeometry().topRight() + QPoint(24, 0));
        simulatorWindow->show();
    }
    return QApplication::exec();
}
