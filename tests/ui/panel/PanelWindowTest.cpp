#include "support/PanelHarness.h"

#include "common/CaseFile.h"

#include "ui/common/Twips.h"
#include "ui/common/WidgetScaler.h"
#include "ui/panel/FrontPanelLayout.h"
#include "ui/panel/FrontPanelView.h"

#include <QImage>
#include <QStyle>

namespace voltaryn::testing {
namespace {

class PanelWindowTest : public PanelHarness {
protected:
    std::vector<int> KnobsShown() const
    {
        std::vector<int> shown;
        for (int i = 0; i <= 6; ++i)
            if (!Child(QStringLiteral("RS(%1)").arg(i).toLatin1())->isHidden())
                shown.push_back(i);
        return shown;
    }
    QWidget& Picture() const { return *Child("FrontPanel"); }
    // The scaled part of the narrow window: all of it but the toolbar.
    QSize ReferenceClient() const { return Twips::For(panel).Size(4785, 9330 - 480); }
    QSize ReferencePicture() const { return Twips::For(panel).Size(layout::View.width, layout::View.height); }
};

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

TEST_F(PanelWindowTest, StartsWithItsDesignStateAndRunningTimers)
{
    EXPECT_EQ(Label("LblCOM"), "No COM");
    EXPECT_EQ(Label("LblV"), "-999.9");
    EXPECT_TRUE(Child("SSPSDClear")->isHidden());
    EXPECT_EQ(KnobsShown(), std::vector<int>{0});
    // An idle meter, not a segment test: nothing lit, the capacity rows empty.
    for (const char* element : {"UnitV", "UnitVOhm", "LcdHOLD", "LcdAh(0)", "HighODec(1)"})
        EXPECT_FALSE(Child(element)->isVisibleTo(&panel)) << element;
    EXPECT_EQ(Label("LblmAh(0)"), "");
    EXPECT_EQ(Label("LcdStale"), "Waiting for the meter");
    EXPECT_TRUE(Polling());
    EXPECT_TRUE(app.Beat().findChild<QTimer*>("RunTimer")->isActive());
}

TEST_F(PanelWindowTest, DisplayTicksMirrorTheReadingConnectionAndRange)
{
    Rotation();
    EXPECT_EQ(Label("LblCOM"), "Connection");
    const MeterReading& shown = session.reading;
    for (const auto& [label, text] : {std::pair{"LblV", shown.VoltageText}, {"LblOhm", shown.ResistanceText},
                                      {"LblA", shown.CurrentText}, {"LblTemp", shown.TemperatureText}})
        EXPECT_EQ(Label(label).toStdString(), text) << label;
    EXPECT_NE(session.reading.VoltageText, "-999.9");
    EXPECT_EQ(KnobsShown(), std::vector<int>{3});
    EXPECT_FALSE(Child("LcdStale")->isVisibleTo(&panel));

    for (const auto& [range, knobs] : {std::pair{6, std::vector<int>{6}}, {0, std::vector<int>{}}}) {
        meter.SetRangeCode(range);
        Rotation();
        EXPECT_EQ(KnobsShown(), knobs) << range;
    }

    // Pulled out: the label says so and the panel keeps the last display.
    const QString voltage = Label("LblV");
    simulated.Unplug();
    Rotation();
    EXPECT_EQ(Label("LblCOM"), "Disconnected");
    EXPECT_EQ(Label("LblV"), voltage);
    EXPECT_TRUE(Child("LcdStale")->isVisibleTo(&panel)) << "an old value must not pass for a measurement";
    EXPECT_EQ(Label("LcdStale"), "Disconnected");
}

TEST_F(PanelWindowTest, EveryKeySendsItsReport)
{
    Rotation();
    const std::vector<TestCase> keys = ReadCases("panel/keys.txt");
    EXPECT_EQ(Child("SSPKeyButton")->findChildren<QAbstractButton*>().size(), static_cast<qsizetype>(keys.size()));
    for (const TestCase& key : keys) {
        QAbstractButton* button = Child<QAbstractButton>(key.name.c_str());
        EXPECT_EQ(button->text().toStdString(), key.Text("caption")) << key.name;
        EXPECT_TRUE(!button->text().isEmpty() || !button->icon().isNull()) << key.name;
        button->click();
        EXPECT_EQ(LastRequest(), key.bytes) << key.name;
    }
}

// The panel picks a key's variant from what the meter shows: HOLD again leaves AUTO-HOLD.
TEST_F(PanelWindowTest, ModeKeysLeaveTheModeTheMeterShows)
{
    Rotation();
    Child<QAbstractButton>("BtnHold")->click();
    Rotation();
    ASSERT_FALSE(Child("LcdAUTOHOLD")->isHidden());
    Child<QAbstractButton>("BtnHold")->click();
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 1, 7, 1, 0}));
    Rotation();
    EXPECT_TRUE(Child("LcdAUTOHOLD")->isHidden());
}

TEST_F(PanelWindowTest, KeyButtonShowsAndHidesTheKeyPad)
{
    QAction* key = ToolbarButton("key");
    ASSERT_NE(key, nullptr);
    const int narrow = panel.width();

    key->trigger();
    EXPECT_FALSE(Child("SSPKeyButton")->isHidden());
    EXPECT_EQ(panel.width(), Twips::For(panel).ToPixels(7110));
    key->trigger();
    EXPECT_TRUE(Child("SSPKeyButton")->isHidden());
    EXPECT_EQ(panel.width(), narrow);
    EXPECT_EQ(narrow, Twips::For(panel).ToPixels(4785));
}

TEST_F(PanelWindowTest, ClickingTheConnectionLabelTogglesTheCaption)
{
    QLabel* label = Child<QLabel>("LblCOM");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(panel.windowTitle(), "Panel   V10.14   2018.03.29.2");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(panel.windowTitle(), "Panel   V10.14");
}

TEST_F(PanelWindowTest, DockedWindowsFollowThePanel)
{
    QWidget memory;
    QWidget dataList;
    memory.resize(200, 300);
    dataList.resize(300, 420);
    panel.show();
    panel.Dock(&memory, PanelWindow::DockPlace::RightEdge);
    panel.Dock(&dataList, PanelWindow::DockPlace::Below);
    panel.move(40, 30);
    const QRect frame = panel.frameGeometry();
    EXPECT_EQ(memory.pos(), QPoint(frame.right() + 1, frame.top()));
    // Below the panel there is no room left on the screen: the list moves up onto it.
    const QRect screen = panel.screen()->availableGeometry();
    ASSERT_GT(frame.bottom() + dataList.height(), screen.bottom());
    EXPECT_EQ(dataList.x(), frame.left());
    EXPECT_TRUE(screen.contains(dataList.frameGeometry())) << dataList.frameGeometry().bottom();

    // Once the user has moved a docked window it stays where they put it; the other still follows.
    const QPoint putByUser(screen.left() + 5, screen.top() + 7);
    memory.move(putByUser);
    for (const QPoint panelAt : {QPoint(60, 50), QPoint(20, 10)}) {
        panel.move(panelAt);
        QApplication::setActiveWindow(&panel);
        EXPECT_EQ(memory.pos(), putByUser);
        EXPECT_EQ(dataList.x(), panel.frameGeometry().left());
    }
}

TEST(PanelScale, FitFactorKeepsTheAspectAndFitsTheTighterSide)
{
    // A picture of 100 x 200 in boxes of each shape.
    const std::pair<QSize, double> boxes[] = {
        {{100, 200}, 1.0}, {{300, 200}, 1.0}, {{200, 800}, 2.0}, {{50, 400}, 0.5}, {{0, 0}, 0.0}};
    for (const auto& [box, factor] : boxes)
        EXPECT_DOUBLE_EQ(FitFactor({100, 200}, box), factor) << box.width() << "x" << box.height();
}

TEST_F(PanelWindowTest, ThePanelNeverOpensTallerThanTheScreenAndScalesWithTheWindowKeepingItsAspect)
{
    panel.show();
    QCoreApplication::processEvents();
    const QRect available = panel.screen()->availableGeometry();
    const int titleBar = std::max(panel.frameGeometry().height() - panel.height(),
                                  panel.style()->pixelMetric(QStyle::PM_TitleBarHeight));
    EXPECT_LE(panel.height() + titleBar, available.height());
    // Every toolbar button shows across the narrow window: none hides behind the toolbar's ».
    auto* toolbar = Child<QToolBar>("Toolbar1");
    for (QAction* action : toolbar->actions())
        EXPECT_TRUE(toolbar->widgetForAction(action)->isVisible()) << action->objectName().toStdString();

    const QSize reference = ReferencePicture();
    const double aspect = static_cast<double>(reference.width()) / reference.height();
    const int referenceFont = FrontPanelView().findChild<QLabel*>("LcdHOLD")->font().pixelSize();
    for (const double factor : {0.6, 1.0, 1.5, 2.0}) {
        SCOPED_TRACE(factor);
        const QSize picture = reference * factor;
        const QSize client = ReferenceClient() * factor;
        // The window grows wider than the picture needs: the height decides, and the aspect stays.
        const int unscaled = panel.height() - Child("PanelClient")->height() + Child("Toolbar1")->height();
        panel.resize(client.width() + 100, unscaled + client.height());
        QCoreApplication::processEvents();
        EXPECT_NEAR(Picture().height(), picture.height(), 1);
        EXPECT_NEAR(static_cast<double>(Picture().width()) / Picture().height(), aspect, 0.01);
        EXPECT_NEAR(Child<QLabel>("LcdHOLD")->font().pixelSize(), referenceFont * factor, 1);
        EXPECT_TRUE(panel.rect().contains(Child("LblCOM")->geometry())) << "the labels scale with the picture";
    }
    panel.hide();
}

// The toolbar's icons and the red texts follow the desktop's palette: light on a dark window,
// dark on a light one, each time the palette changes.
TEST_F(PanelWindowTest, ToolbarIconsAndAlertTextsReadOnDarkAndLightWindows)
{
    const std::tuple<const char*, QColor, QColor, bool> palettes[] = {
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

TEST(PanelTwips, FifteenTwipsMakeAPixelAt96DpiScaleWithTheScreenAndKeepRectanglesTouching)
{
    const Twips standard(96);
    EXPECT_EQ(standard.ToPixels(15), 1);
    EXPECT_EQ(Twips(144).ToPixels(4440), 444);
    EXPECT_EQ(Twips(192).Size(4785, 7980), QSize(638, 1064));

    const QRect left = standard.Rect(735, 1440, 270, 555);
    const QRect right = standard.Rect(1005, 1440, 270, 555);
    EXPECT_EQ(left.right() + 1, right.left());
    EXPECT_EQ(left, QRect(49, 96, 18, 37));
}

} // namespace
} // namespace voltaryn::testing
