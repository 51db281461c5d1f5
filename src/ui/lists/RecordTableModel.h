#pragma once

#include "files/RecordTable.h"

#include <QAbstractTableModel>

namespace voltaryn {

// A record list shown in a grid: the table's header row as column titles, its rows as centred
// cells. Cells convert to text only when the view asks for them, so lists of tens of thousands
// of rows stay quick; a cell longer than 256 characters shows only those and "…". The table
// keeps every cell whole.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordTableModel(RecordTable table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void AppendRow(RecordRow row);
    void SetRows(std::vector<RecordRow> rows);
    void SetTitle(int column, const std::string& title);
    const RecordTable& Table() const { return table_; }

private:
    RecordTable table_;
};

} // namespace voltaryn
