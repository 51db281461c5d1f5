#include "ui/cells/CapacityImportDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace voltaryn {

CapacityImportDialog::CapacityImportDialog(const QString& fileName, const QString& batch, int capacities,
                                           const QStringList& problems, const QStringList& changes, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("capacityImport");
    setWindowTitle(tr("Import capacities — %1").arg(QFileInfo(fileName).fileName()));
    auto* column = new QVBoxLayout(this);
    auto* summary = new QLabel(tr("%1 %2 of batch %3 get a capacity; %4 %5.")
                                   .arg(capacities)
                                   .arg(capacities == 1 ? tr("cell") : tr("cells"), batch)
                                   .arg(problems.size())
                                   .arg(problems.size() == 1 ? tr("line is bad") : tr("lines are bad")),
                               this);
    summary->setObjectName("importSummary");
    summary->setWordWrap(true);
    column->addWidget(summary);
    auto* badLines = new QListWidget(this);
    badLines->setObjectName("badLines");
    badLines->addItems(problems);
    badLines->setVisible(!problems.isEmpty());
    column->addWidget(badLines, 1);
    // The capacities that replace others, and those cells of saved packs keep.
    auto* replaced = new QListWidget(this);
    replaced->setObjectName("changedCapacities");
    replaced->addItems(changes);
    replaced->setVisible(!changes.isEmpty());
    column->addWidget(replaced, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* import = buttons->addButton(
        tr("Import %1 %2").arg(capacities).arg(capacities == 1 ? tr("capacity") : tr("capacities")),
        QDialogButtonBox::AcceptRole);
    import->setObjectName("confirmImport");
    import->setEnabled(capacities > 0);
    // Enter does not import what the user has not looked at: Cancel is the default.
    buttons->button(QDialogButtonBox::Cancel)->setDefault(true);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(560, problems.isEmpty() && changes.isEmpty() ? 140 : 360);
}

} // namespace voltaryn
