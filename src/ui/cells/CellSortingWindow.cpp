#include "ui/cells/CellSortingWindow.h"

#include "files/CsvFormat.h"
#include "store/BatchCells.h"
#include "ui/cells/BatchSession.h"
#include "ui/cells/BatchStatisticsPanel.h"
#include "ui/cells/CaptureTile.h"
#include "ui/cells/GradeColour.h"
#include "ui/cells/QuantityHistogram.h"
#include "ui/common/DisplayNumbers.h"
#include "ui/common/FlowLayout.h"
#include "ui/common/NamedButton.h"
#include "ui/common/ScreenFit.h"
#include "ui/common/SideBySideOrTabs.h"

#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace voltaryn {

namespace {

// The column titles and then `rows` of `model` as text, `separator` between cells: TAB for the
// clipboard, where no cell is quoted, else the separator of a CSV file.
QString TableText(const QAbstractItemModel& model, const QList<int>& rows, char separator, const QString& lineEnd)
{
    const auto cell = [separator](const QString& text) {
        const std::string written = separator == '\t' ? FormulaGuarded(text.toStdString()) : CsvCell(text.toStdString(), separator);
        return QString::fromStdString(written);
    };
    QStringList lines;
    QStringList titles;
    for (int column = 0; column < model.columnCount(); ++column)
        titles << cell(model.headerData(column, Qt::Horizontal).toString());
    lines << titles.join(separator);
    for (const int row : rows) {
        QStringList texts;
        for (int column = 0; column < model.columnCount(); ++column)
            texts << cell(model.index(row, column).data().toString());
        lines << texts.join(separator);
    }
    return lines.join(lineEnd) + lineEnd;
}

// Wait this long for the rest of a scan before keys held back go where they were typed.
constexpr int HeldKeysWait = 250;  // ms

cells::ScanKey KindOf(const QKeyEvent& key)
{
    const bool plain = !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter))
        return cells::ScanKey::Enter;
    const QString text = key.text();
    const bool printable = !text.isEmpty()
                           && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint() && !c.isSpace(); });
    return plain && printable && !key.isAutoRepeat() ? cells::ScanKey::Printable : cells::ScanKey::Other;
}

} // namespace

CellSortingWindow::CellSortingWindow(BatchSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), cells_(session.Cells()), sorted_(new QSortFilterProxyModel(this))
{
    setObjectName("CellSorting");
    setWindowTitle(tr("Cell Sorting"));
    sorted_->setSourceModel(&cells_);
    sorted_->setSortRole(CellTableModel::SortRole);
    sorted_->setFilterKeyColumn(CellTableModel::GradeColumn);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildTile(), 2);
    layout->addWidget(BuildBatchView(), 3);

    // The keys of every widget in the window pass the filter, wherever the focus is.
    qApp->installEventFilter(this);
    heldKeysTimer_.setSingleShot(true);
    heldKeysTimer_.setInterval(HeldKeysWait);
    connect(&heldKeysTimer_, &QTimer::timeout, this, [this] {
        scanBurst_.Drop();
        ReleaseHeldKeys();
    });
}

QWidget* CellSortingWindow::BuildTile()
{
    auto* side = new QWidget(this);
    auto* column = new QVBoxLayout(side);

    auto* batchRow = new QHBoxLayout;
    batchRow->addWidget(new QLabel(tr("Batch:"), side));
    batchChooser_ = new QComboBox(side);
    batchChooser_->setObjectName("batchChooser");
    batchChooser_->setMinimumContentsLength(16);
    batchRow->addWidget(batchChooser_, 1);
    QPushButton* newBatch = NamedButton("newBatch", tr("New batch…"), side);
    QPushButton* deleteBatch = NamedButton("deleteBatch", tr("Delete batch…"), side);
    batchRow->addWidget(newBatch);
    batchRow->addWidget(deleteBatch);
    column->addLayout(batchRow);
    connect(batchChooser_, &QComboBox::textActivated, this, &CellSortingWindow::batchChosen);
    connect(newBatch, &QPushButton::clicked, this, &CellSortingWindow::newBatchRequested);
    connect(deleteBatch, &QPushButton::clicked, this, &CellSortingWindow::deleteBatchRequested);

    auto* idRow = new QHBoxLayout;
    idRow->addWidget(new QLabel(tr("Cell ID:"), side));
    idField_ = new QLineEdit(side);
    idField_->setObjectName("cellId");
    idField_->setPlaceholderText(tr("scan or type the label, then Enter"));
    idField_->installEventFilter(this);
    idRow->addWidget(idField_, 1);
    nextId_ = new QLabel(side);
    nextId_->setObjectName("nextId");
    idRow->addWidget(nextId_);
    QPushButton* recheck = NamedButton("recheckMode", tr("Recheck"), side);
    recheck->setCheckable(true);
    recheck->setToolTip(tr("Each capture becomes the recheck of a cell of the batch: the one scanned, else the "
                           "next in the tray"));
    idRow->addWidget(recheck);
    column->addLayout(idRow);
    connect(recheck, &QPushButton::toggled, this, &CellSortingWindow::recheckToggled);
    connect(idField_, &QLineEdit::returnPressed, this, &CellSortingWindow::SubmitId);

    tile_ = new CaptureTile(side);
    column->addWidget(tile_, 1);

    // The buttons wrap, so the tile's side stays narrow in any language: what acts on a cell,
    // then what acts on the batch; under them the notice beside the sound switches.
    QPushButton* undo = NamedButton("undo", tr("Undo last capture"), side);
    undo->setShortcut(QKeySequence::Undo);
    QPushButton* retest = NamedButton("retest", tr("Retest selected cell"), side);
    QPushButton* capacity = NamedButton("takeCapacity", tr("Take &capacity from the meter"), side);
    capacity->setToolTip(tr("The meter's out-capacity becomes the capacity of the selected cell, or of the last one "
                            "captured"));
    // A cell charged and sorted again after storage is judged from that capture.
    QPushButton* reference = NamedButton("reference", tr("Reference reading"), side);
    reference->setToolTip(tr("The capture of the selected cell its self-discharge is judged from"));
    auto* references = new QMenu(reference);
    QAction* latest = references->addAction(tr("Its latest capture, taken after charge"));
    latest->setObjectName("referenceLatest");
    QAction* first = references->addAction(tr("Its first capture"));
    first->setObjectName("referenceFirst");
    reference->setMenu(references);
    QPushButton* grades = NamedButton("editGrades", tr("&Grades…"), side);
    QPushButton* importCapacities = NamedButton("importCapacities", tr("Import capacities…"), side);
    importCapacities->setShortcut(QKeySequence("Ctrl+I"));
    importCapacities->setToolTip(tr("Capacities a charger measured, from its CSV, into the batch's cells (Ctrl+I)"));
    QPushButton* exportCsv = NamedButton("exportCsv", tr("Export CSV…"), side);
    QPushButton* exportJson = NamedButton("exportJson", tr("Export JSON…"), side);
    QPushButton* exportSpreadsheet = NamedButton("exportSpreadsheet", tr("CSV for spreadsheets…"), side);
    exportSpreadsheet->setToolTip(tr("The table's columns with this language's decimal sign, as a spreadsheet of "
                                     "it reads them"));
    QPushButton* buildPack = NamedButton("buildPack", tr("Build pack…"), side);
    QPushButton* report = NamedButton("report", tr("Report…"), side);
    QPushButton* queue = NamedButton("queue", tr("Queue…"), side);
    queue->setToolTip(tr("The captures that wait on this station for the server, or that it refused"));
    auto* sound = new QCheckBox(tr("Sound"), side);
    sound->setObjectName("sound");
    sound->setChecked(true);
    auto* speech = new QCheckBox(tr("Speak grade"), side);
    speech->setObjectName("speech");
    notice_ = new QLabel(side);
    notice_->setObjectName("notice");
    notice_->setWordWrap(true);
    auto* buttons = new FlowLayout;
    for (QWidget* button : {undo, retest, capacity, reference, grades, importCapacities, exportCsv, exportJson, exportSpreadsheet,
                            buildPack, report, queue})
        buttons->addWidget(button);
    column->addLayout(buttons);
    auto* last = new QHBoxLayout;
    last->addWidget(notice_, 1);
    last->addWidget(sound);
    last->addWidget(speech);
    column->addLayout(last);
    connect(sound, &QCheckBox::toggled, this, &CellSortingWindow::soundToggled);
    connect(speech, &QCheckBox::toggled, this, &CellSortingWindow::speechToggled);
    connect(grades, &QPushButton::clicked, this, &CellSortingWindow::gradesEditRequested);
    connect(capacity, &QPushButton::clicked, this, [this] { emit capacityRequested(SelectedCell()); });
    connect(undo, &QPushButton::clicked, this, &CellSortingWindow::undoRequested);
    connect(retest, &QPushButton::clicked, this, [this] { emit retestRequested(SelectedCell()); });
    connect(latest, &QAction::triggered, this, [this] { emit referenceRequested(SelectedCell(), false); });
    connect(first, &QAction::triggered, this, [this] { emit referenceRequested(SelectedCell(), true); });
    connect(exportCsv, &QPushButton::clicked, this, [this] { emit exportRequested(ExportFormat::MachineCsv); });
    connect(exportJson, &QPushButton::clicked, this, [this] { emit exportRequested(ExportFormat::Json); });
    connect(exportSpreadsheet, &QPushButton::clicked, this,
            [this] { emit exportRequested(ExportFormat::SpreadsheetCsv); });
    connect(importCapacities, &QPushButton::clicked, this, &CellSortingWindow::capacityImportRequested);
    connect(buildPack, &QPushButton::clicked, this, [this] { emit packBuilderRequested(Batch()); });
    connect(report, &QPushButton::clicked, this, [this] { emit reportRequested(Batch()); });
    connect(queue, &QPushButton::clicked, this, &CellSortingWindow::queueRequested);
    return side;
}

QWidget* CellSortingWindow::BuildBatchView()
{
    auto* side = new QWidget(this);
    auto* column = new QVBoxLayout(side);
    gradeCounts_ = new QLabel(side);
    gradeCounts_->setObjectName("gradeCounts");
    gradeCounts_->setTextFormat(Qt::RichText);
    gradeCounts_->setWordWrap(true);
    QFont font = gradeCounts_->font();
    font.setPointSize(font.pointSize() + 4);
    gradeCounts_->setFont(font);
    column->addWidget(gradeCounts_);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(tr("Show grade:"), side));
    gradeFilter_ = new QComboBox(side);
    gradeFilter_->setObjectName("gradeFilter");
    filterRow->addWidget(gradeFilter_, 1);
    column->addLayout(filterRow);
    connect(gradeFilter_, &QComboBox::currentIndexChanged, this, &CellSortingWindow::FilterByGrade);

    table_ = new QTableView(side);
    table_->setObjectName("cellTable");
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(CellTableModel::CellColumn, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab goes on to the next control; the arrow keys move within the table.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    // One fixed row height keeps a table of ten thousand cells quick to scroll: no row is measured.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto* copy = new QAction(tr("Copy"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    connect(copy, &QAction::triggered, this, &CellSortingWindow::CopySelectedRows);
    column->addWidget(table_, 2);
    connect(&cells_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] { followNewest_ = NewestInView(); });
    connect(&cells_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        // The first cells show how wide their columns need to be.
        if (first == 0)
            table_->resizeColumnsToContents();
        newestRow_ = last;
        if (followNewest_)
            ScrollToNewest(last);
    });
    connect(&cells_, &QAbstractItemModel::modelReset, this, [this] {
        table_->resizeColumnsToContents();
        newestRow_ = cells_.rowCount() - 1;
        ScrollToNewest(newestRow_);
    });

    auto* histograms = new SideBySideOrTabs(side);
    histograms->setObjectName("histograms");
    resistanceHistogram_ = QuantityHistogram::Resistance(side);
    voltageHistogram_ = QuantityHistogram::Voltage(side);
    selfDischargeHistogram_ = QuantityHistogram::SelfDischarge(side);
    const std::pair<QuantityHistogram*, QString> pages[] = {
        {resistanceHistogram_, tr("Resistance")}, {voltageHistogram_, tr("Voltage")},
        {selfDischargeHistogram_, tr("Self-discharge")}};
    for (const auto& [histogram, title] : pages)
        histograms->AddPage(histogram, title);
    column->addWidget(histograms, 1);
    statistics_ = new BatchStatisticsPanel(side);
    column->addWidget(statistics_);
    return side;
}

bool CellSortingWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The scanner keeps the focus in the ID field, whose own undo would take Ctrl+Z: there it
    // undoes the last capture too.
    if (watched == idField_ && event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo))
        return true;
    if (event->type() == QEvent::KeyPress && !releasing_) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget != idField_ && widget->window() == this)
            return ScanKeyPressed(widget, *static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void CellSortingWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Wider figures widened the window to its new minimum: it stays on its screen.
    if (isVisible() && event->oldSize().isValid() && event->size().width() > event->oldSize().width()
        && event->size().width() == minimumWidth())
        KeepOnScreen(*this, *this);
}

bool CellSortingWindow::ScanKeyPressed(QWidget* target, const QKeyEvent& key)
{
    const cells::ScanStep step = scanBurst_.Press(std::chrono::milliseconds(key.timestamp()), KindOf(key),
                                                  key.text().toStdString());
    if (step.ReleaseHeld)
        ReleaseHeldKeys();
    if (step.Code) {
        heldKeysTimer_.stop();
        heldKeys_.clear();
        idField_->setText(QString::fromStdString(*step.Code));
        SubmitId();
        return true;
    }
    if (!step.Hold)
        return false;
    heldKeys_.push_back({target, key.key(), key.modifiers(), key.text()});
    heldKeysTimer_.start();
    return true;
}

void CellSortingWindow::ReleaseHeldKeys()
{
    releasing_ = true;
    for (const HeldKey& held : heldKeys_) {
        if (held.target.isNull())
            continue;
        QKeyEvent press(QEvent::KeyPress, held.key, held.modifiers, held.text);
        QApplication::sendEvent(held.target, &press);
    }
    releasing_ = false;
    heldKeys_.clear();
}

void CellSortingWindow::SubmitId()
{
    const QString id = idField_->text().trimmed();
    idField_->clear();
    emit idEntered(id);
}

void CellSortingWindow::SetBatches(const QStringList& names, const QString& current)
{
    const QSignalBlocker quiet(batchChooser_);
    batchChooser_->clear();
    batchChooser_->addItems(names);
    batchChooser_->setCurrentText(current);
}

QString CellSortingWindow::Batch() const { return batchChooser_->currentText(); }

void CellSortingWindow::ShowRules()
{
    const cells::GradeTable& grades = session_.Rules().grades;
    QHash<QString, QString> colours;
    const QSignalBlocker quiet(gradeFilter_);
    // The grade shown stays shown while the table still has it: the rules are shown again with
    // every change another station makes.
    const QString shown = gradeFilter_->currentIndex() > 0 ? gradeFilter_->currentText() : QString();
    gradeFilter_->clear();
    gradeFilter_->addItem(tr("All"));
    for (const cells::Grade& grade : grades.Grades) {
        colours.insert(QString::fromStdString(grade.Name), QString::fromStdString(grade.Colour));
        gradeFilter_->addItem(QString::fromStdString(grade.Name));
    }
    colours.insert(QString::fromStdString(grades.Reject.Name), QString::fromStdString(grades.Reject.Colour));
    gradeFilter_->addItem(QString::fromStdString(grades.Reject.Name));
    gradeFilter_->setCurrentIndex(std::max(shown.isEmpty() ? 0 : gradeFilter_->findText(shown), 0));
    FilterByGrade(gradeFilter_->currentIndex());
    cells_.SetGradeColours(colours);
    resistanceHistogram_->SetGrades(grades);
    voltageHistogram_->SetGrades(grades);
    RefreshSummary();
}

void CellSortingWindow::FilterByGrade(int index)
{
    const QString grade = index <= 0 ? QString() : gradeFilter_->itemText(index);
    sorted_->setFilterRegularExpression(grade.isEmpty() ? QString() : "^" + QRegularExpression::escape(grade) + "$");
}

void CellSortingWindow::ShowCapture(const cells::Grade& grade, const QString& voltageText,
                                    const QString& resistanceText, const QString& caption)
{
    tile_->ShowCapture(grade, voltageText, resistanceText, caption);
}

void CellSortingWindow::ShowRechecking(const QString& cell, const QString& voltageText)
{
    tile_->ShowRechecking(cell, voltageText);
}

void CellSortingWindow::ShowRecheck(const cells::SelfDischargeResult& result, const QString& cell,
                                    const QString& voltageText)
{
    tile_->ShowRecheck(result, cell, voltageText);
}

void CellSortingWindow::ClearCapture() { tile_->Clear(); }

void CellSortingWindow::ShowState(const QString& text) { tile_->ShowState(text); }

void CellSortingWindow::ShowNotice(const QString& text) { notice_->setText(text); }

void CellSortingWindow::ShowNextId(const QString& id)
{
    // The ID Undo put back leaves the field once another one (or none) is taken.
    if (id != restoredId_ && idField_->text() == restoredId_)
        idField_->clear();
    restoredId_.clear();
    nextId_->setText(id.isEmpty() ? QString() : tr("Next: %1").arg(id));
}

void CellSortingWindow::RestoreId(const QString& id)
{
    restoredId_ = id;
    idField_->setText(id);
    idField_->selectAll();
}

void CellSortingWindow::RefreshSummary()
{
    std::map<std::string, qint64> perGrade;
    std::vector<double> resistances;
    std::vector<double> voltages;
    resistances.reserve(cells_.Cells().size());
    voltages.reserve(cells_.Cells().size());
    for (const store::CellRow& cell : cells_.Cells()) {
        const store::Measurement& latest = cell.latest;
        ++perGrade[latest.grade.toStdString()];
        if (latest.resistanceMohm)
            resistances.push_back(*latest.resistanceMohm);
        if (latest.voltageV)
            voltages.push_back(*latest.voltageV);
    }
    const auto total = static_cast<qint64>(cells_.Cells().size());
    QStringList parts;
    const store::BatchRules& rules = session_.Rules();
    std::vector<cells::Grade> shown = rules.grades.Grades;
    shown.push_back(rules.grades.Reject);
    for (const cells::Grade& grade : shown) {
        const qint64 count = perGrade[grade.Name];
        const QColor colour(QString::fromStdString(grade.Colour));
        const double yield = total == 0 ? 0.0 : 100.0 * static_cast<double>(count) / static_cast<double>(total);
        parts << QString("<span style='background:%1; color:%2'>&nbsp;%3&nbsp;</span>&nbsp;%4&nbsp;(%5&nbsp;%)")
                     .arg(colour.name(), TextColourOn(colour).name(), QString::fromStdString(grade.Name).toHtmlEscaped(),
                          DisplayNumber(static_cast<double>(count), 0), DisplayNumber(yield, 1));
    }
    gradeCounts_->setText(tr("%1 cells &nbsp; ").arg(DisplayNumber(static_cast<double>(total), 0)) + parts.join(" &nbsp; "));
    resistanceHistogram_->Show(resistances);
    voltageHistogram_->Show(voltages);
    const cells::SelfDischargeLot lot = store::SelfDischargeOf(cells_.Cells(), rules.selfDischarge);
    const cells::SelfDischargeChart chart = cells::SelfDischargeChartOf(lot, rules.selfDischarge);
    selfDischargeHistogram_->SetLines(chart.lines);
    selfDischargeHistogram_->Show(chart.mvPerDay);
    statistics_->Show(store::StatisticsOf(cells_.Cells(), rules.grades, rules.limits), lot.mvPerDay);
}

qint64 CellSortingWindow::SelectedCell() const
{
    const QModelIndex current = table_->selectionModel()->currentIndex();
    if (!current.isValid())
        return 0;
    return cells_.Cells()[sorted_->mapToSource(current).row()].number;
}

QString CellSortingWindow::SelectedRowsText() const
{
    QModelIndexList rows = table_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QList<int> numbers;
    for (const QModelIndex& row : rows)
        numbers << row.row();
    return TableText(*sorted_, numbers, '\t', "\n");
}

QByteArray CellSortingWindow::SpreadsheetCsv() const
{
    QList<int> rows;
    for (int row = 0; row < cells_.rowCount(); ++row)
        rows << row;
    const char separator = DisplayLocale().decimalPoint() == "," ? ';' : ',';
    return QByteArray(Utf8ByteOrderMark.data(), static_cast<qsizetype>(Utf8ByteOrderMark.size()))
           + TableText(cells_, rows, separator, "\r\n").toUtf8();
}

void CellSortingWindow::CopySelectedRows() const { QApplication::clipboard()->setText(SelectedRowsText()); }

bool CellSortingWindow::NewestInView() const
{
    const QModelIndex newest = newestRow_ < 0 ? QModelIndex() : sorted_->mapFromSource(cells_.index(newestRow_, 0));
    return !newest.isValid() || table_->viewport()->rect().intersects(table_->visualRect(newest));
}

void CellSortingWindow::ScrollToNewest(int sourceRow)
{
    if (const QModelIndex newest = sorted_->mapFromSource(cells_.index(sourceRow, 0)); newest.isValid())
        table_->scrollTo(newest);
}

} // namespace voltaryn
