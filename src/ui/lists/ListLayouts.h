#pragma once

#include "files/RecordTable.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace voltaryn {

// One column of a record list: its title and the sample text whose width in the window's font
// is the column's width.
struct ListColumn {
    std::string title;
    QString widthSample;
};

// What tells the record list windows apart.
struct ListLayout {
    QString objectName;
    QString caption;
    QStringList toolbarKeys;  // the keys of its toolbar buttons, in order
    std::vector<ListColumn> columns;

    RecordRow Titles() const;
};

// The live list of recorded samples; range and unit are those current when it opens.
ListLayout RealTimeListLayout(const std::string& range, const std::string& tempUnit);
// The meter's manual records.
ListLayout ManualListLayout();
// A recording file downloaded from the meter's SD card.
ListLayout DataListLayout(const std::string& range, const std::string& tempUnit);
// An opened data file.
ListLayout FileListLayout(const std::string& range, const std::string& tempUnit);

} // namespace voltaryn
