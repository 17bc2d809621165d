#pragma once

// The catalogue entries that tests and benchmarks name, looked up by name at compile time (a
// misspelt name does not build): models by their list name, disk types by their Morvik and
// Telvar report name, RAID types by their list name.

#include "core/catalogue.h"

namespace brim::test::names {

inline constexpr int kZundaS = modelIndex("Zunda S");
inline constexpr int kMorvikA = modelIndex("Morvik A");
inline constexpr int kMorvikB = modelIndex("Morvik B");
inline constexpr int kMorvikC = modelIndex("Morvik C");
inline constexpr int kTelvarA = modelIndex("Telvar A");
inline constexpr int kTelvarB = modelIndex("Telvar B");
inline constexpr int kTelvarC = modelIndex("Telvar C");
inline constexpr int kTelvarD = modelIndex("Telvar D");

inline constexpr int k73G = diskIndex("73 G FC");
inline constexpr int k146G = diskIndex("146 G FC");
inline constexpr int k300G = diskIndex("300 G FC");
inline constexpr int k400G = diskIndex("400 G FC");
inline constexpr int k450G = diskIndex("450 G FC");
inline constexpr int k500GAta = diskIndex("500 G ATA");
inline constexpr int k750GAta = diskIndex("750 G ATA");
inline constexpr int k1TbAta = diskIndex("1 TB ATA");

inline constexpr int kRaid0 = raidIndex("RAID0");
inline constexpr int kRaid1 = raidIndex("RAID1");
inline constexpr int kRaid10 = raidIndex("RAID1/0");
inline constexpr int kRaid3 = raidIndex("RAID3");
inline constexpr int kRaid5 = raidIndex("RAID5");
inline constexpr int kRaid6 = raidIndex("RAID6");
inline constexpr int kIndivDisk = raidIndex("IndivDisk");
// kNoRaidType (-1) comes with the catalogue.

} // namespace brim::test::names
