#include "ui/packs/PackBuilderWindow.h"

#include "report/DeviationColour.h"
#include "report/TextContrast.h"
#include "ui/common/NamedButton.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QCheckBox>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace voltaryn {
namespace {

QTableWidgetItem* Item(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

PackBuilderWindow::PackBuilderWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("PackBuilder");
    setWindowTitle(tr("Pack Builder"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildChoices());

    auto* right = new QVBoxLayout;
    message_ = new QLabel(this);
    message_->setObjectName("message");
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    right->addWidget(message_);
    map_ = new QTableWidget(this);
    map_->setObjectName("map");
    map_->setSelectionMode(QAbstractItemView::SingleSelection);
    map_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    map_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    right->addWidget(map_, 1);
    spreads_ = new QLabel(this);
    spreads_->setObjectName("spreads");
    right->addWidget(spreads_);

    auto* actions = new QHBoxLayout;
    QPushButton* replace = NamedButton("replace", tr("Replace cell"), this);
    QPushButton* save = NamedButton("save", tr("Save pack…"), this);
    QPushButton* exportCsv = NamedButton("exportCsv", tr("Export CSV…"), this);
    QPushButton* exportPdf = NamedButton("exportPdf", tr("Map as PDF…"), this);
    QPushButton* report = NamedButton("report", tr("Report…"), this);
    replace->setToolTip(tr("Put the best spare in place of the cell selected in the map"));
    report->setToolTip(tr("The batch's report as PDF: statistics, histograms and the saved packs"));
    packActions_ = {replace, save, exportCsv, exportPdf};
    for (QPushButton* button : {replace, save, exportCsv, exportPdf, report})
        actions->addWidget(button);
    actions->addStretch();
    right->addLayout(actions);
    layout->addLayout(right, 1);

    connect(replace, &QPushButton::clicked, this, [this] {
        const QString id = SelectedCellId();
        if (id.isEmpty())
            ShowMessage(tr("Select the cell to replace in the map first."));
        else
            emit replaceRequested(id);
    });
    connect(save, &QPushButton::clicked, this, &PackBuilderWindow::saveRequested);
    connect(exportCsv, &QPushButton::clicked, this, &PackBuilderWindow::exportCsvRequested);
    connect(exportPdf, &QPushButton::clicked, this, &PackBuilderWindow::exportPdfRequested);
    connect(report, &QPushButton::clicked, this, &PackBuilderWindow::reportRequested);
    EnablePackActions(false);
    resize(1100, 640);
}

QWidget* PackBuilderWindow::BuildChoices()
{
    auto* side = new QWidget(this);
    auto* form = new QFormLayout(side);
    batchChooser_ = new QComboBox(side);
    batchChooser_->setObjectName("batchChooser");
    batchChooser_->setMinimumContentsLength(14);
    form->addRow(tr("Batch:"), batchChooser_);
    grades_ = new QListWidget(side);
    grades_->setObjectName("grades");
    grades_->setMaximumHeight(110);
    form->addRow(tr("Grades:"), grades_);
    const auto count = [side](const char* name, int value) {
        auto* box = new QSpinBox(side);
        box->setObjectName(name);
        box->setRange(1, PackShape::Largest);
        box->setValue(value);
        return box;
    };
    series_ = count("series", PackShape{}.series);
    parallel_ = count("parallel", PackShape{}.parallel);
    form->addRow(tr("Series (S):"), series_);
    form->addRow(tr("Parallel (P):"), parallel_);
    objective_ = new QComboBox(side);
    objective_->setObjectName("objective");
    objective_->addItem(tr("Balanced: capacity, then resistance"), static_cast<int>(cells::PackObjective::Balanced));
    objective_->addItem(tr("Capacity only"), static_cast<int>(cells::PackObjective::Capacity));
    form->addRow(tr("Objective:"), objective_);
    voltageSpread_ = new QSpinBox(side);
    voltageSpread_->setObjectName("voltageSpread");
    voltageSpread_->setRange(0, 2000);
    voltageSpread_->setSuffix(tr(" mV"));
    voltageSpread_->setSpecialValueText(tr("any"));
    voltageSpread_->setToolTip(tr("The most the voltages of a group's cells may differ"));
    form->addRow(tr("Voltage spread in a group:"), voltageSpread_);
    includeSuspects_ = new QCheckBox(tr("Include self-discharge suspects"), side);
    includeSuspects_->setObjectName("includeSuspects");
    form->addRow(includeSuspects_);
    build_ = NamedButton("build", tr("Build"), side);
    cancel_ = NamedButton("cancel", tr("Cancel"), side);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(build_);
    buttons->addWidget(cancel_);
    form->addRow(buttons);
    progress_ = new QProgressBar(side);
    progress_->setObjectName("progress");
    progress_->setRange(0, 100);
    form->addRow(progress_);
    SetBuilding(false);

    connect(batchChooser_, &QComboBox::activated, this, [this] { emit batchChosen(Batch()); });
    connect(build_, &QPushButton::clicked, this, &PackBuilderWindow::buildRequested);
    connect(cancel_, &QPushButton::clicked, this, &PackBuilderWindow::cancelRequested);
    return side;
}

void PackBuilderWindow::SetBatches(const QStringList& names, const QString& current)
{
    batchChooser_->clear();
    batchChooser_->addItems(names);
    batchChooser_->setCurrentText(current);
}

QString PackBuilderWindow::Batch() const { return batchChooser_->currentText(); }

void PackBuilderWindow::SetGrades(const QStringList& names, const QStringList& checked)
{
    grades_->clear();
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, grades_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(checked.contains(name) ? Qt::Checked : Qt::Unchecked);
    }
}

void PackBuilderWindow::SetShape(const PackShape& shape)
{
    series_->setValue(shape.series);
    parallel_->setValue(shape.parallel);
}

cells::PackRequest PackBuilderWindow::Request() const
{
    cells::PackRequest request;
    request.series = series_->value();
    request.parallel = parallel_->value();
    request.objective = static_cast<cells::PackObjective>(objective_->currentData().toInt());
    if (voltageSpread_->value() > 0)
        request.maxGroupVoltageSpread = voltageSpread_->value() / 1000.0;
    for (int row = 0; row < grades_->count(); ++row)
        if (grades_->item(row)->checkState() == Qt::Checked)
            request.eligibleGrades.push_back(grades_->item(row)->text().toStdString());
    return request;
}

bool PackBuilderWindow::IncludeSuspects() const { return includeSuspects_->isChecked(); }

void PackBuilderWindow::SetBuilding(bool building)
{
    for (QWidget* choice : std::initializer_list<QWidget*>{batchChooser_, grades_, series_, parallel_, objective_, voltageSpread_, includeSuspects_, build_})
        choice->setEnabled(!building);
    cancel_->setEnabled(building);
    EnablePackActions(!building && hasPack_);
    progress_->setValue(0);
}

void PackBuilderWindow::SetProgress(double spent) { progress_->setValue(static_cast<int>(std::lround(spent * 100))); }

void PackBuilderWindow::ShowMessage(const QString& text) { message_->setText(text); }

QString PackBuilderWindow::Message() const { return message_->text(); }

void PackBuilderWindow::ShowPack(const cells::PackMap& map)
{
    const int positions = map.parallel;
    map_->clear();
    map_->setRowCount(static_cast<int>(map.groups.size()));
    map_->setColumnCount(positions + 2);
    QStringList columns;
    for (int p = 1; p <= positions; ++p)
        columns << QString::number(p);
    map_->setHorizontalHeaderLabels(columns << tr("Sum (mAh)") << tr("R (mΩ)"));
    LabelGroups(static_cast<int>(map.groups.size()));
    for (int g = 0; g < static_cast<int>(map.groups.size()); ++g) {
        const cells::MapGroup& group = map.groups[static_cast<std::size_t>(g)];
        for (int p = 0; p < static_cast<int>(group.cells.size()); ++p) {
            const cells::MapCell& cell = group.cells[static_cast<std::size_t>(p)];
            QTableWidgetItem* item = Item(QString::fromStdString(cell.id));
            const QColor fill = report::DeviationColour(cell.deviation, map.largestDeviation);
            item->setBackground(fill);
            item->setForeground(report::TextColourOn(fill));
            item->setToolTip(tr("%1 mAh (%2%3 %), %4 mΩ")
                                 .arg(cell.capacity, 0, 'f', 0)
                                 .arg(cell.deviation >= 0 ? "+" : "")
                                 .arg(cell.deviation * 100, 0, 'f', 2)
                                 .arg(cell.resistance, 0, 'f', 2));
            map_->setItem(g, p, item);
        }
        QTableWidgetItem* sum = Item(QString::number(group.capacity, 'f', 0));
        QTableWidgetItem* resistance = Item(QString::number(group.resistance, 'f', 3));
        for (QTableWidgetItem* total : {sum, resistance})
            total->setFlags(Qt::ItemIsEnabled);
        map_->setItem(g, positions, sum);
        map_->setItem(g, positions + 1, resistance);
    }
    spreads_->setText(tr("Capacity spread %1 mAh (%2 % of a group) · resistance spread %3 mΩ · "
                         "colours ±%4 % around the mean of %5 mAh")
                          .arg(map.capacitySpread, 0, 'f', 1)
                          .arg(map.groups.empty() || map.groups.front().capacity <= 0
                                   ? 0.0
                                   : 100 * map.capacitySpread / map.groups.front().capacity,
                               0, 'f', 3)
                          .arg(map.resistanceSpread, 0, 'f', 3)
                          .arg(map.largestDeviation * 100, 0, 'f', 2)
                          .arg(map.meanCapacity, 0, 'f', 0));
    hasPack_ = true;
    EnablePackActions(true);
}

// Group 1 is wired to the pack's − terminal, the last group to its +.
void PackBuilderWindow::LabelGroups(int count)
{
    const int last = count - 1;
    for (int g = 0; g <= last; ++g) {
        auto* label = new QTableWidgetItem(QString::number(g + 1) + (g == 0 ? " −" : "") + (g == last ? " +" : ""));
        if (g == 0 || g == last)
            label->setToolTip(g == 0 && g == last ? tr("The pack's − and + terminals")
                              : g == 0            ? tr("The pack's − terminal")
                                                  : tr("The pack's + terminal"));
        map_->setVerticalHeaderItem(g, label);
    }
}

void PackBuilderWindow::ClearPack()
{
    map_->clear();
    map_->setRowCount(0);
    map_->setColumnCount(0);
    spreads_->clear();
    hasPack_ = false;
    EnablePackActions(false);
}

QString PackBuilderWindow::SelectedCellId() const
{
    const QList<QTableWidgetItem*> selected = map_->selectedItems();
    if (selected.isEmpty() || selected.front()->column() >= map_->columnCount() - 2)
        return {};
    return selected.front()->text();
}

void PackBuilderWindow::EnablePackActions(bool enabled)
{
    for (QPushButton* button : packActions_)
        button->setEnabled(enabled);
}

} // namespace voltaryn
