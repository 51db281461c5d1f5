#include "ui/graphs/FileColumnPlots.h"

#include "ui/common/QtText.h"
#include "ui/common/RepaintThrottle.h"
#include "ui/common/ScreenFit.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTableView>

namespace voltaryn {
namespace {

// The caption's progress count changes at most this often: the time goes into the reading.
constexpr qint64 CaptionIntervalMs = 100;

} // namespace

FileColumnPlots::FileColumnPlots(const FeatureContext& context) : context_(context) {}

void FileColumnPlots::Attach(RecordListWindow& fileList)
{
    connect(&fileList, &RecordListWindow::toolbarKeyClicked, this, [this, &fileList](const QString& key) {
        if (key == "Plot")
            context_.dialogs.ShowMessage(&fileList, MessageIcon::None,
                                         "Move mouse pointer to the list data then click to plot.");
    });
    connect(&fileList.Grid(), &QTableView::clicked, this,
            [this, &fileList](const QModelIndex& cell) { PlotColumn(fileList, cell.column()); });
}

void FileColumnPlots::PlotColumn(RecordListWindow& fileList, int column)
{
    if (plotting_)
        return;  // a click while a column is read waits for the next one
    const RecordTable& table = fileList.Model().Table();
    const auto plotted = static_cast<std::size_t>(column);
    const std::optional<PlotParameters> parameters = ColumnPlotParameters(table, plotted);
    if (!parameters) {
        context_.dialogs.ShowMessage(&fileList, MessageIcon::None, "Invalid, try again!");
        return;
    }
    // The cells are copied first: the list may be closed while events run between records.
    std::vector<std::string> cells;
    cells.reserve(table.rows.size());
    for (const RecordRow& row : table.rows)
        cells.push_back(plotted < row.size() ? row[plotted] : std::string());
    const QString fileName = fileList.windowTitle();

    // The poll and the recorder's second wait until the column is read: the events that run
    // between records would otherwise poll the meter and write records meanwhile.
    plotting_ = true;
    const RunPause pause(context_.run, {RunTask::Poll, RunTask::RecorderSecond});
    QWidget& mainWindow = context_.mainWindow;
    // The grid's current row follows the records read, in the clicked column; the grid repaints
    // as often as the caption changes, not after every record.
    const QPointer<QTableView> grid(&fileList.Grid());
    RepaintThrottle repaints(grid, std::chrono::milliseconds(CaptionIntervalMs));
    const auto showRecord = [&grid, column](std::size_t record) {
        if (grid != nullptr)
            grid->setCurrentIndex(grid->model()->index(static_cast<int>(record) - 1, column));
    };
    const QString caption = mainWindow.windowTitle();
    QElapsedTimer sinceCaption;
    sinceCaption.start();
    ColumnReader reader(plotted);
    for (std::size_t record = 1; record <= cells.size(); ++record) {
        reader.Add(cells[record - 1]);
        showRecord(record);
        repaints.Stepped();
        if (sinceCaption.elapsed() >= CaptionIntervalMs || record == cells.size()) {
            mainWindow.setWindowTitle(QString::number(record) + " Completed");
            sinceCaption.restart();
        }
        context_.pump.LetEventsRun();
    }

    if (plot_ == nullptr) {
        plot_ = new PlotWindow(context_.dialogs, &mainWindow);
        plot_->resize(1100, 620);
        plot_->move(mainWindow.frameGeometry().topRight() + QPoint(1, 0));
        KeepOnScreen(*plot_, mainWindow);
    }
    const QStringList messages = {fileName, ToQString(parameters->PlotName),
                                  QStringLiteral("%1 records").arg(parameters->PlotRecords),
                                  QStringLiteral("%1 pauses").arg(reader.Runs().size())};
    plot_->Draw(*parameters, reader, messages);
    plot_->show();
    for (const PauseRun& run : reader.Runs()) {
        plot_->AddPlotMarker(run.PausePoint, "Pause");
        if (run.StartPoint)
            plot_->AddPlotMarker(*run.StartPoint, "Start");
    }
    mainWindow.setWindowTitle(caption);
    plotting_ = false;
}

} // namespace voltaryn
