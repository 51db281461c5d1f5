#pragma once

#include "common/EventPump.h"
#include "recording/Recorder.h"
#include "ui/common/DialogService.h"
#include "ui/lists/ListLayouts.h"
#include "ui/lists/RecordTableModel.h"

#include <QWidget>

class QTableView;
class QToolBar;
class QVBoxLayout;

namespace voltaryn {

// What a list window needs to save and print its records.
struct ListServices {
    DialogService& dialogs;
    const Recorder& recorder;  // saving is refused while a file is recorded
    EventPump& pump;
};

// A window that lists records in one grid (`Grid`), with a toolbar to save them as a data file
// and to print them. Column widths are those of the layout's sample texts in the window's font.
// While it saves or prints, its toolbar is disabled, and closing it hides it at once but deletes
// it only when the file is complete, as saving and printing read its rows and let events run.
class RecordListWindow : public QWidget {
    Q_OBJECT
public:
    RecordListWindow(const ListLayout& layout, ListServices services, QWidget* parent = nullptr);

    RecordTableModel& Model() { return *model_; }
    QTableView& Grid() { return *grid_; }

    // Adds a row and keeps the newest rows in view: once the list holds more than fifteen
    // rows, each new row moves the first visible row down by one.
    void AppendRowInView(RecordRow row);
    // Makes the last row current and scrolls the grid one row for each row after the fifteenth,
    // as appending the rows one at a time leaves it.
    void FollowLastRow();

    void Save();
    void Print();

signals:
    void closed();
    // A toolbar button other than Save and Print.
    void toolbarKeyClicked(const QString& key);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Where subclasses put what stands above the grid.
    QVBoxLayout& Layout() { return *layout_; }

private:
    class Busy;

    void AddToolbar(const QStringList& keys);

    ListServices services_;
    RecordTableModel* model_;
    QTableView* grid_;
    QVBoxLayout* layout_;
    QToolBar* toolbar_ = nullptr;
    bool busy_ = false;
    bool closedWhileBusy_ = false;
};

} // namespace voltaryn
