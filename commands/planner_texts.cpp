#include "commands/planner_texts.h"

#include "commands/figure_words.h"
#include "commands/planner_units.h"
#include "core/catalogue.h"
#include "core/units.h"

namespace brim {
namespace {

// Most fields say the same whatever the reason: what they take.
std::string_view unlessTaken(InputRefusal why, std::string_view text) noexcept {
    return why == InputRefusal::None ? std::string_view{} : text;
}

// A need says what it takes when it holds no number or 0, and its most when above it.
std::string_view needRefusal(InputRefusal why, std::string_view notANumber,
                             std::string_view tooMany) noexcept {
    return why == InputRefusal::AboveRange ? tooMany : unlessTaken(why, notANumber);
}

} // namespace

std::string_view capacityTargetRefusal(InputRefusal why) noexcept {
    return needRefusal(why, "Type a usable capacity above 0, such as 200 or 12.5.",
                       "Type at most 1,000,000 TB.");
}

std::string_view hostIopsRefusal(InputRefusal why) noexcept {
    return needRefusal(why, "Type a whole number of host IOPS, such as 5000.",
                       "Type at most 10,000,000 host IOPS.");
}

std::string_view mbpsRefusal(InputRefusal why) noexcept {
    return needRefusal(why, "Type a whole number of MB/s, such as 400.",
                       "Type at most 1,000,000 MB/s.");
}

std::string_view readPercentRefusal(InputRefusal why) noexcept {
    return unlessTaken(why, figureWords(ProgramFigure::ReadPercent).refusal);
}

std::string_view lossLimitRefusal(DecimalRefusal why) noexcept {
    return why == DecimalRefusal::None
               ? std::string_view{}
               : "Type a percentage from 0 to 100 with up to two decimals, such as 1.";
}

std::string modelLineText(int modelIndex) {
    return "Array model: " + std::string(Catalogue::modelName(modelIndex));
}

std::string_view sizedByText(SizingNeed need) noexcept {
    switch (need) {
    case SizingNeed::Capacity:
        return "capacity";
    case SizingNeed::HostIops:
        return "IOPS";
    case SizingNeed::Mbps:
        return "MB/s";
    }
    return {};
}

std::string rebuildHoursText(const RebuildRisk& risk) {
    if (risk.kind != RebuildCase::Rebuilds) {
        return std::string(kNoFigureText);
    }
    return formatHours(risk.hours);
}

std::string readErrorRiskText(const RebuildRisk& risk) {
    switch (risk.kind) {
    case RebuildCase::NoLayout:
        break;
    case RebuildCase::NoRedundancy:
        return "no redundancy";
    case RebuildCase::Rebuilds:
        if (risk.failedDisks > 1) {
            return formatPercent(risk.chance) + " after " +
                   countOf(static_cast<std::uint64_t>(risk.failedDisks), "failure");
        }
        return formatPercent(risk.chance);
    }
    return std::string(kNoFigureText);
}

std::string countOf(std::uint64_t count, std::string_view thing) {
    std::string text = std::to_string(count) + ' ' + std::string(thing);
    if (count != 1) {
        text += 's';
    }
    return text;
}

} // namespace brim
