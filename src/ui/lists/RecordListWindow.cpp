#include "ui/lists/RecordListWindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace voltaryn {

RecordListWindow::RecordListWindow(const QString& objectName, const QString& caption, RecordTable table,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), model_(new RecordTableModel(std::move(table), this)), grid_(new QTableView(this))
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    grid_->setObjectName("Grid");
    grid_->setModel(model_);
    grid_->verticalHeader()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    resize(720, 420);
}

void RecordListWindow::closeEvent(QCloseEvent* event)
{
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace voltaryn
