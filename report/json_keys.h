#pragma once

// A key given twice in one JSON object. The JSON classes keep only one of the two values and
// say nothing, so the workbook reader looks for repeated keys in the text itself.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

// One step from the top of a JSON document down to a value: a member's key or a list's index.
struct JsonStep {
    std::optional<std::string> key; // nothing for a list's element
    std::size_t index = 0;
};

struct RepeatedKey {
    std::vector<JsonStep> object; // where the object that holds the key twice is
    std::string key;              // decoded (UTF-8): "a\u0062" and "ab" are the same key
};

// The first key, in the order of the text, that repeats an earlier key of the same object;
// objects are checked as they close, innermost first. `json` must be well-formed JSON (as the
// JSON classes already found it): malformed text never reads outside it, but its answer means
// nothing. Linear in the text, and n log n in the keys of one object.
std::optional<RepeatedKey> firstRepeatedKey(std::string_view json);

} // namespace brim
