#pragma once

#include "cells/Grades.h"
#include "cells/SelfDischarge.h"
#include "cells/ScanBurst.h"
#include "ui/cells/CellTableModel.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace voltaryn {

class BatchSession;
class BatchStatisticsPanel;
class CaptureTile;
class QuantityHistogram;

// The Cell Sorting window: the batch chooser, the cell ID field a barcode scanner types into, a
// large tile with the last capture in its grade's colour and the capture engine's state, readable
// from across the bench, and the batch at a glance: its cells, grade counts with yield,
// histograms of resistance and voltage with the grade limits and of the rechecked cells' mV/day
// with the self-discharge limits, and the batch's statistics. It shows what the controller hands it and passes the user's requests on.
// A scanner's burst of keys goes to the ID field wherever the focus is in the window: keys typed
// elsewhere are held back for as long as they may be one, then delivered where they were typed.
// On a narrow screen its buttons wrap and the histograms take turns under tabs; every number it
// shows, copies or exports for a spreadsheet is in the user's language.
class CellSortingWindow : public QWidget {
    Q_OBJECT
public:
    // The batch's cells as `voltaryn-cli cells` writes them (CSV or JSON lines), or the table's
    // columns as a spreadsheet of the user's language reads them.
    enum class ExportFormat { MachineCsv, Json, SpreadsheetCsv };

    // Shows the batch `session` holds: its cells, and the rules they are judged by.
    explicit CellSortingWindow(BatchSession& session, QWidget* parent = nullptr);

    void SetBatches(const QStringList& names, const QString& current);
    QString Batch() const;
    // The batch's grades and self-discharge rules as the session holds them now, and the summary by them.
    void ShowRules();
    // The last capture: its grade in the grade's colour, its numbers, and what became of it.
    void ShowCapture(const cells::Grade& grade, const QString& voltageText, const QString& resistanceText,
                     const QString& caption);
    // A recheck of `cell` on its way to the store, until its verdict comes back.
    void ShowRechecking(const QString& cell, const QString& voltageText);
    // The recheck of `cell` just stored: its self-discharge verdict in the verdict's colour, the
    // voltage read, and its change since the reference.
    void ShowRecheck(const cells::SelfDischargeResult& result, const QString& cell, const QString& voltageText);
    // No capture on the tile: a new cell is settling, or the last capture was withdrawn.
    void ClearCapture();
    // The capture engine's state, or the store's trouble.
    void ShowState(const QString& text);
    // A line under the tile for what the user should know but need not answer.
    void ShowNotice(const QString& text);
    // The ID the next capture takes; empty: the next number.
    void ShowNextId(const QString& id);
    // An ID taken back into the ID field, selected so that a new scan replaces it; the capture
    // that takes it clears the field.
    void RestoreId(const QString& id);
    // Redraws the grade counts, the histograms and the statistics from the table.
    void RefreshSummary();
    // The number of the cell selected in the table; 0 when none is.
    qint64 SelectedCell() const;
    // The selected rows as TAB-separated text, with the column titles first.
    QString SelectedRowsText() const;
    // Every cell of the batch in the table's columns as CSV for a spreadsheet of the user's
    // language: its decimal sign, a semicolon between cells where that is a comma, else a comma;
    // UTF-8 with a byte order mark and CR LF line ends.
    QByteArray SpreadsheetCsv() const;

signals:
    void batchChosen(const QString& name);
    void newBatchRequested();
    void deleteBatchRequested();
    void idEntered(const QString& id);
    void undoRequested();
    void retestRequested(qint64 cellNumber);  // 0: none is selected
    void exportRequested(CellSortingWindow::ExportFormat format);
    void capacityImportRequested();
    void soundToggled(bool on);
    // The Pack Builder window, or the batch's report, for the batch shown.
    void packBuilderRequested(const QString& batch);
    void reportRequested(const QString& batch);
    void speechToggled(bool on);
    // The station's offline queue.
    void queueRequested();
    // On: each capture is the recheck of a cell the batch holds.
    void recheckToggled(bool on);
    void gradesEditRequested();
    // The selected cell's number, 0 when none is selected.
    void capacityRequested(qint64 cellNumber);
    // The selected cell (0: none) judged from its latest sorting capture, or from its first.
    void referenceRequested(qint64 cellNumber, bool first);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* BuildTile();
    QWidget* BuildBatchView();
    void CopySelectedRows() const;
    // Shows the cells of the grade at `index` of the grade filter; 0: every cell.
    void FilterByGrade(int index);
    // Whether the table shows the row of the newest capture, or has none to show.
    bool NewestInView() const;
    void ScrollToNewest(int sourceRow);
    void SubmitId();
    // Whether the key press `key` to `target`, outside the ID field, was taken for a scan.
    bool ScanKeyPressed(QWidget* target, const QKeyEvent& key);
    void ReleaseHeldKeys();

    // A key press held back while it may belong to a scan.
    struct HeldKey {
        QPointer<QWidget> target;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };

    const BatchSession& session_;
    CellTableModel& cells_;
    QSortFilterProxyModel* sorted_;
    QComboBox* batchChooser_ = nullptr;
    QLineEdit* idField_ = nullptr;
    QLabel* nextId_ = nullptr;
    QString restoredId_;
    cells::ScanBurst scanBurst_;
    std::vector<HeldKey> heldKeys_;
    QTimer heldKeysTimer_;  // delivers held keys that no scan followed
    bool releasing_ = false;
    CaptureTile* tile_ = nullptr;
    QLabel* notice_ = nullptr;
    QLabel* gradeCounts_ = nullptr;
    QComboBox* gradeFilter_ = nullptr;
    QTableView* table_ = nullptr;
    int newestRow_ = -1;         // of the model, the newest capture's
    bool followNewest_ = true;   // the table showed the newest capture before the next arrived
    QuantityHistogram* resistanceHistogram_ = nullptr;
    QuantityHistogram* voltageHistogram_ = nullptr;
    QuantityHistogram* selfDischargeHistogram_ = nullptr;
    BatchStatisticsPanel* statistics_ = nullptr;
};

} // namespace voltaryn
