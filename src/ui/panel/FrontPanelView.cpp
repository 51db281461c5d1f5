#include "ui/panel/FrontPanelView.h"

#include "ui/common/QtText.h"
#include "ui/panel/DisplayAccessible.h"
#include "ui/panel/KeyCap.h"
#include "ui/panel/LcdFonts.h"
#include "ui/panel/LcdSymbol.h"
#include "ui/panel/MeterBody.h"
#include "ui/panel/RangeKnob.h"
#include "ui/panel/ReadingDescription.h"
#include "ui/panel/SegmentLabel.h"

#include <QLabel>

#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace voltaryn {
namespace {

const QColor SegmentInk(0x1b, 0x21, 0x17);
const QColor PrintedWhite(0xdf, 0xe3, 0xe6);

struct AnnunciatorPlace {
    const char* name;
    const char* caption;
    int left;
    int top;
    StatusBit bit;
};

constexpr int AnnunciatorHeight = 210;

constexpr AnnunciatorPlace Annunciators[] = {
    {"LcdOADJ", "OADJ", 540, 1170, StatusBit::LcdOADJ},
    {"LcdHOLD", "HOLD", 1080, 1170, StatusBit::LcdHOLD},
    {"LcdAUTOHOLD", "AUTO-HOLD", 1640, 1170, StatusBit::LcdAUTOHOLD},
    {"LcdAM", "AM", 2760, 1170, StatusBit::LcdAM},
    {"LcdAvg", "AVG", 3210, 1170, StatusBit::LcdAvg},
    {"LcdInCap", "IN-CAP", 600, 2520, StatusBit::LcdCapLabels},
    {"LcdOutCap", "OUT-CAP", 1920, 2520, StatusBit::LcdCapLabels},
    {"LcdTCap", "T-CAP", 3240, 2520, StatusBit::LcdCapLabels},
    {"LcdCompUp", "COMP", 1320, 3030, StatusBit::LcdCompUp},
    {"LcdNo", "NO.", 1560, 3270, StatusBit::LcdNo},
    {"LcdPass", "PASS", 1280, 3480, StatusBit::LcdPass},
    {"LcdWarning", "WARNING", 1860, 3480, StatusBit::LcdWarning},
    {"LcdFail", "FAIL", 2720, 3480, StatusBit::LcdFail},
    {"LcdIntv", "INTV", 3320, 3480, StatusBit::LcdIntv},
    {"LcdTime", "TIME", 3930, 3480, StatusBit::LcdTime},
};

struct SymbolPlace {
    const char* name;
    int index;  // -1 for elements that are not part of an array
    Symbol symbol;
    layout::TwipRect where;
    StatusBit bit;
};

// The unit symbols keep a gap from the last digit of their field (digits end at 2085 and 4125).
constexpr SymbolPlace Symbols[] = {
    {"LcdAuto", -1, Symbol::Ring, {360, 1200, 150, 150}, StatusBit::LcdAuto},
    {"LcdBi", -1, Symbol::Beeper, {3600, 1170, 300, 210}, StatusBit::LcdBi},
    {"LcdBt", -1, Symbol::Battery, {4050, 1170, 330, 210}, StatusBit::LcdBt},
    {"LcdVm", -1, Symbol::Milli, {2125, 1560, 165, 150}, StatusBit::LcdVm},
    {"UnitV", -1, Symbol::Volt, {2125, 1740, 180, 195}, StatusBit::UnitV},
    {"UnitVOhm", -1, Symbol::Ohm, {2125, 1740, 195, 195}, StatusBit::UnitVOhm},
    {"LcdOhmm", -1, Symbol::Milli, {4160, 1560, 165, 150}, StatusBit::LcdOhmm},
    {"UnitOhm", -1, Symbol::Ohm, {4160, 1740, 195, 195}, StatusBit::UnitOhm},
    {"LcdAV", -1, Symbol::Volt, {2125, 2220, 180, 195}, StatusBit::LcdAV},
    {"UnitA", -1, Symbol::Amp, {2125, 2220, 180, 195}, StatusBit::UnitA},
    {"LcdTemV", -1, Symbol::Volt, {4160, 2040, 150, 150}, StatusBit::LcdTemV},
    {"UnitC", -1, Symbol::Celsius, {4160, 2190, 270, 195}, StatusBit::UnitC},
    {"UnitF", -1, Symbol::Fahrenheit, {4160, 2190, 270, 195}, StatusBit::UnitF},
    {"Lcdm", 0, Symbol::Milli, {1320, 2760, 150, 120}, StatusBit::Lcdm0},
    {"Lcdm", 1, Symbol::Milli, {2640, 2760, 150, 120}, StatusBit::Lcdm1},
    {"Lcdm", 2, Symbol::Milli, {3960, 2760, 150, 120}, StatusBit::Lcdm2},
    {"LcdAh", 0, Symbol::AmpHour, {1320, 2880, 255, 165}, StatusBit::LcdAh},
    {"LcdAh", 1, Symbol::AmpHour, {2640, 2880, 255, 165}, StatusBit::LcdAh},
    {"LcdAh", 2, Symbol::AmpHour, {3960, 2880, 255, 165}, StatusBit::LcdAh},
    {"LcdSqM", -1, Symbol::BoxedM, {2400, 3030, 195, 195}, StatusBit::LcdSqM},
    {"LcdSqR", -1, Symbol::BoxedR, {2400, 3240, 195, 195}, StatusBit::LcdSqR},
    {"LcdPercent", -1, Symbol::Percent, {1020, 3180, 165, 150}, StatusBit::LcdPercent},
    {"LineNo", -1, Symbol::Bar, {1560, 3240, 300, 15}, StatusBit::LcdNo},
};

// The four big numeric fields: digit cells at a fixed pitch, a point in the gap after each of the
// first three digits, and a minus bar in front.
struct NumericFieldPlace {
    NumericField field;
    const char* name;
    int top;
    int firstDigitLeft;
    StatusBit firstPoint;  // the field's three point bits follow each other
    std::optional<StatusBit> sign;
    int signLeft;
};

constexpr NumericFieldPlace NumericFields[] = {
    {NumericField::Voltage, "HighO", 1440, 735, StatusBit::HighODec1, StatusBit::HighONeg, 360},
    {NumericField::Resistance, "LowO", 1440, 2775, StatusBit::LowODec1, std::nullopt, 0},
    {NumericField::Current, "HighV", 1920, 735, StatusBit::HighVDec1, StatusBit::HighVNeg, 360},
    {NumericField::Temperature, "LowV", 1920, 2775, StatusBit::LowVDec1, StatusBit::LowVNeg, 2400},
};

constexpr int DigitPitch = 360;
constexpr int DigitWidth = 270;
constexpr int DigitBoxHeight = 555;
constexpr int DigitHeight = 360;   // lit height of a digit, centred in its box
constexpr int PointSize = 60;
constexpr int PointOffset = DigitPitch - 55;  // centre of the gap after a digit's lit segments
constexpr int SignWidth = 270;
constexpr int SignThickness = 50;
constexpr int SmallDigitHeight = 240;
constexpr int SmallFieldHeight = 330;
constexpr int DigitStretch = 85;

} // namespace

FrontPanelView::FrontPanelView(QWidget* parent) : QWidget(parent), twips_(Twips::For(*this))
{
    setObjectName(QStringLiteral("FrontPanel"));
    setFixedSize(twips_.Size(layout::View.width, layout::View.height));
    QPalette lcd = palette();
    lcd.setColor(QPalette::WindowText, SegmentInk);
    setPalette(lcd);
    ReadAsOneDisplay(*this);  // before anything asks for the view's accessible interface
    setAccessibleName(tr("Meter display"));

    AddBody();
    AddAnnunciators();
    AddSymbols();
    AddNumericFields();
    AddTextFields();
    AddKeyPictures();
    AddRangeSwitch();
    AddStaleCover();
    // An idle meter until the first display arrives: nothing lit, and every digit blank.
    for (const Indicator& indicator : indicators_)
        indicator.widget->hide();
}

QPoint FrontPanelView::ViewPoint(double left, double top) const
{
    return twips_.Point(static_cast<int>(std::lround(left)) - layout::View.left,
                        static_cast<int>(std::lround(top)) - layout::View.top);
}

void FrontPanelView::Place(QWidget* widget, const QString& name, const layout::TwipRect& where)
{
    widget->setObjectName(name);
    widget->setGeometry(twips_.Rect(where.left - layout::View.left, where.top - layout::View.top,
                                    where.width, where.height));
}

void FrontPanelView::AddBody()
{
    Place(new MeterBody(this), QStringLiteral("Image2"), layout::Body);
}

void FrontPanelView::AddAnnunciators()
{
    const QFont font = LabelFont(twips_.ToPixels(150));
    for (const AnnunciatorPlace& place : Annunciators) {
        auto* label = new QLabel(QString::fromLatin1(place.caption), this);
        label->setFont(font);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setObjectName(QString::fromLatin1(place.name));
        label->setGeometry(QRect(ViewPoint(place.left, place.top),
                                 QSize(label->sizeHint().width(), twips_.ToPixels(AnnunciatorHeight))));
        Bind(place.bit, label);
    }
}

void FrontPanelView::AddSymbols()
{
    for (const SymbolPlace& place : Symbols) {
        auto* symbol = new LcdSymbol(place.symbol, this);
        Place(symbol, place.index < 0 ? QString::fromLatin1(place.name) : Indexed(place.name, place.index),
              place.where);
        Bind(place.bit, symbol);
    }
}

void FrontPanelView::AddNumericFields()
{
    for (const NumericFieldPlace& place : NumericFields) {
        auto& digits = digits_.at(static_cast<std::size_t>(place.field));
        for (int i = 0; i < 4; ++i) {
            const int left = place.firstDigitLeft + i * DigitPitch;
            SegmentLabel* digit = AddSegmentLabel(Indexed(place.name, i + 1),
                                                  {left, place.top, DigitWidth, DigitBoxHeight}, 1, DigitHeight,
                                                  Qt::AlignLeft | Qt::AlignVCenter);
            digits.at(static_cast<std::size_t>(i)) = digit;
        }
        const int digitBottom = place.top + (DigitBoxHeight + DigitHeight) / 2;
        for (int point = 1; point <= 3; ++point) {
            const int gapCentre = place.firstDigitLeft + (point - 1) * DigitPitch + PointOffset;
            auto* dot = new LcdSymbol(Symbol::Dot, this);
            Place(dot, QStringLiteral("%1Dec(%2)").arg(QLatin1String(place.name)).arg(point),
                  {gapCentre - PointSize / 2, digitBottom - PointSize, PointSize, PointSize});
            Bind(static_cast<StatusBit>(static_cast<int>(place.firstPoint) + point - 1), dot);
        }
        if (place.sign) {
            auto* minus = new LcdSymbol(Symbol::Bar, this);
            Place(minus, QLatin1String(place.name) + QStringLiteral("Neg"),
                  {place.signLeft, place.top + (DigitBoxHeight - SignThickness) / 2, SignWidth, SignThickness});
            Bind(*place.sign, minus);
        }
    }
}

SegmentLabel* FrontPanelView::AddSegmentLabel(const QString& name, const layout::TwipRect& where, int cells,
                                              int digitHeight, Qt::Alignment alignment)
{
    auto* label = new SegmentLabel(cells, this);
    label->setFont(SegmentFont(twips_.ToPixels(digitHeight), DigitStretch));
    label->setAlignment(alignment);
    Place(label, name, where);
    return label;
}

void FrontPanelView::AddTextFields()
{
    constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
    constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
    // Each capacity text ends just left of its row's m and Ah.
    constexpr int UnitLefts[] = {1320, 2640, 3960};
    for (int row = 0; row < 3; ++row) {
        capacities_.at(static_cast<std::size_t>(row)) =
            AddSegmentLabel(Indexed("LblmAh", row), {UnitLefts[row] - 960, 2760, 900, SmallFieldHeight}, 4,
                            SmallDigitHeight, Right);
    }

    // Percentage digits from the left: LblPercent(2) is the leading "1" of 100.
    constexpr int PercentLefts[] = {870, 700, 540};
    for (int i = 0; i < 3; ++i) {
        SegmentLabel* digit = AddSegmentLabel(Indexed("LblPercent", i), {PercentLefts[i], 3060, 165, SmallFieldHeight},
                                              1, SmallDigitHeight, Left);
        if (i == 2)
            digit->setText(QStringLiteral("1"));
        if (i < 2)
            percentDigits_.at(static_cast<std::size_t>(i)) = digit;
        else
            Bind(StatusBit::LblPercent2, digit);
    }

    recordNumber_ = AddSegmentLabel(QStringLiteral("LblMR"), {1890, 3060, 480, SmallFieldHeight}, 3,
                                    SmallDigitHeight, Right);
    hh_ = AddSegmentLabel(QStringLiteral("LblHH"), {3105, 3060, 345, SmallFieldHeight}, 2, SmallDigitHeight, Right);
    ll_ = AddSegmentLabel(QStringLiteral("LblLL"), {3675, 3060, 540, SmallFieldHeight}, 2, SmallDigitHeight, Left);

    const std::pair<const char*, StatusBit> separators[] = {{"-", StatusBit::DPoint0}, {":", StatusBit::DPoint1}};
    for (int i = 0; i < 2; ++i) {
        SegmentLabel* separator = AddSegmentLabel(Indexed("DPoint", i), {3465, 3060, 195, SmallFieldHeight}, 0,
                                                  SmallDigitHeight, Qt::AlignCenter);
        separator->setText(QString::fromLatin1(separators[i].first));
        Bind(separators[i].second, separator);
    }
}

void FrontPanelView::AddKeyPictures()
{
    // The four arrow keys, and under them the beeper, C/F and read keys: each presses the key pad's
    // button of the same key.
    constexpr QRgb Dark = 0xff4a4f57;
    constexpr QRgb Gray = 0xff9aa0a7;
    const struct {
        const char* name;
        int index;
        QRgb face;
        Symbol legend;
        KeyButton button;
        QString accessibleName;
        layout::TwipRect where;
    } keys[] = {
        {"CmdArrow", 0, Dark, Symbol::ArrowLeft, KeyButton::BtnLeft, tr("Left key"), {600, 4080, 660, 420}},
        {"CmdArrow", 1, Dark, Symbol::ArrowDown, KeyButton::BtnDown, tr("Down key"), {1560, 4080, 660, 420}},
        {"CmdArrow", 2, Dark, Symbol::ArrowUp, KeyButton::BtnUp, tr("Up key"), {2520, 4080, 660, 420}},
        {"CmdArrow", 3, Dark, Symbol::ArrowRight, KeyButton::BtnRight, tr("Right key"), {3480, 4080, 660, 420}},
        {"CmdGray", 0, Gray, Symbol::Beeper, KeyButton::BtnBeeper, tr("Beeper key"), {1050, 4650, 720, 330}},
        {"CmdGray", 1, Gray, Symbol::CelsiusOrFahrenheit, KeyButton::BtnCF, tr("Celsius or Fahrenheit key"),
         {2010, 4650, 720, 330}},
        {"CmdGray", 2, Gray, Symbol::BoxedR, KeyButton::BtnRead, tr("Read key"), {2970, 4650, 720, 330}},
    };
    for (const auto& [name, index, face, legend, button, accessibleName, where] : keys) {
        auto* key = new KeyCap(QColor::fromRgb(face), legend, this);
        key->setAccessibleName(accessibleName);
        ReadAsControl(*key);
        Place(key, Indexed(name, index), where);
        key->setCursor(Qt::PointingHandCursor);
        key->setToolTip(tr("Presses this key on the meter"));
        connect(key, &KeyCap::clicked, this, [this, pressed = button] { emit keyClicked(pressed); });
    }
}

void FrontPanelView::AddRangeSwitch()
{
    static const char* const Positions[] = {"OFF", "4 mΩ", "40 mΩ", "400 mΩ", "4 Ω", "40 Ω", "400 Ω"};
    constexpr double LabelRadius = 1380;
    const double centreX = layout::Knob.left + layout::Knob.width / 2.0;
    const double centreY = layout::Knob.top + layout::Knob.height / 2.0;

    QPalette printed = palette();
    printed.setColor(QPalette::WindowText, PrintedWhite);
    for (int position = 0; position < layout::RangePositionCount; ++position) {
        auto* label = new QLabel(QString::fromUtf8(Positions[position]), this);
        label->setFont(LabelFont(twips_.ToPixels(150)));
        label->setPalette(printed);
        label->setAlignment(Qt::AlignCenter);
        const double angle = layout::RangeAngle(position) * std::numbers::pi / 180.0;
        label->setObjectName(Indexed("ImgR", position));
        QRect where(QPoint(), label->sizeHint());
        where.moveCenter(ViewPoint(centreX + LabelRadius * std::cos(angle), centreY - LabelRadius * std::sin(angle)));
        label->setGeometry(where);

        auto* knob = new RangeKnob(position, this);
        Place(knob, Indexed("RS", position), layout::Knob);
        knob->setAccessibleName(QString::fromUtf8(Positions[position]));
        knob->setToolTip(tr("The range switch: turn it on the meter itself; the picture follows it."));
        ReadAsControl(*knob);
        knob->setVisible(position == 0);
        knobs_.at(static_cast<std::size_t>(position)) = knob;
    }
}

void FrontPanelView::AddStaleCover()
{
    staleCover_ = new QLabel(this);
    Place(staleCover_, QStringLiteral("LcdStale"), layout::LcdGlass);
    staleCover_->setAlignment(Qt::AlignCenter);
    staleCover_->setWordWrap(true);
    staleCover_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = LabelFont(twips_.ToPixels(330));
    font.setBold(true);
    staleCover_->setFont(font);
    // In the colours of a tool tip, the desktop's own pair for a note laid over other content.
    staleCover_->setBackgroundRole(QPalette::ToolTipBase);
    staleCover_->setForegroundRole(QPalette::ToolTipText);
    staleCover_->setAutoFillBackground(true);
    staleCover_->hide();
}

void FrontPanelView::ShowConnection(const QString& connectionText)
{
    const bool live = connectionText == QLatin1String("Connection");
    staleCover_->setText(connectionText == QLatin1String("No COM") ? QStringLiteral("Waiting for the meter")
                                                                   : connectionText);
    staleCover_->setVisible(!live);
    setAccessibleDescription(live ? readingDescription_ : staleCover_->text());
}

void FrontPanelView::ShowDisplay(const PanelDisplay& display, const MeterReading& reading)
{
    for (const Indicator& indicator : indicators_)
        indicator.widget->setVisible(display.lit[indicator.bit]);
    for (std::size_t field = 0; field < digits_.size(); ++field)
        for (std::size_t i = 0; i < 4; ++i)
            digits_[field][i]->ShowCharacters(display.digits[field][i]);
    for (std::size_t row = 0; row < capacities_.size(); ++row)
        capacities_[row]->ShowCharacters(reading.CapacityText[row]);
    for (std::size_t i = 0; i < percentDigits_.size(); ++i)
        percentDigits_[i]->ShowCharacters(reading.PercentText[i]);
    recordNumber_->ShowCharacters(reading.RecordNoText);
    hh_->ShowCharacters(reading.HHText);
    ll_->ShowCharacters(reading.LLText);
    readingDescription_ = DescribeReading(display, reading);
    if (staleCover_->isHidden())
        setAccessibleDescription(readingDescription_);
}

void FrontPanelView::ShowRange(int rangeCode)
{
    for (std::size_t position = 0; position < knobs_.size(); ++position)
        knobs_[position]->setVisible(rangeCode >= 1 && rangeCode <= 6 && position == static_cast<std::size_t>(rangeCode));
}

} // namespace voltaryn
