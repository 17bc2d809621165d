#pragma once

#include <string>
#include <string_view>

namespace brim {

// Where the sizing rules report a broken rule. The window shows a modal message box with one
// OK button and returns when the user has dismissed it; tests record the texts instead.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(std::string_view text) = 0;
};

// For asking the rules silently: what a rule refuses is simply not offered, nothing is shown.
class SilentSink final : public MessageSink {
public:
    void show(std::string_view) override {}
};

// Keeps the first rule's message instead of showing it, for a row or a plan judged quietly.
class FirstMessage final : public MessageSink {
public:
    void show(std::string_view text) override {
        if (message.empty()) {
            message = text;
        }
    }
    std::string message;
};

} // namespace brim
