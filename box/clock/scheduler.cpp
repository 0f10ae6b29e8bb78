#include "box/clock/scheduler.h"

#include <algorithm>

namespace velmo {
namespace {

constexpr std::size_t kMinuteLength = 5;

}  // namespace

std::u16string PlanLine(std::u16string_view time, std::u16string_view content) {
  std::u16string line;
  // Chinese punctuation mode types the full-width forms of the digits and the colon.
  for (char16_t c : time) {
    if (c >= u'\uFF10' && c <= u'\uFF19') c = static_cast<char16_t>(u'0' + (c - u'\uFF10'));
    if (c == u'\uFF1A') c = u':';
    line += c;
  }
  line += u' ';
  line += content;
  return line;
}

bool PlanInputComplete(std::u16string_view time, std::u16string_view content) {
  return !time.empty() && !content.empty() && time.size() + content.size() > kMinuteLength;
}

std::u16string PlanMinute(const LocalTime& t) {
  auto two = [](int n) {
    return std::u16string{static_cast<char16_t>(u'0' + n / 10 % 10),
                          static_cast<char16_t>(u'0' + n % 10)};
  };
  return two(t.hour) + u":" + two(t.minute);
}

std::optional<std::u16string> TakeDuePlan(std::vector<std::u16string>& plans,
                                          std::u16string_view minute) {
  auto due = std::find_if(plans.begin(), plans.end(), [minute](const std::u16string& plan) {
    return std::u16string_view(plan).substr(0, kMinuteLength) == minute;
  });
  if (due == plans.end()) return std::nullopt;
  std::u16string content = due->size() > kMinuteLength + 1 ? due->substr(kMinuteLength + 1) : u"";
  plans.erase(due);
  return content;
}

}  // namespace velmo
