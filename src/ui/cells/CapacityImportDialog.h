#pragma once

#include <QDialog>
#include <QStringList>

namespace voltaryn {

// What importing a charger's capacity file would do, before it is done: how many of the batch's
// cells get a capacity, every bad line with why, and every capacity replaced, old and new (a cell
// of a saved pack keeps its own). "Import N capacities" accepts (disabled when no line is good);
// Cancel rejects.
class CapacityImportDialog : public QDialog {
    Q_OBJECT
public:
    CapacityImportDialog(const QString& fileName, const QString& batch, int capacities, const QStringList& problems,
                         const QStringList& changes, QWidget* parent = nullptr);
};

} // namespace voltaryn
