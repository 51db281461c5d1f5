#include "ui/common/NumberField.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

// Types a text into the field and confirms it with Enter, as a user does.
void Type(NumberField& field, const QString& text)
{
    field.findChild<QLineEdit*>()->setText(text);
    QTest::keyClick(&field, Qt::Key_Return);
}

QString Shown(const NumberField& field) { return field.findChild<QLineEdit*>()->text(); }

TEST(NumberField, KeepsWhatWasTypedShowsItThroughItsPatternAndRefusesNonsenseWithAWord)
{
    struct Case {
        const char* pattern;
        const char* typed;
        float value;        // the value afterwards; 5 where the text is refused
        const char* shown;  // the text afterwards
    };
    const Case cases[] = {
        {"0.0", "0.125", 0.125f, "0.1"},   {".00#", "0.5", 0.5f, ".50"},     {".0##", " -1.25 ", -1.25f, "-1.25"},
        {".###", "1e-333", 0, "0"},        {"0.0", "8888444E-44444", 0, "0.0"}, {"", "51", 51, "51"},
        {"0.0", "abc", 5, "abc"},          {"0.0", "1e39", 5, "1e39"},       {"0.0", "", 5, ""},
    };
    for (const Case& c : cases) {
        NumberField field("AxisMaxV", c.pattern, nullptr);
        field.show();
        field.SetValue(5);
        QSignalSpy changed(&field, &NumberField::valueChanged);
        Type(field, c.typed);
        EXPECT_EQ(field.Value(), c.value) << c.typed;
        EXPECT_EQ(Shown(field), c.shown) << c.typed;
        const bool refused = c.value == 5;
        EXPECT_EQ(!field.Refusal().isEmpty(), refused) << c.typed;
        EXPECT_EQ(field.findChild<QLabel*>("Refusal")->isVisible(), refused) << c.typed;
        EXPECT_EQ(changed.count(), refused ? 0 : 1) << c.typed;
        QTest::keyClick(&field, Qt::Key_Return);  // the shown text confirmed again keeps the full value
        EXPECT_EQ(field.Value(), c.value) << c.typed << " confirmed again";
    }
}

TEST(NumberField, AssistiveTechnologyReadsAndSetsItsValueWithinItsBounds)
{
    NumberField field("AxisMaxV", "0.0", nullptr);
    field.SetBounds(-2, 40);
    field.SetValue(12.5f);
    QAccessibleValueInterface* value = QAccessible::queryAccessibleInterface(&field)->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toDouble(), 12.5);
    EXPECT_EQ(value->minimumValue().toDouble(), -2.0);
    EXPECT_EQ(value->maximumValue().toDouble(), 40.0);
    value->setCurrentValue(3.0);
    EXPECT_EQ(field.Value(), 3.0f);
}

TEST(NumberField, BoundsRefuseTypedValuesAndHoldSteps)
{
    NumberField field("AxisMaxO", "0.000", nullptr);
    field.show();
    field.SetBounds(0, 4.2f);
    field.SetValue(4.2f);
    field.SetStep(0.001);
    Type(field, "5");
    EXPECT_EQ(field.Refusal(), "Enter a number from 0 to 4.2");
    EXPECT_EQ(field.Value(), 4.2f);
    field.stepBy(1);
    EXPECT_EQ(field.Value(), 4.2f) << "held at the top";
    EXPECT_TRUE(field.Refusal().isEmpty());
    field.stepBy(-2);
    EXPECT_EQ(Shown(field), "4.198");

    Type(field, "x");
    field.hide();
    EXPECT_FALSE(field.findChild<QLabel*>("Refusal")->isVisible()) << "the word goes with its field";
}

} // namespace
} // namespace voltaryn
