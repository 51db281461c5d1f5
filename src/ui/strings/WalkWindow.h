#pragma once

#include "report/StringCharts.h"
#include "store/StringTypes.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTabWidget;
class QTableWidget;

namespace voltaryn {

class CaptureTile;
class StringChartView;
class TrendChartView;

// The Inspection window, for a technician at the rack with the probes in both hands: a large tile
// with the place next and how the last reading judged, the string's chart, the readings table,
// and big buttons with keys of their own for the walk (Backspace back, Space skip, the arrow keys
// to choose a block, Return to retest it, G to go to one), and the inspection's report.
class WalkWindow : public QWidget {
    Q_OBJECT
public:
    explicit WalkWindow(QWidget* parent = nullptr);

    // The strings of every site; `site` and `string` chosen.
    void SetStrings(const std::vector<store::StringInfo>& strings, const QString& site, const QString& string);
    const std::vector<store::StringInfo>& Strings() const { return known_; }
    // The inspections the walk may be compared with, the one `chosen` (-1: none).
    void SetComparisons(const QStringList& inspections, int chosen);
    CaptureTile& Tile() { return *tile_; }
    void ShowChart(report::StringChart chart);
    // The readings table: its header, then a row of texts per place, each row's verdict colour.
    void ShowReadings(const QStringList& header, const std::vector<QStringList>& rows, const std::vector<QColor>& colours);
    void ShowNotice(const QString& text);
    // The chosen block's trend over the inspections and its forecast in words.
    void ShowTrend(std::optional<strings::BlockTrend> trend, std::optional<strings::ChangeLimits> limits,
                   const QString& forecast);
    // The block chosen for a retest, marked in the chart; 0: none.
    int SelectedBlock() const { return selected_; }
    void SelectBlock(int block);

signals:
    void stringChosen(const QString& site, const QString& string);
    void newStringRequested();
    void editStringRequested();
    // The index among SetComparisons' inspections; -1: none.
    void comparisonChosen(int inspection);
    void backRequested();
    void skipRequested();
    void retestRequested(int block);
    void goToRequested();
    void reportRequested();
    void blockChosen(int block);

private:
    QLayout* Chooser();
    QWidget* Buttons();
    void ChooseString();

    QComboBox* sites_;
    QComboBox* strings_;
    QComboBox* against_;
    CaptureTile* tile_;
    StringChartView* chart_;
    QTabWidget* tabs_;
    QTableWidget* readings_;
    TrendChartView* trend_;
    QLabel* forecast_;
    QLabel* notice_;
    std::vector<store::StringInfo> known_;
    int selected_ = 0;
};

} // namespace voltaryn
