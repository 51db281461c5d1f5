#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn {

// The two zoomable graphs: the detail graph of the live history and the plot of a data file's
// column.
enum class ZoomableGraph : std::uint8_t { RealTimeGraph, Plot };

// What dragging on the graph does in a track mode.
enum class TrackGesture : std::uint8_t { None, Pan, Zoom };

// What choosing a track mode does to the graph's cursors.
enum class CursorRule : std::uint8_t {
    Keep,
    CreateIfNone,  // and place cursor 1 at `CursorStart`
    PutAway,       // the detail graph switches both its cursors off; the plot deletes all of its own
};

struct TrackMode {
    std::string_view Name;  // the selector's item
    std::string_view Help;  // shown below the selector
    TrackGesture Gesture = TrackGesture::None;
    bool Horizontal = false;  // the gesture acts on the horizontal axis
    bool Vertical = false;    // the gesture acts on the vertical axis
    CursorRule Cursors = CursorRule::Keep;
};

// The graph's track-mode selector items, in order; the first is chosen when the graph opens.
std::vector<TrackMode> TrackModes(ZoomableGraph graph);

// A point on the graph, in axis units.
struct GraphPoint {
    double X = 0;
    double Y = 0;
    bool operator==(const GraphPoint&) const = default;
};

// Where a new cursor goes: the middle of the visible ranges.
GraphPoint CursorStart(double xMin, double xMax, double yMin, double yMax);

// The cursor read-out of the horizontal position: a plain number ("51", "51.5").
std::string XPositionText(double x);

// The cursor read-out of the vertical position: two or three decimals in the detail graph
// ("1.50", "1.235"), nine in the plot ("1.500000000").
std::string YPositionText(ZoomableGraph graph, double y);

} // namespace voltaryn
