#include "cli/CellFields.h"

#include <iomanip>
#include <sstream>

namespace voltaryn::cli {

Value Measured(const std::optional<double>& value)
{
    if (!value)
        return nullptr;
    return Number{*value, store::ShortestText(*value)};
}

Record RecordOf(const std::vector<store::CellField>& fields)
{
    Record record;
    record.reserve(fields.size());
    for (const store::CellField& field : fields) {
        Value value = nullptr;
        if (const auto* text = std::get_if<QString>(&field.value))
            value = text->toStdString();
        else if (const auto* whole = std::get_if<qint64>(&field.value))
            value = static_cast<long long>(*whole);
        else if (const auto* number = std::get_if<double>(&field.value))
            value = Measured(*number);
        record.push_back({field.name, value});
    }
    return record;
}

std::string Fixed(double value, int decimals)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

} // namespace voltaryn::cli
