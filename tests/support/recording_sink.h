#pragma once

#include "core/message_sink.h"

#include <string>
#include <vector>

namespace brim::test {

// Stands in for the message box: keeps every text the rules showed.
class RecordingSink final : public MessageSink {
public:
    void show(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

} // namespace brim::test
