// The live preview of the command box: what the dictionary panel shows for a command text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "box/command/pinyin_match.h"
#include "box/shell/box_state.h"

namespace velmo {

inline constexpr std::u16string_view kExpressionError = u"表达式有误。";

struct PreviewAnswer {
  bool shown = false;  // false: the dictionary panel is hidden
  std::u16string term;
  std::optional<std::u16string> result;  // nullopt: the result box keeps its text
  // The items a text without a prefix finds, best first; the result box is not for them.
  std::vector<Suggestion> suggestions;
  // Why "&" or "*" shows nothing when their dictionary is damaged (DamageNotice); else empty.
  std::u16string damage;
};

// "&" and "*" while their dictionary is ready, "#" and "%", each with at least one character
// after the prefix; a text without a prefix while it matches item names; anything else hides
// the panel.
PreviewAnswer PreviewOf(std::u16string_view text, const BoxState& state,
                        const PinyinMatcher& item_names);

}  // namespace velmo
