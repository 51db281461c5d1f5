#pragma once

#include "cells/Grades.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace voltaryn {

// Edits a batch's grade table: one row a grade, in the order grades are tried, with its name,
// colour ("#rrggbb"), voltage window and resistance limits (an empty limit is no limit), and the
// reject grade's name and colour. Every edit is checked at once: a row that is empty, never
// matches or overlaps an earlier one says so beside it, and OK stays disabled until no row does.
class GradeEditorDialog : public QDialog {
    Q_OBJECT
public:
    enum Column { NameColumn, ColourColumn, MinVoltageColumn, MaxVoltageColumn, MinResistanceColumn,
                  MaxResistanceColumn, ProblemColumn, ColumnCount };

    explicit GradeEditorDialog(const cells::GradeTable& grades, QWidget* parent = nullptr);

    // The table as edited; meaningful while OK is enabled.
    cells::GradeTable Grades() const;

private:
    void AddRow(const cells::Grade& grade);
    void MoveCurrentRow(int step);
    void Check();

    QTableWidget* rows_;
    QLineEdit* rejectName_;
    QLineEdit* rejectColour_;
    QLabel* summary_;
    QDialogButtonBox* buttons_;
    QStringList problems_;
};

} // namespace voltaryn
