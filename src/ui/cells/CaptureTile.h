#pragma once

#include "cells/Grades.h"
#include "cells/SelfDischarge.h"

#include <QFrame>

#include <array>

class QLabel;

namespace voltaryn {

// The Cell Sorting and Inspection windows' large tile, readable from across the bench: the last capture's grade
// in its colour, its voltage and resistance, what became of it, and the capture engine's state.
// Its lettering grows and shrinks with the tile, each line no wider than the tile.
class CaptureTile : public QFrame {
    Q_OBJECT
public:
    explicit CaptureTile(QWidget* parent = nullptr);

    void ShowCapture(const cells::Grade& grade, const QString& voltageText, const QString& resistanceText,
                     const QString& caption);
    // Any reading: the headline at `headlinePoints` (at the tile's full size), in `background`
    // (invalid: the window's own colours).
    void ShowLines(const QColor& background, const QString& headline, int headlinePoints, const QString& voltage,
                   const QString& resistance, const QString& caption);
    void ShowRechecking(const QString& cell, const QString& voltageText);
    void ShowRecheck(const cells::SelfDischargeResult& result, const QString& cell, const QString& voltageText);
    void Clear();
    void ShowState(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // A line of the tile with its lettering at full size, in points, and the lines of text it holds.
    struct Line {
        QLabel* label;
        int points;
        int textLines;
    };
    // The tile in `background` (invalid: the window's own colours), its text readable on it.
    void Paint(const QColor& background);
    void SetHeadline(const QString& text, int points);
    // Each line's lettering at the tile's scale, narrowed to the line's width where need be.
    void FitLettering();

    std::array<Line, 5> lines_;
};

} // namespace voltaryn
