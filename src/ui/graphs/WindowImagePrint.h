#pragma once

class QPixmap;
class QPrinter;

namespace voltaryn {

// Prints a window's image on one page, as large as the page allows without distorting it.
void PrintWindowImage(QPrinter& printer, const QPixmap& image);

} // namespace voltaryn
