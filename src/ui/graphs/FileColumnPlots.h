#pragma once

#include "ui/common/FeatureContext.h"
#include "ui/graphs/PlotWindow.h"
#include "ui/lists/RecordListWindow.h"

#include <QObject>
#include <QPointer>

namespace voltaryn {

// The file list's column plots: its toolbar's "Plot" says how to plot, and a click on a column
// reads that column into the plot window (one window, reused), with the main window's caption
// counting the records read and its timers stopped meanwhile.
class FileColumnPlots : public QObject {
    Q_OBJECT
public:
    explicit FileColumnPlots(const FeatureContext& context);

    void Attach(RecordListWindow& fileList);

private:
    void PlotColumn(RecordListWindow& fileList, int column);

    FeatureContext context_;
    QPointer<PlotWindow> plot_;
    bool plotting_ = false;
};

} // namespace voltaryn
