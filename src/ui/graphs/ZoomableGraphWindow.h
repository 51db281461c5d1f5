#pragma once

#include "graphs/GraphSettings.h"
#include "graphs/TrackModes.h"
#include "ui/common/DialogService.h"
#include "ui/graphs/GraphCursors.h"

#include <QWidget>

#include <vector>

class QCPAxis;
class QCPRange;
class QComboBox;
class QCustomPlot;
class QGroupBox;
class QGridLayout;
class QLabel;
class QPlainTextEdit;
class QVBoxLayout;

namespace voltaryn {

class NumberField;

// What the detail graph and the column plot share: the graph (`CWGraph1`) and, in the frame
// `FrmGraphic` beside it, the track-mode selector with its help text, the range fields, the read-out
// of cursor 1, "Reset Scale" and "Print Graph". Each window adds what only it shows.
class ZoomableGraphWindow : public QWidget {
    Q_OBJECT
public:
    QCustomPlot& Graph() const { return *graph_; }
    GraphCursors& Cursors() { return *cursors_; }
    // Selects a track mode, as the selector does: its gesture, its help text and its cursor rule.
    void ChooseTrackMode(int index);
    // Prints the window's image through the printer dialog; a cancelled dialog prints nothing.
    void Print();

protected:
    ZoomableGraphWindow(ZoomableGraph kind, DialogService& dialogs, QWidget* parent);

    // The graph's first value axis still shown: the one the range fields and cursors act on.
    QCPAxis& ValueAxis() const;
    // Fills the range fields, which apply themselves to the axes as each window's rule says.
    void ShowRanges(const QCPRange& horizontal, const QCPRange& vertical);
    // How the vertical range fields step and show their values.
    void SetValueFieldFormat(const FieldFormat& format);
    // The grid the window's own parts go in: the graph is at row 1, column 0, the controls in
    // column 2; column 1 and rows 0 and 2 are the window's own.
    QGridLayout& Body() { return *body_; }
    QGroupBox& Controls() { return *controls_; }

    virtual bool AppliesFieldChange(bool maxField) const = 0;
    virtual void Reset() = 0;
    virtual void PrepareForPrint() {}
    // The window's own background, restored after printing.
    virtual QColor Background() const = 0;
    void SetBackground(const QColor& colour);
    void SetGraphBackground(const QColor& colour);

private:
    void AddControls();
    void AddTrackModeSelector(QVBoxLayout& column);
    void AddRangeFields(QVBoxLayout& column);
    void AddCursorReadOut(QVBoxLayout& column);
    void ApplyRangeFields();
    void ShowReadOut(int cursor, QPointF position);

    ZoomableGraph kind_;
    QColor graphBackground_ = Qt::white;
    DialogService& dialogs_;
    std::vector<TrackMode> modes_;
    QCustomPlot* graph_;
    GraphCursors* cursors_;
    QGridLayout* body_;
    QGroupBox* controls_ = nullptr;
    QComboBox* selector_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
    NumberField* min_[2] = {};
    NumberField* max_[2] = {};
    QLabel* xPosition_ = nullptr;
    QLabel* yPosition_ = nullptr;
};

} // namespace voltaryn
