#include "support/ScriptedDialogService.h"
#include "common/NoEvents.h"

#include "app/Application.h"
#include "app/QtDialogService.h"
#include "app/ProgramOptions.h"
#include "app/RememberedSettings.h"
#include "sim/SimulatedHidBackend.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace voltaryn {
namespace {

// Program runs, one after the other, over one settings file in a temporary folder: never the
// user's own settings.
class RememberedSettingsTest : public ::testing::Test {
protected:
    Application& Start()
    {
        app.reset();
        settings.emplace(folder.filePath("voltaryn.ini"), QSettings::IniFormat);
        return app.emplace(AppServices{backend, dialogs, pump, [] { return LocalTime{.hour = 9}; },
                                       {.storeAddress = folder.filePath("cells.db")}, {}, &*settings});
    }
    void End()
    {
        app.reset();
        settings.reset();
    }

    QTemporaryDir folder;
    sim::SimulatedMeter meter{[] { return sim::SimTime{std::chrono::sys_days{std::chrono::year{2024} / 3 / 15}}; }};
    sim::SimulatedHidBackend backend{meter};
    testing::ScriptedDialogService dialogs;
    testing::NoEvents pump;
    std::optional<QSettings> settings;
    std::optional<Application> app;
};

TEST_F(RememberedSettingsTest, ChoicesAndWindowPlacesOfOneRunAreThoseOfTheNext)
{
    QPoint placed;
    QSize sized;
    {
        Application& first = Start();
        EXPECT_EQ(first.LiveRecorder().SampleTime(), 2) << "a first start as the program always started";
        EXPECT_FALSE(first.Recording().Sampling().Settings().PcSampling);
        first.LiveRecorder().SetSampleTime(17);
        first.Recording().Sampling().Settings().PcSampling = true;
        first.Graphs().State().GraphChannels[ChannelSwitch::Temperature] = false;
        first.Graphs().State().GraphChannels[ChannelSwitch::Capacity] = true;
        EXPECT_EQ(first.Graphs().Scheme(), GraphScheme::Classic);
        first.Graphs().SetScheme(GraphScheme::Readable);
        EXPECT_EQ(std::tuple(first.PackBuilder().Shape().series, first.PackBuilder().Shape().parallel), std::tuple(13, 4));
        first.PackBuilder().Shape() = {20, 8};
        first.Panel().show();
        first.Panel().move(40, 30);
        first.Panel().resize(first.Panel().size() + QSize(30, -40));
        placed = first.Panel().pos();
        sized = first.Panel().size();
        End();
    }
    Application& second = Start();
    EXPECT_EQ(second.LiveRecorder().SampleTime(), 17);
    EXPECT_TRUE(second.Recording().Sampling().Settings().PcSampling);
    EXPECT_FALSE(second.Graphs().State().GraphChannels[ChannelSwitch::Temperature]);
    EXPECT_TRUE(second.Graphs().State().GraphChannels[ChannelSwitch::Capacity]);
    EXPECT_EQ(second.Graphs().Scheme(), GraphScheme::Readable);
    second.PackBuilder().Open();
    EXPECT_EQ(std::tuple(second.PackBuilder().Window()->Request().series, second.PackBuilder().Window()->Request().parallel),
              std::tuple(20, 8));
    second.PackBuilder().Window()->close();
    second.Panel().show();
    EXPECT_EQ(second.Panel().pos(), placed);
    EXPECT_EQ(second.Panel().size(), sized) << "the size the user gave it, not the first start's fit";

    // A place on a screen that is gone comes back onto the screen there is.
    second.Panel().move(9000, 7000);
    End();
    Application& third = Start();
    third.Panel().show();
    EXPECT_TRUE(third.Panel().screen()->availableGeometry().contains(third.Panel().geometry().center()));
}

TEST_F(RememberedSettingsTest, ResetSettingsStartsAsTheFirstRunAndNonsenseIsNotTaken)
{
    Application& before = Start();
    before.LiveRecorder().SetSampleTime(30);
    before.Recording().Sampling().Settings().PcSampling = true;
    before.PackBuilder().Shape() = {20, 8};
    End();

    ASSERT_TRUE(ReadProgramOptions({"voltaryn", "--reset-settings"}).resetSettings);
    {
        QSettings file(folder.filePath("voltaryn.ini"), QSettings::IniFormat);
        file.clear();  // as the program does when told to reset
        file.setValue("recording/sampleTime", "soon");
        file.setValue("graphs/channels", "1x1");
        file.setValue("packs/series", 20);
        file.setValue("packs/parallel", 501);  // more than the window offers
    }
    Application& after = Start();
    EXPECT_EQ(after.LiveRecorder().SampleTime(), 2);
    EXPECT_FALSE(after.Recording().Sampling().Settings().PcSampling);
    EXPECT_EQ(std::tuple(after.PackBuilder().Shape().series, after.PackBuilder().Shape().parallel), std::tuple(13, 4))
        << "S and P are taken together or not at all";
}

// Any window that remembers its place: one the screens no longer wholly show (they changed, or
// were larger) comes back wholly onto the screen, shrunk where it is larger; one they show stays.
TEST_F(RememberedSettingsTest, ARememberedPlaceOffTheScreensIsBroughtBackOntoOne)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const std::pair<const char*, QRect> places[] = {
        {"on the screen", {50, 60, 300, 200}},
        {"beyond the right edge", {screen.right() + 500, 100, 300, 200}},
        {"partly off the right edge", {screen.right() - 99, 100, 300, 200}},
        {"above the top", {100, -150, 300, 200}},
        {"larger than the screen", {0, 0, screen.width() + 400, screen.height() + 300}},
    };
    for (const auto& [what, remembered] : places) {
        SCOPED_TRACE(what);
        Start();
        {
            QWidget window(nullptr, Qt::Window);
            window.setObjectName("Probe");
            window.show();
            window.setGeometry(remembered);
            window.hide();
        }
        End();
        Start();
        QWidget window(nullptr, Qt::Window);
        window.setObjectName("Probe");
        window.show();
        EXPECT_TRUE(screen.contains(window.frameGeometry())) << window.frameGeometry().x() << "," << window.frameGeometry().y();
        if (screen.contains(remembered.marginsAdded(window.windowHandle()->frameMargins()))) {
            EXPECT_EQ(window.geometry(), remembered);
        } else if (remembered.width() < screen.width()) {
            EXPECT_EQ(window.size(), remembered.size()) << "moved, not shrunk";
        }
        window.hide();
        End();
    }
}

// The program's own dialog service: a destructive question's default button is Cancel, so Enter
// never deletes; only its named button does.
TEST(QtDialogServiceTest, DestructiveQuestionAnswersCancelToEnterAndYesOnlyToItsNamedButton)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath("dialogs.ini"), QSettings::IniFormat);
    QtDialogService dialogs(settings);
    for (const bool pressNamed : {false, true}) {
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (const QAbstractButton* button : box->buttons())
                buttons << button->text().remove('&');
            EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Cancel));
            if (pressNamed) {
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == "Delete all files")
                        button->click();
            } else {
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        EXPECT_EQ(dialogs.ConfirmDestructive(nullptr, {"All files go.", "Delete all files"}), pressNamed);
        EXPECT_TRUE(buttons.contains("Delete all files"));
        EXPECT_EQ(buttons.size(), 2);
    }
}

// The file dialogs start in the folder last chosen, but not in one the kernel makes up, whose
// listing could keep the dialog busy on every start.
TEST(QtDialogServiceTest, FileDialogsStartInTheFolderLastChosenUnlessItIsMadeUp)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath("dialogs.ini"), QSettings::IniFormat);
    QtDialogService dialogs(settings);
    for (const QString& remembered : {folder.path(), QStringLiteral("/proc/self"), folder.filePath("gone")}) {
        settings.setValue("dialogs/lastFolder", remembered);
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = dialog->directory().absolutePath();
            dialog->reject();
        });
        EXPECT_EQ(dialogs.AskOpenFileName(nullptr, "All files (*)"), "");
        EXPECT_EQ(shown == remembered, remembered == folder.path()) << remembered.toStdString() << ": " << shown.toStdString();
    }
}

} // namespace
} // namespace voltaryn
