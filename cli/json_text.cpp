#include "cli/json_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <variant>

namespace brim {
namespace {

constexpr std::size_t kIndent = 2;
constexpr std::string_view kHexDigits = "0123456789abcdef";

void appendEscaped(std::string& out, std::string_view value) {
    out += '"';
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

} // namespace

void JsonText::newLine() {
    out_ += '\n';
    out_.append(depth_ * kIndent, ' ');
}

// A value in a list begins a line of its own; one in an object follows its key.
void JsonText::beginValue() {
    if (keyed_) {
        keyed_ = false;
        return;
    }
    if (depth_ > 0) {
        out_ += first_ ? "" : ",";
        newLine();
    }
    first_ = false;
}

void JsonText::open(char bracket) {
    beginValue();
    out_ += bracket;
    ++depth_;
    first_ = true;
}

void JsonText::close(char bracket) {
    --depth_;
    if (!first_) {
        newLine();
    }
    out_ += bracket;
    first_ = false;
}

void JsonText::beginObject() {
    open('{');
}

void JsonText::endObject() {
    close('}');
}

void JsonText::beginArray() {
    open('[');
}

void JsonText::endArray() {
    close(']');
}

void JsonText::key(std::string_view name) {
    beginValue();
    appendEscaped(out_, name);
    out_ += ": ";
    keyed_ = true;
}

void JsonText::number(double value) {
    if (!std::isfinite(value)) {
        null();
        return;
    }
    beginValue();
    std::array<char, 32> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out_.append(digits.data(), result.ptr);
}

void JsonText::text(std::string_view value) {
    beginValue();
    appendEscaped(out_, value);
}

void JsonText::null() {
    beginValue();
    out_ += "null";
}

std::string JsonText::finished() const {
    return out_ + '\n';
}

void appendCellFigure(JsonText& json, const CellFigure& figure) {
    if (const auto* number = std::get_if<double>(&figure)) {
        json.number(*number);
    } else if (const auto* name = std::get_if<std::string_view>(&figure)) {
        json.text(*name);
    } else if (const auto* counts = std::get_if<DisksAndArrays>(&figure)) {
        json.beginObject();
        json.key("disks");
        json.number(static_cast<double>(counts->disks));
        json.key("arrays");
        json.number(static_cast<double>(counts->arrays));
        json.endObject();
    } else {
        json.null();
    }
}

} // namespace brim
