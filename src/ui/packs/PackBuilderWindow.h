#pragma once

#include "cells/PackMap.h"
#include "cells/PackTypes.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QCheckBox;
class QSpinBox;
class QTableWidget;

namespace voltaryn {

// S and P as the window offers them: at the start, those of the last build.
struct PackShape {
    static constexpr int Largest = 500;
    int series = 13;
    int parallel = 4;
};

// The Pack Builder window: what to build (batch, eligible grades, S, P, objective), the build's
// progress, and the build map: a row per series group, a column per place in the group, each cell
// on the colour of its deviation from the mean capacity, with the group's capacity sum and
// parallel resistance at the row's end and the spreads under the map. It shows what the
// controller hands it and passes the user's requests on.
class PackBuilderWindow : public QWidget {
    Q_OBJECT
public:
    explicit PackBuilderWindow(QWidget* parent = nullptr);

    void SetBatches(const QStringList& names, const QString& current);
    QString Batch() const;
    // The grades to choose from; those of `checked` are ticked.
    void SetGrades(const QStringList& names, const QStringList& checked);
    void SetShape(const PackShape& shape);
    // S, P, the ticked grades and the objective as chosen.
    cells::PackRequest Request() const;
    // Self-discharge suspects are left out unless ticked.
    bool IncludeSuspects() const;

    // While a build runs, only Cancel can be pressed.
    void SetBuilding(bool building);
    void SetProgress(double spent);
    // What the user should know: a failure, what a replacement changed, what was saved.
    void ShowMessage(const QString& text);
    QString Message() const;
    // The map of the pack built, or none (cleared) when there is none.
    void ShowPack(const cells::PackMap& map);
    void ClearPack();
    // The ID of the cell selected in the map; empty when no cell is.
    QString SelectedCellId() const;

signals:
    void batchChosen(const QString& name);
    void buildRequested();
    void cancelRequested();
    void replaceRequested(const QString& cellId);
    void saveRequested();
    void exportCsvRequested();
    void exportPdfRequested();
    void reportRequested();

private:
    QWidget* BuildChoices();
    void EnablePackActions(bool enabled);
    void LabelGroups(int count);

    QComboBox* batchChooser_ = nullptr;
    QListWidget* grades_ = nullptr;
    QSpinBox* series_ = nullptr;
    QSpinBox* parallel_ = nullptr;
    QComboBox* objective_ = nullptr;
    QSpinBox* voltageSpread_ = nullptr;  // mV; 0: any
    QCheckBox* includeSuspects_ = nullptr;
    QPushButton* build_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* message_ = nullptr;
    QTableWidget* map_ = nullptr;
    QLabel* spreads_ = nullptr;
    QList<QPushButton*> packActions_;
    bool hasPack_ = false;
};

} // namespace voltaryn
