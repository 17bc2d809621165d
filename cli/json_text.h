#pragma once

// The command line's JSON: indented, keys in the order written, numbers at full precision (the
// shortest text that reads back to the same double), and null for a number that is none.

#include "commands/capacity_columns.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace brim {

class JsonText {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value in the object open.
    void key(std::string_view name);

    void number(double value); // a NaN or an infinity is null
    void text(std::string_view value);
    void null();

    // The whole text, ending in a line feed.
    std::string finished() const;

private:
    void beginValue();
    void open(char bracket);
    void close(char bracket);
    void newLine();

    std::string out_;
    std::size_t depth_ = 0;
    bool first_ = true;  // no value yet in the object or list open
    bool keyed_ = false; // a key waits for its value
};

// A table cell's figure: null for none, a number, a text, or the disks and arrays as an object.
void appendCellFigure(JsonText& json, const CellFigure& figure);

} // namespace brim
