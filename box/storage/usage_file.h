// DATA\Usage.sd: how often and how lately each item was launched through the command box, one
// "name*count*time" line per item ("记事本*12*2026-12-09 13:04:21"), GBK, CR LF.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "box/platform/clock.h"
#include "box/platform/files.h"

namespace velmo {

inline constexpr std::u16string_view kUsageFileName = u"Usage.sd";
// A launch this long ago counts half as much as one now.
inline constexpr std::int64_t kUseHalfLifeSeconds = 14 * 24 * 3600;

struct ItemUse {
  std::uint32_t count = 0;
  std::int64_t last = 0;  // LocalSeconds of the last launch
};

struct UsageFile {
  std::unordered_map<std::u16string, ItemUse> uses;
  std::uint64_t revision = 0;  // grows with every change
  // The file exists but could not be read: it is never written, like an unreadable list.
  bool unreadable = false;

  void Record(const std::u16string& name, std::int64_t when);
};

// Seconds since 1970-01-01 00:00 of the local calendar: the file keeps local times as the user
// reads them, and an hour of daylight saving is nothing against the half-life.
std::int64_t LocalSeconds(const LocalTime& t);

// How much an item's launches weigh now: count × 2^(−age / half-life). Compared as its base-2
// logarithm, log2(count) + last / half-life, which needs no clock: "now" shifts every item alike.
// An item never launched ranks below all others.
double UseRank(const ItemUse* use);

// A line that does not parse (no two "*", a count that is not a positive number, a time not
// "yyyy-mm-dd hh:mm:ss") is skipped; of two lines for one name the first counts.
UsageFile ParseUsageFile(std::u16string_view text);
// One line for each name of `items` that was launched, in list order, each name once: an item
// deleted from the list loses its line.
std::u16string SerializeUsageFile(const UsageFile& usage, const std::vector<std::u16string>& items);
std::string UsageFileBytes(const UsageFile& usage, const std::vector<std::u16string>& items);
// A missing file is no use yet.
UsageFile LoadUsageFile(FileSystem& fs, const std::u16string& path);

}  // namespace velmo
