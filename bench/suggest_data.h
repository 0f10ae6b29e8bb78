// What the suggestion benchmarks type into: distinct item names of 2 to 20 characters mixing
// hanzi of GB2312 level 1 with Latin words and digits ("QQ音乐", "Adobe 图片Studio 2024"), the
// keystrokes of a user typing them, and a Usage.sd with a line for each of them.
#pragma once

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "box/storage/pinyin_table.h"
#include "box/storage/text_codec.h"

namespace velmo::bench {

inline std::u16string CommonHanzi() {
  std::string gbk;
  for (int lead = 0xB0; lead <= 0xD7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail > 0xF9) break;
      gbk += static_cast<char>(lead);
      gbk += static_cast<char>(trail);
    }
  }
  return DecodeGbk(gbk).text;
}

inline std::vector<std::u16string> MixedNames(std::size_t count) {
  const std::u16string hanzi = CommonHanzi();
  std::mt19937 rng(7);
  std::set<std::u16string> seen;
  std::vector<std::u16string> names;
  while (names.size() < count) {
    const std::size_t length = 2 + rng() % 19;
    std::u16string name;
    while (name.size() < length) {
      const unsigned kind = rng() % 10;
      if (kind < 6) {
        for (unsigned i = 0, n = 1 + rng() % 4; i < n; ++i) name += hanzi[rng() % hanzi.size()];
      } else if (kind < 9) {
        if (!name.empty() && rng() % 2) name += u' ';
        for (unsigned i = 0, n = 2 + rng() % 7; i < n; ++i) {
          const bool capital = i == 0 ? rng() % 2 : rng() % 8 == 0;
          name += static_cast<char16_t>((capital ? u'A' : u'a') + rng() % 26);
        }
      } else {
        if (!name.empty()) name += u' ';
        for (unsigned i = 0, n = 1 + rng() % 4; i < n; ++i) name += u'0' + rng() % 10;
      }
    }
    name.resize(length);
    if (name.back() == u' ') name.back() = u'x';
    if (seen.insert(name).second) names.push_back(name);
  }
  return names;
}

// Every keystroke of typing names spread over the list: in full (each hanzi by its first
// reading, Latin as it stands), by initials (each hanzi and each Latin word by its first letter),
// by every other letter of the full form, and misses.
inline std::vector<std::u16string> Keystrokes(const std::vector<std::u16string>& names,
                                              const PinyinReadings& readings,
                                              std::size_t typed_names = 60) {
  std::vector<std::u16string> typed = {u"zzzzzz", u"qxqxqx", u"aaaaaa"};
  for (std::size_t i = 0; i < names.size(); i += names.size() / typed_names) {
    std::u16string full, initials, gaps;
    bool in_word = false;
    for (char16_t c : names[i]) {
      const bool latin =
          (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
      if (latin) {
        full += c;
        if (!in_word) initials += c;
        in_word = true;
        continue;
      }
      in_word = false;
      std::vector<std::string_view> r = readings.ReadingsOf(c);
      if (r.empty()) continue;
      full += Utf8ToUtf16(r.front());
      initials += static_cast<char16_t>(r.front()[0]);
    }
    for (std::size_t k = 0; k < full.size() && gaps.size() < 8; k += 2) gaps += full[k];
    typed.push_back(full.substr(0, 16));
    typed.push_back(initials);
    typed.push_back(gaps);
  }
  std::vector<std::u16string> out;
  for (const std::u16string& text : typed) {
    for (std::size_t n = 1; n <= text.size(); ++n) out.push_back(text.substr(0, n));
  }
  return out;
}

// One line for each name, used 1 to 50 times over the last year.
inline std::string UsageLines(const std::vector<std::u16string>& names) {
  std::mt19937 rng(11);
  std::u16string text;
  for (const std::u16string& name : names) {
    const unsigned month = 1 + rng() % 12, day = 1 + rng() % 28;
    auto two = [](unsigned n) {
      return Utf8ToUtf16(std::string{char('0' + n / 10), char('0' + n % 10)});
    };
    text += name + u'*' + Utf8ToUtf16(std::to_string(1 + rng() % 50)) + u"*2026-" + two(month) +
            u'-' + two(day) + u' ' + two(rng() % 24) + u':' + two(rng() % 60) + u":00\r\n";
  }
  return EncodeText(text);
}

}  // namespace velmo::bench
