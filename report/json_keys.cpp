#include "report/json_keys.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <numeric>

namespace brim {
namespace {

// Up to this many keys an object is checked pair by pair; one with more is sorted, so that a
// hostile file of one huge object costs n log n, not n squared.
constexpr std::size_t kKeysComparedPairwise = 16;

struct Frame {
    bool isObject = false;
    bool awaitingKey = false;   // an object's next string is a key
    std::size_t firstKey = 0;   // where an object's keys start among the open objects' keys
    std::size_t currentKey = 0; // an object's member being read, among the same
    std::size_t index = 0;      // a list's element being read
};

// Code points as UTF-8; a lone surrogate as the three bytes it would take, so that keys compare
// as the UTF-16 texts the JSON classes make of them.
void appendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The four hex digits of a \u escape starting at `at` (fewer at the end of the text).
std::uint32_t codeUnitAt(std::string_view text, std::size_t at) {
    std::uint32_t unit = 0;
    for (std::size_t i = at; i < std::min(at + 4, text.size()); ++i) {
        const char c = text[i];
        const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        unit = unit * 16 + static_cast<std::uint32_t>(std::clamp(digit, 0, 15));
    }
    return unit;
}

bool isHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool isLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

// A key between its quotes as it reads: escapes decoded, a surrogate pair as one character.
std::string decodedKey(std::string_view raw) {
    std::string key;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            key += raw[i];
            continue;
        }
        switch (const char escape = raw[++i]) {
        case 'b':
            key += '\b';
            break;
        case 'f':
            key += '\f';
            break;
        case 'n':
            key += '\n';
            break;
        case 'r':
            key += '\r';
            break;
        case 't':
            key += '\t';
            break;
        case 'u': {
            std::uint32_t c = codeUnitAt(raw, i + 1);
            i += 4;
            if (isHighSurrogate(c) && raw.substr(i + 1, 2) == "\\u" &&
                isLowSurrogate(codeUnitAt(raw, i + 3))) {
                c = 0x10000 + ((c - 0xD800) << 10) + (codeUnitAt(raw, i + 3) - 0xDC00);
                i += 6;
            }
            appendUtf8(key, c);
            break;
        }
        default:
            key += escape; // a quote, a backslash or a slash
        }
    }
    return key;
}

// The bytes the scan stops at; it runs over blanks, numbers and the like without a look.
constexpr std::array<bool, 256> kStructural = [] {
    std::array<bool, 256> structural{};
    for (const char c : std::string_view("{}[]\",")) {
        structural[static_cast<unsigned char>(c)] = true;
    }
    return structural;
}();

class KeyScanner {
public:
    explicit KeyScanner(std::string_view json) : json_(json) {
        frames_.reserve(16);
        keys_.reserve(64);
    }

    std::optional<RepeatedKey> firstRepeat() {
        while (at_ < json_.size()) {
            const char c = json_[at_++];
            if (!kStructural[static_cast<unsigned char>(c)]) {
                continue;
            }
            switch (c) {
            case '{':
                frames_.push_back({true, true, keys_.size(), 0, 0});
                break;
            case '[':
                frames_.push_back({});
                break;
            case '"':
                readString();
                break;
            case ',':
                nextMember();
                break;
            case '}':
                if (const std::optional<std::size_t> repeat = repeatInInnermost()) {
                    return RepeatedKey{pathToInnermost(), std::string(keys_[*repeat])};
                }
                [[fallthrough]];
            case ']':
                close();
                break;
            default:
                break; // blanks, separators, numbers, true, false and null
            }
        }
        return std::nullopt;
    }

private:
    // From after the opening quote to after the closing one, which no odd run of backslashes
    // escapes (found with memchr, most of a workbook being strings); a key is kept, as a view
    // of the text unless it holds an escape.
    void readString() {
        const std::size_t start = at_;
        std::size_t end = json_.find('"', at_);
        while (end != std::string_view::npos && isEscaped(start, end)) {
            end = json_.find('"', end + 1);
        }
        end = std::min(end, json_.size());
        at_ = end + 1;
        if (frames_.empty() || !frames_.back().awaitingKey) {
            return;
        }
        frames_.back().awaitingKey = false;
        frames_.back().currentKey = keys_.size();
        const std::string_view raw = json_.substr(start, end - start);
        if (raw.find('\\') != std::string_view::npos) {
            decoded_.push_back(decodedKey(raw));
            keys_.push_back(decoded_.back());
        } else {
            keys_.push_back(raw);
        }
    }

    bool isEscaped(std::size_t start, std::size_t quote) const {
        std::size_t backslashes = 0;
        while (quote - backslashes > start && json_[quote - backslashes - 1] == '\\') {
            ++backslashes;
        }
        return backslashes % 2 == 1;
    }

    void nextMember() {
        if (frames_.empty()) {
            return;
        }
        Frame& frame = frames_.back();
        if (frame.isObject) {
            frame.awaitingKey = true;
        } else {
            ++frame.index;
        }
    }

    void close() {
        if (frames_.empty()) {
            return;
        }
        if (frames_.back().isObject) {
            keys_.resize(frames_.back().firstKey);
        }
        frames_.pop_back();
    }

    // The first key of the innermost object that an earlier key of it repeats.
    std::optional<std::size_t> repeatInInnermost() const {
        if (frames_.empty() || !frames_.back().isObject) {
            return std::nullopt;
        }
        const std::size_t first = frames_.back().firstKey;
        const std::size_t end = keys_.size();
        if (end - first <= kKeysComparedPairwise) {
            for (std::size_t j = first + 1; j < end; ++j) {
                if (std::find(keys_.begin() + static_cast<std::ptrdiff_t>(first),
                              keys_.begin() + static_cast<std::ptrdiff_t>(j),
                              keys_[j]) != keys_.begin() + static_cast<std::ptrdiff_t>(j)) {
                    return j;
                }
            }
            return std::nullopt;
        }
        // Sorted stably, equal keys stand in the text's order: the second of each run repeats.
        std::vector<std::size_t> order(end - first);
        std::iota(order.begin(), order.end(), first);
        std::stable_sort(order.begin(), order.end(),
                         [this](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
        std::optional<std::size_t> repeat;
        for (std::size_t k = 1; k < order.size(); ++k) {
            if (keys_[order[k]] == keys_[order[k - 1]] && (!repeat || order[k] < *repeat)) {
                repeat = order[k];
            }
        }
        return repeat;
    }

    std::vector<JsonStep> pathToInnermost() const {
        std::vector<JsonStep> path;
        for (std::size_t i = 0; i + 1 < frames_.size(); ++i) {
            const Frame& frame = frames_[i];
            if (!frame.isObject) {
                path.push_back({std::nullopt, frame.index});
            } else if (frame.currentKey < keys_.size()) {
                path.push_back({std::string(keys_[frame.currentKey]), 0});
            }
        }
        return path;
    }

    std::string_view json_;
    std::size_t at_ = 0;
    std::vector<Frame> frames_;
    std::vector<std::string_view> keys_; // of every open object, the innermost's last
    std::deque<std::string> decoded_;    // keys that held escapes, as they read
};

} // namespace

std::optional<RepeatedKey> firstRepeatedKey(std::string_view json) {
    return KeyScanner(json).firstRepeat();
}

} // namespace brim
