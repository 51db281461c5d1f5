#pragma once

#include "files/ColumnPlot.h"
#include "ui/graphs/ZoomableGraphWindow.h"

#include <QStringList>

class QCPGraph;

namespace voltaryn {

// "Plot" (`Plot`): one column of a data file as one line over its record numbers, with "Pause"
// and "Start" markers, header fields to fill in for the print ("Company:", "Sector:", "Name:")
// and a column of messages about the plotted file. Its range fields apply at once; "Reset Scale"
// goes back to the whole column.
class PlotWindow : public ZoomableGraphWindow {
    Q_OBJECT
public:
    PlotWindow(DialogService& dialogs, QWidget* mainWindow);

    // Draws record r at x = r, in one call, on the parameters' axes; clears earlier markers and cursors.
    void Draw(const PlotParameters& parameters, const ColumnReader& column, const QStringList& messages);
    // Marks data point `record` (counted from 1) of the line with `text`.
    void AddPlotMarker(std::size_t record, const QString& text);

protected:
    bool AppliesFieldChange(bool) const override { return true; }
    void Reset() override;
    void PrepareForPrint() override;
    QColor Background() const override;

private:
    void AddHeader();

    PlotParameters parameters_;
    QCPGraph* line_;
    QWidget* messages_;
};

} // namespace voltaryn
