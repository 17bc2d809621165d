// The sheet side of the window's exchange, Compute and the editing commands on sheets built
// from arbitrary bytes.
//
// The input is a little program: each step either copies a whole set of control values into
// the sheet in the window's binding order, stores one value into any field (any row, any kind,
// any index or count, any text), puts stale texts into the results, runs Compute, or runs one
// of the window's editing commands (on any row number, in the table or not). After each copy
// the sheet must be what the exchange rule leaves (earlier fields new, a refused number
// unchanged, a disks-per-group value above 16 kept, later fields old). After each Compute the
// sheet must equal what an independent computation gives, and the results must be consistent
// on their own terms: either no message, capacity texts that read back as finite non-negative
// numbers, a net total that is the sum of the row totals and a disk count and arrays needed
// that follow from the rows and the model; or exactly one message, totals reading "Error" and
// no arrays text. Each editing command must change exactly the fields it owns.

#include "commands/row_commands.h"
#include "core/config_sheet.h"
#include "core/message_sink.h"
#include "core/sheet_exchange.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/reference_sizing.h"
#include "tests/support/sheet_compare.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using brim::ConfigSheet;
using brim::SheetField;
using Kind = brim::SheetFieldKind;
using brim::fuzz::FuzzInput;

class RecordingSink final : public brim::MessageSink {
public:
    void show(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

// The order in which the window reads its controls into the sheet: 16 fields of rows 1 to 3 and
// the GiB total among them, their totals, the disk count, six kinds of field of rows 4 to 10,
// then the TiB total, model, arrays, five vault boxes and the sticky box.
constexpr std::size_t kBindingCount = 71;
constexpr std::array<SheetField, kBindingCount> kBindingOrder = [] {
    std::array<SheetField, kBindingCount> order{};
    std::size_t n = 0;
    auto add = [&](Kind kind, int row) { order[n++] = SheetField{kind, row}; };
    add(Kind::DiskType, 1);
    add(Kind::DisksPerGroup, 1);
    add(Kind::RaidType, 1);
    add(Kind::GroupCount, 1);
    add(Kind::GroupCapacityText, 1);
    add(Kind::GroupCapacityText, 2);
    add(Kind::GroupCount, 2);
    add(Kind::DisksPerGroup, 2);
    add(Kind::RaidType, 2);
    add(Kind::DiskType, 2);
    add(Kind::NetTotalGbText, 0);
    add(Kind::DiskType, 3);
    add(Kind::RaidType, 3);
    add(Kind::DisksPerGroup, 3);
    add(Kind::GroupCount, 3);
    add(Kind::GroupCapacityText, 3);
    for (int row = 1; row <= 3; ++row) {
        add(Kind::TotalCapacityText, row);
    }
    add(Kind::TotalDisksText, 0);
    for (const Kind kind : {Kind::TotalCapacityText, Kind::DiskType, Kind::RaidType,
                            Kind::DisksPerGroup, Kind::GroupCount, Kind::GroupCapacityText}) {
        for (int row = 4; row <= 10; ++row) {
            add(kind, row);
        }
    }
    add(Kind::NetTotalTbText, 0);
    add(Kind::ModelIndex, 0);
    add(Kind::ArraysRequiredText, 0);
    for (int row = 1; row <= 5; ++row) {
        add(Kind::IncludesVault, row);
    }
    add(Kind::StickyChanges, 0);
    if (n != order.size()) {
        throw "binding count"; // not a constant expression: the count above is wrong
    }
    return order;
}();

bool isNumberKind(Kind kind) {
    return kind == Kind::DisksPerGroup || kind == Kind::GroupCount;
}

// The field a binding names, reached directly rather than through fieldRef, so that a wrong
// mapping in fieldRef shows up as a difference.
using Value = std::variant<std::int32_t, std::uint32_t, bool, std::string>;

void assignDirectly(ConfigSheet& s, SheetField f, const Value& v) {
    brim::GroupDefinition& row = s.rows[static_cast<std::size_t>(f.row > 0 ? f.row - 1 : 0)];
    switch (f.kind) {
    case Kind::ModelIndex:
        s.modelIndex = std::get<std::int32_t>(v);
        break;
    case Kind::StickyChanges:
        s.stickyChanges = std::get<bool>(v);
        break;
    case Kind::NetTotalGbText:
        s.netTotalGbText = std::get<std::string>(v);
        break;
    case Kind::NetTotalTbText:
        s.netTotalTbText = std::get<std::string>(v);
        break;
    case Kind::TotalDisksText:
        s.totalDisksText = std::get<std::string>(v);
        break;
    case Kind::ArraysRequiredText:
        s.arraysRequiredText = std::get<std::string>(v);
        break;
    case Kind::DiskType:
        row.diskType = std::get<std::int32_t>(v);
        break;
    case Kind::RaidType:
        row.raidType = std::get<std::int32_t>(v);
        break;
    case Kind::DisksPerGroup:
        row.disksPerGroup = std::get<std::uint32_t>(v);
        break;
    case Kind::GroupCount:
        row.groupCount = std::get<std::uint32_t>(v);
        break;
    case Kind::IncludesVault:
        row.includesVault = std::get<bool>(v);
        break;
    case Kind::GroupCapacityText:
        row.groupCapacityText = std::get<std::string>(v);
        break;
    case Kind::TotalCapacityText:
        row.totalCapacityText = std::get<std::string>(v);
        break;
    }
}

// What a control of the binding's kind hands over, drawn from the input.
Value controlValue(FuzzInput& in, Kind kind) {
    switch (kind) {
    case Kind::ModelIndex:
        return in.index(9);
    case Kind::DiskType:
        return in.index(8);
    case Kind::RaidType:
        return in.index(7);
    case Kind::StickyChanges:
    case Kind::IncludesVault:
        return in.flag();
    default:
        return in.text(); // result texts, and the text of a numeric edit field
    }
}

// A numeric edit field's text: mostly a count written in digits, sometimes raw bytes.
std::string numberFieldText(FuzzInput& in) {
    const std::uint8_t selector = in.byte();
    if (selector < 0xC0) {
        std::string text = std::to_string(in.count());
        switch (selector % 4) {
        case 1:
            text = " " + text + "\t";
            break;
        case 2:
            text = "0" + text;
            break;
        default:
            break;
        }
        return text;
    }
    return in.text();
}

// Reads one set of control values into the sheet in binding order through the exchange, as
// the window's copy does, and checks each step against the rule.
void copyControls(FuzzInput& in, ConfigSheet& sheet) {
    for (const SheetField& field : kBindingOrder) {
        ConfigSheet expected = sheet;
        if (isNumberKind(field.kind)) {
            const std::string text = numberFieldText(in);
            const brim::NumberStatus status = brim::storeNumberText(sheet, field, text);
            const std::optional<std::uint32_t> number = brim::parseUnsigned32(text);
            if (number) {
                assignDirectly(expected, field, *number);
            }
            FUZZ_CHECK(brim::fuzz::sheetDifference(sheet, expected).empty());
            if (status != brim::NumberStatus::Stored) {
                FUZZ_CHECK(number.has_value() == (status == brim::NumberStatus::OutOfRange));
                return; // the copy stops at the first refused field
            }
            continue;
        }
        const Value value = controlValue(in, field.kind);
        const brim::FieldRef ref = brim::fieldRef(sheet, field);
        std::visit(
            [&](auto* target) {
                using T = std::remove_pointer_t<decltype(target)>;
                FUZZ_CHECK(target != nullptr);
                FUZZ_CHECK(std::holds_alternative<T>(value));
                *target = std::get<T>(value);
            },
            ref);
        assignDirectly(expected, field, value);
        FUZZ_CHECK(brim::fuzz::sheetDifference(sheet, expected).empty());
    }
}

// One value into any field named by arbitrary kind and row: through fieldRef and
// storeNumberText, which must touch nothing for a row outside 1-10 or a kind that is no field.
void storeAnywhere(FuzzInput& in, ConfigSheet& sheet) {
    const SheetField field{static_cast<Kind>(in.byte() % 16), static_cast<std::int8_t>(in.byte())};
    const bool rowField = field.kind >= Kind::DiskType && field.kind <= Kind::TotalCapacityText;
    const bool knownKind = field.kind <= Kind::TotalCapacityText;
    const bool inTable = knownKind && (!rowField || (field.row >= 1 && field.row <= 10));
    const ConfigSheet before = sheet;
    const std::string text = numberFieldText(in);
    const brim::NumberStatus status = brim::storeNumberText(sheet, field, text);
    const std::optional<std::uint32_t> number = brim::parseUnsigned32(text);
    ConfigSheet expected = before;
    if (inTable && isNumberKind(field.kind) && number) {
        assignDirectly(expected, field, *number);
        FUZZ_CHECK(status != brim::NumberStatus::NotANumber);
    } else {
        FUZZ_CHECK(status == brim::NumberStatus::NotANumber);
    }
    FUZZ_CHECK(brim::fuzz::sheetDifference(sheet, expected).empty());

    const brim::FieldRef ref = brim::fieldRef(sheet, field);
    const bool isNull = std::visit([](auto* p) { return p == nullptr; }, ref);
    FUZZ_CHECK(isNull == !inTable);
}

// Any value straight into a row's field (or the model, or the sticky flag): counts and indices
// the window would never give.
void setRawField(FuzzInput& in, ConfigSheet& sheet) {
    brim::GroupDefinition& row = sheet.rows[in.byte() % 10U];
    switch (in.byte() % 7) {
    case 0:
        row.diskType = in.index(8);
        break;
    case 1:
        row.raidType = in.index(7);
        break;
    case 2:
        row.disksPerGroup = in.count();
        break;
    case 3:
        row.groupCount = in.count();
        break;
    case 4:
        row.includesVault = in.flag(); // rows 6-10 too, which have no vault box
        break;
    case 5:
        sheet.modelIndex = in.index(9);
        break;
    default:
        sheet.stickyChanges = in.flag();
        break;
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A capacity text as "%8.2f" writes one: at least eight characters, blanks, digits, a point
// and two decimals; returns its value.
double capacityValue(const std::string& text) {
    FUZZ_CHECK(text.size() >= 8);
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    const std::size_t digitsBegin = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    FUZZ_CHECK(i > digitsBegin);
    FUZZ_CHECK(i + 3 == text.size() && text[i] == '.' && isDigit(text[i + 1]) &&
               isDigit(text[i + 2]));
    FUZZ_CHECK(i - digitsBegin == 1 || text[digitsBegin] != '0');
    const double value = std::strtod(text.c_str(), nullptr);
    FUZZ_CHECK(std::isfinite(value) && value >= 0.0);
    return value;
}

std::uint64_t countValue(const std::string& text) {
    FUZZ_CHECK(!text.empty() && text.size() <= 20);
    for (char c : text) {
        FUZZ_CHECK(isDigit(c));
    }
    return std::strtoull(text.c_str(), nullptr, 10);
}

// The consistency of a successful Compute's texts among themselves.
void checkSuccessfulResults(const ConfigSheet& sheet) {
    double sumOfRows = 0.0;
    std::uint64_t disks = 0;
    for (const brim::GroupDefinition& row : sheet.rows) {
        capacityValue(row.groupCapacityText);
        const double total = capacityValue(row.totalCapacityText);
        sumOfRows += total;
        disks += static_cast<std::uint64_t>(row.groupCount) * row.disksPerGroup;
        if (row.groupCount == 0) {
            FUZZ_CHECK(total == 0.0);
        }
        if (row.groupCount == 1) {
            FUZZ_CHECK(row.groupCapacityText == row.totalCapacityText);
        }
    }
    const double netGb = capacityValue(sheet.netTotalGbText);
    const double netTb = capacityValue(sheet.netTotalTbText);
    // Each text is rounded to the hundredth; the sum of eleven roundings plus the precision
    // of doubles at this size bounds the difference.
    const double tolerance = 11 * 0.005 + 1e-14 * netGb + 1e-9;
    FUZZ_CHECK(std::fabs(netGb - sumOfRows) <= tolerance);
    FUZZ_CHECK(std::fabs(netGb / 1024.0 - netTb) <= 0.005 + 0.005 / 1024.0 + 1e-14 * netGb);

    FUZZ_CHECK(countValue(sheet.totalDisksText) == disks);
    const std::uint64_t arrays = countValue(sheet.arraysRequiredText);
    if (sheet.modelIndex >= 0 && sheet.modelIndex < 9) {
        const std::uint64_t maxDisks = brim::reference::kModels[sheet.modelIndex].maxDisks;
        // The fewest arrays whose disk slots hold all the disks.
        FUZZ_CHECK(arrays * maxDisks >= disks);
        FUZZ_CHECK(arrays == 0 || (arrays - 1) * maxDisks < disks);
    }
}

void computeAndCheck(ConfigSheet& sheet) {
    const brim::reference::Outcome expected = brim::reference::compute(sheet);
    RecordingSink messages;
    brim::computeSheet(sheet, messages);

    FUZZ_CHECK(messages.texts.size() <= 1);
    if (messages.texts.empty()) {
        checkSuccessfulResults(sheet);
    } else {
        FUZZ_CHECK(sheet.netTotalGbText == "Error" && sheet.netTotalTbText == "Error" &&
                   sheet.totalDisksText == "Error" && sheet.arraysRequiredText.empty());
    }
    FUZZ_CHECK(messages.texts.size() == (expected.message ? 1U : 0U));
    if (expected.message) {
        FUZZ_CHECK(messages.texts.front() == *expected.message);
    }
    const std::string difference = brim::fuzz::sheetDifference(sheet, expected.sheet);
    if (!difference.empty()) {
        std::fprintf(stderr, "computed sheet differs from the reference: %s\n", difference.c_str());
    }
    FUZZ_CHECK(difference.empty());
}

// The window as the commands see it, with no controls behind it: a capture changes nothing and
// succeeds or fails as the input says, a refresh is counted, enabling is noted per control; steps
// of the history are not kept.
class ScriptedView final : public brim::SheetView {
public:
    explicit ScriptedView(const ConfigSheet& sheet) : sheet_(sheet) {}

    bool copyControlsToSheet() override {
        ++copies;
        return copySucceeds;
    }
    void copyReadableControlsToSheet() override { ++copies; }
    void copySheetToControls() override { ++refreshes; }
    // A capture changes nothing: the controls show the sheet.
    brim::ScreenInputs screenInputs() const override { return brim::screenInputsOf(sheet_); }
    void enableControl(int controlId, bool enabled) override {
        ++enables;
        enabledById[controlId] = enabled;
    }
    brim::MessageSink& messages() override { return sink; }
    void recordStep(brim::SheetStep) override {}

    bool copySucceeds = true;
    int copies = 0;
    int refreshes = 0;
    int enables = 0;
    std::map<int, bool> enabledById;
    RecordingSink sink;

private:
    const ConfigSheet& sheet_;
};

void checkComputed(const ConfigSheet& before, const ConfigSheet& after, ScriptedView& view) {
    const brim::reference::Outcome expected = brim::reference::compute(before);
    FUZZ_CHECK(view.sink.texts.size() == (expected.message ? 1U : 0U));
    if (expected.message) {
        FUZZ_CHECK(view.sink.texts.front() == *expected.message);
    }
    FUZZ_CHECK(brim::fuzz::sheetDifference(after, expected.sheet).empty());
    view.sink.texts.clear();
}

// The two RAID types that fix a group's size and lock its field.
using brim::test::names::kIndivDisk;
using brim::test::names::kRaid1;

// A row number as a button could never give it, now and then.
int commandRow(FuzzInput& in) {
    const std::uint8_t selector = in.byte();
    return selector < 0xF0 ? selector % 12 : in.raw<std::int32_t>(); // 0 and 11 lie outside
}

// One editing command, checked against what it must do to the sheet and the window.
void runCommand(FuzzInput& in, ConfigSheet& sheet, brim::RowCommands& commands,
                ScriptedView& view) {
    view.copySucceeds = in.flag();
    const ConfigSheet before = sheet;
    const int copies = view.copies;
    const int refreshes = view.refreshes;
    const int enables = view.enables;
    const int row = commandRow(in);
    const bool rowInTable = row >= 1 && row <= brim::kRowCount;
    const std::size_t r = rowInTable ? static_cast<std::size_t>(row - 1) : 0;
    ConfigSheet expected = before;

    switch (in.byte() % 7) {
    case 0:
        commands.compute();
        checkComputed(before, sheet, view);
        FUZZ_CHECK(view.copies == copies + 1 && view.refreshes == refreshes + 1);
        return;
    case 1:
        commands.toggleVault();
        checkComputed(before, sheet, view);
        FUZZ_CHECK(view.copies == copies + 1 && view.refreshes == refreshes + 1);
        return;
    case 2:
        commands.changeModel(); // capture, refresh, then the Compute command
        checkComputed(before, sheet, view);
        FUZZ_CHECK(view.copies == copies + 2 && view.refreshes == refreshes + 2);
        return;
    case 3:
        commands.captureInput();
        FUZZ_CHECK(view.copies == copies + 1 && view.refreshes == refreshes);
        break;
    case 4: {
        commands.changeRaidType(row);
        if (!rowInTable) {
            FUZZ_CHECK(view.copies == copies && view.refreshes == refreshes);
            break;
        }
        const std::int32_t raid = before.rows[r].raidType;
        const bool locks = raid == kRaid1 || raid == kIndivDisk;
        if (locks) {
            expected.rows[r].disksPerGroup = raid == kRaid1 ? 2U : 1U;
        }
        FUZZ_CHECK(commands.disksFieldLocked(row) == locks);
        FUZZ_CHECK(view.enabledById[brim::kRowEditControls[r].disksPerGroupField] == !locks);
        FUZZ_CHECK(view.copies == copies + 1 && view.refreshes == refreshes + 1);
        break;
    }
    case 5:
        commands.clearRow(row);
        if (!rowInTable) {
            FUZZ_CHECK(view.copies == copies && view.refreshes == refreshes &&
                       view.enables == enables);
            break;
        }
        expected.rows[r].diskType = brim::test::names::k300G;
        expected.rows[r].raidType = brim::kNoRaidType;
        expected.rows[r].disksPerGroup = 0;
        expected.rows[r].groupCount = 0;
        FUZZ_CHECK(!commands.disksFieldLocked(row));
        for (const int id : brim::kRowEditControls[r].inOrder()) {
            FUZZ_CHECK(view.enabledById[id]);
        }
        FUZZ_CHECK(view.copies == copies + 1 && view.refreshes == refreshes + 1);
        break;
    default: {
        const brim::Preset& preset = brim::kPresets[in.byte() % brim::kPresets.size()];
        commands.applyPreset(preset);
        for (brim::GroupDefinition& definition : expected.rows) {
            if (!before.stickyChanges || definition.groupCount == 0) {
                definition.disksPerGroup = preset.disksPerGroup;
                definition.diskType = preset.diskType;
                definition.raidType = preset.raidType;
            }
        }
        FUZZ_CHECK(view.copies == copies && view.refreshes == refreshes + 1);
        FUZZ_CHECK(view.enables == enables); // a preset locks and unlocks nothing
        break;
    }
    }
    // Whatever the command, the result texts are Compute's alone.
    brim::fuzz::copyResultTexts(expected, before); // the editing commands never write them
    FUZZ_CHECK(brim::fuzz::sheetDifference(sheet, expected).empty());
    FUZZ_CHECK(view.sink.texts.empty());
}

constexpr int kMaxComputes = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    ConfigSheet sheet;
    ScriptedView view(sheet);
    brim::RowCommands commands(sheet, view);
    int computes = 0;
    while (!in.empty() && computes < kMaxComputes) {
        switch (in.byte() % 6) {
        case 0:
            copyControls(in, sheet);
            break;
        case 1:
            storeAnywhere(in, sheet);
            break;
        case 2:
            setRawField(in, sheet);
            break;
        case 3: {
            // Stale or odd result texts, which Compute must overwrite or leave as the rule says.
            brim::GroupDefinition& row = sheet.rows[in.byte() % 10U];
            row.groupCapacityText = in.text();
            row.totalCapacityText = in.text();
            break;
        }
        case 4:
            computeAndCheck(sheet);
            ++computes;
            break;
        default:
            runCommand(in, sheet, commands, view);
            ++computes;
            break;
        }
    }
    computeAndCheck(sheet);
    return 0;
}
