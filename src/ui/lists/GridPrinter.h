#pragma once

#include "common/EventPump.h"
#include "files/RecordTable.h"

class QPrinter;
class QWidget;

namespace voltaryn {

class DialogService;

enum class PrintStatus {
    Printed,
    Cancelled,      // the printer dialog was cancelled; nothing was printed
    PrinterFailed,  // the printer (or PDF file) could not be started; nothing was printed
};

struct PrintResult {
    PrintStatus status = PrintStatus::Cancelled;
    int pages = 0;
};

// Prints a record list on `printer` as set up: the header and the rows in bordered columns, one
// text line each, in an 11-point font, with the page number at the foot of every page. When the
// columns do not fit across the page as chosen, the page is turned to landscape, and when even
// that is too narrow, the font is made smaller.
// `events`, when given, may run pending events after each page.
PrintResult PrintTable(QPrinter& printer, const RecordTable& table, EventPump* events = nullptr);

// `PrintGrid`: asks for a printer (or a PDF file) with the printer dialog, then prints the list
// under the hourglass.
PrintResult PrintGrid(DialogService& dialogs, QWidget* parent, const RecordTable& table, EventPump* events = nullptr);

} // namespace voltaryn
