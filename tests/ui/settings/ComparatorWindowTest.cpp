#include "support/PanelHarness.h"

#include "settings/ComparatorEntry.h"
#include "ui/settings/ComparatorWindow.h"

#include <QRadioButton>

namespace voltaryn::testing {
namespace {

class ComparatorWindowTest : public PanelHarness {
protected:
    ComparatorWindowTest()
    {
        Rotation();
        pump.onEvents = [this] { pollingWhileLoading.push_back(Polling()); };
        Click("COMP");
        window = panel.findChild<ComparatorWindow*>("Comparator");
    }
    // Closes the window and opens it again from the toolbar.
    void Reopen()
    {
        window->close();
        DeleteClosed();
        Click("COMP");
        window = panel.findChild<ComparatorWindow*>("Comparator");
    }
    QAbstractItemModel& Rows() const { return *window->Grid().model(); }
    QString Cell(int row, int column) const { return Rows().index(row, column).data().toString(); }
    void PickRow(int row) const { ClickCell(window->Grid(), row); }
    void SetDigits(const char* name, const QStringList& digits) const
    {
        for (int i = 0; i < 4; ++i)
            window->findChild<QComboBox*>(QStringLiteral("%1(%2)").arg(name).arg(i + 1))->setCurrentText(digits[i]);
    }
    template <typename T = QWidget>
    T* Control(const QString& name) const { return window->findChild<T*>(name); }
    // The entry as the meter now holds it, read through the link.
    ComparatorEntry MetersEntry(int number) const
    {
        return DecodeComparatorEntry(*session.commands.ReadComparatorEntry(number).value);
    }

    ComparatorWindow* window = nullptr;
    std::vector<bool> pollingWhileLoading;
};

// Update writes the current entry: before any pick the first, from the first editors; then the one
// picked, by the mouse or moved to by the arrow keys.
TEST_F(ComparatorWindowTest, OpensWith99EntriesAndUpdateWritesTheCurrentOneBack)
{
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Rows().rowCount(), 99);
    EXPECT_EQ(Cell(98, 0), "99");
    EXPECT_EQ(pollingWhileLoading, std::vector<bool>(99, false));
    EXPECT_TRUE(Polling());
    Click("COMP");  // open already: nothing is read again
    EXPECT_EQ(pollingWhileLoading.size(), 99u);

    Control<QPushButton>("CmdUpdate")->click();
    EXPECT_EQ(LastRequest(5), (Bytes{0, 65, 3, 6, 1}));
    const ComparatorEntry first = MetersEntry(1);
    EXPECT_EQ(first.HighOhm.Range(), "400 mOhm");
    EXPECT_EQ(first.HighVolt.Decimals(), 3);
    EXPECT_EQ(Control<QWidget>("HVDec(1)")->isEnabled(), false) << "a voltage has no XXX.X";

    PickRow(4);
    EXPECT_EQ(app.Comparator().SelectedComparatorNo(), 5);
    SetDigits("HighO", {"1", "2", "3", "4"});
    Control<QRadioButton>("HODec(3)")->setChecked(true);
    Control<QComboBox>("HOhmUnit")->setCurrentText(" mOhm");
    SetDigits("HighV", {"7", "0", "0", "0"});
    Control<QRadioButton>("HVDec(2)")->setChecked(true);
    Control<QPushButton>("CmdUpdate")->click();

    EXPECT_EQ(LastRequest(15)[4], 5);
    EXPECT_EQ(Control<QComboBox>("HighV(1)")->currentText(), "6") << "clamped to 60.00 V";
    EXPECT_EQ(Cell(4, 1), "1.234 / 4 mOhm");
    EXPECT_EQ(Cell(4, 3), "60");
    const ComparatorEntry written = MetersEntry(5);
    EXPECT_EQ(written.HighOhm.Count, 1234);
    EXPECT_EQ(written.HighOhm.Range(), "4 mOhm");
    EXPECT_EQ(written.HighVolt.Count, 6000);

    PickRow(0);  // another entry, then this one again: the editors hold it as it was written
    PickRow(4);
    EXPECT_EQ(Control<QComboBox>("HOhmUnit")->currentText(), " mOhm");
    EXPECT_EQ(Control<QComboBox>("HighO(1)")->currentText(), "1");
    EXPECT_TRUE(Control<QRadioButton>("HODec(3)")->isChecked());

    PickRow(1);
    for (int press = 0; press < 3; ++press)
        QTest::keyClick(&window->Grid(), Qt::Key_Down);
    EXPECT_EQ(app.Comparator().SelectedComparatorNo(), 5);
    Control<QPushButton>("CmdUpdate")->click();
    EXPECT_EQ(LastRequest(5), (Bytes{0, 65, 3, 6, 5}));
    EXPECT_FALSE(window->Grid().tabKeyNavigation());

    Reopen();  // closed, it opens again
    EXPECT_EQ(panel.findChildren<ComparatorWindow*>().size(), 1);
    EXPECT_NE(window, nullptr);
}

// At its preferred size, which leaves room on a 1200-pixel-high screen, the grid shows a good part
// of the table and scrolls to its last entry; the window opens wholly on the screen.
TEST_F(ComparatorWindowTest, ShowsAtLeast25EntriesAtOnceAndScrollsToThe99th)
{
    panel.show();
    Reopen();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
    EXPECT_LE(window->sizeHint().height(), 1100);
    window->resize(window->sizeHint());
    QCoreApplication::sendPostedEvents();
    QTableView& grid = window->Grid();
    const auto lastShownRow = [&grid] { return grid.rowAt(grid.viewport()->height() - 1); };
    EXPECT_GE(lastShownRow(), 24);
    grid.scrollToBottom();
    EXPECT_EQ(lastShownRow(), 98);
}

// A meter that stops answering part way: the window shows the entries read, and a box says so.
TEST_F(ComparatorWindowTest, APartialLoadShowsTheEntriesReadAndSaysSo)
{
    simulated.UnplugAfter(30);
    Reopen();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.front(), QStringLiteral("The meter stopped answering: %1 of 99 comparator entries "
                                                       "were read, and only those are shown.")
                                            .arg(Rows().rowCount()));
    EXPECT_GT(Rows().rowCount(), 0);
    EXPECT_LT(Rows().rowCount(), 99);
    EXPECT_TRUE(Polling());
}

} // namespace
} // namespace voltaryn::testing
