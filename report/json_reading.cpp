#include "report/json_reading.h"

#include <QByteArray>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>

namespace brim::json_reading {
namespace {

// A JSON number carries a price or an AFR as a double; a value further than this share of its
// smallest step from a whole number of steps has more decimals than its figure takes.
constexpr double kStepTolerance = 1e-4;

constexpr std::array<std::string_view, 4> kPlacesNames{"no", "one decimal", "two decimals",
                                                       "three decimals"};

} // namespace

[[noreturn]] void fault(const std::string& path, const std::string& what) {
    throw JsonFault{path + ": " + what};
}

std::string member(const std::string& path, const char* name) {
    return path.empty() ? std::string(name) : path + '.' + name;
}

std::string element(const std::string& path, qsizetype index) {
    return path + '[' + std::to_string(index) + ']';
}

// A text from the file as a message shows it on one line: quotes, backslashes and control
// characters written as JSON writes them.
std::string escaped(const QString& text) {
    std::string shown;
    for (const char c : text.toStdString()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            shown += '\\';
            shown += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            shown += "\\u00";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string quoted(const QString& text) {
    return '"' + escaped(text) + '"';
}

std::string numberText(double value) {
    if (std::abs(value) < 1e15 && value == std::floor(value)) {
        return std::to_string(static_cast<long long>(value));
    }
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

QJsonObject objectAt(const QJsonValue& value, const std::string& path) {
    if (!value.isObject()) {
        fault(path, "must be an object ({ ... }).");
    }
    return value.toObject();
}

QJsonArray arrayAt(const QJsonValue& value, const std::string& path) {
    if (!value.isArray()) {
        fault(path, "must be a list ([ ... ]).");
    }
    return value.toArray();
}

QString stringAt(const QJsonValue& value, const std::string& path) {
    if (!value.isString()) {
        fault(path, "must be a text in quotes.");
    }
    return value.toString();
}

void onlyKnownFields(const QJsonObject& object, const std::string& path,
                     std::span<const std::string_view> known) {
    for (auto field = object.begin(); field != object.end(); ++field) {
        const QString name = field.key();
        const bool isKnown = std::any_of(known.begin(), known.end(),
                                         [&name](std::string_view k) { return name == key(k); });
        if (!isKnown) {
            fault(member(path, escaped(name).c_str()),
                  quoted(name) + " is not a field this program knows.");
        }
    }
}

void onlyKnownFields(const QJsonObject& object, const std::string& path,
                     std::initializer_list<std::string_view> known) {
    onlyKnownFields(object, path, std::span<const std::string_view>(known.begin(), known.size()));
}

QJsonValue required(const QJsonObject& object, const char* name, const std::string& path) {
    if (!object.contains(key(name))) {
        fault(member(path, name), "missing.");
    }
    return object.value(key(name));
}

std::int64_t wholeNumberAt(const QJsonValue& value, const std::string& path, std::int64_t lowest,
                           std::int64_t highest) {
    if (!value.isDouble()) {
        fault(path, "must be a number.");
    }
    const double number = value.toDouble();
    if (!std::isfinite(number) || number != std::floor(number)) {
        fault(path, numberText(number) + " is not a whole number.");
    }
    if (number < static_cast<double>(lowest) || number > static_cast<double>(highest)) {
        fault(path, numberText(number) + " is outside " + std::to_string(lowest) + " to " +
                        std::to_string(highest) + '.');
    }
    return static_cast<std::int64_t>(number);
}

std::int64_t decimalAt(const QJsonValue& value, const std::string& path, int places,
                       const AllowedRange<std::int64_t>& range) {
    if (!value.isDouble()) {
        fault(path, "must be a number.");
    }
    const double number = value.toDouble();
    const auto step = static_cast<double>(stepOf(places));
    const double lowest = static_cast<double>(range.lowest) / step;
    const double highest = static_cast<double>(range.highest) / step;
    if (!std::isfinite(number) || number < lowest || number > highest) {
        fault(path, numberText(number) + " is outside " + numberText(lowest) + " to " +
                        numberText(highest) + '.');
    }
    const double steps = number * step;
    const double whole = std::round(steps);
    if (std::abs(steps - whole) > kStepTolerance) {
        fault(path, numberText(number) + " has more than " +
                        std::string(kPlacesNames[static_cast<std::size_t>(places)]) + '.');
    }
    return static_cast<std::int64_t>(whole);
}

bool flagAt(const QJsonValue& value, const std::string& path) {
    if (!value.isBool()) {
        fault(path, "must be true or false.");
    }
    return value.toBool();
}

} // namespace brim::json_reading
