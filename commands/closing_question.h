#pragma once

#include <string_view>

namespace brim {

// The question the main window puts before it closes over kept plans or planning figures that no
// saved workbook holds, and its three buttons: Save is the default, Escape is Cancel.
inline constexpr std::string_view kSaveBeforeClosingQuestion = "Save the workbook before closing?";
inline constexpr std::string_view kSaveButtonText = "Save";
inline constexpr std::string_view kDiscardButtonText = "&Discard";
inline constexpr std::string_view kCancelButtonText = "Cancel";

enum class ClosingAnswer { Save, Discard, Cancel };

// Puts that question to the planner. The window asks with a message box; tests answer instead.
class ClosingQuestion {
public:
    virtual ~ClosingQuestion() = default;
    virtual ClosingAnswer askBeforeClosing(std::string_view question) = 0;
};

} // namespace brim
