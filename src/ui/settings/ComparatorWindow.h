#pragma once

#include "settings/ComparatorEditors.h"
#include "settings/ComparatorTexts.h"

#include <QWidget>

class QLabel;
class QStandardItemModel;
class QTableView;

namespace voltaryn {

class LimitEditor;

// "Comparator": the meter's 99 limit entries in the grid `Grid`, and four editors for the high
// and low resistance and voltage limits of the entry picked there, sent back with "Update".
class ComparatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit ComparatorWindow(QWidget* mainWindow);

    void AddRow(const ComparatorRowTexts& row);
    // Rewrites the grid row of entry `number` (its four limit cells).
    void RewriteRow(int number, const ComparatorRowTexts& row);
    ComparatorEditors Editors() const;
    void ShowEditors(const ComparatorEditors& editors);
    QTableView& Grid() { return *grid_; }
    // Tall enough for the grid to show a good part of the table at once; where the screen is
    // smaller the window is shrunk and the grid scrolls.
    QSize sizeHint() const override;

signals:
    void entryPicked(int number);
    void updateClicked();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QStandardItemModel* model_;
    QTableView* grid_;
    LimitEditor* highOhm_;
    LimitEditor* lowOhm_;
    LimitEditor* highVolt_;
    LimitEditor* lowVolt_;
};

} // namespace voltaryn
