#include "ui/graphs/ZoomableGraphWindow.h"

#include "ui/common/NumberField.h"
#include "ui/common/QtText.h"
#include "ui/graphs/WindowImagePrint.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

// A frame inside the controls' frame. Qt names a widget in a group box after the box's title, so
// a frame of its own would be read out as "Graphic Plot" too: it is named after its own title.
QGroupBox* InnerFrame(const QString& title, QWidget* controls)
{
    auto* frame = new QGroupBox(title, controls);
    frame->setAccessibleName(title);
    return frame;
}

// Field 1 of a pair acts on the horizontal axis, field 2 on the vertical one.
NumberField* RangeField(bool maximum, int index, const char* pattern, QWidget* parent)
{
    auto* field = new NumberField(Indexed(maximum ? "AxisMax" : "AxisMin", index), pattern, parent);
    field->setAccessibleName(QStringLiteral("%1 axis %2").arg(index == 1 ? "Horizontal" : "Vertical",
                                                              maximum ? "maximum" : "minimum"));
    return field;
}

QLabel* ReadOut(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(120);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

Qt::Orientations Orientations(const TrackMode& mode)
{
    Qt::Orientations orientations;
    orientations.setFlag(Qt::Horizontal, mode.Horizontal);
    orientations.setFlag(Qt::Vertical, mode.Vertical);
    return orientations;
}

} // namespace

ZoomableGraphWindow::ZoomableGraphWindow(ZoomableGraph kind, DialogService& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), kind_(kind), dialogs_(dialogs), modes_(TrackModes(kind)),
      graph_(new QCustomPlot(this)), cursors_(new GraphCursors(*graph_)), body_(new QGridLayout(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    graph_->setObjectName("CWGraph1");
    graph_->setMinimumSize(480, 320);
    graph_->setNoAntialiasingOnDrag(true);
    body_->addWidget(graph_, 1, 0);
    body_->setColumnStretch(0, 1);
    body_->setRowStretch(1, 1);
    AddControls();
    connect(cursors_, &GraphCursors::moved, this, &ZoomableGraphWindow::ShowReadOut);
    ChooseTrackMode(0);
}

void ZoomableGraphWindow::AddControls()
{
    controls_ = new QGroupBox("Graphic Plot", this);
    controls_->setObjectName("FrmGraphic");
    auto* column = new QVBoxLayout(controls_);
    AddTrackModeSelector(*column);
    AddRangeFields(*column);
    AddCursorReadOut(*column);

    auto* reset = new QPushButton("Reset Scale", controls_);
    reset->setObjectName("CmdReset");
    connect(reset, &QPushButton::clicked, this, [this] { Reset(); });
    auto* print = new QPushButton("Print Graph", controls_);
    print->setObjectName("CmdPrint");
    connect(print, &QPushButton::clicked, this, &ZoomableGraphWindow::Print);
    column->addWidget(reset);
    column->addWidget(print);
    column->addStretch();
    controls_->setMaximumWidth(340);
    // The controls keep the usual colours, readable on either window's background.
    QPalette usual = QApplication::palette();
    usual.setColor(QPalette::Window, usual.color(QPalette::Window));
    controls_->setPalette(usual);
    controls_->setAutoFillBackground(true);
    body_->addWidget(controls_, 0, 2, 3, 1);
}

// The plot keeps its track-mode selector in a frame of its own.
void ZoomableGraphWindow::AddTrackModeSelector(QVBoxLayout& column)
{
    const bool plot = kind_ == ZoomableGraph::Plot;
    QWidget* trackParent = controls_;
    QVBoxLayout* track = &column;
    if (plot) {
        auto* trackFrame = InnerFrame("Track Mode", controls_);
        trackFrame->setObjectName("FrmTrackMode");
        column.addWidget(trackFrame);
        trackParent = trackFrame;
        track = new QVBoxLayout(trackFrame);
    }
    selector_ = new QComboBox(trackParent);
    selector_->setObjectName("Combo1");
    selector_->setAccessibleName(tr("Track mode"));
    for (const TrackMode& mode : modes_)
        selector_->addItem(ToQString(mode.Name));
    description_ = new QPlainTextEdit(trackParent);
    description_->setObjectName("txtDescription");
    description_->setReadOnly(true);
    description_->setFixedHeight(description_->fontMetrics().lineSpacing() * 4 + 12);
    track->addWidget(selector_);
    track->addWidget(description_);
    connect(selector_, &QComboBox::activated, this, &ZoomableGraphWindow::ChooseTrackMode);
}

void ZoomableGraphWindow::AddRangeFields(QVBoxLayout& column)
{
    const bool plot = kind_ == ZoomableGraph::Plot;
    auto* range = InnerFrame("Graph Range", controls_);
    auto* fields = new QGridLayout(range);
    fields->addWidget(new QLabel("Min", range), 0, 1);
    fields->addWidget(new QLabel("Max", range), 0, 2);
    fields->addWidget(new QLabel("No.s", range), 1, 0);
    fields->addWidget(new QLabel("Value", range), 2, 0);
    for (int index = 1; index <= 2; ++index) {
        // Sample numbers and times show as they are; values with the window's decimals.
        const char* pattern = index == 1 ? "" : (plot ? "0.000" : "0.0");
        NumberField*& min = min_[index - 1];
        NumberField*& max = max_[index - 1];
        min = RangeField(false, index, pattern, range);
        max = RangeField(true, index, pattern, range);
        fields->addWidget(min, index, 1);
        fields->addWidget(max, index, 2);
        connect(min, &NumberField::valueChanged, this, [this] {
            if (AppliesFieldChange(false))
                ApplyRangeFields();
        });
        connect(max, &NumberField::valueChanged, this, [this] {
            if (AppliesFieldChange(true))
                ApplyRangeFields();
        });
    }
    column.addWidget(range);
}

void ZoomableGraphWindow::AddCursorReadOut(QVBoxLayout& column)
{
    const bool plot = kind_ == ZoomableGraph::Plot;
    auto* cursor = InnerFrame("Cursor Information", controls_);
    auto* readOut = new QGridLayout(cursor);
    auto* xCaption = new QLabel(plot ? "Time :" : "No.s ( X ) :", cursor);
    xCaption->setObjectName("Label1");
    auto* yCaption = new QLabel(plot ? "No.s ( Y ) :" : "Value ( Y ) :", cursor);
    yCaption->setObjectName("Label2");
    xPosition_ = ReadOut("XPosition", cursor);
    yPosition_ = ReadOut("YPosition", cursor);
    readOut->addWidget(xCaption, 0, 0);
    readOut->addWidget(xPosition_, 0, 1);
    readOut->addWidget(yCaption, 1, 0);
    readOut->addWidget(yPosition_, 1, 1);
    column.addWidget(cursor);
}

void ZoomableGraphWindow::ChooseTrackMode(int index)
{
    const TrackMode& mode = modes_.at(static_cast<std::size_t>(index));
    selector_->setCurrentIndex(index);
    description_->setPlainText(ToQString(mode.Help));

    QList<QCPAxis*> horizontal;
    QList<QCPAxis*> vertical;
    if (mode.Horizontal)
        horizontal << graph_->xAxis;
    if (mode.Vertical)
        vertical << &ValueAxis();
    QCPAxisRect& rect = *graph_->axisRect();
    const bool pan = mode.Gesture == TrackGesture::Pan;
    const bool zoom = mode.Gesture == TrackGesture::Zoom;
    graph_->setInteraction(QCP::iRangeDrag, pan);
    rect.setRangeDrag(pan ? Orientations(mode) : Qt::Orientations());
    rect.setRangeDragAxes(pan ? horizontal : QList<QCPAxis*>(), pan ? vertical : QList<QCPAxis*>());
    graph_->setSelectionRectMode(zoom ? QCP::srmZoom : QCP::srmNone);
    rect.setRangeZoom(zoom ? Orientations(mode) : Qt::Orientations());
    rect.setRangeZoomAxes(zoom ? horizontal : QList<QCPAxis*>(), zoom ? vertical : QList<QCPAxis*>());
    cursors_->SetDraggable(mode.Gesture == TrackGesture::None);

    switch (mode.Cursors) {
    case CursorRule::Keep: break;
    case CursorRule::CreateIfNone: {
        const QCPRange x = graph_->xAxis->range();
        const QCPRange y = ValueAxis().range();
        const GraphPoint middle = CursorStart(x.lower, x.upper, y.lower, y.upper);
        if (cursors_->Count() == 0)
            cursors_->Add(ValueAxis(), {middle.X, middle.Y}, QColor(255, 0, 0));
        else
            cursors_->Move(0, {middle.X, middle.Y});
        break;
    }
    case CursorRule::PutAway:
        if (kind_ == ZoomableGraph::Plot)
            cursors_->RemoveAll();
        else
            cursors_->SetVisible(false);
        break;
    }
}

QCPAxis& ZoomableGraphWindow::ValueAxis() const
{
    const QList<QCPAxis*> axes = graph_->axisRect()->axes(QCPAxis::atLeft);
    for (QCPAxis* axis : axes)
        if (axis->visible())
            return *axis;
    return *axes.front();
}

void ZoomableGraphWindow::ShowRanges(const QCPRange& horizontal, const QCPRange& vertical)
{
    min_[0]->SetValue(static_cast<float>(horizontal.lower));
    max_[0]->SetValue(static_cast<float>(horizontal.upper));
    min_[1]->SetValue(static_cast<float>(vertical.lower));
    max_[1]->SetValue(static_cast<float>(vertical.upper));
}

void ZoomableGraphWindow::SetValueFieldFormat(const FieldFormat& format)
{
    for (NumberField* field : {min_[1], max_[1]}) {
        field->SetPattern(std::string(format.Pattern));
        field->SetStep(format.Step);
    }
}

// Both axes from the fields, horizontal first; a minimum above its maximum goes to the graph as it is.
void ZoomableGraphWindow::ApplyRangeFields()
{
    graph_->xAxis->setRange(QCPRange(min_[0]->Value(), max_[0]->Value()));
    ValueAxis().setRange(QCPRange(min_[1]->Value(), max_[1]->Value()));
    graph_->replot(QCustomPlot::rpQueuedReplot);
}

void ZoomableGraphWindow::ShowReadOut(int cursor, QPointF position)
{
    if (cursor != 0)
        return;  // the read-out follows cursor 1 only
    xPosition_->setText(ToQString(XPositionText(position.x())));
    yPosition_->setText(ToQString(YPositionText(kind_, position.y())));
}

void ZoomableGraphWindow::SetBackground(const QColor& colour)
{
    QPalette background = palette();
    background.setColor(QPalette::Window, colour);
    setPalette(background);
}

void ZoomableGraphWindow::SetGraphBackground(const QColor& colour)
{
    graphBackground_ = colour;
    graph_->setBackground(colour);
}

void ZoomableGraphWindow::Print()
{
    PrepareForPrint();
    QPrinter printer;
    if (!dialogs_.ChoosePrinter(this, printer))
        return;
    SetBackground(palette().color(QPalette::HighlightedText));
    controls_->hide();
    graph_->setBackground(Qt::white);
    layout()->activate();
    graph_->replot();
    const QPixmap image = grab();
    SetBackground(Background());
    controls_->show();
    graph_->setBackground(graphBackground_);
    graph_->replot(QCustomPlot::rpQueuedReplot);
    PrintWindowImage(printer, image);
}

} // namespace voltaryn
