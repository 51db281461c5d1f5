#include "app/ProgramOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace voltaryn {
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

ProgramOptions ReadProgramOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("voltaryn::Options", "The desktop companion of a handheld battery analyser meter."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption demo("demo", QCoreApplication::translate("voltaryn::Options", "Connect to the built-in simulated meter instead of a real one."));
    const QCommandLineOption demoCells(
        "demo-cells",
        QCoreApplication::translate("voltaryn::Options", "Like --demo, with a stream of cells on the simulated meter's probes; the "
                   "same seed (default 1, which may be left out) gives the same stream."),
        "seed");
    const QCommandLineOption cellsWindow("cells", QCoreApplication::translate("voltaryn::Options", "Open the Cell Sorting window at the start."));
    const QCommandLineOption database(
        "db",
        QCoreApplication::translate("voltaryn::Options", "The cell database: a SQLite file, sqlite:///path or "
                   "postgresql://user@host/db (default: cells.db in the application's "
                   "data folder)."),
        "address");
    const QCommandLineOption resetSettings(
        "reset-settings",
        QCoreApplication::translate("voltaryn::Options", "Forget the remembered window places, folders and choices, and start as on the first run."));
    parser.addOptions({demo, demoCells, cellsWindow, database, resetSettings});
    parser.addPositionalArgument(
        "file", QCoreApplication::translate("voltaryn::Options", "A data file (.txt) or list (.csv) to open in the file list."), "[file]");
    parser.process(WithDefaultCellSeed(arguments));

    ProgramOptions options;
    options.demo = parser.isSet(demo) || parser.isSet(demoCells);
    options.openCellSorting = parser.isSet(cellsWindow);
    options.storeAddress = parser.value(database);
    options.resetSettings = parser.isSet(resetSettings);
    options.file = parser.positionalArguments().value(0);
    if (parser.isSet(demoCells)) {
        bool seedRead = false;
        options.cellSeed = parser.value(demoCells).toULongLong(&seedRead);
        if (!seedRead)
            options.error = "the seed of --demo-cells is a whole number";
    }
    return options;
}

} // namespace voltaryn
