#include "ui/strings/WalkWindow.h"

#include "ui/cells/CaptureTile.h"
#include "ui/common/NamedButton.h"
#include "ui/strings/StringChartView.h"
#include "ui/strings/TrendChartView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace voltaryn {

WalkWindow::WalkWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), sites_(new QComboBox(this)), strings_(new QComboBox(this)), against_(new QComboBox(this)),
      tile_(new CaptureTile(this)), chart_(new StringChartView(this)), tabs_(new QTabWidget(this)),
      readings_(new QTableWidget(this)), trend_(new TrendChartView(this)), forecast_(new QLabel(this)),
      notice_(new QLabel(this))
{
    setObjectName("walkWindow");
    setWindowTitle(tr("String Inspection"));
    sites_->setObjectName("walkSite");
    strings_->setObjectName("walkString");
    against_->setObjectName("walkAgainst");
    readings_->setObjectName("walkReadings");
    notice_->setObjectName("walkNotice");
    forecast_->setObjectName("trendForecast");
    tabs_->setObjectName("walkTabs");
    notice_->setWordWrap(true);
    readings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    readings_->setSelectionBehavior(QAbstractItemView::SelectRows);
    readings_->verticalHeader()->hide();
    readings_->setFocusPolicy(Qt::NoFocus);

    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(chart_);
    auto* trendPage = new QWidget(this);
    auto* trendColumn = new QVBoxLayout(trendPage);
    trendColumn->addWidget(trend_, 1);
    trendColumn->addWidget(forecast_);
    tabs_->addTab(readings_, tr("Readings"));
    tabs_->addTab(trendPage, tr("Trend"));
    tabs_->setFocusPolicy(Qt::NoFocus);
    right->addWidget(tabs_);
    auto* body = new QSplitter(Qt::Horizontal, this);
    body->addWidget(tile_);
    body->addWidget(right);
    // The tile takes a third of the width, so that its lines read from a metre away.
    tile_->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    body->setStretchFactor(0, 1);
    body->setStretchFactor(1, 2);
    auto* column = new QVBoxLayout(this);
    column->addLayout(Chooser());
    column->addWidget(body, 1);
    column->addWidget(Buttons());
    column->addWidget(notice_);

    connect(sites_, &QComboBox::textActivated, this, [this] {
        strings_->clear();
        for (const store::StringInfo& string : known_)
            if (string.site == sites_->currentText())
                strings_->addItem(string.name);
        ChooseString();
    });
    connect(strings_, &QComboBox::textActivated, this, &WalkWindow::ChooseString);
    connect(against_, &QComboBox::activated, this, [this](int index) { emit comparisonChosen(index - 1); });
    connect(chart_, &StringChartView::blockClicked, this, &WalkWindow::SelectBlock);
}

// Site and string, their editing, and the inspection compared with.
QLayout* WalkWindow::Chooser()
{
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(new QLabel(tr("Site:"), this));
    chooser->addWidget(sites_, 1);
    chooser->addWidget(new QLabel(tr("String:"), this));
    chooser->addWidget(strings_, 1);
    QPushButton* add = NamedButton("walkNewString", tr("New String…"), this);
    QPushButton* edit = NamedButton("walkEditString", tr("Edit…"), this);
    for (QPushButton* button : {add, edit}) {
        button->setFocusPolicy(Qt::NoFocus);
        chooser->addWidget(button);
    }
    chooser->addSpacing(fontMetrics().averageCharWidth() * 4);
    chooser->addWidget(new QLabel(tr("Compare with:"), this));
    chooser->addWidget(against_, 1);
    connect(add, &QPushButton::clicked, this, &WalkWindow::newStringRequested);
    connect(edit, &QPushButton::clicked, this, &WalkWindow::editStringRequested);
    return chooser;
}

QWidget* WalkWindow::Buttons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [this, layout](const char* name, const QString& text, const QKeySequence& key, auto action) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setMinimumHeight(56);
        button->setFocusPolicy(Qt::NoFocus);  // Space and Return belong to the walk
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.4);
        button->setFont(font);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, action);
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add("walkBack", tr("◀ Back (⌫)"), QKeySequence(Qt::Key_Backspace), [this] { emit backRequested(); });
    add("walkSkip", tr("Skip — missing (Space)"), QKeySequence(Qt::Key_Space), [this] { emit skipRequested(); });
    add("walkRetest", tr("Retest selected (⏎)"), QKeySequence(Qt::Key_Return), [this] {
        if (selected_ != 0)
            emit retestRequested(selected_);
    });
    add("walkGoTo", tr("Go to… (G)"), QKeySequence(Qt::Key_G), [this] { emit goToRequested(); });
    add("walkReport", tr("Report…"), QKeySequence(tr("Ctrl+P")), [this] { emit reportRequested(); });
    const auto step = [this](int by) {
        const int blocks = static_cast<int>(chart_->Chart().bars.size());
        if (blocks > 0)
            SelectBlock(std::clamp(selected_ == 0 ? 1 : selected_ + by, 1, blocks));
    };
    connect(new QShortcut(QKeySequence(Qt::Key_Left), this), &QShortcut::activated, this, [step] { step(-1); });
    connect(new QShortcut(QKeySequence(Qt::Key_Right), this), &QShortcut::activated, this, [step] { step(1); });
    return row;
}

void WalkWindow::ChooseString()
{
    if (!sites_->currentText().isEmpty() && !strings_->currentText().isEmpty())
        emit stringChosen(sites_->currentText(), strings_->currentText());
}

void WalkWindow::SetStrings(const std::vector<store::StringInfo>& strings, const QString& site, const QString& string)
{
    known_ = strings;
    sites_->clear();
    strings_->clear();
    for (const store::StringInfo& known : known_) {
        if (sites_->findText(known.site) < 0)
            sites_->addItem(known.site);
        if (known.site == site)
            strings_->addItem(known.name);
    }
    sites_->setCurrentText(site);
    strings_->setCurrentText(string);
}

void WalkWindow::SetComparisons(const QStringList& inspections, int chosen)
{
    against_->clear();
    against_->addItem(tr("No earlier inspection"));
    against_->addItems(inspections);
    against_->setCurrentIndex(chosen + 1);
}

void WalkWindow::ShowChart(report::StringChart chart) { chart_->Show(std::move(chart)); }

void WalkWindow::SelectBlock(int block)
{
    selected_ = block;
    ShowNotice(tr("Block %1 chosen: Return retests it").arg(block));
    emit blockChosen(block);
}

void WalkWindow::ShowReadings(const QStringList& header, const std::vector<QStringList>& rows,
                              const std::vector<QColor>& colours)
{
    readings_->clearContents();
    readings_->setColumnCount(static_cast<int>(header.size()));
    readings_->setHorizontalHeaderLabels(header);
    readings_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < readings_->rowCount(); ++row) {
        const QStringList& texts = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < static_cast<int>(texts.size()); ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column == 0 && colours[static_cast<std::size_t>(row)].isValid())
                item->setBackground(colours[static_cast<std::size_t>(row)]);
            readings_->setItem(row, column, item);
        }
    }
    readings_->resizeColumnsToContents();
    if (readings_->rowCount() > 0)
        readings_->scrollToBottom();
}

void WalkWindow::ShowNotice(const QString& text) { notice_->setText(text); }

void WalkWindow::ShowTrend(std::optional<strings::BlockTrend> trend, std::optional<strings::ChangeLimits> limits,
                           const QString& forecast)
{
    tabs_->setTabText(1, trend ? tr("Trend of block %1").arg(trend->block) : tr("Trend"));
    trend_->Show(std::move(trend), limits);
    forecast_->setText(forecast);
}

} // namespace voltaryn
