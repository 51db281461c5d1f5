#pragma once

#include "cells/CellId.h"
#include "cells/SelfDischarge.h"
#include "strings/StringModel.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <optional>
#include <variant>
#include <vector>

namespace voltaryn::store {

// What a measurement is: a capture that sorts its cell into a grade, or a recheck of a cell the
// batch holds, its voltage read again after the lot has rested, which never changes its grade.
enum class MeasurementKind { Sort, Recheck };

// Where a reading of a battery string goes: a place of an inspection of the string. The station
// that starts an inspection names it by a UUID of its own, so that its readings can wait in the
// offline queue; the first that reaches the server makes the inspection with the figures here.
struct InspectionTarget {
    QString site;
    QString string;
    QString inspectionUuid;
    QDateTime startedUtc;
    std::optional<double> ambientC;
    QString notes;
    strings::Place place;
    bool missing = false;  // a block marked missing: a placeholder without figures

    bool operator==(const InspectionTarget&) const = default;
};

// How the store and the queue file name a place's kind: "block" or "strap".
inline QString PlaceKindText(strings::PlaceKind kind)
{
    return kind == strings::PlaceKind::Strap ? QStringLiteral("strap") : QStringLiteral("block");
}
inline strings::PlaceKind PlaceKindOf(const QString& text)
{
    return text == QLatin1String("strap") ? strings::PlaceKind::Strap : strings::PlaceKind::Block;
}

// One capture as the station took it: a reading of a cell of `batch`, or with `inspection` one
// of a place of a battery string (batch, label, grade and kind then unused).
struct CaptureInput {
    QString batch;
    QString label;       // scanned or typed; empty: a new cell with the next number (never for a recheck)
    QString clientUuid;  // empty: the store makes one
    QString station;
    QString operatorName;
    QDateTime measuredUtc;
    std::optional<double> voltageV;        // empty when the meter showed overload
    std::optional<double> resistanceMohm;
    QString voltageText;                   // the texts as the meter displayed them
    QString resistanceText;
    QString rangeText;
    std::optional<double> temperatureC;
    QString grade;  // of a recheck: what the grade table says of this reading alone
    MeasurementKind kind = MeasurementKind::Sort;
    std::optional<InspectionTarget> inspection = {};
};

// What became of a capture: stored under a cell number, or queued while the server is away.
struct CaptureReceipt {
    bool queued = false;
    qint64 cellNumber = 0;  // 0 while queued
    QString label;
    QString clientUuid;
    bool newCell = false;
    int sentAhead = 0;  // queued captures the server took just before this one
    qint64 inspectionId = 0;  // of a string reading stored; 0 while queued
};

// A capture in the offline queue: waiting for the server, or set aside because the server refused
// it for a reason no retry cures (its batch is gone, ...).
struct QueuedCapture {
    CaptureInput capture;
    QString setAsideReason;  // empty: waiting
};

// What a batch's self-discharge is judged by, as the core judges it.
using cells::SelfDischargeRules;

struct BatchInfo {
    QString name;
    QDateTime createdUtc;  // set by the store when it creates the batch
    QString notes;
    QString gradesJson = QStringLiteral("[]");
    SelfDischargeRules selfDischarge;  // read with the batch; a new one's are the core's defaults
    QDateTime gradesUtc;               // when its grade table took effect (set by the store)
    QString gradesStation;             // the station that set it
};

// A grade table a batch was sorted by, from the time it took effect.
struct GradeTableEntry {
    QString gradesJson;
    QDateTime effectiveUtc;
    QString station;  // that set it; empty: not known (a table older than schema 6)
};

// A batch with its cell count per grade of each cell's latest measurement.
struct BatchSummary {
    BatchInfo batch;
    qint64 cells = 0;
    std::map<QString, qint64> cellsPerGrade;
};

struct Measurement {
    QString clientUuid;
    QString station;
    QString operatorName;
    QDateTime measuredUtc;
    std::optional<double> voltageV;
    std::optional<double> resistanceMohm;
    QString voltageText;
    QString resistanceText;
    QString rangeText;
    std::optional<double> temperatureC;
    QString grade;
    QString capturedGrade = {};            // the grade it was captured with, once a regrade changed it
    std::optional<QDateTime> regradedUtc = {};  // when it was last graded again; empty: as it was measured
};

// A measurement in a cell's history: withdrawn ones too.
struct HistoryEntry {
    Measurement measurement;
    MeasurementKind kind = MeasurementKind::Sort;
    bool withdrawn = false;
};

// A cell named by its number or its label.
using CellKey = std::variant<qint64, QString>;

// A cell's voltage at one time, as its self-discharge is judged from.
struct VoltageReading {
    QString clientUuid;
    QDateTime measuredUtc;
    std::optional<double> voltageV;  // empty when the meter showed overload
    std::optional<double> temperatureC;
};

// A cell with its latest sorting capture that was not withdrawn.
struct CellRow {
    qint64 number = 0;
    QString label;
    std::optional<double> capacityMah;
    Measurement latest;
    QString pack;  // the saved pack the cell is in; empty: none
    // Read with the cell from the store: the capture chosen as taken after charge, else its first.
    std::optional<VoltageReading> reference;
    std::optional<VoltageReading> recheck;  // the latest; empty: none yet
};

// A cell as people call it, and as files and reports name it: the label scanned or typed, else its
// number ("#0042"). NormalCellId reads either back as this cell.
inline QString CellName(const QString& label, qint64 number)
{
    return label.isEmpty() ? QString::fromStdString(cells::NumberedCellName(number)) : label;
}
inline QString CellName(const CellRow& cell) { return CellName(cell.label, cell.number); }

// A capacity a charger measured for a cell.
struct CellCapacity {
    CellKey cell;
    std::optional<double> capacityMah;  // empty: unknown again
};


// A cell a regrade gave another grade.
struct CellRegrade {
    qint64 number = 0;
    QString label;
    QString from;
    QString to;
    QString pack;  // the saved pack it is in; empty: none
};

// What a regrade did: every cell graded again under the batch's current table.
struct RegradeResult {
    qint64 cells = 0;                  // graded again
    std::vector<CellRegrade> changed;  // in number order
    qint64 unmeasured = 0;  // kept their grade: their latest capture lacks a voltage or resistance
};

struct WithdrawnCapture {
    qint64 cellNumber = 0;
    QString label;
    QString clientUuid;
};

struct PackPosition {
    int group = 0;     // 0-based series group
    int position = 0;  // 0-based place inside the parallel group
    qint64 cellNumber = 0;

    bool operator==(const PackPosition&) const = default;
};

struct PackLayout {
    QString name;
    int series = 0;
    int parallel = 0;
    std::vector<PackPosition> cells;
    QDateTime createdUtc;  // set by the store
};

// Whether captures reach the server now, and how many wait in the offline queue.
struct StoreStatus {
    bool online = true;
    qint64 queued = 0;
    qint64 setAside = 0;  // queued captures the server refused, kept apart
    QString lastError;

    // The server answers and has every capture.
    bool AllSent() const { return online && queued == 0 && setAside == 0; }
    // "online", "offline — 3 queued", "online — 2 captures set aside — see `voltaryn-cli queue`",
    // the last part naming where the queue is read.
    QString Text(const QString& queueView = QStringLiteral("`voltaryn-cli queue`")) const;
    bool operator==(const StoreStatus&) const = default;
};

// "3 queued captures sent"
QString QueuedSentText(qint64 sent);
// What a station says when the server took the captures that waited for it:
// "back online: 3 queued captures sent".
inline QString BackOnlineText(qint64 sent) { return QStringLiteral("back online: ") + QueuedSentText(sent); }

} // namespace voltaryn::store
