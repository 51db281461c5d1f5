#include "ui/panel/FrontPanelView.h"

#include "meter/DisplayDecoder.h"

#include "common/CaseFile.h"
#include "support/QtPrinting.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace voltaryn {
namespace {

struct BitElements {
    int byte = 0;
    int bit = 0;
    std::vector<std::string> elements;
};

std::vector<BitElements> StatusBitTable()
{
    const testing::TestCase bits = testing::ReadCases("panel/status_bits.txt").front();
    std::vector<BitElements> table;
    for (const auto& [bit, elements] : bits.texts) {
        BitElements row{std::stoi(bit), std::stoi(bit.substr(2)), {}};
        std::istringstream names(elements);
        for (std::string name; names >> name;)
            row.elements.push_back(name);
        table.push_back(row);
    }
    return table;
}

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

TEST(PanelFrontView, EachStatusBitLightsExactlyItsElements)
{
    const std::vector<BitElements> table = StatusBitTable();
    std::set<std::string> indicators;
    std::set<std::pair<int, int>> bits;
    for (const BitElements& row : table) {
        indicators.insert(row.elements.begin(), row.elements.end());
        bits.insert({row.byte, row.bit});
    }
    ASSERT_EQ(bits.size(), 61u) << "the table names every used bit once";
    ASSERT_EQ(table.size(), 61u);

    FrontPanelView view;
    for (const BitElements& row : table) {
        SCOPED_TRACE("bit " + std::to_string(row.byte) + "." + std::to_string(row.bit));
        std::vector<std::uint8_t> packet(DisplayPacket::MinimumLength);
        packet.at(static_cast<std::size_t>(row.byte)) = static_cast<std::uint8_t>(1u << row.bit);
        Show(view, packet);
        for (const std::string& name : indicators) {
            const bool lit = std::find(row.elements.begin(), row.elements.end(), name) != row.elements.end();
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
