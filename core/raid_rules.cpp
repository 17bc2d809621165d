#include "core/raid_rules.h"

#include "core/catalogue.h"

namespace brim {
namespace {

static_assert(kRaidRules.size() == kRaidTypes.size(), "one rule for every RAID type");

RaidEfficiency broken(std::string_view message, MessageSink& messages) {
    messages.show(message);
    return {0.0, true};
}

} // namespace

RaidEfficiency raidEfficiency(std::int32_t raidType, std::uint32_t disksPerGroup,
                              MessageSink& messages) {
    if (disksPerGroup == 0) {
        return {}; // a row left at zero disks is silently worth nothing
    }
    if (disksPerGroup > kMaxDisksPerGroup) {
        return broken("Error: Max disks per group is 16", messages);
    }
    if (raidType < 0 || raidType >= static_cast<std::int32_t>(kRaidRules.size())) {
        return {}; // no RAID type chosen yet
    }
    const RaidRule& rule = kRaidRules[static_cast<std::size_t>(raidType)];
    if (!rule.accepts(disksPerGroup)) {
        return broken(rule.message, messages);
    }
    return {rule.usableFraction(static_cast<double>(disksPerGroup)), false};
}

} // namespace brim
