#include "QtDialogService.h"
#include "QtEventPump.h"
#include "SimulatedMeterWindow.h"
#include "app/Application.h"
#include "link/HidapiBackend.h"

#include <QApplication>
#include <QCommandLineParser>

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
    // Set once for every window: the window manager shows "Voltaryn" beside each window's own caption.
    QApplication::setApplicationName("Voltaryn");
    QApplication::setApplicationDisplayName("Voltaryn");
    QApplication::setOrganizationName("Voltaryn");
    QApplication::setApplicationVersion(VOLTARYN_VERSION);
    QApplication::setDesktopFileName("org.voltaryn.Voltaryn");

    QCommandLineParser options;
    options.setApplicationDescription("The desktop companion of a handheld battery analyser meter.");
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption demo("demo", "Connect to the built-in simulated meter instead of a real one.");
    options.addOption(demo);
    options.addPositionalArgument("file", "A data file (.txt) or list (.csv) to open in the file list.", "[file]");
    options.process(qtApp);

    // With --demo the program talks to its built-in simulated meter, otherwise to a real one.
    std::optional<DemoMeter> demoMeter;
    std::optional<HidapiBackend> hidapi;
    HidBackend& backend = options.isSet(demo) ? static_cast<HidBackend&>(demoMeter.emplace().backend) : hidapi.emplace();

    QtDialogService dialogs;
    QtEventPump pump;
    Application app({backend, dialogs, pump, SystemLocalTime});
    PanelWindow& panel = app.Panel();
    panel.show();

    std::optional<SimulatedMeterWindow> simulatorWindow;
    if (demoMeter)
        simulatorWindow.emplace(demoMeter->meter, demoMeter->backend, panel).ShowBeside(panel);
    if (!options.positionalArguments().isEmpty())
        app.Recording().OpenFile(options.positionalArguments().constFirst());
    return QApplication::exec();
}
