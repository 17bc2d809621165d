#pragma once

#include "core/message_sink.h"

class QWidget;

namespace brim {

// Shows each message as a modal message box with one OK button, titled with the program's
// name, over `parent`; returns when the user has dismissed it.
class MessageBoxSink final : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent);
    void show(std::string_view text) override;

private:
    QWidget* parent_;
};

} // namespace brim
