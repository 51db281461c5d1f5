#pragma once

#include "store/StoreTypes.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

namespace voltaryn::store {

// Conversions between the store's values and the columns that hold them: absent values are
// NULL, times are UTC milliseconds since 1970.

inline QVariant NullIfEmpty(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

inline QVariant NullIfEmpty(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant();
}

inline std::optional<double> OptionalDouble(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

inline QDateTime FromUtcMs(const QVariant& value)
{
    return QDateTime::fromMSecsSinceEpoch(value.toLongLong(), Qt::UTC);
}

inline std::optional<QDateTime> OptionalTime(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<QDateTime>(FromUtcMs(value));
}

// A measurement's kind as its column and the offline queue spell it; anything else is a capture.
inline QString KindText(MeasurementKind kind)
{
    return kind == MeasurementKind::Recheck ? QStringLiteral("recheck") : QStringLiteral("sort");
}

inline MeasurementKind KindOf(const QString& text)
{
    return text == QLatin1String("recheck") ? MeasurementKind::Recheck : MeasurementKind::Sort;
}

} // namespace voltaryn::store
