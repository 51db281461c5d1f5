#include "ui/settings/ComparatorWindow.h"

#include "ui/common/GridColumns.h"
#include "ui/common/QtText.h"
#include "ui/settings/LimitEditor.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>

namespace voltaryn {
namespace {

// How many of the 99 entries the grid shows at once in a window of its preferred size.
constexpr int VisibleRows = 25;

// Column titles, and how many capital A's make each column's width.
constexpr std::pair<const char*, int> ComparatorColumns[] = {{"No.s", 5}, {"Ohm-H", 17}, {"Ohm-L", 17}, {"V-H", 16}, {"V-L", 16}};

std::array<QString, 4> ToQStrings(const DigitTexts& digits)
{
    return {ToQString(digits[0]), ToQString(digits[1]), ToQString(digits[2]), ToQString(digits[3])};
}

DigitTexts ToStrings(const std::array<QString, 4>& digits)
{
    return {digits[0].toStdString(), digits[1].toStdString(), digits[2].toStdString(), digits[3].toStdString()};
}

std::optional<int> Option(const LimitEditor& editor)
{
    const int index = editor.DecimalIndex();
    return index == 0 ? std::nullopt : std::optional<int>(index);
}

OhmEditor OhmOf(const LimitEditor& editor)
{
    return {ToStrings(editor.Digits()), Option(editor),
            std::string(editor.Milliohm() ? MilliOhmUnitText : OhmUnitText)};
}

void Show(LimitEditor& editor, const DigitTexts& digits, std::optional<int> option)
{
    editor.SetDigits(ToQStrings(digits));
    editor.SetDecimalIndex(option.value_or(0));
}

} // namespace

ComparatorWindow::ComparatorWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), model_(new QStandardItemModel(0, 5, this)), grid_(new QTableView(this)),
      highOhm_(new LimitEditor("HIGH", LimitEditor::Kind::Resistance,
                               {"HighO", "HODec", "HOhmUnit",
                                QT_TRANSLATE_NOOP("voltaryn::LimitEditor", "high resistance limit")}, this)),
      lowOhm_(new LimitEditor("LOW", LimitEditor::Kind::Resistance,
                              {"LowO", "LODec", "LOhmUnit",
                                QT_TRANSLATE_NOOP("voltaryn::LimitEditor", "low resistance limit")}, this)),
      highVolt_(new LimitEditor("HIGH", LimitEditor::Kind::Voltage,
                                {"HighV", "HVDec", "HVUnit",
                                QT_TRANSLATE_NOOP("voltaryn::LimitEditor", "high voltage limit")}, this)),
      lowVolt_(new LimitEditor("LOW", LimitEditor::Kind::Voltage,
                               {"LowV", "LVDec", "LVUnit",
                                QT_TRANSLATE_NOOP("voltaryn::LimitEditor", "low voltage limit")}, this))
{
    setObjectName("Comparator");
    setWindowTitle("Comparator");
    setAttribute(Qt::WA_DeleteOnClose);

    grid_->setObjectName("Grid");
    grid_->setAccessibleName(tr("Comparator entries"));
    QStringList titles;
    QStringList samples;
    for (const auto& [title, width] : ComparatorColumns) {
        titles << title;
        samples << QString(width, 'A');
    }
    SetUpPickList(*grid_, *model_, titles, samples);
    // The editors follow the current row, whether the mouse or the arrow keys moved it, and a click
    // on the current row loads them afresh; Tab leaves the grid for the editors instead of walking
    // its cells.
    grid_->setTabKeyNavigation(false);
    const auto pick = [this](const QModelIndex& index) {
        if (index.isValid())
            emit entryPicked(model_->item(index.row(), 0)->text().toInt());
    };
    connect(grid_, &QTableView::clicked, this, pick);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, pick);

    auto* update = new QPushButton("Update", this);
    update->setObjectName("CmdUpdate");
    connect(update, &QPushButton::clicked, this, &ComparatorWindow::updateClicked);
    auto* message = new QLabel("Select a set of the above comparaor data and complete the following settings then "
                               "press update to confirm.",
                               this);
    message->setObjectName("LblMessage");
    message->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(grid_, 0, 0, 1, 2);
    layout->addWidget(update, 1, 0);
    layout->addWidget(message, 1, 1);
    layout->addWidget(highOhm_, 2, 0);
    layout->addWidget(lowOhm_, 2, 1);
    layout->addWidget(highVolt_, 3, 0);
    layout->addWidget(lowVolt_, 3, 1);
    ShowEditors({});
}

QSize ComparatorWindow::sizeHint() const
{
    const int gridHeight = grid_->horizontalHeader()->sizeHint().height() + 2 * grid_->frameWidth() +
                           grid_->horizontalScrollBar()->sizeHint().height() +
                           VisibleRows * grid_->verticalHeader()->defaultSectionSize();
    return QWidget::sizeHint() + QSize(0, std::max(0, gridHeight - grid_->sizeHint().height()));
}

void ComparatorWindow::AddRow(const ComparatorRowTexts& row)
{
    QList<QStandardItem*> cells;
    for (const std::string& text : row)
        cells << new QStandardItem(ToQString(text));
    model_->appendRow(cells);
}

void ComparatorWindow::RewriteRow(int number, const ComparatorRowTexts& row)
{
    const QList<QStandardItem*> found = model_->findItems(QString::number(number), Qt::MatchExactly, 0);
    if (found.isEmpty())
        return;
    for (int column = 1; column < 5; ++column)
        model_->item(found.front()->row(), column)->setText(ToQString(row.at(static_cast<std::size_t>(column))));
}

ComparatorEditors ComparatorWindow::Editors() const
{
    return {OhmOf(*highOhm_), OhmOf(*lowOhm_), {ToStrings(highVolt_->Digits()), Option(*highVolt_)},
            {ToStrings(lowVolt_->Digits()), Option(*lowVolt_)}};
}

void ComparatorWindow::ShowEditors(const ComparatorEditors& editors)
{
    Show(*highOhm_, editors.highOhm.digits, editors.highOhm.option);
    highOhm_->SetMilliohm(editors.highOhm.unit == MilliOhmUnitText);
    Show(*lowOhm_, editors.lowOhm.digits, editors.lowOhm.option);
    lowOhm_->SetMilliohm(editors.lowOhm.unit == MilliOhmUnitText);
    Show(*highVolt_, editors.highVolt.digits, editors.highVolt.option);
    Show(*lowVolt_, editors.lowVolt.digits, editors.lowVolt.option);
}

void ComparatorWindow::closeEvent(QCloseEvent* event)
{
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace voltaryn
