#include "support/PanelHarness.h"

#include <QImage>

namespace voltaryn::testing {
namespace {

class PaletteTest : public PanelHarness {};

// The opaque pixels of the image: how many are light, how many dark.
std::pair<int, int> LightAndDarkPixels(const QImage& image)
{
    int light = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QColor pixel = image.pixelColor(x, y); pixel.alpha() >= 128)
                ++(pixel.lightness() > 128 ? light : dark);
    return {light, dark};
}

// The toolbar's icons and the red texts follow the desktop's palette: light on a dark window,
// dark on a light one, each time the palette changes.
TEST_F(PaletteTest, ToolbarIconsAndAlertTextsReadOnDarkAndLightWindows)
{
    const struct {
        const char* name;
        QColor window;
        QColor text;
        bool dark;
    } palettes[] = {
        {"dark", QColor(0x24, 0x24, 0x24), QColor(0xee, 0xee, 0xee), true},
        {"light", QColor(0xf6, 0xf5, 0xf4), QColor(0x1e, 0x1e, 0x1e), false},
    };
    for (const auto& [name, window, text, dark] : palettes) {
        SCOPED_TRACE(name);
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, text);
        panel.setPalette(palette);
        for (const QAction* action : Child<QToolBar>("Toolbar1")->actions()) {
            const auto [light, darkPixels] = LightAndDarkPixels(action->icon().pixmap(QSize(16, 16), 1.0).toImage());
            EXPECT_GT(light + darkPixels, 0) << action->objectName().toStdString();
            EXPECT_EQ(dark ? darkPixels : light, 0) << action->objectName().toStdString();
        }
        for (const char* label : {"LblRec", "LblWriteFailed", "StatusRecording"}) {
            const QColor ink = Child(label)->palette().color(QPalette::WindowText);
            EXPECT_EQ(ink.lightness() > 128, dark) << label;
            EXPECT_GT(ink.red(), std::max(ink.green(), ink.blue()) + 64) << label << " stays red";
        }
    }
}

} // namespace
} // namespace voltaryn::testing
