#include "support/PanelHarness.h"

#include "ui/common/ScreenFit.h"
#include "ui/common/Twips.h"
#include "ui/common/WidgetScaler.h"
#include "ui/panel/FrontPanelLayout.h"
#include "ui/panel/FrontPanelView.h"

#include <QStyle>

namespace voltaryn {
namespace {

TEST(PanelScale, FitFactorKeepsTheAspectAndFitsTheTighterSide)
{
    const struct {
        QSize reference;
        QSize box;
        double factor;
    } cases[] = {
        {{100, 200}, {100, 200}, 1.0}, {{100, 200}, {300, 200}, 1.0}, {{100, 200}, {200, 800}, 2.0},
        {{100, 200}, {50, 400}, 0.5},  {{100, 200}, {0, 0}, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(FitFactor(c.reference, c.box), c.factor) << c.box.width() << "x" << c.box.height();
}

class PanelScaleTest : public testing::PanelHarness {
protected:
    QWidget& Picture() const { return *Child("FrontPanel"); }
    // The scaled part of the narrow window: all of it but the toolbar.
    QSize ReferenceClient() const { return Twips::For(panel).Size(4785, 9330 - 480); }
    QSize ReferencePicture() const { return Twips::For(panel).Size(layout::View.width, layout::View.height); }
};

TEST_F(PanelScaleTest, ThePanelNeverOpensTallerThanTheScreenAndScalesWithTheWindowKeepingItsAspect)
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

} // namespace
} // namespace voltaryn
