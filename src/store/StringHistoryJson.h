#pragma once

#include "store/StringTypes.h"

#include <QByteArray>

namespace voltaryn::store {

// A string's history as the offline queue remembers it; none for a text it did not write.
QByteArray StringHistoryToJson(const StringHistory& history);
std::optional<StringHistory> StringHistoryFromJson(const QByteArray& json);

} // namespace voltaryn::store
