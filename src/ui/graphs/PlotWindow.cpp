#include "ui/graphs/PlotWindow.h"

#include "ui/common/QtText.h"
#include "ui/graphs/ChannelGraph.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

// Markers stand this far off their point, "Pause" above and "Start" below, so that a pause and
// the start right after it do not cover each other.
constexpr double MarkerOffset = 22;

QColor ButtonFace() { return QApplication::palette().color(QPalette::Button); }

} // namespace

PlotWindow::PlotWindow(DialogService& dialogs, QWidget* mainWindow)
    : ZoomableGraphWindow(ZoomableGraph::Plot, dialogs, mainWindow), line_(Graph().addGraph()),
      messages_(new QWidget(this))
{
    setObjectName("Plot");
    setWindowTitle("Plot");
    SetBackground(ButtonFace());
    line_->setPen(QPen(QColor(0, 0, 160), 1));
    line_->setAdaptiveSampling(true);
    Graph().xAxis->setLabel("Time");
    TickWholeNumbers(*Graph().xAxis);
    AddHeader();
    messages_->setObjectName("FrmMessage");
    auto* column = new QVBoxLayout(messages_);
    column->addStretch();
    Body().addWidget(messages_, 1, 1);
}

void PlotWindow::AddHeader()
{
    auto* header = new QHBoxLayout;
    for (const auto& [name, caption] : {std::pair{"Company", "Company:"}, {"Sector", "Sector:"}, {"Name", "Name:"}}) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("Lbl%1").arg(name));
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("Txt%1").arg(name));
        label->setBuddy(field);
        header->addWidget(label);
        header->addWidget(field, 1);
    }
    auto* title = new QLabel(this);
    title->setObjectName("Label4");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    header->addWidget(title, 1, Qt::AlignRight);
    Body().addLayout(header, 0, 0);
}

void PlotWindow::Draw(const PlotParameters& parameters, const ColumnReader& column, const QStringList& messages)
{
    parameters_ = parameters;
    ChooseTrackMode(0);
    Cursors().RemoveAll();
    Graph().clearItems();
    const QString name = ToQString(parameters.PlotName);
    Graph().yAxis->setLabel(name);
    findChild<QLabel*>("Label4")->setText(name);
    findChild<QLabel*>("Label2")->setText(name + " :");
    line_->setData(QVector<double>(column.Keys().begin(), column.Keys().end()),
                   QVector<double>(column.Values().begin(), column.Values().end()), true);

    QLayout& lines = *messages_->layout();
    for (QLabel* old : messages_->findChildren<QLabel*>())
        delete old;
    for (const QString& text : messages) {
        auto* label = new QLabel(text, messages_);
        label->setObjectName("LblMessage");
        label->setFont(QFont("Lucida Console"));
        static_cast<QVBoxLayout&>(lines).insertWidget(lines.count() - 1, label);
    }
    Reset();
}

void PlotWindow::AddPlotMarker(std::size_t record, const QString& text)
{
    auto* point = new QCPItemTracer(&Graph());
    point->setGraph(line_);
    point->setGraphKey(static_cast<double>(record));
    point->setInterpolating(false);
    point->setStyle(QCPItemTracer::tsCircle);
    point->setSize(6);
    point->setPen(QPen(Qt::red));

    auto* caption = new QCPItemText(&Graph());
    caption->setText(text);
    caption->position->setType(QCPItemPosition::ptAbsolute);
    caption->position->setParentAnchor(point->position);
    const bool above = text == "Pause";
    caption->position->setCoords(0, above ? -MarkerOffset : MarkerOffset);
    caption->setPositionAlignment(Qt::AlignHCenter | (above ? Qt::AlignBottom : Qt::AlignTop));
    caption->setPadding(QMargins(3, 1, 3, 1));
    caption->setBrush(QBrush(QColor(255, 255, 255, 220)));
    caption->setPen(QPen(Qt::red));
    caption->setColor(Qt::red);
    caption->setClipToAxisRect(false);

    auto* pointer = new QCPItemLine(&Graph());
    for (QCPItemPosition* end : {pointer->start, pointer->end})
        end->setType(QCPItemPosition::ptAbsolute);
    pointer->start->setParentAnchor(caption->position);
    pointer->end->setParentAnchor(point->position);
    pointer->setPen(QPen(Qt::red));
    Graph().replot(QCustomPlot::rpQueuedReplot);
}

void PlotWindow::Reset()
{
    const auto records = static_cast<double>(parameters_.PlotRecords);
    ShowRanges(QCPRange(1, records), QCPRange(parameters_.PlotMin, parameters_.PlotMax));
    Graph().xAxis->setRange(1, records);
    Graph().yAxis->setRange(parameters_.PlotMin, parameters_.PlotMax);
    Graph().replot(QCustomPlot::rpQueuedReplot);
}

void PlotWindow::PrepareForPrint()
{
    ChooseTrackMode(0);
    Cursors().RemoveAll();
}

QColor PlotWindow::Background() const { return ButtonFace(); }

} // namespace voltaryn
