#include "cells/GradeJson.h"

#include "cells/GradeValidation.h"
#include "cells/NameRule.h"
#include "files/FileStatus.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <unordered_map>

namespace voltaryn::cells {
namespace {

using Json = nlohmann::ordered_json;

struct LimitKey {
    const char* key;
    std::optional<double> GradeLimits::*limit;
};

constexpr std::array<LimitKey, 4> LimitKeys = {{
    {"minVoltage", &GradeLimits::MinVoltage},
    {"maxVoltage", &GradeLimits::MaxVoltage},
    {"minResistance", &GradeLimits::MinResistance},
    {"maxResistance", &GradeLimits::MaxResistance},
}};

[[noreturn]] void Fail(const std::string& where, const std::string& what)
{
    throw GradeFileError(where + ": " + what);
}

std::string Quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

bool IsColour(const std::string& text)
{
    return text.size() == 7 && text[0] == '#' &&
           std::all_of(text.begin() + 1, text.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

void CheckKeys(const Json& item, const std::string& where, bool withLimits)
{
    for (const auto& entry : item.items()) {
        const std::string& key = entry.key();
        const bool isLimit =
            std::any_of(LimitKeys.begin(), LimitKeys.end(), [&](const LimitKey& l) { return key == l.key; });
        if (key != "name" && key != "colour" && !(withLimits && isLimit))
            Fail(where, "unknown key " + Quoted(key));
    }
}

std::string Text(const Json& item, const char* key, const std::string& where)
{
    const auto value = item.find(key);
    if (value == item.end())
        Fail(where, Quoted(key) + " is missing");
    if (!value->is_string())
        Fail(where, Quoted(key) + " is not text");
    return value->get<std::string>();
}

// A grade, or the reject grade when `withLimits` is false. `where` names it in messages.
Grade ReadGrade(const Json& item, std::string where, bool withLimits)
{
    if (!item.is_object())
        Fail(where, "not an object");
    Grade grade;
    try {
        grade.Name = CheckedName(NameKind::Grade, Text(item, "name", where));
    } catch (const NameRefused& refused) {
        Fail(where, refused.what());
    }
    where += " (" + Quoted(grade.Name) + ")";
    CheckKeys(item, where, withLimits);
    grade.Colour = Text(item, "colour", where);
    if (!IsColour(grade.Colour))
        Fail(where, "colour " + Quoted(grade.Colour) + " is not written #rrggbb");
    for (const LimitKey& limit : LimitKeys) {
        const auto value = item.find(limit.key);
        if (value == item.end())
            continue;
        if (!value->is_number())
            Fail(where, Quoted(limit.key) + " is not a number");
        grade.Limits.*limit.limit = value->get<double>();
    }
    if (const std::optional<std::string> contradiction = ContradictionIn(grade.Limits))
        Fail(where, *contradiction);
    return grade;
}

// The names of a table's grades, to tell one given twice.
class GradeNames {
public:
    void Add(const std::string& name, std::size_t grade, const std::string& where)
    {
        const auto [earlier, added] = grades_.try_emplace(name, grade);
        if (!added)
            Fail(where + " (" + Quoted(name) + ")", "the name is already grade " + std::to_string(earlier->second + 1) + "'s");
    }

private:
    std::unordered_map<std::string, std::size_t> grades_;
};

const Json& Member(const Json& document, const char* key)
{
    const auto value = document.find(key);
    if (value == document.end())
        throw GradeFileError(Quoted(key) + " is missing");
    return *value;
}

Json GradeJson(const Grade& grade)
{
    Json item = {{"name", grade.Name}, {"colour", grade.Colour}};
    for (const LimitKey& limit : LimitKeys)
        if (const std::optional<double>& value = grade.Limits.*limit.limit)
            item[limit.key] = *value;
    return item;
}

} // namespace

GradeTable GradesFromJson(std::string_view text)
{
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::exception& error) {
        // A syntax error, or a number beyond a double's range ("1e400"). Drop the library's
        // "[json.exception.parse_error.101] " tag; keep where and what.
        const std::string message = error.what();
        throw GradeFileError("not valid JSON: " + message.substr(message.find("] ") + 2));
    }
    if (!document.is_object())
        throw GradeFileError(R"(not a grade table: expected an object with "grades" and "reject")");
    for (const auto& [key, value] : document.items())
        if (key != "grades" && key != "reject")
            throw GradeFileError("unknown key " + Quoted(key));
    const Json& grades = Member(document, "grades");
    if (!grades.is_array())
        throw GradeFileError(R"("grades" is not a list)");

    GradeTable table;
    GradeNames names;
    for (const Json& item : grades) {
        const std::string where = "grade " + std::to_string(table.Grades.size() + 1);
        table.Grades.push_back(ReadGrade(item, where, true));
        names.Add(table.Grades.back().Name, table.Grades.size() - 1, where);
    }
    table.Reject = ReadGrade(Member(document, "reject"), "reject grade", false);
    names.Add(table.Reject.Name, table.Grades.size(), "reject grade");
    return table;
}

GradeTable LoadGradesFile(const std::filesystem::path& path)
{
    const std::string text = ReadWholeFile(path);
    GradeTable table;
    try {
        table = GradesFromJson(text);
    } catch (const GradeFileError& error) {
        throw GradeFileError(path.string() + ": " + error.what());
    }
    if (const std::optional<GradeFinding> finding = AnyFinding(table))
        throw GradeFileError(path.string() + ": grade " + std::to_string(finding->Grade + 1) + " ("
                             + Quoted(table.Grades[finding->Grade].Name) + "): " + finding->Text);
    return table;
}

std::string GradesToJson(const GradeTable& table)
{
    Json grades = Json::array();
    for (const Grade& grade : table.Grades)
        grades.push_back(GradeJson(grade));
    const Json reject = {{"name", table.Reject.Name}, {"colour", table.Reject.Colour}};
    const Json document = {{"grades", grades}, {"reject", reject}};
    return document.dump(2) + '\n';
}

} // namespace voltaryn::cells
