#pragma once

#include "support/PanelHarness.h"

#include "ui/cells/BatchStatisticsPanel.h"
#include "ui/cells/CellSortingController.h"
#include "ui/cells/CellSortingWindow.h"
#include "ui/cells/QuantityHistogram.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTextToSpeech>

#include <chrono>
#include <functional>
#include <numeric>

namespace voltaryn::testing {

using namespace std::chrono_literals;

// The program over the simulated cell bench, whose clock moves one poll period per poll.
class CellSortingTest : public StoreWindowHarness<CellSortingController, &Application::CellSorting> {
protected:
    CellSortingTest() : StoreWindowHarness("Cells") { meter.SetCellBench(7); }

    QString Text(const char* name) { return Child<QLabel>(name)->text(); }
    const std::vector<store::CellRow>& Rows() { return app.Batches().Cells().Cells(); }
    QString CapacityShown(int row) { return app.Batches().Cells().index(row, CellTableModel::CapacityColumn).data().toString(); }
    QString CapacityCount()
    {
        return Child<BatchStatisticsPanel>("statistics")->Text(BatchStatisticsPanel::CapacityRow, BatchStatisticsPanel::CountColumn);
    }

    // Polls, a poll period apart, `polls` times or until `done`.
    void Poll(int polls, const std::function<bool()>& done = [] { return false; })
    {
        for (int poll = 0; poll < polls; ++poll) {
            now += 100ms;
            app.Poll();
            statesSeen << Text("tileState");
            if (done())
                break;
        }
    }
    // Polls until the engine captures a cell, its caption starting with `caption`, then waits for
    // the store's answer.
    void Capture(const char* caption = "Captured →")
    {
        const auto captured = [this, caption] { return Text("tileCaption").startsWith(caption); };
        Poll(3000, captured);
        ASSERT_TRUE(captured()) << "no capture";
        WaitForStore();
    }
    // Types an ID into the scanner's field and ends it with Return, as the scanner does.
    void Scan(const QString& id)
    {
        QTest::keyClicks(Child<QLineEdit>("cellId"), id);
        QTest::keyClick(Child<QLineEdit>("cellId"), Qt::Key_Return);
    }
    // Chooses the batch again, as the batch chooser does, and waits until it is read back.
    void ReopenBatch()
    {
        AfterStore([this] { emit Child<QComboBox>("batchChooser")->textActivated(Window().Batch()); });
    }
    QStringList FilterChoices() { return Texts(*Child<QComboBox>("gradeFilter")->model()); }
    // Makes `row` the table's current and only selected row through its selection model: a
    // modifier an earlier test's key left held would make selectRow() toggle the row instead.
    void SelectRow(int row)
    {
        auto* table = Child<QTableView>("cellTable");
        table->setCurrentIndex(table->model()->index(row, 0));
        table->selectionModel()->select(table->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // The cells a histogram counts, over all its bins.
    static int Counted(const QuantityHistogram& histogram)
    {
        const std::vector<int> counts = histogram.Counts();
        return std::accumulate(counts.begin(), counts.end(), 0);
    }

    // The two outputs a capture is told by, and what a machine without one is told.
    struct Output {
        const char* box;
        bool present;
        QString notice;
    };
    const Output outputs[2] = {
        {"sound", !QMediaDevices::audioOutputs().isEmpty(), "No audio output: the captures are silent."},
        {"speech", !QTextToSpeech::availableEngines().isEmpty(), "No speech engine: the grades are not spoken."},
    };
    QStringList statesSeen;
};

} // namespace voltaryn::testing
