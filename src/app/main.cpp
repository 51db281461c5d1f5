#include "QtDialogService.h"
#include "QtEventPump.h"
#include "SimulatedMeterWindow.h"
#include "app/Application.h"
#include "link/HidapiBackend.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <QIcon>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <optional>

using namespace voltaryn;

// The simulated meter of --demo, with its in-process backend and its window.
struct DemoMeter {
    sim::SimulatedMeter meter;
    sim::SimulatedHidBackend backend{meter};
};

namespace {

// --demo-cells takes its seed optionally, which QCommandLineParser cannot: a bare one that no seed
// follows gets the default seed.
QStringList WithDefaultCellSeed(QStringList arguments)
{
    for (auto a = arguments.begin(); a != arguments.end(); ++a) {
        bool seedFollows = false;
        if (std::next(a) != arguments.end())
            std::next(a)->toULongLong(&seedFollows);
        if (*a == "--demo-cells" && !seedFollows)
            *a = "--demo-cells=1";
    }
    return arguments;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    // Set once for every window: the window manager shows "Voltaryn" beside each window's own caption.
    QApplication::setApplicationName("Voltaryn");
    QApplication::setApplicationDisplayName("Voltaryn");
    QApplication::setOrganizationName("Voltaryn");
    QApplication::setApplicationVersion(VOLTARYN_VERSION);
    QApplication::setDesktopFileName("org.voltaryn.Voltaryn");
    QApplication::setWindowIcon(QIcon(":/voltaryn.svg"));
    // The texts around the meter's own captions in the user's language, where a translation ships.
    QTranslator translator;
    if (translator.load(QLocale(), "voltaryn", "_", ":/translations"))
        QApplication::installTranslator(&translator);

    QCommandLineParser options;
    options.setApplicationDescription(
        QCoreApplication::translate("voltaryn::Options", "The desktop companion of a handheld battery analyser meter."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption demo(
        "demo", QCoreApplication::translate("voltaryn::Options", "Connect to the built-in simulated meter instead of a real one."));
    options.addOption(demo);
    const QCommandLineOption demoCells(
        "demo-cells",
        QCoreApplication::translate("voltaryn::Options", "Like --demo, with a stream of cells on the simulated meter's probes; the "
                                              "same seed (default 1, which may be left out) gives the same stream."),
        "seed", "1");
    options.addOption(demoCells);
    const QCommandLineOption cellsWindow(
        "cells", QCoreApplication::translate("voltaryn::Options", "Open the Cell Sorting window at the start."));
    options.addOption(cellsWindow);
    const QCommandLineOption database(
        "db",
        QCoreApplication::translate("voltaryn::Options", "The cell database: a SQLite file, sqlite:///path or "
                                              "postgresql://user@host/db (default: cells.db in the application's "
                                              "data folder)."),
        "address");
    options.addOption(database);
    options.addOption(ResetSettingsOption());
    options.addPositionalArgument(
        "file", QCoreApplication::translate("voltaryn::Options", "A data file (.txt) or list (.csv) to open in the file list."), "[file]");
    options.process(WithDefaultCellSeed(QApplication::arguments()));
    bool seedRead = false;
    const std::uint64_t cellSeed = options.value(demoCells).toULongLong(&seedRead);  // "1" when not given
    if (!seedRead) {
        std::fputs("voltaryn: the seed of --demo-cells is a whole number\n", stderr);
        return 1;
    }

    // With --demo (or --demo-cells) the program talks to its built-in simulated meter, otherwise to a real one.
    std::optional<DemoMeter> demoMeter;
    std::optional<HidapiBackend> hidapi;
    const bool demoWanted = options.isSet(demo) || options.isSet(demoCells);
    HidBackend& backend = demoWanted ? static_cast<HidBackend&>(demoMeter.emplace().backend) : hidapi.emplace();
    if (options.isSet(demoCells))
        demoMeter->meter.SetCellBench(cellSeed);

    QSettings settings;
    ResetSettingsIfAsked(options, settings);
    QtDialogService dialogs(settings);
    QtEventPump pump;
    Application app({backend, dialogs, pump, SystemLocalTime, {.storeAddress = options.value(database)}, {}, &settings});
    PanelWindow& panel = app.Panel();
    panel.show();

    std::optional<SimulatedMeterWindow> simulatorWindow;
    if (demoMeter)
        simulatorWindow.emplace(demoMeter->meter, demoMeter->backend, panel).ShowBeside(panel);
    if (options.isSet(cellsWindow))
        app.CellSorting().Open();
    if (!options.positionalArguments().isEmpty())
        app.Recording().OpenFile(options.positionalArguments().constFirst());
    return QApplication::exec();
}
