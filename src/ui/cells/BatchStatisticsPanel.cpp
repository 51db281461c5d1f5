#include "ui/cells/BatchStatisticsPanel.h"

#include "ui/common/DisplayNumbers.h"

#include <QHeaderView>

namespace voltaryn {
namespace {

QString Number(const std::optional<double>& value, int decimals)
{
    return value ? DisplayNumber(*value, decimals) : QString("–");
}

} // namespace

BatchStatisticsPanel::BatchStatisticsPanel(QWidget* parent) : QTableWidget(RowCount, ColumnCount, parent)
{
    setObjectName("statistics");
    setAccessibleName(tr("Batch statistics"));
    setHorizontalHeaderLabels({tr("n"), tr("Mean"), tr("Median"), tr("Std dev"), tr("Min"), tr("Max"), tr("P5"), tr("P95"),
                               tr("Cpk")});
    setVerticalHeaderLabels({tr("Voltage (V)"), tr("Resistance (mΩ)"), tr("Capacity (mAh)"), tr("Self-discharge (mV/day)")});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    // Each column as wide as its title and figures, never clipped: the panel is at least that wide.
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int row = 0; row < RowCount; ++row)
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(row, column, item);
        }
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Show({}, {});
}

void BatchStatisticsPanel::Show(const cells::BatchStatistics& statistics, const std::optional<cells::Spread>& mvPerDay)
{
    const struct {
        Row row;
        const std::optional<cells::Spread>& spread;
        int decimals;
        std::optional<double> cpk;
    } rows[] = {{VoltageRow, statistics.voltage, 3, statistics.voltageCpk},
                {ResistanceRow, statistics.resistance, 2, statistics.resistanceCpk},
                {CapacityRow, statistics.capacity, 0, std::nullopt},
                {SelfDischargeRow, mvPerDay, 1, std::nullopt}};
    for (const auto& line : rows) {
        const std::optional<cells::Spread>& spread = line.spread;
        const int decimals = line.decimals;
        const auto value = [&spread](double cells::Spread::*field) {
            return spread ? std::optional<double>((*spread).*field) : std::nullopt;
        };
        const QString texts[ColumnCount] = {
            QString::number(spread ? spread->count : 0),
            Number(value(&cells::Spread::mean), decimals),
            Number(value(&cells::Spread::median), decimals),
            Number(spread ? spread->stdDev : std::nullopt, decimals + 1),
            Number(value(&cells::Spread::min), decimals),
            Number(value(&cells::Spread::max), decimals),
            Number(value(&cells::Spread::percentile5), decimals),
            Number(value(&cells::Spread::percentile95), decimals),
            (line.row == VoltageRow || line.row == ResistanceRow) && cells::TooFewForCpk(spread) ? tr("too few cells")
                                                                                                : Number(line.cpk, 2),
        };
        for (int column = 0; column < ColumnCount; ++column)
            item(line.row, column)->setText(texts[column]);
    }
    updateGeometry();
}

QString BatchStatisticsPanel::Text(Row row, Column column) const { return item(row, column)->text(); }

} // namespace voltaryn
