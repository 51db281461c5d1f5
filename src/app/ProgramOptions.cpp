#include "app/ProgramOptions.h"

#include "sim/StoredLot.h"
#include "strings/StringModel.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace voltaryn {
namespace {

// --demo-cells and --demo-string take their seed optionally, which QCommandLineParser cannot: a
// bare one that no seed follows gets the default seed.
QStringList WithDefaultSeeds(QStringList arguments)
{
    for (auto a = arguments.begin(); a != arguments.end(); ++a) {
        bool seedFollows = false;
        if (std::next(a) != arguments.end())
            std::next(a)->toULongLong(&seedFollows);
        if ((*a == "--demo-cells" || *a == "--demo-string") && !seedFollows)
            *a += "=1";
    }
    return arguments;
}

// The program's options, each with its help text.
struct ProgramParser {
    ProgramParser()
    {
        parser.setApplicationDescription(QCoreApplication::translate("voltaryn::Options", "The desktop companion of a handheld battery analyser meter."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({demo, demoCells, demoDays, demoString, demoBlocks, cellsWindow, walkWindow, database, resetSettings});
        parser.addPositionalArgument(
            "file", QCoreApplication::translate("voltaryn::Options", "A data file (.txt) or list (.csv) to open in the file list."), "[file]");
    }

    QCommandLineParser parser;
    const QCommandLineOption demo{"demo", QCoreApplication::translate("voltaryn::Options", "Connect to the built-in simulated meter instead of a real one.")};
    const QCommandLineOption demoCells{
        "demo-cells",
        QCoreApplication::translate("voltaryn::Options", "Like --demo, with a stream of cells on the simulated meter's probes; the "
                   "same seed (default 1, which may be left out) gives the same stream."),
        "seed"};
    const QCommandLineOption demoDays{
        "demo-days",
        QCoreApplication::translate("voltaryn::Options", "With --demo-cells: the cells that stream stored, rechecked after this many days "
                   "of storage, each lower in voltage by its own self-discharge."),
        "days"};
    const QCommandLineOption demoString{
        "demo-string",
        QCoreApplication::translate("voltaryn::Options", "Like --demo, with the probes walking a string of 12 V blocks, "
                   "strap by strap, aged to today; the same seed (default 1, which may be left out) gives the same string."),
        "seed"};
    const QCommandLineOption demoBlocks{
        "demo-blocks",
        QCoreApplication::translate("voltaryn::Options", "With --demo-string: the blocks of the string, 1 to 1000 (default 24)."),
        "blocks"};
    const QCommandLineOption cellsWindow{"cells", QCoreApplication::translate("voltaryn::Options", "Open the Cell Sorting window at the start.")};
    const QCommandLineOption walkWindow{"inspect", QCoreApplication::translate("voltaryn::Options", "Open the String Inspection window at the start.")};
    const QCommandLineOption database{
        "db",
        QCoreApplication::translate("voltaryn::Options", "The cell database: a SQLite file, sqlite:///path or "
                   "postgresql://user@host/db (default: cells.db in the application's "
                   "data folder)."),
        "address"};
    const QCommandLineOption resetSettings{
        "reset-settings",
        QCoreApplication::translate("voltaryn::Options", "Forget the remembered window places, folders and choices, and start as on the first run.")};
};

// The seed `option` gives, or nothing when it is not given; a seed that is not a whole number is
// told in `error`.
std::optional<std::uint64_t> SeedOf(const QCommandLineParser& parser, const QCommandLineOption& option, QString& error)
{
    if (!parser.isSet(option))
        return std::nullopt;
    bool seedRead = false;
    const std::uint64_t seed = parser.value(option).toULongLong(&seedRead);
    if (!seedRead)
        error = QString("the seed of --%1 is a whole number").arg(option.names().first());
    return seed;
}

} // namespace

bool AsksForHelpOrVersion(const QStringList& arguments)
{
    ProgramParser program;
    program.parser.parse(arguments);  // what it does not know is told by ReadProgramOptions()
    return program.parser.isSet("help") || program.parser.isSet("help-all") || program.parser.isSet("version");
}

ProgramOptions ReadProgramOptions(const QStringList& arguments)
{
    ProgramParser program;
    QCommandLineParser& parser = program.parser;
    parser.process(WithDefaultSeeds(arguments));

    ProgramOptions options;
    options.demo = parser.isSet(program.demo) || parser.isSet(program.demoCells) || parser.isSet(program.demoString);
    options.openCellSorting = parser.isSet(program.cellsWindow);
    options.openStringWalk = parser.isSet(program.walkWindow);
    options.storeAddress = parser.value(program.database);
    options.resetSettings = parser.isSet(program.resetSettings);
    options.file = parser.positionalArguments().value(0);
    options.cellSeed = SeedOf(parser, program.demoCells, options.error);
    options.stringSeed = SeedOf(parser, program.demoString, options.error);
    if (options.cellSeed && options.stringSeed)
        options.error = "--demo-cells and --demo-string exclude each other: the probes are on cells or on a string";
    if (parser.isSet(program.demoBlocks)) {
        bool blocksRead = false;
        options.stringBlocks = parser.value(program.demoBlocks).toInt(&blocksRead);
        if (!blocksRead || options.stringBlocks < 1 || options.stringBlocks > strings::MostBlocks)
            options.error = QString("--demo-blocks is a whole number of blocks from 1 to %1").arg(strings::MostBlocks);
        else if (!options.stringSeed)
            options.error = "--demo-blocks needs --demo-string";
    }
    if (parser.isSet(program.demoDays)) {
        bool daysRead = false;
        options.storageDays = parser.value(program.demoDays).toInt(&daysRead);
        if (!daysRead || *options.storageDays < 1 || *options.storageDays > sim::LongestStorageDays)
            options.error = QString("--demo-days is a whole number of days from 1 to %1").arg(sim::LongestStorageDays);
        else if (!options.cellSeed)
            options.error = "--demo-days needs --demo-cells";
    }
    return options;
}

} // namespace voltaryn
