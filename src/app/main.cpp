#include "QtDialogService.h"
#include "QtEventPump.h"
#include "SimulatedMeterWindow.h"
#include "app/Application.h"
#include "app/ProgramOptions.h"
#include "link/HidapiBackend.h"
#include "store/StoreAddress.h"

#include <QApplication>
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

// The command line as given, Qt's own options still in it.
QStringList ArgumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Names the program for the application object just made, and installs the translation of its
// texts into the user's language, where one ships (the meter's own captions stay as they are).
void Introduce(QTranslator& translator)
{
    QCoreApplication::setApplicationName("Voltaryn");
    QCoreApplication::setOrganizationName("Voltaryn");
    QCoreApplication::setApplicationVersion(VOLTARYN_VERSION);
    if (translator.load(QLocale(), "voltaryn", "_", ":/translations"))
        QCoreApplication::installTranslator(&translator);
}

} // namespace

int main(int argc, char* argv[])
{
    QTranslator translator;
    // --help and --version are answered without the window system, which ends a program that
    // cannot reach a display.
    if (AsksForHelpOrVersion(ArgumentsOf(argc, argv))) {
        const QCoreApplication console(argc, argv);
        Introduce(translator);
        ReadProgramOptions(QCoreApplication::arguments());  // prints them and ends the program
    }
    QApplication qtApp(argc, argv);
    Introduce(translator);
    // Set once for every window: the window manager shows "Voltaryn" beside each window's own caption.
    QApplication::setApplicationDisplayName("Voltaryn");
    QApplication::setDesktopFileName("org.voltaryn.Voltaryn");
    QApplication::setWindowIcon(QIcon(":/voltaryn.svg"));

    // Read before the passwords in argv, which the process list shows, are blanked.
    const ProgramOptions options = ReadProgramOptions(QApplication::arguments());
    if (store::BlankArgumentPasswords(argc, argv))
        std::fprintf(stderr, "voltaryn: %s\n", store::kPasswordInArgumentsWarning);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "voltaryn: %s\n", qPrintable(options.error));
        return 1;
    }

    // With --demo (or --demo-cells, --demo-string) the program talks to its built-in simulated meter, otherwise to a real one.
    std::optional<DemoMeter> demoMeter;
    std::optional<HidapiBackend> hidapi;
    HidBackend& backend = options.demo ? static_cast<HidBackend&>(demoMeter.emplace().backend) : hidapi.emplace();
    if (options.cellSeed)
        demoMeter->meter.SetCellBench(*options.cellSeed, options.storageDays);
    if (options.stringSeed)
        demoMeter->meter.SetStringBench(*options.stringSeed, options.stringBlocks);

    QSettings settings;
    if (options.resetSettings)
        settings.clear();
    QtDialogService dialogs(settings);
    QtEventPump pump;
    Application app({backend, dialogs, pump, SystemLocalTime, {.storeAddress = options.storeAddress}, {}, &settings});
    PanelWindow& panel = app.Panel();
    panel.show();

    std::optional<SimulatedMeterWindow> simulatorWindow;
    if (demoMeter)
        simulatorWindow.emplace(demoMeter->meter, demoMeter->backend, panel).ShowBeside(panel);
    if (options.openCellSorting)
        app.CellSorting().Open();
    if (options.openStringWalk)
        app.StringWalk().Open();
    if (!options.file.isEmpty())
        app.Recording().OpenFile(options.file);
    return QApplication::exec();
}
