#include "graphs/TrackModes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>

namespace voltaryn {
namespace {

using enum TrackGesture;
using enum CursorRule;

constexpr TrackMode CursorCoordinates = {
    "Cursor Coordinates", "Drag the cursor with your mouse to get X and Y position.", None, false, false, CreateIfNone};

// Every mode but the plot's cursor mode, which comes second in the plot's list.
constexpr TrackMode CommonModes[] = {
    {"Normal", "Normal mode", None, false, false, Keep},
    {"PanXY", "Click anywhere on the plot area and drag to pan the graph both horizontally and vertically.", Pan,
     true, true, Keep},
    {"PanX", "Click anywhere on the plot area and drag to pan the graph horizontally.", Pan, true, false, PutAway},
    {"PanY", "Click anywhere on the plot area and drag to pan the graph vertically.", Pan, false, true, PutAway},
    {"ZoomXY", "Select a region on the graph to zoom both horizontally and vertically.", Zoom, true, true, PutAway},
    {"ZoomX", "Select a region on the graph to zoom horizontally.", Zoom, true, false, PutAway},
    {"ZoomY", "Select a region on the graph to zoom vertically.", Zoom, false, true, PutAway},
};

// `value` with `decimals` decimals, rounded half away from zero as its shortest decimal form reads:
// 1.2345 gives 1.235 although the nearest double lies just below 1.2345. Zero has no sign.
std::string FixedText(double value, std::size_t decimals)
{
    std::array<char, 512> buffer{};  // holds any double in fixed notation
    auto* const end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed).ptr;
    std::string digits(buffer.data(), end);
    const bool negative = digits.starts_with('-');
    if (negative)
        digits.erase(0, 1);
    if (digits.find('.') == std::string::npos)
        digits += '.';
    const std::size_t length = digits.find('.') + 1 + decimals;
    digits.resize(std::max(length, digits.size()), '0');
    bool carry = digits.size() > length && digits[length] >= '5';
    digits.resize(length);
    for (std::size_t i = length; carry && i-- > 0;) {
        if (digits[i] == '.')
            continue;
        carry = digits[i] == '9';
        digits[i] = carry ? '0' : static_cast<char>(digits[i] + 1);
    }
    if (carry)
        digits.insert(0, 1, '1');
    const bool zero = digits.find_first_not_of("0.") == std::string::npos;
    return negative && !zero ? '-' + digits : digits;
}

} // namespace

std::vector<TrackMode> TrackModes(ZoomableGraph graph)
{
    std::vector<TrackMode> modes(std::begin(CommonModes), std::end(CommonModes));
    if (graph == ZoomableGraph::Plot)
        modes.insert(modes.begin() + 1, CursorCoordinates);
    return modes;
}

GraphPoint CursorStart(double xMin, double xMax, double yMin, double yMax)
{
    return {(xMax + xMin) / 2, (yMax + yMin) / 2};
}

std::string XPositionText(double x)
{
    // Fifteen significant digits at most, so that a dragged cursor reads 51.2 rather than
    // 51.200000000000003; trailing zeros go, and adding 0.0 turns -0 into 0.
    std::array<char, 32> buffer{};
    auto* const end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x + 0.0, std::chars_format::general, 15).ptr;
    return {buffer.data(), end};
}

std::string YPositionText(ZoomableGraph graph, double y)
{
    if (graph == ZoomableGraph::Plot)
        return FixedText(y, 9);
    std::string text = FixedText(y, 3);
    if (text.ends_with('0'))
        text.pop_back();
    return text;
}

} // namespace voltaryn
