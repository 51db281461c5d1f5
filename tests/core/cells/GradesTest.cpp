#include "cells/GradeJson.h"
#include "cells/GradeValidation.h"
#include "common/TempFolder.h"
#include "files/FileStatus.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

namespace voltaryn::cells {

// Findings print as their text when a comparison fails.
void PrintTo(const GradeFinding& finding, std::ostream* out)
{
    *out << "grade " << finding.Grade + 1 << ": " << finding.Text;
}

namespace {

using std::nullopt;

TEST(Grades, FirstAdmittingGradeWins)
{
    GradeTable table = DefaultLiIonGrades();
    table.Grades.insert(table.Grades.begin(), {"Overcharged", "#6a1b9a", {4.25, nullopt, nullopt, nullopt}});
    const std::tuple<double, double, const char*> rows[] = {  // volts, milliohms, grade
        {3.7, 18, "A"},        {3.7, 25, "A"},      {3.7, 25.01, "B"}, {3.7, 40, "B"},         {3.7, 60, "C"},
        {3.7, 60.01, "Reject"}, {2.5, 10, "A"},     {2.49, 10, "Reject"}, {4.3, 10, "Overcharged"},
    };
    for (const auto& [volts, milliOhms, grade] : rows)
        EXPECT_EQ(table.GradeOf(volts, milliOhms).Name, grade) << volts << " V, " << milliOhms;
}

TEST(Grades, JsonRoundTrip)
{
    GradeTable table = DefaultLiIonGrades();
    table.Grades.push_back({"Spare", "#ABCDEF", {1.5, 4.2, 0.25, 150.5}});
    EXPECT_EQ(GradesFromJson(GradesToJson(table)), table);
    EXPECT_EQ(GradesFromJson(GradesToJson(GradeTable{{}, {"None", "#000000", {}}})).Grades.size(), 0u);
}

// A grade table with `grades` as the list and an ordinary reject grade unless given.
std::string Table(const std::string& grades, const std::string& reject = R"({"name": "Reject", "colour": "#c62828"})")
{
    return R"({"grades": [)" + grades + R"(], "reject": )" + reject + "}";
}

// The message of the GradeFileError that `load` throws, or "no error".
template <class Load>
std::string ErrorOf(Load load)
{
    try {
        load();
    } catch (const GradeFileError& error) {
        return error.what();
    }
    return "no error";
}

TEST(Grades, LoadErrorsSayWhatAndWhere)
{
    const std::string a = R"({"name": "A", "colour": "#2e7d32", "maxResistance": 25})";
    const std::pair<std::string, std::string> rows[] = {  // the table, its error
        {Table(a + R"(, {"name": "B", "colour": "#9ccc65", "minResistance": 40, "maxResistance": 25})"),
         R"(grade 2 ("B"): min resistance 40 is above max 25)"},
        {Table(R"({"name": "A", "colour": "#2e7d32", "minVoltage": 4.2, "maxVoltage": 3})"),
         R"(grade 1 ("A"): min voltage 4.2 is above max 3)"},
        {Table(R"({"name": "A", "colour": "#2e7d32", "maxResistence": 25})"),
         R"(grade 1 ("A"): unknown key "maxResistence")"},
        {Table(R"({"name": "A", "colour": "green"})"), R"(grade 1 ("A"): colour "green" is not written #rrggbb)"},
        {Table(R"({"name": "A", "colour": "#2e7d32", "maxResistance": "25"})"),
         R"(grade 1 ("A"): "maxResistance" is not a number)"},
        {Table(a + R"(, {"colour": "#2e7d32"})"), R"(grade 2: "name" is missing)"},
        {Table(a + R"(, {"name": " ", "colour": "#2e7d32"})"), R"(grade 2: the grade name is empty)"},
        {Table(a + R"(, {"name": "B\u001b[2J", "colour": "#2e7d32"})"), "grade 2: the grade name holds the control character U+001B"},
        {Table(a + R"(, {"name": " A ", "colour": "#2e7d32"})"), R"(grade 2 ("A"): the name is already grade 1's)"},
        {Table(R"({"name": "A", "colour": "#2e7d32", "maxResistance": 1e400})"),
         "not valid JSON: number overflow parsing '1e400'"},
        {Table(a + ", 7"), R"(grade 2: not an object)"},
        {Table(a, R"({"name": "A", "colour": "#c62828"})"), R"(reject grade ("A"): the name is already grade 1's)"},
        {Table(a, R"({"name": "R", "colour": "#c62828", "maxResistance": 60})"),
         R"(reject grade ("R"): unknown key "maxResistance")"},
        {R"({"grades": []})", R"("reject" is missing)"},
        {R"({"grades": {}, "reject": {}})", R"("grades" is not a list)"},
        {R"({"grades": [], "reject": {"name": "R", "colour": "#c62828"}, "version": 2})", R"(unknown key "version")"},
        {"[]", R"(not a grade table: expected an object with "grades" and "reject")"},
        {R"({"grades": [)", "not valid JSON: parse error at line 1, column 13: syntax error while parsing value - "
                            "unexpected end of input; expected '[', '{', or a literal"},
    };
    for (const auto& [json, error] : rows)
        EXPECT_EQ(ErrorOf([&] { GradesFromJson(json); }), error) << json;

    const testing::TempFolder folder;
    const std::filesystem::path file = folder / "grades.json";
    EXPECT_THROW(LoadGradesFile(file), FileUnreadable) << "the command line tells it as a file that cannot be read";
    std::ofstream(file) << Table(R"({"name": "A", "colour": "green"})");
    EXPECT_EQ(ErrorOf([&] { LoadGradesFile(file); }),
              file.string() + R"(: grade 1 ("A"): colour "green" is not written #rrggbb)");
    // A file is refused for what the grade editor refuses.
    const std::pair<std::string, std::string> refused[] = {
        {a + R"(, {"name": "B", "colour": "#9ccc65", "maxResistance": 40})",
         R"(grade 2 ("B"): overlaps grade 1 ("A"), which takes the cells both admit)"},
        {a + R"(, {"name": "B", "colour": "#9ccc65", "minResistance": 10, "maxResistance": 20})",
         R"(grade 2 ("B"): never matches: grade 1 ("A") covers it wholly)"},
    };
    for (const auto& [grades, error] : refused) {
        std::ofstream(file) << Table(grades);
        EXPECT_EQ(ErrorOf([&] { LoadGradesFile(file); }), file.string() + ": " + error);
    }
    std::ofstream(file) << GradesToJson(DefaultLiIonGrades());
    EXPECT_EQ(LoadGradesFile(file), DefaultLiIonGrades());
}

TEST(Grades, ValidationFindingsPerGrade)
{
    EXPECT_TRUE(ValidateGrades(DefaultLiIonGrades()).empty());

    const GradeTable table{
        .Grades = {{"A", "#2e7d32", {2.5, nullopt, nullopt, 25}}, {"Bad", "#000000", {nullopt, nullopt, 30, 20}},
                   {"Inside A", "#000000", {3.0, nullopt, nullopt, 20}}, {"Up to 40", "#000000", {nullopt, nullopt, nullopt, 40}},
                   {"Touches A", "#000000", {2.5, nullopt, 25, 60}}, {"Low", "#000000", {4.2, 3.0, nullopt, nullopt}}},
        .Reject = {"Reject", "#c62828", {}},
    };
    const std::vector<GradeFinding> expected = {
        {1, GradeFindingKind::Empty, nullopt, "min resistance 30 is above max 20"},
        {2, GradeFindingKind::NeverMatches, 0, R"(never matches: grade 1 ("A") covers it wholly)"},
        {3, GradeFindingKind::Overlaps, 0, R"(overlaps grade 1 ("A"), which takes the cells both admit)"},
        {4, GradeFindingKind::Overlaps, 3, R"(overlaps grade 4 ("Up to 40"), which takes the cells both admit)"},
        {5, GradeFindingKind::Empty, nullopt, "min voltage 4.2 is above max 3"},
    };
    EXPECT_EQ(ValidateGrades(table), expected);
}

// AnyFinding, which files are refused by, finds a problem exactly when the grade editor shows one,
// over random small tables whose limits often coincide, touch or lie on one value.
TEST(Grades, AnyFindingAgreesWithTheEditorsFindings)
{
    std::mt19937 random(7);
    const std::optional<double> values[] = {nullopt, 1, 2, 3, 4};
    const auto limit = [&] { return values[random() % std::size(values)]; };
    int refused = 0;
    for (int round = 0; round < 20000; ++round) {
        GradeTable table{{}, {"Reject", "#c62828", {}}};
        for (std::size_t g = 0, count = 1 + random() % 4; g < count; ++g)
            table.Grades.push_back({"G" + std::to_string(g), "#000000", {limit(), limit(), limit(), limit()}});
        const std::vector<GradeFinding> findings = ValidateGrades(table);
        const std::optional<GradeFinding> any = AnyFinding(table);
        ASSERT_EQ(any.has_value(), !findings.empty()) << GradesToJson(table);
        refused += any ? 1 : 0;
    }
    EXPECT_GT(refused, 1000);
    EXPECT_LT(refused, 19000);
}

} // namespace
} // namespace voltaryn::cells
