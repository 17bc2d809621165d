#pragma once

#include <string_view>

namespace brim {

// A yes-or-no question put to the planner before a command replaces or removes what no Undo
// brings back. The window asks with a message box; tests answer instead.
class Questions {
public:
    virtual ~Questions() = default;
    // True when the planner says yes.
    virtual bool ask(std::string_view question) = 0;
};

} // namespace brim
