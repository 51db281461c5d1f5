#include "ui/panel/FrontPanelView.h"

#include "meter/DisplayDecoder.h"

#include "common/HexCase.h"
#include "support/QtPrinting.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace voltaryn {
namespace {

struct BitElements {
    int byte = 0;
    int bit = 0;
    std::vector<std::string> elements;
};

// tests/data/panel/status_bits.txt: a line per used status bit, "byte.bit" and the elements it lights.
std::vector<BitElements> StatusBitTable()
{
    std::ifstream in(std::string(VOLTARYN_TEST_DATA_DIR) + "/panel/status_bits.txt");
    std::vector<BitElements> table;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('#'))
            continue;
        std::istringstream fields(line);
        BitElements row;
        char dot = 0;
        fields >> row.byte >> dot >> row.bit;
        for (std::string element; fields >> element;)
            row.elements.push_back(element);
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
    const testing::HexCase fields = testing::ReadHexCase(std::string(VOLTARYN_TEST_DATA_DIR) + "/panel/fields.hex");
    Show(view, fields.bytes);
    ASSERT_FALSE(fields.expected.empty());
    for (const auto& [name, text] : fields.expected) {
        const auto* label = qobject_cast<const QLabel*>(Element(view, name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromStdString(text)) << name;
        EXPECT_TRUE(label->isVisibleTo(&view)) << name;
    }
}

} // namespace
} // namespace voltaryn
