// A long session at the real main window on the offscreen platform: a fixed-seed random walk
// of user actions (keystrokes into the edit fields, lists and boxes, list picks by keyboard,
// presets, clears, vault clicks, model changes, Compute by button and by Enter, Print, Undo and
// Redo by key and by menu, Copy Sheet), with every message recorded instead of shown. After every
// Compute each result text is compared with a second, plain implementation of the sizing rules;
// after every command that ends by showing the sheet, every control must show it; after a capture
// that was not refused, the sheet must hold what the controls show; after each Undo, the sheet's
// inputs must be those the walk recorded before the step undone. Memory after the walk must stay
// within 5% of what the first thousand actions reached (see measuredMemory for the sanitizer
// build).

#include "core/sheet_exchange.h"
#include "report/report.h"
#include "report/sheet_table.h"
#include "report/workbook.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/control_names.h"
#include "tests/support/reference_sizing.h"
#include "tests/support/sheet_compare.h"
#include "tests/ui/gui_test_support.h"
#include "ui/plan_keeping.h"
#include "ui/sheet_window.h"
#include "ui/window_layout.h"
#include "ui/window_menu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define BRIM_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRIM_UNDER_ASAN 1
#endif
#endif
#ifdef BRIM_UNDER_ASAN
// The sanitizer runtime's count of bytes in live allocations (its header ships with clang only).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace brim {
namespace {

constexpr int kActions = 20000;
constexpr int kWarmUpActions = 1000;
constexpr std::uint64_t kSeed = 0x5eed'b41d'c0de'2024ULL;
// Queued events (painting, deferred deletes) run this often, as an idle moment of a real user.
constexpr int kEventLoopEvery = 64;
constexpr int kWorkbookEvery = 300; // actions between saving and reopening the workbook
constexpr double kMemoryGrowthAllowed = 0.05;

// The window keeps this many steps of its history; the walk's own record keeps no more.
constexpr std::size_t kHistorySteps = 100;

using namespace test::controls;
using namespace test::names;

// xorshift64*: the same sequence on every platform and standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) noexcept : state_(seed) {}
    std::uint64_t next() noexcept {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1DULL;
    }
    int below(int n) noexcept { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_;
};

enum class Action {
    GroupsKey,
    DisksKey,
    PickDisk,
    PickRaid,
    PickModel,
    Preset,
    Clear,
    Vault,
    Sticky,
    ComputeButton,
    EnterKey,
    Print,
    UndoKey,
    UndoMenu,
    RedoKey,
    RedoMenu,
    CopySheet,
};

struct Weighted {
    Action action;
    int weight;
};

// Typing dominates, as it does at the real window.
constexpr std::array<Weighted, 17> kActionWeights{{
    {Action::GroupsKey, 20},
    {Action::DisksKey, 12},
    {Action::PickDisk, 9},
    {Action::PickRaid, 7},
    {Action::PickModel, 3},
    {Action::Preset, 5},
    {Action::Clear, 6},
    {Action::Vault, 5},
    {Action::Sticky, 2},
    {Action::ComputeButton, 12},
    {Action::EnterKey, 6},
    {Action::Print, 4},
    {Action::UndoKey, 3},
    {Action::UndoMenu, 2},
    {Action::RedoKey, 2},
    {Action::RedoMenu, 1},
    {Action::CopySheet, 1},
}};

const char* actionName(Action action) {
    switch (action) {
    case Action::GroupsKey:
        return "key in # of Groups";
    case Action::DisksKey:
        return "key in # Disks Per Group";
    case Action::PickDisk:
        return "pick disk type";
    case Action::PickRaid:
        return "pick RAID type";
    case Action::PickModel:
        return "pick model";
    case Action::Preset:
        return "preset";
    case Action::Clear:
        return "clear row";
    case Action::Vault:
        return "vault box";
    case Action::Sticky:
        return "Sticky Changes";
    case Action::ComputeButton:
        return "Compute";
    case Action::EnterKey:
        return "Enter";
    case Action::Print:
        return "Print";
    case Action::UndoKey:
        return "Undo by key";
    case Action::UndoMenu:
        return "Undo by menu";
    case Action::RedoKey:
        return "Redo by key";
    case Action::RedoMenu:
        return "Redo by menu";
    case Action::CopySheet:
        return "Copy Sheet";
    }
    return "?";
}

std::size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0;
    std::size_t resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Memory. Without AddressSanitizer the resident size after the walk must stay within 5% of
// what it was after the first thousand actions. Under AddressSanitizer the resident size says
// little about the program: the quarantine of freed blocks (256 MB by default), the store of
// allocation stacks and the allocator's metadata grow with the number of allocations made, not
// with the memory held (a run of this walk goes from 160 to 500 MB resident, and from 65 to
// 75 MB even with a 4 MB quarantine, while the live heap moves by 0.2 MB). There the check reads
// the allocator's count of bytes in live allocations instead, and asks that the second half of
// the walk does not let it grow by more than 5%: the style's pixmap cache keeps filling with
// control states first drawn after the thousandth action, which is a bounded cache, not a leak.
// LeakSanitizer at exit reports any block left without an owner.
#ifdef BRIM_UNDER_ASAN
constexpr const char* kMemoryMeasure = "live heap";
constexpr int kMemoryBaselineActions = kActions / 2;
std::size_t measuredMemory() {
    return __sanitizer_get_current_allocated_bytes();
}
#else
constexpr const char* kMemoryMeasure = "resident";
constexpr int kMemoryBaselineActions = kWarmUpActions;
std::size_t measuredMemory() {
    return residentBytes();
}
#endif

// What an edit field's text gives under the number rule, written out plainly.
std::optional<std::uint32_t> numberOf(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 40) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c.unicode() - '0');
        if (value > 0xFFFFFFFFULL) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The report without its second line, the one that carries the clock.
std::string withoutDateLine(const std::string& report) {
    const std::size_t first = report.find('\n');
    const std::size_t second = first == std::string::npos ? first : report.find('\n', first + 1);
    if (second == std::string::npos) {
        return report;
    }
    return report.substr(0, first + 1) + report.substr(second + 1);
}

class LongSession : public test::GuiTest {
protected:
    // The controls of one row; the counters count the signals that start commands, so that the
    // walk knows whether a key started one.
    struct Row {
        QLineEdit* groups = nullptr;
        QComboBox* disk = nullptr;
        QComboBox* raid = nullptr;
        QLineEdit* disks = nullptr;
        QCheckBox* vault = nullptr;
        QLabel* groupText = nullptr;
        QLabel* totalText = nullptr;
        QPushButton* clear = nullptr;
        int raidPicks = 0;
        int groupsEdits = 0;
        int vaultClicks = 0;
    };

    void SetUp() override {
        test::GuiTest::SetUp();
        ASSERT_TRUE(folder_.isValid());
        window_ = std::make_unique<SheetWindow>(&messages_, &chooser_);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        collectControls();
        openStartingWorkbook();
        for (const QString& name :
             {QStringLiteral("report.txt"), QStringLiteral("two words \u00e9\u00df\u00f8.txt"),
              QStringLiteral("plan")}) {
            reportPaths_.push_back(folder_.filePath(name).toStdString());
        }
    }

    // Planning figures other than the defaults and two kept plans, over the window's own sheet,
    // so that the workbook the walk saves holds all of them. The sheet stays as it was: the
    // open adds no step to the history the walk checks.
    void openStartingWorkbook() {
        workbookPath_ = folder_.filePath(QStringLiteral("walk.brimcount")).toStdString();
        Workbook start = window_->planKeeping().current();
        PlanningAssumptions& planning = start.figures.planning;
        planning.workload.setReadPercent(55);
        planning.rebuildWait.setHoursBeforeRebuild(12);
        planning.spares.setDisksPerSpare(20);
        planning.disks.setAnnualFailureHundredths(test::names::k1TbAta, 425);
        planning.prices.setDiskHundredths(test::names::k450G, 152050);
        planning.prices.setArrayHundredths(test::names::kTelvarA, 4500000);
        start.figures.sizing.hostIopsText = "20000";
        start.figures.plans = {{"Plan A", start.sheet}, {"Cheap", start.sheet}};
        start.figures.plans[1].sheet.rows[0].groupCount = 4;
        std::ofstream(workbookPath_) << formatWorkbook(start);
        window_->planKeeping().openFile(workbookPath_);
        ASSERT_TRUE(window_->planKeeping().current().figures == start.figures);
    }

    // Ctrl+S when the controls show the sheet (its capture then records no step), and the file
    // opened in a new window, as the next run of the program would: the sheet's inputs, the kept
    // plans and every planning figure come back.
    void saveAndReopenWorkbook() {
        if (pendingEdits(window_->sheet()) != std::optional<bool>(false)) {
            return;
        }
        const std::size_t firstMessage = messages_.texts().size();
        window_->handleWindowMenuCommand(kSaveWorkbookCommand);
        EXPECT_EQ(messages_.texts().size(), firstMessage);
        test::RecordingMessageSink messages;
        SheetWindow reopened(&messages, &chooser_);
        reopened.planKeeping().openFile(workbookPath_); // its Compute may show a broken rule
        EXPECT_EQ(formatWorkbook(reopened.planKeeping().current()),
                  formatWorkbook(window_->planKeeping().current()));
        ++workbooks_;
    }

    void TearDown() override {
        window_.reset();
        test::GuiTest::TearDown();
    }

    template <typename T> T* controlAs(int id) {
        T* widget = qobject_cast<T*>(window_->control(id));
        EXPECT_NE(widget, nullptr) << "control " << id;
        return widget;
    }

    void collectControls() {
        for (const RowLayout& row : kRowLayouts) {
            Row r;
            r.groups = controlAs<QLineEdit>(row.groupCount.id);
            r.disk = controlAs<QComboBox>(row.diskType.id);
            r.raid = controlAs<QComboBox>(row.raidType.id);
            r.disks = controlAs<QLineEdit>(row.disksPerGroup.id);
            r.vault = row.vault.id == kNoControlId ? nullptr : controlAs<QCheckBox>(row.vault.id);
            r.groupText = controlAs<QLabel>(row.groupCapacity.id);
            r.totalText = controlAs<QLabel>(row.totalCapacity.id);
            r.clear = controlAs<QPushButton>(row.clear.id);
            rows_.push_back(r);
        }
        model_ = controlAs<QComboBox>(kModelListId);
        // Counters of the signals that start commands, to know whether a key started one.
        for (Row& r : rows_) {
            QObject::connect(r.raid, &QComboBox::activated, [&r] { ++r.raidPicks; });
            QObject::connect(r.groups, &QLineEdit::textEdited, [&r] { ++r.groupsEdits; });
            if (r.vault) {
                QObject::connect(r.vault, &QAbstractButton::clicked, [&r] { ++r.vaultClicks; });
            }
        }
        QObject::connect(model_, &QComboBox::activated, [this] { ++modelPicks_; });
        sticky_ = controlAs<QCheckBox>(kSticky);
        compute_ = controlAs<QPushButton>(kCompute);
        print_ = controlAs<QPushButton>(kPrint);
        for (const Preset& preset : kPresets) {
            presets_.push_back(controlAs<QPushButton>(preset.controlId));
        }
        netGb_ = controlAs<QLabel>(kNetTotalGb);
        netTb_ = controlAs<QLabel>(kNetTotalTb);
        disks_ = controlAs<QLabel>(kTotalDisks);
        arrays_ = controlAs<QLabel>(kArraysRequired);
    }

    // One keystroke into an edit field, mostly digits, now and then a deletion, a blank, a
    // letter, a sign, a cursor move or a select-all, so that the field holds a short number most
    // of the time and a refused text now and then.
    void typeInto(QLineEdit* field, Random& random) {
        const int length = static_cast<int>(field->text().size());
        const int roll = random.below(100);
        if (roll < (length >= 3 ? 45 : length >= 2 ? 25 : 8)) {
            QTest::keyClick(field, Qt::Key_Backspace);
        } else if (roll < 80) {
            if (random.below(3) == 0) {
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // select all, replace
            }
            QTest::keyClick(field, static_cast<char>('0' + random.below(10)));
        } else {
            switch (random.below(8)) {
            case 0:
                QTest::keyClick(field, Qt::Key_Delete);
                break;
            case 1:
                QTest::keyClick(field, Qt::Key_Home);
                break;
            case 2:
                QTest::keyClick(field, Qt::Key_End);
                break;
            case 3:
                QTest::keyClick(field, ' ');
                break;
            case 4:
                QTest::keyClick(field, '-');
                break;
            case 5:
                QTest::keyClick(field, 'x');
                break;
            case 6:
                QTest::keyClick(field, '+');
                break;
            default:
                QTest::keyClick(field, Qt::Key_Left);
                break;
            }
        }
    }

    // A keystroke into a disks-per-group field. A user types a group size over the old one, so
    // mostly the whole field is replaced by one digit, half of those a size that the row's RAID
    // type (as its list shows it) accepts; a field of two or more digits (mostly too many) loses
    // its last one half of the time; and now and then any keystroke at all.
    void typeDisksPerGroup(const Row& r, Random& random) {
        static constexpr std::array<std::string_view, 7> kAccepted{"3456789", "2",   "2468", "59",
                                                                   "3456789", "468", "1"};
        if (r.disks->text().size() >= 2 && random.below(2) == 0) {
            QTest::keyClick(r.disks, Qt::Key_Backspace);
            return;
        }
        if (random.below(6) == 0) {
            typeInto(r.disks, random);
            return;
        }
        const int raid = r.raid->currentIndex();
        const std::string_view digits = raid >= 0 && raid < 7 && random.below(2) == 0
                                            ? kAccepted[static_cast<std::size_t>(raid)]
                                            : std::string_view("0123456789");
        QTest::keyClick(r.disks, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(
            r.disks,
            digits[static_cast<std::size_t>(random.below(static_cast<int>(digits.size())))]);
    }

    // A pick in a closed list by keyboard: arrows, Home, End and the page keys move the
    // selection and raise `activated` as a mouse pick does. (Typed letters would search the
    // list, but the search joins letters typed within a time limit, which would make the walk
    // depend on the machine's speed.)
    void pickIn(QComboBox* list, Random& random) {
        static constexpr std::array<Qt::Key, 6> kKeys{
            Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
        const int key = random.below(3) == 0 ? random.below(6) : random.below(2);
        QTest::keyClick(list, kKeys[static_cast<std::size_t>(key)]);
    }

    // A click on a vault box: on its check mark with the mouse, or with the space bar.
    void clickVault(QCheckBox* box, Random& random) {
        if (random.below(2) == 0) {
            QTest::keyClick(box, Qt::Key_Space);
            return;
        }
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect mark = box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, mark.center());
    }

    // The inputs as the controls show them, read as a capture must read them; nothing when a
    // field would be refused.
    // The sheet a capture would give: nothing when a field is refused. With `overRangeReads`, a
    // disks-per-group value above 16 reads as the number it is, as the screen's figures see it.
    std::optional<ConfigSheet> sheetFromControls(const ConfigSheet& base,
                                                 bool overRangeReads = false) {
        ConfigSheet sheet = base;
        sheet.modelIndex = model_->currentIndex();
        sheet.stickyChanges = sticky_->isChecked();
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const Row& r = rows_[i];
            GroupDefinition& row = sheet.rows[i];
            const std::optional<std::uint32_t> groups = numberOf(r.groups->text());
            const std::optional<std::uint32_t> disks = numberOf(r.disks->text());
            if (!groups || !disks || (*disks > 16 && !overRangeReads)) {
                return std::nullopt;
            }
            row.groupCount = *groups;
            row.disksPerGroup = *disks;
            row.diskType = r.disk->currentIndex();
            row.raidType = r.raid->currentIndex();
            row.includesVault = r.vault && r.vault->isChecked();
        }
        return sheet;
    }

    // The inputs Compute would read from the sheet, as the last Compute keeps them.
    static TotalsBasis basisOf(const ConfigSheet& sheet) {
        const ScreenInputs inputs = screenInputsOf(sheet);
        TotalsBasis basis{sheet.modelIndex, {}};
        for (std::size_t i = 0; i < basis.rows.size(); ++i) {
            basis.rows[i] = *inputs.rows[i];
        }
        return basis;
    }

    // Every control shows its field of the sheet.
    void expectControlsShowSheet(const ConfigSheet& sheet) {
        const auto listIndex = [](std::int32_t index, int count) {
            return index >= 0 && index < count ? index : -1;
        };
        EXPECT_EQ(model_->currentIndex(), listIndex(sheet.modelIndex, model_->count()));
        EXPECT_EQ(sticky_->isChecked(), sheet.stickyChanges);
        EXPECT_EQ(netGb_->text().toStdString(), sheet.netTotalGbText);
        EXPECT_EQ(netTb_->text().toStdString(), sheet.netTotalTbText);
        EXPECT_EQ(disks_->text().toStdString(), sheet.totalDisksText);
        EXPECT_EQ(arrays_->text().toStdString(), sheet.arraysRequiredText);
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const Row& r = rows_[i];
            const GroupDefinition& row = sheet.rows[i];
            EXPECT_EQ(r.groups->text().toStdString(), numberText(row.groupCount)) << "row " << i;
            EXPECT_EQ(r.disks->text().toStdString(), numberText(row.disksPerGroup)) << "row " << i;
            EXPECT_EQ(r.disk->currentIndex(), listIndex(row.diskType, r.disk->count()));
            EXPECT_EQ(r.raid->currentIndex(), listIndex(row.raidType, r.raid->count()));
            if (r.vault) {
                EXPECT_EQ(r.vault->isChecked(), row.includesVault) << "row " << i;
            }
            EXPECT_EQ(r.groupText->text().toStdString(), row.groupCapacityText) << "row " << i;
            EXPECT_EQ(r.totalText->text().toStdString(), row.totalCapacityText) << "row " << i;
        }
    }

    // The sheet's inputs equal those of `expected` (its result texts are not looked at).
    void expectInputs(const ConfigSheet& actual, ConfigSheet expected) {
        fuzz::copyResultTexts(expected, actual);
        EXPECT_EQ(fuzz::sheetDifference(actual, expected), "");
    }

    bool isNotice(const std::string& text) const {
        return text == wholeNumberNotice() || text == disksPerGroupRangeNotice();
    }

    // After a Compute: the result texts are what the plain implementation gives for the inputs
    // the Compute worked on and the texts shown before it, and its message (if any) was the
    // last one shown; any other message of the action was a notice of the capture.
    void expectComputed(const ConfigSheet& before, std::size_t firstMessage) {
        const ConfigSheet& after = window_->sheet();
        ConfigSheet inputs = after;
        fuzz::copyResultTexts(inputs, before);
        const reference::Outcome expected = reference::compute(inputs);
        EXPECT_EQ(fuzz::sheetDifference(after, expected.sheet), "");

        const std::vector<std::string>& texts = messages_.texts();
        std::vector<std::string> shown(texts.begin() + static_cast<std::ptrdiff_t>(firstMessage),
                                       texts.end());
        if (expected.message) {
            ASSERT_FALSE(shown.empty());
            EXPECT_EQ(shown.back(), *expected.message);
            shown.pop_back();
        }
        for (const std::string& text : shown) {
            EXPECT_TRUE(isNotice(text)) << "unexpected message: " << text;
        }
        ++computes_;
        failedComputes_ += expected.message ? 1 : 0;
    }

    void expectReportWritten(const std::string& path) {
        const std::string written = readFile(path);
        const std::string expected = formatReport(window_->sheet(), ReportTime{});
        EXPECT_EQ(withoutDateLine(written), withoutDateLine(expected)) << path;
    }

    // The sheet's inputs differ from those of `other` (result texts are not looked at).
    static bool inputsDiffer(const ConfigSheet& sheet, ConfigSheet other) {
        fuzz::copyResultTexts(other, sheet);
        return !fuzz::sheetDifference(sheet, other).empty();
    }

    // Whether the controls show inputs that the sheet does not hold yet (a disk type picked, a
    // number typed), which the next capture takes in as a step of its own; nullopt when a field
    // would be refused, so that what the capture records is not known.
    std::optional<bool> pendingEdits(const ConfigSheet& sheet) {
        const std::optional<ConfigSheet> shown = sheetFromControls(sheet);
        if (!shown) {
            return std::nullopt;
        }
        return inputsDiffer(*shown, sheet);
    }

    // The walk's own record of the history: the sheet before each of the newest steps, newest
    // last. An action whose steps the walk cannot tell for certain (two steps at once, typing
    // that may extend the last step, a refused capture) empties it; the window then holds steps
    // below the record that no Undo is checked against.
    void recordSheetBefore(const ConfigSheet& sheet) {
        sheetsBeforeSteps_.push_back(sheet);
        if (sheetsBeforeSteps_.size() > kHistorySteps) {
            sheetsBeforeSteps_.erase(sheetsBeforeSteps_.begin());
        }
    }
    void forgetHistory() {
        sheetsBeforeSteps_.clear();
        typingRow_ = -1;
    }

    // Keeps the record after an action other than Undo and Redo, from what the action changed.
    void noteSteps(Action action, std::size_t row, const ConfigSheet& before,
                   std::optional<bool> pendingBefore) {
        if (!inputsDiffer(window_->sheet(), before)) {
            // No step. Whether a command ran and ended the typing step is not known here, so
            // more typing in the same row still counts as possibly extending it.
            return;
        }
        const bool typing = action == Action::GroupsKey;
        const bool mayExtend = typing && typingRow_ == static_cast<int>(row);
        if (pendingBefore != std::optional<bool>(false) || mayExtend) {
            forgetHistory();
        } else {
            recordSheetBefore(before);
        }
        typingRow_ = typing ? static_cast<int>(row) : -1;
    }

    // Undo or Redo, by key into a field (the window takes the keys from every control) or by
    // the window menu's command. Undo puts back the sheet before the step it undoes.
    void undoOrRedo(Action action, Row& r, Random& random) {
        const ConfigSheet before = window_->sheet();
        const std::optional<bool> pending = pendingEdits(before);
        const bool undo = action == Action::UndoKey || action == Action::UndoMenu;
        if (action == Action::UndoKey) {
            QTest::keyClick(r.groups, Qt::Key_Z, Qt::ControlModifier);
        } else if (action == Action::RedoKey) {
            if (random.below(2) == 0) {
                QTest::keyClick(r.groups, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            } else {
                QTest::keyClick(r.groups, Qt::Key_Y, Qt::ControlModifier);
            }
        } else {
            window_->handleWindowMenuCommand(undo ? kUndoCommand : kRedoCommand);
        }
        const ConfigSheet& after = window_->sheet();
        typingRow_ = -1;
        if (!pending) {
            forgetHistory(); // the capture refused a field: what it recorded, if anything, is
            return;          // not known, and a refused text stays in its field
        }
        if (*pending) {
            // The capture made the shown edits the newest step: Undo takes it back at once (and
            // leaves it to be redone), Redo finds nothing left to redo.
            if (undo) {
                EXPECT_FALSE(inputsDiffer(after, before)) << "Undo of the edits just taken in";
            } else {
                EXPECT_FALSE(inputsDiffer(after, *sheetFromControls(before)));
                recordSheetBefore(before);
            }
        } else if (undo) {
            if (!sheetsBeforeSteps_.empty()) {
                const ConfigSheet& expected = sheetsBeforeSteps_.back();
                EXPECT_FALSE(inputsDiffer(after, expected))
                    << "Undo gave " << fuzz::sheetDifference(after, expected);
                sheetsBeforeSteps_.pop_back();
                ++checkedUndos_;
            }
        } else if (inputsDiffer(after, before)) {
            recordSheetBefore(before); // the step redone is the newest again
        }
        // A step put back refreshes every control; with nothing to undo or redo, the fields
        // keep their texts ("09" stays "09").
        const bool restored = *pending ? undo : inputsDiffer(after, before);
        if (restored) {
            expectControlsShowSheet(after);
        }
    }

    // The screen or the sheet left the last Compute's inputs (on a sheet never computed: the
    // screen left the sheet): Print and Copy Sheet compute first, as Compute does.
    bool computesBeforeOutput(const ConfigSheet& before) {
        const std::optional<ConfigSheet> shown = sheetFromControls(before, true);
        return !shown || (before.totalsBasis ? sheetInputsChangedSinceCompute(before) ||
                                                   basisOf(*shown) != *before.totalsBasis
                                             : basisOf(*shown) != basisOf(before));
    }

    // Copy Sheet computes first as Print does, and puts the sheet's table on the clipboard.
    void copySheet(const ConfigSheet& before, std::size_t firstMessage) {
        const bool computes = computesBeforeOutput(before);
        window_->handleWindowMenuCommand(kCopySheetCommand);
        if (computes) {
            expectComputed(before, firstMessage);
        }
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
                  formatSheetTable(window_->sheet()));
        ++copies_;
    }

    // Runs one action; returns its name for the failure log.
    std::string act(Random& random) {
        int roll = random.below(100);
        Action action = kActionWeights.back().action;
        for (const Weighted& w : kActionWeights) {
            if (roll < w.weight) {
                action = w.action;
                break;
            }
            roll -= w.weight;
        }
        const std::size_t row = static_cast<std::size_t>(random.below(10));
        Row& r = rows_[row];
        const ConfigSheet before = window_->sheet();
        const std::size_t firstMessage = messages_.texts().size();
        const std::optional<bool> pendingBefore = pendingEdits(before);
        std::ostringstream what;
        what << actionName(action) << ", row " << row + 1;

        switch (action) {
        case Action::GroupsKey: {
            const int edits = r.groupsEdits;
            typeInto(r.groups, random);
            what << ", field now '" << r.groups->text().toStdString() << "'";
            // Each change of the text captures the whole window and nothing else; a key that
            // changes no text (a cursor move) runs nothing.
            if (r.groupsEdits == edits) {
                EXPECT_EQ(fuzz::sheetDifference(window_->sheet(), before), "");
            } else if (messages_.texts().size() == firstMessage) {
                const std::optional<ConfigSheet> shown = sheetFromControls(before);
                EXPECT_TRUE(shown.has_value()) << "a refused field without a notice";
                if (shown) {
                    expectInputs(window_->sheet(), *shown);
                }
            }
            break;
        }
        case Action::DisksKey:
            if (!r.disks->isEnabled()) {
                break; // locked by RAID1 or IndivDisk: the user cannot type into it
            }
            typeDisksPerGroup(r, random);
            what << ", field now '" << r.disks->text().toStdString() << "'";
            EXPECT_EQ(fuzz::sheetDifference(window_->sheet(), before), ""); // runs nothing
            break;
        case Action::PickDisk:
            pickIn(r.disk, random);
            EXPECT_EQ(fuzz::sheetDifference(window_->sheet(), before), ""); // runs nothing
            break;
        case Action::PickRaid: {
            const int picks = r.raidPicks;
            pickIn(r.raid, random);
            if (r.raidPicks != picks) {
                const GroupDefinition& now = window_->sheet().rows[row];
                const bool locks = now.raidType == kRaid1 || now.raidType == kIndivDisk;
                EXPECT_EQ(window_->disksFieldLocked(static_cast<int>(row + 1)), locks);
                if (now.raidType == kRaid1) {
                    EXPECT_EQ(now.disksPerGroup, 2U);
                } else if (now.raidType == kIndivDisk) {
                    EXPECT_EQ(now.disksPerGroup, 1U);
                }
                expectControlsShowSheet(window_->sheet());
            }
            break;
        }
        case Action::PickModel: {
            const int picks = modelPicks_;
            pickIn(model_, random);
            if (modelPicks_ != picks) {
                expectComputed(before, firstMessage);
                expectControlsShowSheet(window_->sheet());
            }
            break;
        }
        case Action::Preset: {
            const std::size_t which = static_cast<std::size_t>(random.below(4));
            what << " " << which;
            QTest::mouseClick(presets_[which], Qt::LeftButton);
            expectControlsShowSheet(window_->sheet());
            break;
        }
        case Action::Clear: {
            QTest::mouseClick(r.clear, Qt::LeftButton);
            const GroupDefinition& now = window_->sheet().rows[row];
            EXPECT_EQ(now.diskType, k300G);
            EXPECT_EQ(now.raidType, kNoRaidType);
            EXPECT_EQ(now.groupCount, 0U);
            EXPECT_EQ(now.disksPerGroup, 0U);
            EXPECT_FALSE(window_->disksFieldLocked(static_cast<int>(row + 1)));
            expectControlsShowSheet(window_->sheet());
            break;
        }
        case Action::Vault: {
            Row& vaultRow = rows_[row % 5];
            const bool wasChecked = vaultRow.vault->isChecked();
            const int clicks = vaultRow.vaultClicks;
            clickVault(vaultRow.vault, random);
            EXPECT_EQ(vaultRow.vaultClicks, clicks + 1);
            expectComputed(before, firstMessage);
            if (std::none_of(messages_.texts().begin() + static_cast<std::ptrdiff_t>(firstMessage),
                             messages_.texts().end(),
                             [this](const std::string& t) { return isNotice(t); })) {
                EXPECT_NE(window_->sheet().rows[row % 5].includesVault, wasChecked);
            }
            expectControlsShowSheet(window_->sheet());
            break;
        }
        case Action::Sticky:
            QTest::keyClick(sticky_, Qt::Key_Space);
            if (messages_.texts().size() == firstMessage) {
                if (const std::optional<ConfigSheet> shown = sheetFromControls(before)) {
                    expectInputs(window_->sheet(), *shown);
                }
            }
            break;
        case Action::ComputeButton:
        case Action::EnterKey: {
            const std::optional<ConfigSheet> shown = sheetFromControls(before);
            if (action == Action::ComputeButton) {
                QTest::mouseClick(compute_, Qt::LeftButton);
            } else {
                // Enter in an edit field is the window's accept command: Compute.
                QLineEdit* field =
                    random.below(2) == 0 || !r.disks->isEnabled() ? r.groups : r.disks;
                field->setFocus(Qt::OtherFocusReason);
                EXPECT_EQ(QApplication::focusWidget(), field);
                QTest::keyClick(field, Qt::Key_Return);
            }
            expectComputed(before, firstMessage);
            if (shown && messages_.texts().size() == firstMessage) {
                expectInputs(window_->sheet(), *shown);
            }
            expectControlsShowSheet(window_->sheet());
            break;
        }
        case Action::Print: {
            const std::string& path = reportPaths_[static_cast<std::size_t>(
                random.below(static_cast<int>(reportPaths_.size())))];
            chooser_.setAnswer(path);
            const bool computes = computesBeforeOutput(before);
            QTest::mouseClick(print_, Qt::LeftButton);
            if (computes) {
                expectComputed(before, firstMessage);
            } else {
                EXPECT_EQ(messages_.texts().size(), firstMessage) << "Print showed a message";
                EXPECT_EQ(fuzz::sheetDifference(window_->sheet(), before), "");
            }
            expectReportWritten(path);
            ++prints_;
            break;
        }
        case Action::UndoKey:
        case Action::UndoMenu:
        case Action::RedoKey:
        case Action::RedoMenu:
            undoOrRedo(action, r, random);
            break;
        case Action::CopySheet:
            copySheet(before, firstMessage);
            break;
        }
        const bool history = action == Action::UndoKey || action == Action::UndoMenu ||
                             action == Action::RedoKey || action == Action::RedoMenu;
        if (!history) {
            noteSteps(action, row, before, pendingBefore);
        }
        // The RAID lock and the field's state agree whatever happened.
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            EXPECT_EQ(rows_[i].disks->isEnabled(),
                      !window_->disksFieldLocked(static_cast<int>(i + 1)));
        }
        messagesShown_ += messages_.texts().size();
        messages_.clear(); // recorded texts would count as memory growth
        return what.str();
    }

    QTemporaryDir folder_;
    test::RecordingMessageSink messages_;
    test::FakeReportFileChooser chooser_;
    std::unique_ptr<SheetWindow> window_;
    std::vector<Row> rows_;
    QComboBox* model_ = nullptr;
    int modelPicks_ = 0;
    QCheckBox* sticky_ = nullptr;
    QPushButton* compute_ = nullptr;
    QPushButton* print_ = nullptr;
    std::vector<QPushButton*> presets_;
    QLabel* netGb_ = nullptr;
    QLabel* netTb_ = nullptr;
    QLabel* disks_ = nullptr;
    QLabel* arrays_ = nullptr;
    std::vector<std::string> reportPaths_;
    int computes_ = 0;
    int failedComputes_ = 0;
    int prints_ = 0;
    int copies_ = 0;
    int workbooks_ = 0;
    std::string workbookPath_;
    int checkedUndos_ = 0;
    std::size_t messagesShown_ = 0;
    std::vector<ConfigSheet> sheetsBeforeSteps_;
    int typingRow_ = -1; // the row (0-9) whose typing the newest step may hold, -1 for none
};

TEST_F(LongSession, RandomWalkKeepsResultsRightAndMemoryFlat) {
    ASSERT_FALSE(HasFailure());
    Random random(kSeed);
    std::size_t memoryAtBaseline = 0;
    std::vector<std::string> recent; // the last actions, for the failure log
    for (int i = 0; i < kActions; ++i) {
        const std::string what = act(random);
        recent.push_back(std::to_string(i) + ": " + what);
        if (recent.size() > 12) {
            recent.erase(recent.begin());
        }
        if (HasFailure()) {
            std::string log;
            for (const std::string& line : recent) {
                log += "  " + line + "\n";
            }
            FAIL() << "stopped after action " << i << "; the last actions:\n" << log;
        }
        if (i % kEventLoopEvery == 0) {
            test::processEvents();
        }
        if (i % kWorkbookEvery == kWorkbookEvery - 1) {
            saveAndReopenWorkbook();
        }
        if (i + 1 == kMemoryBaselineActions) {
            test::processEvents();
            memoryAtBaseline = measuredMemory();
        }
    }
    test::processEvents();
    const std::size_t memoryAtEnd = measuredMemory();

    // The walk reached what it is meant to exercise.
    EXPECT_GT(computes_, kActions / 5);
    EXPECT_GT(failedComputes_, computes_ / 20);
    EXPECT_GT(computes_ - failedComputes_, computes_ / 10); // a fair share computes cleanly
    EXPECT_GT(prints_, kActions / 50);
    EXPECT_GT(copies_, kActions / 200);
    EXPECT_GT(workbooks_, kActions / kWorkbookEvery / 4);
    EXPECT_GT(checkedUndos_, kActions / 100); // the record keeps up with most of the history

    std::printf(
        "%d actions, %d Computes (%d failed), %d reports, %d copies, %d workbooks reopened, "
        "%d Undos checked, %zu messages\n"
        "%s after %d actions %zu bytes, at the end %zu bytes; resident at the end %zu "
        "bytes\n",
        kActions, computes_, failedComputes_, prints_, copies_, workbooks_, checkedUndos_,
        messagesShown_, kMemoryMeasure, kMemoryBaselineActions, memoryAtBaseline, memoryAtEnd,
        residentBytes());
    EXPECT_LE(static_cast<double>(memoryAtEnd),
              static_cast<double>(memoryAtBaseline) * (1.0 + kMemoryGrowthAllowed));
}

} // namespace
} // namespace brim
