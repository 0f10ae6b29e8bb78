// DATA\Usage.sd: how often and how lately each item was launched through the command box, one
// "name*count*time" line per item ("记事本*12*2026-12-09 13:04:21"), GBK, CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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

// The uses by name. Every name lives in one string and the index holds numbers, not pointers:
// reading thousands of lines costs a few allocations, and a copy for the save worker is safe.
class UsageFile {
 public:
  // nullptr for a name never launched, or whose uses were dropped.
  const ItemUse* Find(std::u16string_view name) const;
  std::size_t size() const { return live_; }
  bool empty() const { return live_ == 0; }
  // One more launch of `name`, at `when`.
  void Record(std::u16string_view name, std::int64_t when);
  // The first use given for a name counts; false for a later one.
  bool Add(std::u16string_view name, ItemUse use);
  // Room for `names` names of `characters` characters in all, made at once.
  void Reserve(std::size_t names, std::size_t characters);
  // False when the name had no uses.
  bool Erase(std::u16string_view name);
  void Clear();

  std::uint64_t revision = 0;  // grows with every change
  // The file exists but could not be read: it is never written, like an unreadable list.
  bool unreadable = false;

 private:
  struct Entry {
    std::uint32_t at = 0, length = 0;  // in names_
    std::uint32_t hash = 0;
    ItemUse use;  // count 0: dropped
  };
  static constexpr std::uint32_t kFree = 0xFFFFFFFF;
  std::u16string_view NameOf(const Entry& e) const { return {names_.data() + e.at, e.length}; }
  // The slot of `name` in index_: the one holding it, or the free one where it would go.
  std::size_t SlotOf(std::u16string_view name, std::uint32_t hash) const;
  Entry* Slot(std::u16string_view name);
  // Makes the index at least twice as large as `entries` and places every entry in it.
  void Grow(std::size_t entries);

  std::u16string names_;
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> index_;  // open addressing: entry numbers, kFree, size a power of 2
  std::size_t live_ = 0;
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
