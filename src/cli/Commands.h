#pragma once

#include "cli/MeterAccess.h"
#include "cli/Output.h"
#include "cli/RunClock.h"
#include "common/EventPump.h"
#include "meter/MeterKeys.h"
#include "recording/Recorder.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The subcommands, each with the options the command line gives it (CommandLine.cpp reads them).
// A subcommand throws a CliError for anything that fails.
namespace voltaryn::cli {

// What a subcommand works with.
struct CommandContext {
    RunClock& clock;
    MeterAccess& meter;  // not connected yet: a subcommand connects when it needs the meter
    Output& output;                // the standard output
    std::optional<Format> format;  // as the command line gives it
};

// A subcommand with its options bound.
using Command = std::function<void(CommandContext&)>;

struct NoOptions {};

// Long transfers let pending events run between two steps; a command line has none.
struct NoEvents : EventPump {
    void LetEventsRun() override {}
};

// devices, info, key
void RunDevices(CommandContext& context, const NoOptions& options);
void RunInfo(CommandContext& context, const NoOptions& options);
// The key pad's buttons by the names the command line gives them.
const std::map<std::string, KeyButton>& KeyNames();
struct KeyOptions {
    std::string name;  // one of KeyNames()
};
void RunKey(CommandContext& context, const KeyOptions& options);

// read
struct ReadOptions {
    long long count = 1;  // 0: until stopped
    double interval = 1;  // seconds from one reading to the next
};
void RunRead(CommandContext& context, const ReadOptions& options);

// record
struct RecordOptions {
    std::string file;
    int interval = Recorder::DefaultSampleTime;
    int maxRecords = 0;  // 0: until the recorder ends the file, or a stop signal
};
void RunRecord(CommandContext& context, const RecordOptions& options);

// memory, sd, erase
struct ListOptions {
    std::string out = "-";  // the file to save into; "-": the output
};
void RunMemory(CommandContext& context, const ListOptions& options);
void RunSdList(CommandContext& context, const NoOptions& options);
struct SdFileOptions {
    int file = 0;
    std::string out = "-";
};
void RunSdGet(CommandContext& context, const SdFileOptions& options);
struct SdDeleteOptions {
    std::string which;  // a file number, or "all"
    bool yes = false;
};
void RunSdDelete(CommandContext& context, const SdDeleteOptions& options);
struct EraseOptions {
    bool yes = false;
};
void RunErase(CommandContext& context, const EraseOptions& options);

// clock, interval, average
void RunClockGet(CommandContext& context, const NoOptions& options);
void RunClockSync(CommandContext& context, const NoOptions& options);
void RunIntervalGet(CommandContext& context, const NoOptions& options);
struct IntervalOptions {
    int seconds = 0;
};
void RunIntervalSet(CommandContext& context, const IntervalOptions& options);
void RunAverageGet(CommandContext& context, const NoOptions& options);
struct AverageOptions {
    std::string average;  // "OFF", "4", "8" or "16"
};
void RunAverageSet(CommandContext& context, const AverageOptions& options);

// comparator
struct ComparatorGetOptions {
    int entry = 0;  // 0: all of them
};
void RunComparatorGet(CommandContext& context, const ComparatorGetOptions& options);
struct ComparatorSetOptions {
    int entry = 1;
    std::optional<std::string> ohmHigh;
    std::optional<std::string> ohmLow;
    std::optional<std::string> voltHigh;
    std::optional<std::string> voltLow;
};
void RunComparatorSet(CommandContext& context, const ComparatorSetOptions& options);

// sort, cells, batches: cell sorting into the cell database (--db: a PostgreSQL address, an
// SQLite file; empty: the program's own)
struct DatabaseOptions {
    std::string db;
};
struct SortOptions {
    std::string batch;
    std::string grades;  // a grade table's JSON file; empty: the Li-ion defaults
    std::string db;
    long long count = 0;  // captures to take; 0: until stopped
    std::string station;  // empty: the PC's host name
    std::string operatorName;  // empty: the user's login name
    bool ids = false;  // cell IDs come on the standard input, one a line; else cells are numbered
    int drainTimeout = 10;  // seconds the end of the run waits for the local queue to empty; 0: none
};
void RunSort(CommandContext& context, const SortOptions& options);
// recheck: each settled capture is a recheck of a cell the batch holds, named by its scanned ID or
// the next in the tray's number order.
struct RecheckOptions {
    std::string batch;
    std::string db;
    long long count = 0;   // rechecks to take; 0: until the tray is done or stopped
    long long from = 0;    // the tray's first cell number; 0: the first without a recheck
    std::string station;
    std::string operatorName;
    bool ids = false;
    int drainTimeout = 10;
    std::optional<double> limit;   // mV a day to keep as the batch's limit
    std::optional<int> restDays;   // days to keep as the batch's minimum rest
};
void RunRecheck(CommandContext& context, const RecheckOptions& options);
// after-charge: a cell's latest sorting capture, taken once it was charged, becomes the reading
// its self-discharge is judged from; with `first`, its first capture again.
struct AfterChargeOptions {
    std::string batch;
    std::string db;
    std::string cell;
    bool first = false;
};
void RunAfterCharge(CommandContext& context, const AfterChargeOptions& options);
struct CellListOptions {
    std::string batch;
    std::string db;
};
void RunCells(CommandContext& context, const CellListOptions& options);
// regrade: every cell of the batch graded again under its current grade table; history: a cell's
// every measurement and the grade tables of its batch, in time order
struct RegradeOptions {
    std::string batch;
    std::string grades;  // a grade table's JSON file to set first; empty: the batch's own
    std::string db;
};
void RunRegrade(CommandContext& context, const RegradeOptions& options);
struct HistoryOptions {
    std::string batch;
    std::string cell;  // a label, or a number in any spelling (#0007, 7)
    std::string db;
};
void RunHistory(CommandContext& context, const HistoryOptions& options);
void RunBatches(CommandContext& context, const DatabaseOptions& options);

// Battery strings: site add/list, string add/list, inspections, baseline.
struct SiteOptions {
    std::string name;
    std::string notes;
    std::string db;
};
void RunSiteAdd(CommandContext& context, const SiteOptions& options);
void RunSiteList(CommandContext& context, const DatabaseOptions& options);
struct StringAddOptions {
    std::string site;
    std::string name;
    int blocks = 0;
    double nominal = 0;
    std::string chemistry;
    int cellsPerBlock = 0;  // 0: as many as the block's nominal voltage holds
    bool straps = false;
    std::string installed;  // YYYY-MM-DD; empty: not known
    std::string policies;   // a JSON file; empty: the built-in policies
    std::string db;
};
void RunStringAdd(CommandContext& context, const StringAddOptions& options);
// The figures given change, the rest stay: blocks 0, nominal 0, chemistry empty and installed
// empty keep theirs; installed "none" clears it; cells 0 keeps them unless the voltage or chemistry
// changes, which takes the default again.
struct StringEditOptions {
    StringAddOptions figures;
    bool noStraps = false;
};
void RunStringEdit(CommandContext& context, const StringEditOptions& options);
struct StringOptions {
    std::string site;    // string list: empty for every site
    std::string string;
    std::string db;
};
void RunStringList(CommandContext& context, const StringOptions& options);
// string policies: the policies a string is judged by, written out; with a file, kept first.
struct PoliciesOptions {
    std::string site;
    std::string string;
    std::string file;  // empty: only written out
    bool defaults = false;  // the built-in policies again
    std::string db;
};
void RunStringPolicies(CommandContext& context, const PoliciesOptions& options);
void RunInspections(CommandContext& context, const StringOptions& options);
struct BaselineOptions {
    std::string site;
    std::string string;
    long long inspection = 0;  // every block's baseline from this inspection
    int block = 0;             // with mohm: this block's baseline typed
    std::optional<double> mohm;
    std::string db;
};
void RunBaseline(CommandContext& context, const BaselineOptions& options);
struct ReadingsOptions {
    long long inspection = 0;
    std::string db;
};
void RunReadings(CommandContext& context, const ReadingsOptions& options);
struct TrendOptions {
    std::string site;
    std::string string;
    int block = 0;  // 0: every block
    std::string db;
};
void RunTrend(CommandContext& context, const TrendOptions& options);
// inspection-report: an inspection's report as PDF
struct InspectionReportOptions {
    long long inspection = 0;
    std::optional<long long> against;
    std::string out;
    std::string db;
};
void RunInspectionReport(CommandContext& context, const InspectionReportOptions& options);
// inspect: walks a string with the probes, each settled reading stored at its place.
struct InspectOptions {
    std::string site;
    std::string string;
    std::optional<double> ambient;  // °C
    int start = 0;                  // the block to start at; 0: the first empty place
    std::vector<int> missing;       // blocks marked missing before the walk
    std::string notes;
    std::string station;
    std::string operatorName;
    int drainTimeout = 10;
    std::string db;
};
void RunInspect(CommandContext& context, const InspectOptions& options);

// queue list, retry, export: the captures waiting in the station's local queue for a PostgreSQL
// server, or set aside because it refused them
void RunQueueList(CommandContext& context, const DatabaseOptions& options);
void RunQueueRetry(CommandContext& context, const DatabaseOptions& options);
struct QueueExportOptions {
    std::string out;
    std::string db;
};
void RunQueueExport(CommandContext& context, const QueueExportOptions& options);

// report: a batch's report as PDF
struct ReportOptions {
    std::string batch;
    std::string out;
    std::string db;
};
void RunReport(CommandContext& context, const ReportOptions& options);
// stats, import-capacity, pack: a batch's statistics, capacities from a charger, packs
struct StatsOptions {
    std::string batch;
    std::string grade;  // the grade whose limits judge the batch; empty: the best (first) grade
    std::string db;
};
void RunStats(CommandContext& context, const StatsOptions& options);
struct CapacityImportOptions {
    std::string batch;
    std::string file;
    std::string idColumn;        // empty: found by its header
    std::string capacityColumn;  // empty: found by its header
    bool skipBad = false;        // import the good lines when some are bad
    bool changePacked = false;   // change the capacities of cells in saved packs as well
    std::string db;
};
void RunImportCapacity(CommandContext& context, const CapacityImportOptions& options);
struct PackOptions {
    std::string batch;      // the cells of this batch, or
    std::string cellsFile;  // those of this CSV
    int series = 0;
    int parallel = 0;
    std::vector<std::string> grades;  // empty: every grade
    std::string objective;            // "capacity" or "balanced"; empty: balanced when resistances are known
    std::uint64_t seed = 1;
    double timeLimit = 2;  // seconds
    std::optional<double> maxGroupVoltageSpread;  // mV between a group's cells; empty: any
    bool includeSuspects = false;  // a batch's self-discharge suspects are left out unless asked for
    std::string save;      // a name to save the pack under in the batch; empty: not saved
    std::string db;
};
void RunPack(CommandContext& context, const PackOptions& options);

} // namespace voltaryn::cli
