#pragma once

#include "ui/lists/RecordTableModel.h"

#include <QWidget>

class QTableView;

namespace voltaryn {

// A window that lists records in one grid (`Grid`).
class RecordListWindow : public QWidget {
    Q_OBJECT
public:
    RecordListWindow(const QString& objectName, const QString& caption, RecordTable table, QWidget* parent = nullptr);

    RecordTableModel& Model() { return *model_; }
    QTableView& Grid() { return *grid_; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    RecordTableModel* model_;
    QTableView* grid_;
};

} // namespace voltaryn
