#pragma once

// Battery strings as the store keeps them: sites, their strings, the inspections of a string and
// the readings of an inspection.
#include "store/StoreTypes.h"

#include <QDate>

namespace voltaryn::store {

struct SiteInfo {
    QString name;
    QString notes = {};
    QDateTime createdUtc = {};  // set by the store
};

struct StringInfo {
    QString site;
    QString name;
    int blocks = 0;
    double nominalVolts = 0;  // of a block: 2, 6 or 12
    QString chemistry;        // vla, vrla, nicd or lifepo4
    int cellsPerBlock = 0;
    bool straps = false;      // whether the straps between the blocks are measured
    QDate installed = {};     // null: not known
    QString policiesJson = {};  // empty: the built-in policies
    QDateTime createdUtc = {};  // set by the store
};

struct InspectionInfo {
    qint64 id = 0;
    QString uuid;
    QString site;
    QString string;
    QDateTime startedUtc;
    QString station;
    QString operatorName;
    std::optional<double> ambientC;
    QString notes;
};

// A reading of a place in an inspection; a retest adds one, and the latest of a place is in force.
struct StringReading {
    qint64 inspectionId = 0;  // 0 while the reading waits in the offline queue
    QString inspectionUuid;
    QString clientUuid;
    strings::Place place;
    bool missing = false;  // a placeholder for a block that is not there
    QString station;
    QString operatorName;
    QDateTime measuredUtc;
    std::optional<double> voltageV;
    std::optional<double> resistanceMohm;
    QString voltageText;
    QString resistanceText;
    QString rangeText;
    std::optional<double> temperatureC;
};

// A block's baseline where it is chosen rather than found by the default rule: the block's reading
// in an inspection, or a resistance typed.
struct BaselineChoice {
    int block = 0;
    std::optional<qint64> inspectionId;
    std::optional<double> resistanceMohm;
    QDateTime setUtc = {};  // set by the store
    QString station = {};
};

// A string with its inspections, their readings and the baselines chosen: all its readings are
// judged by. As a station sees it, it holds the readings still waiting in its offline queue.
struct StringHistory {
    StringInfo string;
    std::vector<InspectionInfo> inspections;  // the earliest first
    std::vector<StringReading> readings;      // by inspection, each place's in the order taken
    std::vector<BaselineChoice> baselines;    // by block
    // When the station last read it from the server; null: read from the server just now.
    QDateTime rememberedUtc = {};
};

} // namespace voltaryn::store
