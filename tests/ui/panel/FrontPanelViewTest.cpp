#include "ui/panel/FrontPanelView.h"

#include "DisplayBytes.h"
#include "support/QtPrinting.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace voltaryn {
namespace {

using test::DisplayBytes;

QWidget* Element(const FrontPanelView& view, const std::string& name)
{
    const auto found = view.findChildren<QWidget*>(QString::fromStdString(name));
    return found.size() == 1 ? found.first() : nullptr;
}

bool IsLit(const FrontPanelView& view, const std::string& name)
{
    const QWidget* element = Element(view, name);
    EXPECT_NE(element, nullptr) << name;
    return element != nullptr && element->isVisibleTo(&view);
}

QString TextOf(const FrontPanelView& view, const std::string& name)
{
    const auto* label = qobject_cast<const QLabel*>(Element(view, name));
    EXPECT_NE(label, nullptr) << name;
    return label != nullptr ? label->text() : QString();
}

struct BitElements {
    int byte;
    int bit;
    std::vector<std::string> elements;
};

// Every used status bit of the display packet and the panel elements it lights. The capacity
// points and the capacity minus live in the capacity texts, so they light no element.
const BitElements StatusBitTable[] = {
    {1, 1, {"HighODec(1)"}}, {1, 2, {"HighODec(2)"}}, {1, 3, {"HighODec(3)"}},
    {1, 4, {"LowODec(1)"}},  {1, 5, {"LowODec(2)"}},  {1, 6, {"LowODec(3)"}},
    {1, 7, {"HighVDec(1)"}}, {2, 0, {"HighVDec(2)"}}, {2, 1, {"HighVDec(3)"}},
    {2, 2, {"LowVDec(1)"}},  {2, 3, {"LowVDec(2)"}},  {2, 4, {"LowVDec(3)"}},
    {2, 5, {}}, {2, 6, {}}, {2, 7, {}}, {3, 0, {}}, {3, 1, {}}, {3, 2, {}}, {3, 3, {}}, {3, 4, {}}, {3, 5, {}},
    {3, 6, {"HighONeg"}}, {3, 7, {"LcdVm"}},   {4, 0, {"UnitVOhm"}}, {4, 1, {"UnitV"}},
    {4, 2, {"LcdOhmm"}},  {4, 3, {"UnitOhm"}}, {4, 4, {"HighVNeg"}}, {4, 5, {"LcdAV"}}, {4, 6, {"UnitA"}},
    {5, 1, {"LcdAuto"}}, {5, 2, {"LcdOADJ"}}, {5, 3, {"LcdHOLD"}}, {5, 4, {"LcdAUTOHOLD"}},
    {5, 5, {"LcdAM"}},   {5, 6, {"LcdAvg"}},  {5, 7, {"LcdBi"}},   {6, 0, {"LcdBt"}},
    {6, 1, {"LcdInCap", "LcdOutCap", "LcdTCap"}},
    {6, 2, {"Lcdm(0)"}}, {6, 3, {"Lcdm(1)"}}, {6, 4, {"Lcdm(2)"}},
    {6, 5, {"LcdAh(0)", "LcdAh(1)", "LcdAh(2)"}},
    {6, 6, {"LcdPass"}}, {6, 7, {"LcdWarning"}}, {7, 0, {"LcdFail"}}, {7, 1, {"LcdIntv"}}, {7, 2, {"LcdTime"}},
    {7, 3, {"LcdNo", "LineNo"}}, {7, 4, {"LcdCompUp"}}, {7, 5, {"LcdSqM"}}, {7, 6, {"LcdSqR"}},
    {7, 7, {"LowVNeg"}}, {8, 0, {"LcdTemV"}}, {8, 1, {"UnitC"}}, {8, 2, {"UnitF"}}, {8, 3, {}},
    {8, 4, {"LblPercent(2)"}}, {8, 5, {"LcdPercent"}}, {8, 6, {"DPoint(1)"}}, {8, 7, {"DPoint(0)"}},
};

TEST(PanelFrontView, EachStatusBitLightsExactlyItsElements)
{
    std::set<std::string> indicators;
    std::set<std::pair<int, int>> bits;
    for (const BitElements& row : StatusBitTable) {
        indicators.insert(row.elements.begin(), row.elements.end());
        bits.insert({row.byte, row.bit});
    }
    ASSERT_EQ(bits.size(), 61u) << "the table names every used bit once";

    FrontPanelView view;
    for (const BitElements& row : StatusBitTable) {
        SCOPED_TRACE("bit " + std::to_string(row.byte) + "." + std::to_string(row.bit));
        MeterReading reading;
        view.ShowDisplay(DisplayBytes().Light(StatusBitAt(row.byte, row.bit)).Decode(reading), reading);
        for (const std::string& name : indicators) {
            const bool expected = std::find(row.elements.begin(), row.elements.end(), name) != row.elements.end();
            EXPECT_EQ(IsLit(view, name), expected) << name;
        }
    }
}

TEST(PanelFrontView, DigitIndicatorsShowTheFieldCharacters)
{
    FrontPanelView view;
    MeterReading reading;
    const PanelDisplay display = DisplayBytes()
                                     .Chars(1, "1234")
                                     .Chars(5, "0.L ")
                                     .Chars(9, "-125")
                                     .Chars(13, std::string_view("\0" "256", 4))
                                     .Decode(reading);
    view.ShowDisplay(display, reading);

    const std::pair<const char*, const char*> fields[] = {
        {"HighO", "1234"}, {"LowO", "0.L "}, {"HighV", "-125"}, {"LowV", "\0" "256"}};
    for (const auto& [field, characters] : fields)
        for (int digit = 1; digit <= 4; ++digit) {
            const std::string name = std::string(field) + "(" + std::to_string(digit) + ")";
            const char c = characters[digit - 1];
            EXPECT_EQ(TextOf(view, name), c == '\0' ? QString() : QString(QChar(c))) << name;
            EXPECT_TRUE(IsLit(view, name));
        }
}

TEST(PanelFrontView, TextFieldsShowTheReading)
{
    FrontPanelView view;
    MeterReading reading;
    const PanelDisplay display = DisplayBytes()
                                     .Chars(17, "1234")
                                     .Light(StatusBit::Cap0Dec2)
                                     .Chars(21, "0567")
                                     .Chars(25, "0667")
                                     .Light(StatusBit::Cap2Neg)
                                     .Chars(29, "87")
                                     .Chars(31, std::string_view("\0" "12" "10" "\0" "5", 7))
                                     .Decode(reading);
    view.ShowDisplay(display, reading);

    EXPECT_EQ(TextOf(view, "LblmAh(0)"), "12.34");
    EXPECT_EQ(TextOf(view, "LblmAh(1)"), "0567");
    EXPECT_EQ(TextOf(view, "LblmAh(2)"), "-0667");
    EXPECT_EQ(TextOf(view, "LblPercent(1)"), "8");
    EXPECT_EQ(TextOf(view, "LblPercent(0)"), "7");
    EXPECT_EQ(TextOf(view, "LblPercent(2)"), "1");
    EXPECT_EQ(TextOf(view, "LblMR"), " 12");
    EXPECT_EQ(TextOf(view, "LblHH"), "10");
    EXPECT_EQ(TextOf(view, "LblLL"), " 5");
}

} // namespace
} // namespace voltaryn
