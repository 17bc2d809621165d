#pragma once

// A stand-in for the main window: it records every call the commands make on it, in order, and
// models the window's controls as a second sheet, `screen`, so that tests can play the user
// (change a control without any capture) and see what a refresh puts back on screen. Its capture
// can refuse what the window's does: a number field that holds no number (`unreadable`), and a
// disks-per-group value above 16 (`refusesOutOfRange`).

#include "commands/row_commands.h"
#include "core/config_sheet.h"
#include "core/message_sink.h"
#include "core/raid_rules.h"
#include "core/sheet_exchange.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace brim::test {

struct ViewCall {
    enum class Kind { Capture, QuietRead, Refresh, Enable, Message };
    Kind kind = Kind::Capture;
    int controlId = 0;    // Enable
    bool enabled = false; // Enable
    std::string text;     // Message

    friend bool operator==(const ViewCall&, const ViewCall&) = default;
};

inline ViewCall capture() {
    return {ViewCall::Kind::Capture, 0, false, {}};
}
inline ViewCall quietRead() {
    return {ViewCall::Kind::QuietRead, 0, false, {}};
}
inline ViewCall refresh() {
    return {ViewCall::Kind::Refresh, 0, false, {}};
}
inline ViewCall enable(int controlId, bool enabled) {
    return {ViewCall::Kind::Enable, controlId, enabled, {}};
}
inline ViewCall message(std::string text) {
    return {ViewCall::Kind::Message, 0, false, std::move(text)};
}

// How Google Test prints a call when an expectation fails.
inline void PrintTo(const ViewCall& call, std::ostream* out) {
    switch (call.kind) {
    case ViewCall::Kind::Capture:
        *out << "capture";
        break;
    case ViewCall::Kind::QuietRead:
        *out << "quiet read";
        break;
    case ViewCall::Kind::Refresh:
        *out << "refresh";
        break;
    case ViewCall::Kind::Enable:
        *out << "enable(" << call.controlId << ", " << (call.enabled ? "true" : "false") << ")";
        break;
    case ViewCall::Kind::Message:
        *out << "message(\"" << call.text << "\")";
        break;
    }
}

// What the fake shows for the exchange's notice of a refused field.
inline constexpr std::string_view kRefusalNotice = "(the exchange's notice)";

class FakeSheetView final : public SheetView, public MessageSink {
public:
    // The controls start showing the sheet, as after the window's first refresh.
    explicit FakeSheetView(ConfigSheet& sheet) : screen(sheet), sheet_(sheet) {}

    // What the controls show. A successful capture copies all of it into the sheet (the result
    // texts come back as they were shown); a refresh copies the whole sheet into it.
    ConfigSheet screen;

    // The next `failingCaptures` captures fail: each runs `failedCopy`, which stands for the
    // part of the copy that ran before the refused field (by default nothing), and returns
    // false.
    int failingCaptures = 0;
    std::function<void(const ConfigSheet& screen, ConfigSheet& sheet)> failedCopy;

    // The number fields, (row, DisksPerGroup or GroupCount), whose text is no number ("abc");
    // `screen` holds what they held before. A refresh writes every field again.
    std::set<std::pair<int, SheetFieldKind>> unreadable;
    // Whether a capture refuses a disks-per-group value above 16 too, as the window's does; off,
    // it takes such a value in like any other.
    bool refusesOutOfRange = false;

    std::vector<ViewCall> calls;

    // Unless `failingCaptures` says otherwise, a field the window refuses stops the copy with the
    // notice before it reads anything (the window's reads the fields before that one).
    bool copyControlsToSheet() override {
        calls.push_back(capture());
        if (failingCaptures > 0) {
            --failingCaptures;
            if (failedCopy) {
                failedCopy(screen, sheet_);
            }
            return false;
        }
        const auto tooLarge = [](const GroupDefinition& r) {
            return r.disksPerGroup > kMaxDisksPerGroup;
        };
        if (!unreadable.empty() ||
            (refusesOutOfRange && std::any_of(screen.rows.begin(), screen.rows.end(), tooLarge))) {
            show(kRefusalNotice);
            return false;
        }
        sheet_ = readableScreen();
        return true;
    }

    void copyReadableControlsToSheet() override {
        calls.push_back(quietRead());
        sheet_ = readableScreen();
    }

    void copySheetToControls() override {
        calls.push_back(refresh());
        screen = sheet_;
        unreadable.clear();
    }

    // As the window reads its controls: a row with a field that holds no number reads as none.
    ScreenInputs screenInputs() const override {
        ScreenInputs inputs = screenInputsOf(screen);
        for (const auto& [r, kind] : unreadable) {
            inputs.rows[static_cast<std::size_t>(r - 1)].reset();
        }
        return inputs;
    }

    void enableControl(int controlId, bool enabled) override {
        calls.push_back(enable(controlId, enabled));
        enabled_[controlId] = enabled;
    }

    MessageSink& messages() override { return *this; }

    // The history as a plain list: steps[0, undone) can be undone, the rest redone. The window's
    // own history keeps the last 100 steps; this one keeps all.
    std::vector<SheetStep> steps;
    std::size_t done = 0;
    int pushes = 0;     // steps added
    int extensions = 0; // steps folded into the newest one

    void recordStep(SheetStep step) override {
        steps.resize(done); // a new step drops what could have been redone
        if (step.extendsLastStep && !steps.empty()) {
            steps.back().after = std::move(step.after);
            ++extensions;
            return;
        }
        steps.push_back(std::move(step));
        done = steps.size();
        ++pushes;
    }

    // The sheet with every control read into it but the fields that hold no number.
    ConfigSheet readableScreen() const {
        ConfigSheet captured = screen; // no control shows what the texts were computed from
        captured.rowFiguresBasis = sheet_.rowFiguresBasis;
        captured.totalsBasis = sheet_.totalsBasis;
        for (const auto& [r, kind] : unreadable) {
            const GroupDefinition& kept = sheet_.rows[static_cast<std::size_t>(r - 1)];
            GroupDefinition& taken = captured.rows[static_cast<std::size_t>(r - 1)];
            if (kind == SheetFieldKind::DisksPerGroup) {
                taken.disksPerGroup = kept.disksPerGroup;
            } else {
                taken.groupCount = kept.groupCount;
            }
        }
        return captured;
    }

    // Ctrl+Z and Ctrl+Shift+Z as the window runs them; false when there was nothing to do.
    bool undo(RowCommands& commands) {
        commands.beginUndoOrRedo();
        if (done == 0) {
            return false;
        }
        commands.restore(steps[--done].before);
        return true;
    }
    bool redo(RowCommands& commands) {
        commands.beginUndoOrRedo();
        if (done == steps.size()) {
            return false;
        }
        commands.restore(steps[done++].after);
        return true;
    }

    void show(std::string_view text) override { calls.push_back(message(std::string(text))); }

    // Every control starts enabled, as when the window opens.
    bool isEnabled(int controlId) const {
        const auto found = enabled_.find(controlId);
        return found == enabled_.end() || found->second;
    }

    std::vector<std::string> messagesShown() const {
        std::vector<std::string> texts;
        for (const ViewCall& call : calls) {
            if (call.kind == ViewCall::Kind::Message) {
                texts.push_back(call.text);
            }
        }
        return texts;
    }

    std::size_t count(ViewCall::Kind kind) const {
        std::size_t n = 0;
        for (const ViewCall& call : calls) {
            n += call.kind == kind ? 1 : 0;
        }
        return n;
    }

private:
    ConfigSheet& sheet_;
    std::map<int, bool> enabled_;
};

// Field by field equality, for "nothing else changed".
inline bool sameRow(const GroupDefinition& a, const GroupDefinition& b) {
    return a.diskType == b.diskType && a.raidType == b.raidType &&
           a.disksPerGroup == b.disksPerGroup && a.groupCount == b.groupCount &&
           a.includesVault == b.includesVault && a.groupCapacityText == b.groupCapacityText &&
           a.totalCapacityText == b.totalCapacityText;
}

inline bool sameResultTexts(const ConfigSheet& a, const ConfigSheet& b) {
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        if (a.rows[i].groupCapacityText != b.rows[i].groupCapacityText ||
            a.rows[i].totalCapacityText != b.rows[i].totalCapacityText) {
            return false;
        }
    }
    return a.netTotalGbText == b.netTotalGbText && a.netTotalTbText == b.netTotalTbText &&
           a.totalDisksText == b.totalDisksText && a.arraysRequiredText == b.arraysRequiredText;
}

inline bool sameSheet(const ConfigSheet& a, const ConfigSheet& b) {
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        if (!sameRow(a.rows[i], b.rows[i])) {
            return false;
        }
    }
    return a.modelIndex == b.modelIndex && a.stickyChanges == b.stickyChanges &&
           sameResultTexts(a, b) && a.rowFiguresBasis == b.rowFiguresBasis &&
           a.totalsBasis == b.totalsBasis;
}

// Row r (1 to 10) of a sheet.
inline GroupDefinition& row(ConfigSheet& sheet, int r) {
    return sheet.rows[static_cast<std::size_t>(r - 1)];
}
inline const GroupDefinition& row(const ConfigSheet& sheet, int r) {
    return sheet.rows[static_cast<std::size_t>(r - 1)];
}

// Stale result texts that only a Compute may replace.
inline void fillStaleTexts(ConfigSheet& sheet) {
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        sheet.rows[i].groupCapacityText = "stale group " + std::to_string(i + 1);
        sheet.rows[i].totalCapacityText = "stale total " + std::to_string(i + 1);
    }
    sheet.netTotalGbText = "stale GB";
    sheet.netTotalTbText = "stale TB";
    sheet.totalDisksText = "stale disks";
    sheet.arraysRequiredText = "stale arrays";
}

// A sheet, a fake window over it and the commands, as the main window holds them.
struct CommandsFixture {
    ConfigSheet sheet;
    FakeSheetView view{sheet};
    RowCommands commands{sheet, view};

    // The controls show the sheet again, and the call log is empty.
    void syncScreen() {
        view.screen = sheet;
        view.calls.clear();
    }

    // The user picks a RAID type in row r's picker.
    void pickRaid(int r, int raidType) {
        row(view.screen, r).raidType = raidType;
        commands.changeRaidType(r);
    }
};

} // namespace brim::test
