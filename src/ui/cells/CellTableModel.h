#pragma once

#include "store/StoreTypes.h"

#include <QAbstractTableModel>
#include <QHash>

#include <optional>
#include <vector>

namespace voltaryn {

// The cells of a batch, one row each with its latest measurement, in the order they were first
// captured, its numbers in the user's language. The sort role gives numbers as numbers, so a
// QSortFilterProxyModel sorts them right.
class CellTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        CellColumn,
        VoltageColumn,
        ResistanceColumn,
        CapacityColumn,
        GradeColumn,
        TemperatureColumn,
        TimeColumn,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    explicit CellTableModel(QObject* parent = nullptr);

    void Reset(std::vector<store::CellRow> cells);
    // The cells read again: rows shown keep their place (and a view its selection and scroll)
    // when the batch only changed or grew; otherwise as Reset().
    void Update(std::vector<store::CellRow> cells);
    // A new cell is added at the end; a cell already shown takes its new measurement.
    void Upsert(const store::CellRow& cell);
    // The grade's colour ("#rrggbb") behind its name in the grade column.
    void SetGradeColours(QHash<QString, QString> colours);

    const std::vector<store::CellRow>& Cells() const { return cells_; }
    // The row of the cell numbered `number`; empty when the table does not show it.
    std::optional<int> RowOf(qint64 number) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<store::CellRow> cells_;
    QHash<qint64, int> rowOfNumber_;
    QHash<QString, QString> gradeColours_;
};

} // namespace voltaryn
