#include "ui/cells/QueueDialog.h"

#include "files/AtomicFile.h"
#include "store/QueueExport.h"
#include "store/StoreError.h"
#include "ui/cells/StoreThread.h"
#include "ui/common/DialogService.h"
#include "ui/common/WalkTexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace voltaryn {

QueueDialog::QueueDialog(StoreThread& store, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), store_(store), dialogs_(dialogs), summary_(new QLabel(this)), table_(new QTableWidget(this))
{
    setObjectName("queue");
    setWindowTitle(tr("Offline queue"));
    auto* column = new QVBoxLayout(this);
    summary_->setObjectName("queueSummary");
    summary_->setWordWrap(true);
    column->addWidget(summary_);
    table_->setObjectName("queueTable");
    table_->setColumnCount(8);
    table_->setHorizontalHeaderLabels(
        {tr("Time"), tr("Batch"), tr("Cell"), tr("Station"), tr("Kind"), tr("Grade"), tr("State"), tr("Reason")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    column->addWidget(table_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    retry_ = buttons->addButton(tr("Retry set aside"), QDialogButtonBox::ActionRole);
    retry_->setObjectName("retrySetAside");
    export_ = buttons->addButton(tr("Export…"), QDialogButtonBox::ActionRole);
    export_->setObjectName("exportQueue");
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(retry_, &QPushButton::clicked, this, [this] { List([](store::CellStore& store) { store.RetrySetAside(); }); });
    connect(export_, &QPushButton::clicked, this, &QueueDialog::Export);
    // The store sends the queue by itself once the server is back: the rows follow.
    connect(&store_, &StoreThread::statusChanged, this, [this] { List({}); });
    resize(880, 420);
    List({});
}

void QueueDialog::List(const std::function<void(store::CellStore&)>& first)
{
    store_.Run<Listing>(
        [first](store::CellStore& store) {
            try {
                if (first)
                    first(store);
                return Listing{store.QueuedCaptures(), {}};
            } catch (const store::StoreError& error) {
                return Listing{{}, error.Message()};
            }
        },
        [dialog = QPointer(this)](const Listing& listing) {
            if (!dialog.isNull())
                dialog->Show(listing);
        });
}

// A string reading names its site and string where a capture names its batch, its place where a
// capture names its cell.
QString QueueDialog::BatchText(const store::CaptureInput& capture)
{
    return capture.inspection ? capture.inspection->site + QStringLiteral(" / ") + capture.inspection->string
                              : capture.batch;
}

QString QueueDialog::LabelText(const store::CaptureInput& capture)
{
    if (!capture.inspection)
        return capture.label.isEmpty() ? tr("(next number)") : capture.label;
    const QString place = WalkTexts::PlaceName(capture.inspection->place);
    return capture.inspection->missing ? tr("%1 (missing)").arg(place) : place;
}

QString QueueDialog::KindText(const store::CaptureInput& capture)
{
    if (capture.inspection)
        return tr("Inspection");
    return capture.kind == store::MeasurementKind::Recheck ? tr("Recheck") : tr("Sort");
}

void QueueDialog::Show(const Listing& listing)
{
    shown_ = listing.captures;
    table_->setRowCount(static_cast<int>(shown_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const store::QueuedCapture& queued = shown_[static_cast<std::size_t>(row)];
        const store::CaptureInput& capture = queued.capture;
        const QStringList texts{capture.measuredUtc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                BatchText(capture),
                                LabelText(capture),
                                capture.station,
                                KindText(capture),
                                capture.grade,
                                queued.setAsideReason.isEmpty() ? tr("Waiting") : tr("Set aside"),
                                queued.setAsideReason};
        for (int column = 0; column < static_cast<int>(texts.size()); ++column)
            table_->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    const auto setAside = std::count_if(shown_.begin(), shown_.end(),
                                        [](const store::QueuedCapture& queued) { return !queued.setAsideReason.isEmpty(); });
    const auto waiting = static_cast<qsizetype>(shown_.size()) - setAside;
    if (!listing.problem.isEmpty())
        summary_->setText(listing.problem);
    else if (shown_.empty())
        summary_->setText(tr("Nothing waits: the server has every capture of this station."));
    else
        summary_->setText(tr("%1 waiting for the server, %2 set aside").arg(waiting).arg(setAside));
    retry_->setEnabled(setAside > 0);
    export_->setEnabled(!shown_.empty());
}

void QueueDialog::Export()
{
    const QString fileName = dialogs_.AskSaveFileName(this, tr("CSV (*.csv);;JSON lines (*.jsonl *.json)"));
    if (fileName.isEmpty())
        return;
    const bool json = fileName.endsWith(QLatin1String(".json")) || fileName.endsWith(QLatin1String(".jsonl"));
    const FileStatus status = ReplaceFileWith(fileName.toStdString(), store::QueueExport(shown_, json));
    if (!status.Ok())
        dialogs_.ShowMessage(this, MessageIcon::Critical, QString::fromStdString(status.error));
}

} // namespace voltaryn
