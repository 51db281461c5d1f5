#include "ui/panel/FrontPanelView.h"
#include "ui/panel/ReadingDescription.h"

#include "meter/DisplayDecoder.h"

#include "common/CaseFile.h"
#include "support/QtPrinting.h"

#include <QAccessible>
#include <QLabel>

#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <set>
#include <sstream>

namespace voltaryn {
namespace {

QWidget* Element(const FrontPanelView& view, const std::string& name)
{
    const auto found = view.findChildren<QWidget*>(QString::fromStdString(name));
    EXPECT_EQ(found.size(), 1) << name;
    return found.size() == 1 ? found.first() : nullptr;
}

void Show(FrontPanelView& view, const std::vector<std::uint8_t>& packet)
{
    MeterReading reading;
    view.ShowDisplay(DecodeDisplay(SplitDisplayPacket(packet), reading), reading);
}

// tests/data/panel/status_bits.txt gives each used bit, as byte.bit, the elements it lights.
TEST(PanelFrontView, EachStatusBitLightsExactlyItsElements)
{
    const testing::TestCase table = testing::ReadCases("panel/status_bits.txt").front();
    std::set<std::string> bits;
    std::set<std::string> indicators;
    for (const auto& [bit, elements] : table.texts) {
        bits.insert(bit);
        std::istringstream names(elements);
        indicators.insert(std::istream_iterator<std::string>(names), {});
    }
    ASSERT_EQ(table.texts.size(), 61u);
    ASSERT_EQ(bits.size(), 61u) << "the table names every used bit once";

    FrontPanelView view;
    for (const auto& [bit, elements] : table.texts) {
        SCOPED_TRACE("bit " + bit);
        std::vector<std::uint8_t> packet(DisplayPacket::MinimumLength);
        packet.at(std::stoul(bit)) = static_cast<std::uint8_t>(1u << std::stoi(bit.substr(2)));
        Show(view, packet);
        for (const std::string& name : indicators) {
            const bool lit = (" " + elements + " ").find(" " + name + " ") != std::string::npos;
            const QWidget* element = Element(view, name);
            EXPECT_EQ(element != nullptr && element->isVisibleTo(&view), lit) << name;
        }
    }
}

TEST(PanelFrontView, DigitsAndTextFieldsShowTheDisplaysCharacters)
{
    FrontPanelView view;
    const testing::TestCase fields = testing::ReadCases("panel/fields.hex").front();
    Show(view, fields.bytes);
    ASSERT_FALSE(fields.texts.empty());
    for (const auto& [name, text] : fields.texts) {
        const auto* label = qobject_cast<const QLabel*>(Element(view, name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromStdString(text)) << name;
        EXPECT_TRUE(label->isVisibleTo(&view)) << name;
    }
}

PanelDisplay Lit(std::initializer_list<StatusBit> bits)
{
    PanelDisplay display;
    for (const StatusBit bit : bits)
        display.lit.Set(bit);
    return display;
}

MeterReading Values(const char* volts, const char* ohms, const char* amps, const char* degrees)
{
    MeterReading reading;
    reading.VoltageText = volts;
    reading.ResistanceText = ohms;
    reading.CurrentText = amps;
    reading.TemperatureText = degrees;
    return reading;
}

TEST(ReadingDescription, ReadsEveryShownValueWithItsUnitAndTheLitAnnunciators)
{
    MeterReading capacities = Values("3.702", "21.3", "0.512", "77.0");
    capacities.CapacityText = {"1.234", " 20", "1254"};
    capacities.CapMilli = {false, true, true};
    capacities.PercentText = {"5", "8"};
    const std::tuple<const char*, PanelDisplay, MeterReading, const char*> cases[] = {
        {"milliohms and Celsius", Lit({StatusBit::LcdOhmm, StatusBit::UnitC}),
         Values("12.63", "5.41", "-2.008", "24.0"), "12.63 V, 5.41 mΩ, -2.008 A, 24.0 °C"},
        {"ohms, millivolts and Fahrenheit, held, battery low",
         Lit({StatusBit::LcdVm, StatusBit::UnitF, StatusBit::LcdHOLD, StatusBit::LcdFail, StatusBit::LcdBt}),
         Values(" 512", "1.203", "0.000", "75.2"), "512 mV, 1.203 Ω, 0.000 A, 75.2 °F, HOLD, FAIL, battery low"},
        {"capacities and percentage", Lit({StatusBit::LcdCapLabels, StatusBit::LcdPercent, StatusBit::UnitF}), capacities,
         "3.702 V, 21.3 Ω, 0.512 A, 77.0 °F, IN-CAP 1.234 Ah, OUT-CAP 20 mAh, T-CAP 1254 mAh, 85%"},
        {"full percentage", Lit({StatusBit::LcdPercent, StatusBit::LblPercent2}),
         [] {
             MeterReading full = Values("4.200", "30.0", "0.000", "25.0");
             full.PercentText = {"0", "0"};
             return full;
         }(),
         "4.200 V, 30.0 Ω, 0.000 A, 25.0 °C, 100%"},
    };
    for (const auto& [what, display, reading, spoken] : cases)
        EXPECT_EQ(DescribeReading(display, reading).toStdString(), spoken) << what;
}

TEST(ReadingDescription, TheFrontPanelReadsAsOneDisplayNotAsItsDigits)
{
    FrontPanelView view;
    view.show();
    view.ShowConnection("No COM");
    QAccessibleInterface* display = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->text(QAccessible::Name), "Meter display");
    EXPECT_EQ(display->text(QAccessible::Description), "Waiting for the meter");

    view.ShowConnection("Connection");
    view.ShowDisplay(Lit({StatusBit::LcdOhmm}), Values("12.63", "5.41", "-2.008", "24.0"));
    EXPECT_EQ(display->text(QAccessible::Description), "12.63 V, 5.41 mΩ, -2.008 A, 24.0 °C");
    view.ShowConnection("Disconnected");
    EXPECT_EQ(display->text(QAccessible::Description), "Disconnected");

    // Only controls are children: the keys and the range knob shown, no digit or symbol.
    const QStringList controls = {"Left key", "Down key", "Up key", "Right key", "Beeper key", "Celsius or Fahrenheit key",
                                  "Read key", "OFF"};
    QStringList names;
    for (int i = 0; i < display->childCount(); ++i) {
        QAccessibleInterface* child = display->child(i);
        ASSERT_NE(child, nullptr);
        names << child->text(QAccessible::Name);
        EXPECT_EQ(display->indexOfChild(child), i);
    }
    EXPECT_EQ(names, controls);
}

} // namespace
} // namespace voltaryn
