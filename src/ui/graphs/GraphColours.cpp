#include "ui/graphs/GraphColours.h"

#include <algorithm>
#include <cmath>

namespace voltaryn {
namespace {

const QColor Teal(0, 128, 128);

GraphColours Classic()
{
    GraphColours colours;
    colours.background = Teal;
    colours.text = Qt::black;
    colours.cursor = Qt::white;
    colours.axes.values = {QColor(0, 0, 0), QColor(0, 255, 0), QColor(255, 0, 0), QColor(0, 0, 255),
                           QColor(128, 0, 128)};
    colours.plots.values = {QColor(0, 0, 0),     QColor(0, 255, 0),   QColor(255, 0, 0),  QColor(0, 0, 255),
                            QColor(255, 255, 0), QColor(255, 0, 255), QColor(128, 0, 128)};
    return colours;
}

// Lines must stand out by at least 3:1 from the background; a little more leaves room for rounding.
constexpr double WantedContrast = 3.2;

// The hue kept, its lightness moved away from the background's until the contrast is enough.
QColor Legible(const QColor& hue, const QColor& background)
{
    const bool darken = RelativeLuminance(background) > 0.18;
    QColor colour = hue.toHsl();
    for (int step = 0; step < 100 && ContrastRatio(colour, background) < WantedContrast; ++step) {
        const double lightness = std::clamp(colour.lightnessF() + (darken ? -0.02 : 0.02), 0.0, 1.0);
        colour.setHslF(colour.hslHueF(), colour.hslSaturationF(), static_cast<float>(lightness));
    }
    return colour.toRgb();
}

// Okabe and Ito's set, whose hues stay apart under every common colour-vision deficiency; the
// voltage keeps the palette's text colour, as it keeps black in the classic colours.
GraphColours Readable(const QPalette& palette)
{
    const QColor background = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor green(0x00, 0x9e, 0x73);
    const QColor vermillion(0xd5, 0x5e, 0x00);
    const QColor blue(0x00, 0x72, 0xb2);
    const QColor purple(0xcc, 0x79, 0xa7);
    const QColor orange(0xe6, 0x9f, 0x00);
    const QColor sky(0x56, 0xb4, 0xe9);
    GraphColours colours;
    colours.background = background;
    colours.text = Legible(text, background);
    colours.cursor = colours.text;
    colours.axes.values = {colours.text, Legible(green, background), Legible(vermillion, background),
                           Legible(blue, background), Legible(purple, background)};
    colours.plots.values = {colours.text,
                            colours.axes[AxisChannel::Current],
                            colours.axes[AxisChannel::Temperature],
                            colours.axes[AxisChannel::Resistance],
                            Legible(orange, background),
                            Legible(sky, background),
                            colours.axes[AxisChannel::Capacity]};
    colours.lineWidth = 2;
    return colours;
}

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

GraphColours ColoursFor(GraphScheme scheme, const QPalette& palette)
{
    return scheme == GraphScheme::Classic ? Classic() : Readable(palette);
}

double RelativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& first, const QColor& second)
{
    const auto [darker, lighter] = std::minmax({RelativeLuminance(first), RelativeLuminance(second)});
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace voltaryn
