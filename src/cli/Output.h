#pragma once

#include "cli/GlobalOptions.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace voltaryn::cli {

// A number as the display shows it: its value, and its digits as written ("12.630", "-0.5").
struct Number {
    double value;
    std::string text;
};

// Texts by name, in their order: an object in JSON, "name=text" words elsewhere.
struct NamedTexts {
    std::vector<std::pair<std::string, std::string>> entries;
};

// Objects of texts and numbers by name, in their order: a list of objects in JSON; elsewhere each
// object's values joined by "/", the objects by blanks ("2022-06-01/4.512/0.0 2023-06-01/...").
struct ObjectList {
    using Entry = std::pair<std::string, std::variant<std::string, Number, std::nullptr_t>>;
    std::vector<std::vector<Entry>> objects;
};

// A value of a record: a text, a whole number, a number, nothing (null in JSON), a list of words,
// a yes or no (true or false), texts by name, or a list of objects.
using Value = std::variant<std::string, long long, Number, std::nullptr_t, std::vector<std::string>, bool, NamedTexts,
                           ObjectList>;

// One record of output: named values, in the order they are shown.
struct Field {
    std::string name;
    Value value;
};
using Record = std::vector<Field>;

// Writes the records a command reads to the standard output, in the format asked for. Every
// record of a run has the same names; TSV and CSV take them as their header line.
class Output {
public:
    Output(std::ostream& out, Format format);

    // A record of a finite list. In text it becomes a row of a table whose columns are aligned
    // when the list ends; in the other formats it is written at once.
    void Row(const Record& record);
    // A record written at once, in text as `text`; a stream of readings, for instance.
    void Line(const Record& record, const std::string& text);
    // A command whose output is one document (a pack, a batch's statistics) writes it whole, as
    // `text` stands.
    void Document(const std::string& text);
    // Text written elsewhere in the format asked for, line ends and all.
    void Raw(const std::string& text);
    // Ends the output; throws when it could not be written.
    void End();

private:
    void Write(const Record& record);
    void WriteLine(const std::string& line);

    std::ostream& out_;
    Format format_;
    bool headerWritten_ = false;
    std::vector<std::vector<std::string>> table_;  // the text table, its header first
};

} // namespace voltaryn::cli
