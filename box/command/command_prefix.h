// The command box's prefixes as either punctuation mode of a Chinese input method types them.
#pragma once

#include <cstddef>
#include <string_view>

namespace velmo {

struct CommandPrefix {
  char16_t symbol = u'\0';  // one of "!@^#$%&*"; '\0' when the text has no prefix
  std::size_t length = 0;   // the characters it takes at the start of the text
};

// The prefix `text` starts with. In Chinese punctuation mode the input method types "！", "＠",
// "……", "＃", "￥", "％", "＆" and "＊" for "!", "@", "^", "#", "$", "%", "&" and "*": each counts
// as the character it stands for.
CommandPrefix PrefixOf(std::u16string_view text);

}  // namespace velmo
