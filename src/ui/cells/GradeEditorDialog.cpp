#include "ui/cells/GradeEditorDialog.h"

#include "cells/GradeValidation.h"
#include "cells/NameRule.h"
#include "ui/cells/GradeColour.h"
#include "ui/common/AlertColour.h"
#include "ui/common/CoreFaults.h"
#include "ui/common/NamedButton.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <map>

namespace voltaryn {
namespace {

constexpr std::array LimitColumns = {GradeEditorDialog::MinVoltageColumn, GradeEditorDialog::MaxVoltageColumn,
                                     GradeEditorDialog::MinResistanceColumn, GradeEditorDialog::MaxResistanceColumn};

bool IsColour(const QString& text) { return QRegularExpression("^#[0-9a-fA-F]{6}$").match(text).hasMatch(); }

QString LimitText(const std::optional<double>& limit) { return limit ? QString::number(*limit) : QString(); }

// A limit as typed: empty is no limit; the user's decimal separator and the point both count, and
// only a finite number is one.
std::optional<double> ParseLimit(const QString& text, bool& ok)
{
    ok = true;
    if (text.trimmed().isEmpty())
        return std::nullopt;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = QLocale::c().toDouble(text.trimmed(), &ok);
    ok = ok && std::isfinite(value);
    return value;
}

// What the name rule says of a grade's name; empty when it takes it.
QString NameProblem(const QString& name)
{
    const std::optional<cells::NameFault> fault = cells::NameFaultOf(cells::NameKind::Grade, name.toStdString());
    return fault ? CoreFaults::Worded(*fault) : QString();
}

std::optional<double>& LimitOf(cells::GradeLimits& limits, int column)
{
    switch (column) {
    case GradeEditorDialog::MinVoltageColumn: return limits.MinVoltage;
    case GradeEditorDialog::MaxVoltageColumn: return limits.MaxVoltage;
    case GradeEditorDialog::MinResistanceColumn: return limits.MinResistance;
    default: return limits.MaxResistance;
    }
}

// A button of the editor; Enter in a field never presses it.
QPushButton* EditorButton(const char* name, const QString& text, QWidget* parent)
{
    QPushButton* button = NamedButton(name, text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

GradeEditorDialog::GradeEditorDialog(const cells::GradeTable& grades, QWidget* parent)
    : QDialog(parent), rows_(new QTableWidget(0, ColumnCount, this)), rejectName_(new QLineEdit(this)),
      rejectColour_(new QLineEdit(this)), summary_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName("GradeEditor");
    setWindowTitle(tr("Grades"));
    rows_->setObjectName("gradeRows");
    rows_->setAccessibleName(tr("Grades, in the order they are tried"));
    rows_->setHorizontalHeaderLabels(
        {tr("Name"), tr("Colour"), tr("Min voltage (V)"), tr("Max voltage (V)"), tr("Min resistance (mΩ)"),
         tr("Max resistance (mΩ)"), tr("Check")});
    rows_->horizontalHeader()->setStretchLastSection(true);
    rows_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    rows_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    rows_->setTabKeyNavigation(true);
    for (const cells::Grade& grade : grades.Grades)
        AddRow(grade);

    rejectName_->setObjectName("rejectName");
    rejectName_->setAccessibleName(tr("Reject grade name"));
    rejectName_->setText(QString::fromStdString(grades.Reject.Name));
    rejectColour_->setObjectName("rejectColour");
    rejectColour_->setAccessibleName(tr("Reject grade colour"));
    rejectColour_->setText(QString::fromStdString(grades.Reject.Colour));
    auto* reject = new QFormLayout;
    reject->addRow(tr("Cells no grade admits: &name"), rejectName_);
    reject->addRow(tr("c&olour"), rejectColour_);

    QPushButton* add = EditorButton("addGrade", tr("&Add grade"), this);
    QPushButton* remove = EditorButton("removeGrade", tr("&Remove grade"), this);
    QPushButton* up = EditorButton("moveGradeUp", tr("Move &up"), this);
    QPushButton* down = EditorButton("moveGradeDown", tr("Move &down"), this);
    up->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    down->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    auto* rowButtons = new QHBoxLayout;
    for (QPushButton* button : {add, remove, up, down})
        rowButtons->addWidget(button);
    rowButtons->addStretch(1);

    summary_->setObjectName("gradeProblems");
    summary_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rows_, 1);
    layout->addLayout(rowButtons);
    layout->addLayout(reject);
    layout->addWidget(summary_);
    layout->addWidget(buttons_);
    resize(900, 420);

    connect(add, &QPushButton::clicked, this, [this] {
        AddRow({tr("Grade %1").arg(rows_->rowCount() + 1).toStdString(), "#607d8b", {}});
        rows_->setCurrentCell(rows_->rowCount() - 1, NameColumn);
        rows_->setFocus();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (rows_->currentRow() >= 0)
            rows_->removeRow(rows_->currentRow());
        Check();
    });
    connect(up, &QPushButton::clicked, this, [this] { MoveCurrentRow(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveCurrentRow(1); });
    connect(rows_, &QTableWidget::itemChanged, this, &GradeEditorDialog::Check);
    connect(rejectName_, &QLineEdit::textChanged, this, &GradeEditorDialog::Check);
    connect(rejectColour_, &QLineEdit::textChanged, this, &GradeEditorDialog::Check);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Check();
}

void GradeEditorDialog::AddRow(const cells::Grade& grade)
{
    const QSignalBlocker quiet(rows_);
    const int row = rows_->rowCount();
    rows_->insertRow(row);
    cells::GradeLimits limits = grade.Limits;
    rows_->setItem(row, NameColumn, new QTableWidgetItem(QString::fromStdString(grade.Name)));
    rows_->setItem(row, ColourColumn, new QTableWidgetItem(QString::fromStdString(grade.Colour)));
    for (const int column : LimitColumns)
        rows_->setItem(row, column, new QTableWidgetItem(LimitText(LimitOf(limits, column))));
    auto* problem = new QTableWidgetItem;
    problem->setFlags(Qt::ItemIsEnabled);
    rows_->setItem(row, ProblemColumn, problem);
    Check();
}

void GradeEditorDialog::MoveCurrentRow(int step)
{
    const int row = rows_->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= rows_->rowCount())
        return;
    const QSignalBlocker quiet(rows_);
    for (int column = 0; column < ColumnCount; ++column) {
        QTableWidgetItem* moving = rows_->takeItem(row, column);
        rows_->setItem(row, column, rows_->takeItem(to, column));
        rows_->setItem(to, column, moving);
    }
    rows_->setCurrentCell(to, rows_->currentColumn());
    Check();
}

cells::GradeTable GradeEditorDialog::Grades() const
{
    cells::GradeTable table;
    for (int row = 0; row < rows_->rowCount(); ++row) {
        cells::Grade grade{rows_->item(row, NameColumn)->text().trimmed().toStdString(),
                           rows_->item(row, ColourColumn)->text().trimmed().toLower().toStdString(),
                           {}};
        for (const int column : LimitColumns) {
            bool ok = false;
            LimitOf(grade.Limits, column) = ParseLimit(rows_->item(row, column)->text(), ok);
        }
        table.Grades.push_back(grade);
    }
    table.Reject = {rejectName_->text().trimmed().toStdString(), rejectColour_->text().trimmed().toLower().toStdString(),
                    {}};
    return table;
}

void GradeEditorDialog::Check()
{
    const QSignalBlocker quiet(rows_);
    std::map<int, QStringList> ofRow;
    QMap<QString, int> names;  // name -> rows that use it
    const QString rejectName = rejectName_->text().trimmed();
    for (int row = 0; row < rows_->rowCount(); ++row) {
        const QString name = rows_->item(row, NameColumn)->text().trimmed();
        if (const QString problem = NameProblem(name); !problem.isEmpty())
            ofRow[row] << problem;
        else if (++names[name] > 1 || name == rejectName)
            ofRow[row] << tr("the name \"%1\" is taken").arg(name);
        QTableWidgetItem* colour = rows_->item(row, ColourColumn);
        const bool colourOk = IsColour(colour->text().trimmed());
        if (!colourOk)
            ofRow[row] << tr("the colour is not #rrggbb");
        colour->setBackground(colourOk ? QBrush(QColor(colour->text().trimmed())) : QBrush());
        colour->setForeground(colourOk ? QBrush(TextColourOn(QColor(colour->text().trimmed()))) : QBrush());
        for (const int column : LimitColumns) {
            bool ok = false;
            ParseLimit(rows_->item(row, column)->text(), ok);
            if (!ok)
                ofRow[row] << tr("%1 is not a number").arg(rows_->horizontalHeaderItem(column)->text().toLower());
        }
    }
    const cells::GradeTable table = Grades();
    for (const cells::GradeFinding& finding : cells::ValidateGrades(table))
        ofRow[static_cast<int>(finding.Grade)] << CoreFaults::Worded(finding, table);

    problems_.clear();
    for (int row = 0; row < rows_->rowCount(); ++row) {
        const QString text = ofRow[row].join("; ");
        rows_->item(row, ProblemColumn)->setText(text);
        rows_->item(row, ProblemColumn)->setForeground(AlertColour(rows_->palette()));
        if (!text.isEmpty())
            problems_ << tr("Grade %1: %2").arg(row + 1).arg(text);
    }
    if (const QString problem = NameProblem(rejectName); !problem.isEmpty())
        problems_ << tr("The reject grade: %1").arg(problem);
    if (!IsColour(rejectColour_->text().trimmed()))
        problems_ << tr("The reject grade's colour is not #rrggbb");
    if (rows_->rowCount() == 0)
        problems_ << tr("The table needs a grade besides the reject grade: every cell would be rejected");
    summary_->setText(problems_.isEmpty() ? tr("Cells take the first grade that admits them.")
                                          : problems_.join('\n'));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problems_.isEmpty());
}

} // namespace voltaryn
