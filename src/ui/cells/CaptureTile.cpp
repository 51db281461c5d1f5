#include "ui/cells/CaptureTile.h"

#include "ui/cells/GradeColour.h"
#include "ui/common/DisplayNumbers.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace voltaryn {
namespace {

// A grade's name is a letter or two; a self-discharge verdict a word, set smaller so that it fits.
constexpr int GradePoints = 96;
constexpr int VerdictPoints = 48;
// The lettering fills this share of the tile's height, the rest is the space between its lines;
// beyond these bounds of its full size it stops following the tile.
constexpr double LetteringShare = 0.8;
constexpr double MinimumScale = 0.3;
constexpr double MaximumScale = 3.0;

QLabel* Lettering(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    // The tile gives each line its share; the lettering fits the line, not the other way round.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

int LineHeight(const QFont& font, int points)
{
    QFont sized = font;
    sized.setPointSizeF(points);
    return QFontMetrics(sized).height();
}

} // namespace

CaptureTile::CaptureTile(QWidget* parent)
    : QFrame(parent), lines_{{{Lettering("tileGrade", this), GradePoints, 1},
                              {Lettering("tileVoltage", this), 40, 1},
                              {Lettering("tileResistance", this), 40, 1},
                              {Lettering("tileCaption", this), 24, 2},
                              {Lettering("tileState", this), 28, 2}}}
{
    setObjectName("tile");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* column = new QVBoxLayout(this);
    int height = 0;
    for (const Line& line : lines_) {
        const int lineHeight = LineHeight(line.label->font(), line.points) * line.textLines;
        column->addWidget(line.label, lineHeight);
        height += lineHeight;
    }
    for (QLabel* wrapped : {lines_[3].label, lines_[4].label})
        wrapped->setWordWrap(true);
    setMinimumHeight(static_cast<int>(height * MinimumScale));
    setMinimumWidth(fontMetrics().averageCharWidth() * 24);
}

void CaptureTile::ShowCapture(const cells::Grade& grade, const QString& voltageText, const QString& resistanceText,
                              const QString& caption)
{
    ShowLines(QColor(QString::fromStdString(grade.Colour)), QString::fromStdString(grade.Name), GradePoints,
              DisplayNumbersIn(voltageText) + " V", DisplayNumbersIn(resistanceText), caption);
}

void CaptureTile::ShowLines(const QColor& background, const QString& headline, int headlinePoints,
                            const QString& voltage, const QString& resistance, const QString& caption)
{
    Paint(background);
    SetHeadline(headline, headlinePoints);
    lines_[1].label->setText(voltage);
    lines_[2].label->setText(resistance);
    lines_[3].label->setText(caption);
    FitLettering();
}

void CaptureTile::ShowRechecking(const QString& cell, const QString& voltageText)
{
    Clear();
    lines_[1].label->setText(DisplayNumbersIn(voltageText) + " V");
    lines_[3].label->setText(tr("Rechecking %1 …").arg(cell));
    FitLettering();
}

void CaptureTile::ShowRecheck(const cells::SelfDischargeResult& result, const QString& cell, const QString& voltageText)
{
    QString verdict;
    QColor background;
    switch (result.verdict) {
    case cells::SelfDischargeVerdict::Ok:
        verdict = tr("OK");
        background = QColor("#2e7d32");
        break;
    case cells::SelfDischargeVerdict::Suspect:
        verdict = tr("Suspect");
        background = QColor("#c62828");
        break;
    case cells::SelfDischargeVerdict::Early:
        verdict = tr("Early");
        background = QColor("#ff8f00");
        break;
    case cells::SelfDischargeVerdict::None: verdict = tr("No reference"); break;
    }
    Paint(background);
    SetHeadline(verdict, VerdictPoints);
    lines_[1].label->setText(DisplayNumbersIn(voltageText) + " V");
    lines_[2].label->setText(result.mvPerDay ? tr("%1 mV/day").arg(DisplayNumber(*result.mvPerDay, 1)) : QString());
    lines_[3].label->setText(result.voltageChange && result.days
                                 ? tr("%1: %2 mV in %3 days")
                                       .arg(cell, DisplayNumber(*result.voltageChange * 1000, 0), DisplayNumber(*result.days, 1))
                                 : tr("Rechecked %1").arg(cell));
    FitLettering();
}

void CaptureTile::Clear()
{
    Paint({});
    for (int line = 0; line < 4; ++line)
        lines_[line].label->clear();
}

void CaptureTile::ShowState(const QString& text)
{
    lines_[4].label->setText(text);
    FitLettering();
}

void CaptureTile::Paint(const QColor& background)
{
    QPalette palette;
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::WindowText, TextColourOn(background));
    }
    setPalette(palette);
}

void CaptureTile::SetHeadline(const QString& text, int points)
{
    lines_[0].points = points;
    lines_[0].label->setText(text);
}

void CaptureTile::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    FitLettering();
}

void CaptureTile::FitLettering()
{
    int fullHeight = 0;
    for (const Line& line : lines_)
        fullHeight += LineHeight(line.label->font(), line.points) * line.textLines;
    const double scale = std::clamp(LetteringShare * contentsRect().height() / fullHeight, MinimumScale,
                                    MaximumScale);
    for (const Line& line : lines_) {
        QFont font = line.label->font();
        font.setPointSizeF(line.points * scale);
        if (!line.label->wordWrap() && !line.label->text().isEmpty()) {
            const int width = QFontMetrics(font).horizontalAdvance(line.label->text());
            const int room = line.label->contentsRect().width();
            if (width > room && room > 0)
                font.setPointSizeF(std::max(1.0, font.pointSizeF() * room / width));
        }
        line.label->setFont(font);
    }
}

} // namespace voltaryn
