#include "QtDialogService.h"
#include "QtEventPump.h"
#include "SimulatedMeterWindow.h"
#include "app/Application.h"
#include "link/HidapiBackend.h"

#include <QApplication>

#include <optional>

using namespace voltaryn;

// The simulated meter of --demo, with its in-process backend and its window.
struct DemoMeter {
    sim::SimulatedMeter meter;
    sim::SimulatedHidBackend backend{meter};
};

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName("Voltaryn");
    const bool demo = QApplication::arguments().contains("--demo");

    // With --demo the program talks to its built-in simulated meter, otherwise to a real one.
    std::optional<DemoMeter> demoMeter;
    std::optional<HidapiBackend> hidapi;
    HidBackend& backend = demo ? static_cast<HidBackend&>(demoMeter.emplace().backend) : hidapi.emplace();

    QtDialogService dialogs;
    QtEventPump pump;
    Application app({backend, dialogs, pump, SystemLocalTime});
    PanelWindow& panel = app.Panel();
    panel.show();

    std::optional<SimulatedMeterWindow> simulatorWindow;
    if (demoMeter)
        simulatorWindow.emplace(demoMeter->meter, demoMeter->backend, panel).ShowBeside(panel);
    return QApplication::exec();
}
