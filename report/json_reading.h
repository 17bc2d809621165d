#pragma once

// Reading JSON strictly: every value checked for its type and range as it is taken, every field
// of an object known, and the first fault thrown to the top as a message that names its place as
// a path counted from 0 ("plans[1].rows[4].raidType: ..."). The workbook's reader is built on it.
// Qt Core's JSON classes; for report's own files only.

#include "core/planning_assumptions.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace brim::json_reading {

// The first fault found ends the reading; it is thrown to the top with its message.
struct JsonFault {
    std::string message;
};

[[noreturn]] void fault(const std::string& path, const std::string& what);

// A field's name as the JSON classes take it, without making a QString of it each time.
inline QLatin1String key(const char* name) {
    return QLatin1String(name);
}
inline QLatin1String key(std::string_view name) {
    return QLatin1String(name.data(), static_cast<qsizetype>(name.size()));
}

inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// 10^places: the smallest step of a decimal figure, in which it is held.
constexpr std::int64_t stepOf(int places) noexcept {
    std::int64_t step = 1;
    for (int i = 0; i < places; ++i) {
        step *= 10;
    }
    return step;
}

// "sheet.rows", "plans[1]": the places of a field and of an element.
std::string member(const std::string& path, const char* name);
std::string element(const std::string& path, qsizetype index);

// A text from the file as a message shows it on one line, and in quotes.
std::string escaped(const QString& text);
std::string quoted(const QString& text);
// A number as the file has it: whole numbers without a point or an exponent.
std::string numberText(double value);

QJsonObject objectAt(const QJsonValue& value, const std::string& path);
QJsonArray arrayAt(const QJsonValue& value, const std::string& path);
QString stringAt(const QJsonValue& value, const std::string& path);
bool flagAt(const QJsonValue& value, const std::string& path);

// Refuses a field of the object that `known` does not name.
void onlyKnownFields(const QJsonObject& object, const std::string& path,
                     std::span<const std::string_view> known);
void onlyKnownFields(const QJsonObject& object, const std::string& path,
                     std::initializer_list<std::string_view> known);
QJsonValue required(const QJsonObject& object, const char* name, const std::string& path);

std::int64_t wholeNumberAt(const QJsonValue& value, const std::string& path, std::int64_t lowest,
                           std::int64_t highest);
// A decimal with at most `places` decimals, held in steps of 10^-places, within `range` (given
// in those steps).
std::int64_t decimalAt(const QJsonValue& value, const std::string& path, int places,
                       const AllowedRange<std::int64_t>& range);

template <typename T>
std::int64_t wholeNumberIn(const QJsonValue& value, const std::string& path,
                           const AllowedRange<T>& range) {
    return wholeNumberAt(value, path, static_cast<std::int64_t>(range.lowest),
                         static_cast<std::int64_t>(range.highest));
}

template <typename T>
std::int64_t hundredthsIn(const QJsonValue& value, const std::string& path,
                          const AllowedRange<T>& range) {
    return decimalAt(value, path, 2, widened(range));
}

// The position of `name` among the table's names, compared as UTF-8 bytes (the file's text is
// made one string once, not each table name a QString per comparison); -1 when none is.
template <typename Table, typename NameOf>
int indexOfName(const Table& table, const QString& name, NameOf nameOf) {
    const std::string bytes = name.toStdString();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (bytes == std::string_view(nameOf(table[i]))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace brim::json_reading
