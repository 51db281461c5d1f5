#include "ui/lists/RecordListWindow.h"

#include "files/ListExport.h"
#include "ui/common/GridColumns.h"
#include "ui/common/QtText.h"
#include "ui/common/ScreenFit.h"
#include "ui/common/TintedIcon.h"
#include "ui/common/WaitCursor.h"
#include "ui/lists/GridPrinter.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace voltaryn {
namespace {

// Rows shown before the list starts to follow its newest row.
constexpr int RowsBeforeScrolling = 15;

} // namespace

// Marks the window busy for as long as it lives; deletes a window closed meanwhile afterwards.
class RecordListWindow::Busy {
public:
    explicit Busy(RecordListWindow& window) : window_(window) { SetBusy(true); }
    ~Busy()
    {
        SetBusy(false);
        if (window_.closedWhileBusy_)
            window_.deleteLater();
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    void SetBusy(bool busy)
    {
        window_.busy_ = busy;
        if (window_.toolbar_ != nullptr)
            window_.toolbar_->setEnabled(!busy);
    }

    RecordListWindow& window_;
};

RecordListWindow::RecordListWindow(const ListLayout& layout, ListServices services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), model_(new RecordTableModel({layout.Titles(), {}}, this)),
      grid_(new QTableView(this)), layout_(new QVBoxLayout(this))
{
    setObjectName(layout.objectName);
    setWindowTitle(layout.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    layout_->setContentsMargins(0, 0, 0, 0);
    if (!layout.toolbarKeys.isEmpty())
        AddToolbar(layout.toolbarKeys);

    grid_->setObjectName("Grid");
    grid_->setAccessibleName(layout.caption + " records");
    grid_->setModel(model_);
    grid_->verticalHeader()->hide();
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setAutoScroll(false);  // the list scrolls by its own rule, not to the current row
    grid_->setWordWrap(false);
    int width = 0;
    for (std::size_t column = 0; column < layout.columns.size(); ++column) {
        const int columnWidth = ColumnWidthFor(*grid_, layout.columns[column].widthSample);
        grid_->setColumnWidth(static_cast<int>(column), columnWidth);
        width += columnWidth;
    }
    layout_->addWidget(grid_);
    resize(width + grid_->verticalScrollBar()->sizeHint().width() + 4, 420);
}

void RecordListWindow::AddToolbar(const QStringList& keys)
{
    struct Button {
        const char* key;
        const char* icon;
        QKeySequence::StandardKey shortcut;
    };
    constexpr Button Buttons[] = {{"Save", "document-save-as-symbolic", QKeySequence::Save},
                                  {"Print", "document-print-symbolic", QKeySequence::Print},
                                  {"Plot", ":/icons/graph-symbolic.svg", QKeySequence::UnknownKey}};
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("Toolbar1");
    for (const QString& key : keys) {
        for (const Button& button : Buttons) {
            if (key.compare(button.key, Qt::CaseInsensitive) != 0)
                continue;
            const QString icon = button.icon;
            QAction* action = toolbar_->addAction(
                TintedIcon(icon.startsWith(':') ? QIcon(icon) : QIcon::fromTheme(icon), toolbar_->iconSize(),
                           palette().color(QPalette::WindowText), palette().color(QPalette::Disabled, QPalette::WindowText)),
                button.key);
            action->setObjectName(key);
            action->setShortcut(button.shortcut);
            if (!action->shortcut().isEmpty())
                action->setToolTip(action->text() + "  (" + action->shortcut().toString(QKeySequence::NativeText) + ")");
        }
    }
    connect(toolbar_, &QToolBar::actionTriggered, this, [this](QAction* action) {
        if (action->objectName().compare("Save", Qt::CaseInsensitive) == 0)
            Save();
        else if (action->objectName() == "Print")
            Print();
        else
            emit toolbarKeyClicked(action->objectName());
    });
    layout_->addWidget(toolbar_);
}

void RecordListWindow::AppendRowInView(RecordRow row)
{
    model_->AppendRow(std::move(row));
    FollowLastRow();
}

void RecordListWindow::FollowLastRow()
{
    const int rows = model_->rowCount();
    if (rows == 0)
        return;
    grid_->setCurrentIndex(model_->index(rows - 1, 0));
    if (rows > RowsBeforeScrolling) {
        grid_->doItemsLayout();  // the scroll range must include the new rows before it scrolls
        grid_->verticalScrollBar()->setValue(rows - RowsBeforeScrolling);
    }
}

void RecordListWindow::Save()
{
    const Busy busy(*this);
    DialogService& dialogs = services_.dialogs;
    if (services_.recorder.Recording()) {
        dialogs.ShowMessage(this, MessageIcon::Critical, "Aready in recording mode, close it and try again !");
        return;
    }
    const QString file = dialogs.AskSaveFileName(this, ListFileFilter);
    if (file.isEmpty())
        return;
    const WaitCursor wait;
    const QString caption = windowTitle();
    const FileStatus status = SaveGridFile(file.toStdString(), model_->Table(), [this](int row) {
        setWindowTitle(QString::number(row) + "Records Completed");
        services_.pump.LetEventsRun();
    });
    setWindowTitle(caption);
    if (!status.Ok())
        dialogs.ShowMessage(this, MessageIcon::Critical, ToQString(status.error));
}

void RecordListWindow::Print()
{
    const Busy busy(*this);
    if (PrintGrid(services_.dialogs, this, model_->Table(), &services_.pump).status == PrintStatus::PrinterFailed)
        services_.dialogs.ShowMessage(this, MessageIcon::Critical, tr("The printer could not be started."));
}

void RecordListWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // However it was placed, the whole list (its scroll bar included) is on the main window's screen.
    KeepOnScreen(*this, parentWidget() != nullptr ? *parentWidget()->window() : *this);
}

void RecordListWindow::closeEvent(QCloseEvent* event)
{
    if (!closedWhileBusy_)
        emit closed();
    if (busy_) {
        // Saving or printing still reads the rows: the window goes when it is done (see Busy).
        closedWhileBusy_ = true;
        event->ignore();
        hide();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace voltaryn
