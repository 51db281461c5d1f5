#include "ui/memory/MemoryWindow.h"

#include "ui/common/ClickableLabel.h"
#include "ui/common/GridColumns.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace voltaryn {
namespace {

struct FileColumn {
    const char* title;
    const char* widthSample;
    Qt::Alignment alignment;
};

constexpr FileColumn FileColumns[] = {
    {"Set", " No.S ", Qt::AlignLeft | Qt::AlignVCenter},
    {"Time", "AAAAAAAAA00:00:00A", Qt::AlignCenter},
    {"Records", " Records ", Qt::AlignCenter},
};

QLabel* SunkenValue(QLabel* label, const char* name)
{
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QGroupBox* Framed(const char* caption, QLabel* value, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    (new QVBoxLayout(box))->addWidget(value);
    return box;
}

} // namespace

MemoryWindow::MemoryWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), model_(new QStandardItemModel(0, 3, this)), files_(new QTableView(this))
{
    setObjectName("Memory");
    setWindowTitle("Data Logger");
    setAttribute(Qt::WA_DeleteOnClose);

    files_->setObjectName("GridSet");
    files_->setAccessibleName("SD card files");
    QStringList titles;
    QStringList samples;
    for (const FileColumn& column : FileColumns) {
        titles << column.title;
        samples << column.widthSample;
    }
    SetUpPickList(*files_, *model_, titles, samples);
    connect(files_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        emit fileClicked(model_->item(index.row(), 0)->text().toInt(), model_->item(index.row(), 2)->text().toInt());
    });

    // A second grid that nothing fills, kept as the window always had it.
    auto* spare = new QTableView(this);
    spare->setObjectName("Grid");
    spare->setAccessibleName(tr("Unused records table"));
    spare->setModel(new QStandardItemModel(0, 7, spare));
    spare->hide();

    message_ = SunkenValue(new QLabel(this), "LblMessage");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files_, 1);
    AddSizePanels();
    layout->addWidget(message_);
    AddButtons();
}

void MemoryWindow::AddSizePanels()
{
    size_ = SunkenValue(new QLabel(this), "LblSize");
    auto* remain = new ClickableLabel(this);
    remain_ = SunkenValue(remain, "LblRemain");
    connect(remain, &ClickableLabel::clicked, this, &MemoryWindow::clearAutomaticClicked);
    auto* row = new QHBoxLayout;
    row->addWidget(Framed("Size", size_, this));
    row->addWidget(Framed("Remained", remain_, this));
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void MemoryWindow::AddButtons()
{
    auto* row = new QHBoxLayout;
    const std::pair<const char*, const char*> buttons[] = {
        {"CmdCompare", "Compare"}, {"CmdManual", "Read Manual"}, {"CmdClearManual", "Clear Manual"}};
    for (const auto& [name, caption] : buttons) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        row->addWidget(button);
    }
    connect(findChild<QPushButton*>("CmdClearManual"), &QPushButton::clicked, this, &MemoryWindow::clearManualClicked);
    // Two buttons the meter offers nothing behind: shown, as the window always had them, but
    // disabled, with the way to what the user may have looked for.
    const std::pair<const char*, QString> unavailable[] = {
        {"CmdCompare", tr("Not available: the meter compares its readings itself. "
                          "Its limits are in Tools > Comparator Limits.")},
        {"CmdManual", tr("Not available here: the manual records are read by Memory > Read Manual Records "
                         "once this window is closed.")}};
    for (const auto& [name, why] : unavailable) {
        auto* button = findChild<QPushButton*>(name);
        button->setEnabled(false);
        button->setToolTip(why);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void MemoryWindow::ShowCardSizes(std::uint32_t sizeK, std::uint32_t freeK)
{
    size_->setText(QString::number(sizeK) + " K");
    remain_->setText(QString::number(freeK) + " K");
}

void MemoryWindow::AddFile(int number, const QString& dateTime, int records)
{
    QList<QStandardItem*> row{new QStandardItem(QString::number(number)), new QStandardItem(dateTime),
                              new QStandardItem(QString::number(records))};
    for (int column = 0; column < 3; ++column)
        row[column]->setTextAlignment(FileColumns[column].alignment);
    model_->appendRow(row);
}

void MemoryWindow::ShowMessage(const QString& text) { message_->setText(text); }

} // namespace voltaryn
