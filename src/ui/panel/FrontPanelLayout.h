#pragma once

namespace voltaryn::layout {

// Positions and sizes in twips from the main window's client origin.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// The front panel view covers the meter body band, from below the toolbar to below the body.
constexpr TwipRect View{0, 480, 4785, 7980};
constexpr TwipRect Body{120, 480, 4440, 7980};
constexpr TwipRect LcdGlass{270, 1050, 4170, 2760};
constexpr TwipRect Knob{1320, 6000, 2055, 2160};

constexpr int RangePositionCount = 7;

// The direction the knob points at a range position, in degrees anticlockwise from pointing
// right: OFF (0) at the lower left, 400 mΩ (3) straight up, 400 Ω (6) at the lower right.
constexpr double RangeAngle(int position)
{
    return 90.0 + (3 - position) * 24.0;
}

} // namespace voltaryn::layout
