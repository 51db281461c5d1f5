#include "ui/panel/FrontPanelView.h"

#include "meter/DisplayDecoder.h"

#include "common/CaseFile.h"
#include "support/QtPrinting.h"

#include <QLabel>

#include <gtest/gtest.h>

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

} // namespace
} // namespace voltaryn
