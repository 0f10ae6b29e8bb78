// One-shot plans: each is a line "time content". A plan is due in the minute its first five
// characters name ("hh:mm", 24-hour); what runs is everything after its sixth character.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "box/platform/clock.h"

namespace velmo {

inline constexpr std::size_t kPlanTimeLength = 8;
inline constexpr std::size_t kPlanContentLength = 20;

// "time content", the time's full-width digits and colon (Chinese punctuation mode) made plain.
std::u16string PlanLine(std::u16string_view time, std::u16string_view content);
// The OK button shows only for input this complete; the time's form is not checked.
bool PlanInputComplete(std::u16string_view time, std::u16string_view content);
// "hh:mm" of a time of day.
std::u16string PlanMinute(const LocalTime& t);
// Removes the first plan due at `minute` and returns what it runs; at most one a call.
std::optional<std::u16string> TakeDuePlan(std::vector<std::u16string>& plans,
                                          std::u16string_view minute);

}  // namespace velmo
