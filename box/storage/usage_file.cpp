// Reader and writer of Usage.sd.
#include "box/storage/usage_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_set>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

// Days from 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's days_from_civil).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

LocalTime CivilFromSeconds(std::int64_t seconds) {
  std::int64_t days = seconds / 86400, rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  LocalTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (t.month <= 2));
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest / 60 % 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

std::optional<std::uint64_t> Number(std::u16string_view digits, std::uint64_t max) {
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  std::uint64_t n = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
    n = n * 10 + (c - u'0');
  }
  if (n > max) return std::nullopt;
  return n;
}

// "yyyy-mm-dd hh:mm:ss", each field in its range.
std::optional<std::int64_t> ParseTime(std::u16string_view text) {
  if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ' ||
      text[13] != u':' || text[16] != u':') {
    return std::nullopt;
  }
  auto year = Number(text.substr(0, 4), 9999), month = Number(text.substr(5, 2), 12),
       day = Number(text.substr(8, 2), 31), hour = Number(text.substr(11, 2), 23),
       minute = Number(text.substr(14, 2), 59), second = Number(text.substr(17, 2), 59);
  if (!year || !month || !day || !hour || !minute || !second || *month == 0 || *day == 0) {
    return std::nullopt;
  }
  LocalTime t{static_cast<int>(*year), static_cast<int>(*month),  static_cast<int>(*day),
              static_cast<int>(*hour), static_cast<int>(*minute), static_cast<int>(*second)};
  // 2026-02-31 is no day.
  const std::int64_t seconds = LocalSeconds(t);
  if (CivilFromSeconds(seconds).day != t.day) return std::nullopt;
  return seconds;
}

std::u16string TwoDigits(int n) {
  return {static_cast<char16_t>(u'0' + n / 10 % 10), static_cast<char16_t>(u'0' + n % 10)};
}

std::u16string FormatTime(std::int64_t seconds) {
  const LocalTime t = CivilFromSeconds(seconds);
  return TwoDigits(t.year / 100) + TwoDigits(t.year) + u'-' + TwoDigits(t.month) + u'-' +
         TwoDigits(t.day) + u' ' + TwoDigits(t.hour) + u':' + TwoDigits(t.minute) + u':' +
         TwoDigits(t.second);
}

std::uint32_t HashOf(std::u16string_view name) {
  std::uint32_t hash = 2166136261u;  // FNV-1a over the UTF-16 units
  for (char16_t c : name) hash = (hash ^ c) * 16777619u;
  return hash;
}

}  // namespace

std::size_t UsageFile::SlotOf(std::u16string_view name, std::uint32_t hash) const {
  const std::size_t mask = index_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint32_t entry = index_[slot];
    if (entry == kFree) return slot;
    if (entries_[entry].hash == hash && NameOf(entries_[entry]) == name) return slot;
  }
}

const ItemUse* UsageFile::Find(std::u16string_view name) const {
  if (index_.empty()) return nullptr;
  const std::uint32_t entry = index_[SlotOf(name, HashOf(name))];
  if (entry == kFree || entries_[entry].use.count == 0) return nullptr;
  return &entries_[entry].use;
}

void UsageFile::Reserve(std::size_t names, std::size_t characters) {
  names_.reserve(characters);
  entries_.reserve(names);
  Grow(names);
}

void UsageFile::Grow(std::size_t entries) {
  // At most half full, so that a search ends soon at a free slot.
  if (2 * entries <= index_.size()) return;
  std::size_t size = std::max<std::size_t>(64, index_.size());
  while (size < 2 * entries) size *= 2;
  index_.assign(size, kFree);
  for (std::uint32_t i = 0; i < entries_.size(); ++i) {
    for (std::size_t slot = entries_[i].hash & (size - 1);; slot = (slot + 1) & (size - 1)) {
      if (index_[slot] == kFree) {
        index_[slot] = i;
        break;
      }
    }
  }
}

UsageFile::Entry* UsageFile::Slot(std::u16string_view name) {
  Grow(entries_.size() + 1);
  const std::uint32_t hash = HashOf(name);
  std::uint32_t& entry = index_[SlotOf(name, hash)];
  if (entry == kFree) {
    entry = static_cast<std::uint32_t>(entries_.size());
    entries_.push_back({static_cast<std::uint32_t>(names_.size()),
                        static_cast<std::uint32_t>(name.size()),
                        hash,
                        {}});
    names_ += name;
  }
  return &entries_[entry];
}

void UsageFile::Record(std::u16string_view name, std::int64_t when) {
  ItemUse& use = Slot(name)->use;
  if (use.count == 0) ++live_;
  if (use.count < std::numeric_limits<std::uint32_t>::max()) ++use.count;
  use.last = when;
  ++revision;
}

bool UsageFile::Add(std::u16string_view name, ItemUse use) {
  ItemUse& held = Slot(name)->use;
  if (held.count != 0 || use.count == 0) return false;
  held = use;
  ++live_;
  ++revision;
  return true;
}

bool UsageFile::Erase(std::u16string_view name) {
  if (index_.empty()) return false;
  const std::uint32_t entry = index_[SlotOf(name, HashOf(name))];
  if (entry == kFree || entries_[entry].use.count == 0) return false;
  entries_[entry].use = {};
  --live_;
  ++revision;
  return true;
}

void UsageFile::Clear() {
  if (entries_.empty()) return;
  names_.clear();
  entries_.clear();
  index_.clear();
  live_ = 0;
  ++revision;
}

std::int64_t LocalSeconds(const LocalTime& t) {
  return DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) *
             86400 +
         t.hour * 3600 + t.minute * 60 + t.second;
}

double UseRank(const ItemUse* use) {
  if (!use || use->count == 0) return -std::numeric_limits<double>::infinity();
  return std::log2(static_cast<double>(use->count)) +
         static_cast<double>(use->last) / static_cast<double>(kUseHalfLifeSeconds);
}

UsageFile ParseUsageFile(std::u16string_view text) {
  UsageFile usage;
  usage.Reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')) + 1,
                text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", at);
    if (end == std::u16string_view::npos) end = text.size();
    const std::u16string_view line = text.substr(at, end - at);
    at = end;
    if (at < text.size() && text[at] == u'\r') ++at;
    if (at < text.size() && text[at] == u'\n') ++at;
    const std::size_t time_star = line.rfind(u'*');
    if (time_star == std::u16string_view::npos || time_star == 0) continue;
    const std::size_t count_star = line.rfind(u'*', time_star - 1);
    if (count_star == std::u16string_view::npos) continue;
    auto count = Number(line.substr(count_star + 1, time_star - count_star - 1),
                        std::numeric_limits<std::uint32_t>::max());
    auto time = ParseTime(line.substr(time_star + 1));
    if (!count || *count == 0 || !time) continue;
    usage.Add(line.substr(0, count_star), ItemUse{static_cast<std::uint32_t>(*count), *time});
  }
  usage.revision = 0;  // as read
  return usage;
}

std::u16string SerializeUsageFile(const UsageFile& usage,
                                  const std::vector<std::u16string>& items) {
  std::u16string out;
  std::unordered_set<std::u16string_view> written;
  for (const std::u16string& name : items) {
    const ItemUse* use = usage.Find(name);
    if (!use || !written.insert(name).second) continue;
    out += name + u'*' + Utf8ToUtf16(std::to_string(use->count)) + u'*' + FormatTime(use->last) +
           u"\r\n";
  }
  return out;
}

std::string UsageFileBytes(const UsageFile& usage, const std::vector<std::u16string>& items) {
  return EncodeText(SerializeUsageFile(usage, items));
}

UsageFile LoadUsageFile(FileSystem& fs, const std::u16string& path) {
  FileRead read = fs.ReadFile(path);
  if (read.status == FileRead::Status::kMissing) return {};
  if (read.status != FileRead::Status::kOk) {
    UsageFile usage;
    usage.unreadable = true;
    return usage;
  }
  return ParseUsageFile(DecodeText(read.bytes).text);
}

}  // namespace velmo
