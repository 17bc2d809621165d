#pragma once

#include "message_sink.h"

#include <cstdint>

namespace brim {

inline constexpr std::uint32_t kMaxDisksPerGroup = 16;

struct RaidEfficiency {
    double fraction = 0.0; // usable share of the group's raw capacity, 0 to 1
    bool error = false;    // a rule was broken; its message has been shown already
};

// What a RAID type demands of a group and how much of it stays usable. A broken rule shows its
// own message through `messages` before returning, with fraction 0 and the error flag.
RaidEfficiency raidEfficiency(std::int32_t raidType, std::uint32_t disksPerGroup,
                              MessageSink& messages);

} // namespace brim
