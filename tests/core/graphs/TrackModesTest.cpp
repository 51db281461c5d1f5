#include "graphs/TrackModes.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

using enum CursorRule;

// What dragging does, shortly: "Pxy" pans both axes, "Zx" zooms the horizontal one, "" neither.
std::string Drag(const TrackMode& mode)
{
    if (mode.Gesture == TrackGesture::None)
        return {};
    return std::string(mode.Gesture == TrackGesture::Pan ? "P" : "Z") + (mode.Horizontal ? "x" : "") + (mode.Vertical ? "y" : "");
}

TEST(TrackModes, PlotListsCursorCoordinatesSecondAndTheDetailGraphLacksIt)
{
    const struct {
        const char* name;
        const char* drag;
        CursorRule cursors;
    } expected[] = {
        {"Normal", "", Keep},     {"Cursor Coordinates", "", CreateIfNone}, {"PanXY", "Pxy", Keep},
        {"PanX", "Px", PutAway},  {"PanY", "Py", PutAway},                  {"ZoomXY", "Zxy", PutAway},
        {"ZoomX", "Zx", PutAway}, {"ZoomY", "Zy", PutAway},
    };
    const std::vector<TrackMode> plot = TrackModes(ZoomableGraph::Plot);
    const std::vector<TrackMode> detail = TrackModes(ZoomableGraph::RealTimeGraph);
    ASSERT_EQ(plot.size(), std::size(expected));
    ASSERT_EQ(detail.size(), plot.size() - 1);
    for (std::size_t i = 0; i < plot.size(); ++i) {
        EXPECT_EQ(plot[i].Name, expected[i].name);
        EXPECT_EQ(Drag(plot[i]), expected[i].drag) << expected[i].name;
        EXPECT_EQ(plot[i].Cursors, expected[i].cursors) << expected[i].name;
    }
    for (std::size_t i = 0; i < detail.size(); ++i)
        EXPECT_EQ(detail[i].Name, plot[i == 0 ? 0 : i + 1].Name);
    EXPECT_EQ(detail.front().Help, "Normal mode");
}

TEST(TrackModes, CursorReadOutTextsAndStart)
{
    const std::tuple<ZoomableGraph, double, const char*> yCases[] = {
        {ZoomableGraph::RealTimeGraph, 1.5, "1.50"},    {ZoomableGraph::RealTimeGraph, 1.2345, "1.235"},
        {ZoomableGraph::RealTimeGraph, -0.5, "-0.50"},  {ZoomableGraph::RealTimeGraph, 9.9995, "10.00"},
        {ZoomableGraph::RealTimeGraph, -0.0004, "0.00"}, {ZoomableGraph::Plot, 1.5, "1.500000000"},
        {ZoomableGraph::Plot, 0.1 + 0.2, "0.300000000"}, {ZoomableGraph::Plot, -2.0000000005, "-2.000000001"},
    };
    for (const auto& [window, y, text] : yCases)
        EXPECT_EQ(YPositionText(window, y), text) << y;
    const std::pair<double, const char*> xCases[] = {{51, "51"}, {51.5, "51.5"}, {0.1 + 0.2, "0.3"}, {-0.0, "0"}};
    for (const auto& [x, text] : xCases)
        EXPECT_EQ(XPositionText(x), text) << x;
    EXPECT_EQ(CursorStart(1, 101, -2, 2), (GraphPoint{51, 0}));
}

} // namespace
} // namespace voltaryn
