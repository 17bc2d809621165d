// The sheet's history over random sessions on the fake window: the steps of a command run from
// the sheet it found to the sheet it left, Undo and Redo give those back field for field (the
// locks too, with the controls refreshed), a command that changed an input always leaves a step,
// typing in one field stays one step, and the whole history can be walked back and forth. Fields
// hold values the exchange refuses now and then: Undo and Redo work all the same, without a
// notice, and an Undo takes back exactly one step, a value typed but not yet taken in first.

#include "tests/support/catalogue_names.h"
#include "tests/support/fake_sheet_view.h"
#include "tests/support/row_control_names.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace brim::test {
namespace {

using namespace controls;
using namespace names;

bool same(const SheetSnapshot& a, const SheetSnapshot& b) {
    return sameSheet(a.sheet, b.sheet) && a.disksFieldLocked == b.disksFieldLocked;
}

// clang-format off
enum class Action { Compute, Raid, Clear, Preset, Model, Vault, Typing, Sticky, PutInRow, Open,
                    LeaveField, Capture, Undo, Redo };
// clang-format on
constexpr int kActions = 14;

class Session {
public:
    explicit Session(std::mt19937& random) : random_(random) { f_.view.refusesOutOfRange = true; }

    // One user action, with now and then a disk type picked or a value the exchange refuses
    // typed before it (which run no command), or a capture that fails after row 1.
    void act() {
        if (pick(4) == 0) {
            row(f_.view.screen, anyRow()).diskType = pick(8);
        }
        if (pick(6) == 0) {
            typeRefusedValue();
        }
        if (pick(8) == 0) {
            f_.view.failingCaptures = 1;
            f_.view.failedCopy = [](const ConfigSheet& screen, ConfigSheet& sheet) {
                sheet.rows[0] = screen.rows[0];
            };
        }
        const SheetSnapshot before = f_.commands.snapshot();
        const std::size_t doneBefore = f_.view.done;
        const int pushes = f_.view.pushes;
        const int extensions = f_.view.extensions;
        messagesBefore_ = f_.view.messagesShown().size();
        const auto action = static_cast<Action>(pick(kActions));
        const int r = action == Action::Typing && lastTypedRow_ != 0 && pick(4) != 0 ? lastTypedRow_
                                                                                     : anyRow();
        const SheetSnapshot shown{f_.view.readableScreen(), before.disksFieldLocked};
        run(action, r);

        const SheetSnapshot now = f_.commands.snapshot();
        for (int k = 1; k <= kRowCount; ++k) {
            ASSERT_EQ(f_.view.isEnabled(disksFieldOf(k)), !f_.commands.disksFieldLocked(k));
        }
        const bool added = f_.view.pushes > pushes;
        const bool extended = f_.view.extensions > extensions;
        if (added && doneBefore == 0) {
            firstBefore_ = before;
        }
        if (action == Action::Undo || action == Action::Redo) {
            checkMove(action, before, shown, doneBefore, added);
        } else if (added) {
            // The command's steps, an edit step first where its capture took edits in.
            const std::size_t first =
                f_.view.done - static_cast<std::size_t>(f_.view.pushes - pushes);
            ASSERT_TRUE(same(f_.view.steps[first].before, before));
            for (std::size_t k = first + 1; k < f_.view.done; ++k) {
                ASSERT_TRUE(same(f_.view.steps[k - 1].after, f_.view.steps[k].before));
            }
            // A Compute after the edits that its capture took in writes result texts only.
            const SheetStep& last = f_.view.steps.back();
            const bool computes =
                action == Action::Compute || action == Action::Vault || action == Action::Model;
            ASSERT_TRUE(same(last.after, now) || (computes && last.name.starts_with("Edit") &&
                                                  !inputsDiffer(last.after, now)));
            // More typing in the field adds a step only for other edits that its capture took in.
            ASSERT_TRUE(action != Action::Typing || r != lastTypedRow_ ||
                        f_.view.steps[first].name.starts_with("Edit"));
        } else if (extended) {
            ASSERT_TRUE(action == Action::Typing && r == lastTypedRow_);
            ASSERT_TRUE(same(f_.view.steps.back().after, now));
        } else {
            ASSERT_FALSE(inputsDiffer(before, now)); // nothing changed but result texts
        }
        if (added || extended) {
            lastAfter_ = f_.view.steps.back().after;
        }
        const bool typedStep =
            !f_.view.steps.empty() && f_.view.steps.back().name == rowStepName(kTypingStepName, r);
        const bool stillTyping = added || extended ? typedStep : r == lastTypedRow_;
        lastTypedRow_ = action == Action::Typing && stillTyping ? r : 0;
    }

    // With nothing left to capture: everything undone gives the sheet before the first step,
    // everything redone the sheet after the newest, and so do undo k and redo k after it.
    void walkWholeHistory() {
        f_.view.screen = f_.sheet;
        f_.view.unreadable.clear();
        f_.view.failingCaptures = 0;
        if (f_.view.steps.empty()) {
            return;
        }
        while (f_.view.undo(f_.commands)) {
        }
        ASSERT_TRUE(same(f_.commands.snapshot(), firstBefore_));
        ASSERT_TRUE(sameSheet(f_.view.screen, f_.sheet));
        while (f_.view.redo(f_.commands)) {
        }
        ASSERT_TRUE(same(f_.commands.snapshot(), lastAfter_));
        const int k = pick(static_cast<int>(f_.view.steps.size()) + 1);
        for (int i = 0; i < k; ++i) {
            ASSERT_TRUE(f_.view.undo(f_.commands));
        }
        for (int i = 0; i < k; ++i) {
            ASSERT_TRUE(f_.view.redo(f_.commands));
        }
        ASSERT_TRUE(same(f_.commands.snapshot(), lastAfter_));
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    int anyRow() { return 1 + pick(kRowCount); }

    // Into a field the user can type in: disks per group above 16, or text that is no number.
    void typeRefusedValue() {
        const int r = anyRow();
        const bool inDisksField = f_.view.isEnabled(disksFieldOf(r)) && pick(2) == 0;
        if (inDisksField && pick(2) == 0) {
            row(f_.view.screen, r).disksPerGroup = 17 + static_cast<std::uint32_t>(pick(1000));
            f_.view.unreadable.erase({r, SheetFieldKind::DisksPerGroup});
        } else {
            f_.view.unreadable.insert(
                {r, inDisksField ? SheetFieldKind::DisksPerGroup : SheetFieldKind::GroupCount});
        }
    }

    void run(Action action, int r) {
        ConfigSheet& screen = f_.view.screen;
        switch (action) {
        case Action::Compute:
            return f_.commands.compute();
        case Action::Raid:
            return f_.pickRaid(r, pick(8) - 1);
        case Action::Clear:
            return f_.commands.clearRow(r);
        case Action::Preset:
            return f_.commands.applyPreset(kPresets[static_cast<std::size_t>(pick(4))]);
        case Action::Model:
            screen.modelIndex = pick(9);
            return f_.commands.changeModel();
        case Action::Vault: {
            bool& vault = row(screen, 1 + pick(kVaultRowCount)).includesVault;
            vault = !vault;
            return f_.commands.toggleVault();
        }
        case Action::Typing: // over the field's whole text
            row(screen, r).groupCount = static_cast<std::uint32_t>(pick(4));
            f_.view.unreadable.erase({r, SheetFieldKind::GroupCount});
            return f_.commands.captureGroupCount(r);
        case Action::Sticky:
            screen.stickyChanges = !screen.stickyChanges;
            return f_.commands.captureStickyChanges();
        case Action::PutInRow:
            (void)f_.commands.putInFirstFreeRow(
                {pick(8), pick(7), 1 + static_cast<unsigned>(pick(16)), 2});
            return;
        case Action::Open: {
            ConfigSheet plan;
            row(plan, r) = {pick(8), pick(7), 4, 1 + static_cast<unsigned>(pick(9)), false, {}, {}};
            return f_.commands.openPlan(plan, "4.3");
        }
        case Action::LeaveField:
            return f_.commands.endTyping();
        case Action::Capture:
            (void)f_.commands.captureInput();
            return;
        case Action::Undo:
            (void)f_.view.undo(f_.commands);
            return;
        case Action::Redo:
            (void)f_.view.redo(f_.commands);
            return;
        }
    }

    // Undo gives back the sheet before the step it undid and Redo the sheet after it, shown in
    // the controls, without a Compute or a message. Either first takes in the pending edits as a
    // step, which is then the one undone (and leaves nothing to redo); a field that holds no
    // number is no edit. `shown` is what the controls showed that can be read.
    void checkMove(Action action, const SheetSnapshot& before, const SheetSnapshot& shown,
                   std::size_t doneBefore, bool added) {
        if (inputsDiffer(before, shown)) {
            // The typed edit alone is the step: Undo lands on the sheet as it was, Redo on what
            // was typed.
            ASSERT_TRUE(action == Action::Undo ? same(f_.commands.snapshot(), before)
                                               : !inputsDiffer(f_.commands.snapshot(), shown));
        }
        const std::size_t done = f_.view.done;
        const bool moved = action == Action::Undo ? done + 1 == doneBefore + (added ? 1 : 0)
                                                  : done == doneBefore + 1 && !added;
        if (moved) {
            const SheetStep& step = f_.view.steps[action == Action::Undo ? done : done - 1];
            ASSERT_TRUE(
                same(f_.commands.snapshot(), action == Action::Undo ? step.before : step.after));
            ASSERT_TRUE(sameSheet(f_.view.screen, f_.sheet));
        } else {
            ASSERT_FALSE(
                inputsDiffer(added ? f_.view.steps.back().after : before, f_.commands.snapshot()));
        }
        if (added) {
            ASSERT_TRUE(same(f_.view.steps[doneBefore].before, before));
            lastAfter_ = f_.view.steps.back().after;
        }
        ASSERT_EQ(f_.view.messagesShown().size(), messagesBefore_);
    }

    std::mt19937& random_;
    CommandsFixture f_;
    int lastTypedRow_ = 0;
    std::size_t messagesBefore_ = 0;
    SheetSnapshot firstBefore_;
    SheetSnapshot lastAfter_;
};

// The names the Undo and Redo entries show, and where a capture's edits become a step of their
// own: only edits of controls other than the command's own, Undo's capture included.
TEST(History, StepsAreNamedForTheirCommand) {
    CommandsFixture f;
    ConfigSheet& screen = f.view.screen;
    f.commands.applyPreset(kPresets[2]);
    f.commands.clearRow(3);
    row(screen, 7).diskType = k73G;
    row(screen, 9).disksPerGroup = 6;
    f.pickRaid(5, kRaid6);
    screen.modelIndex = kMorvikA;
    f.commands.changeModel();
    row(screen, 2).includesVault = true;
    f.commands.toggleVault();
    screen.stickyChanges = false;
    f.commands.captureStickyChanges();
    for (const std::uint32_t groups : {1U, 12U, 0U, 3U}) {
        row(screen, 2).groupCount = groups;
        f.commands.captureGroupCount(2);
        if (groups == 0) {
            f.commands.endTyping(); // the focus left the field
        }
    }
    (void)f.commands.putInFirstFreeRow({k1TbAta, kRaid5, 5, 3});
    ConfigSheet plan;
    row(plan, 1) = {k146G, kRaid5, 5, 2, false, {}, {}};
    f.commands.openPlan(plan, "4.3");
    row(screen, 4).diskType = k146G;
    f.commands.compute();
    f.commands.compute();
    row(screen, 6).diskType = k400G;
    (void)f.view.undo(f.commands);

    std::vector<std::string> names;
    for (const SheetStep& step : f.view.steps) {
        names.push_back(step.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Max IOPS", "Clear Row 3", "Edit Rows 7, 9",
                                               "RAID Type Row 5", "Model Change", "Vault Row 2",
                                               "Sticky Changes", "Typing in Row 2",
                                               "Typing in Row 2", "Put in Row 1", "Open Report",
                                               "Edit Row 4", "Edit Row 6"}));
    EXPECT_EQ(f.view.steps.size() - f.view.done, 1U); // the pending edit was undone
}

TEST(History, RandomSessionsWalkBackAndForthFieldForField) {
    std::mt19937 random(16);
    for (int sequence = 0; sequence < 300; ++sequence) {
        SCOPED_TRACE("session " + std::to_string(sequence));
        Session session(random);
        for (int i = 0; i < 40; ++i) {
            ASSERT_NO_FATAL_FAILURE(session.act());
        }
        ASSERT_NO_FATAL_FAILURE(session.walkWholeHistory());
    }
}

} // namespace
} // namespace brim::test
