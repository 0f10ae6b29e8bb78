// Line breaking for labels: at blanks, and between Chinese characters, which have no blanks to
// break at. Closing punctuation never starts a line and opening punctuation never ends one, and
// a phrase in “…” stays on one line where it fits on one.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Breaks `text` into lines no wider than `max_width` (a single character wider than that gets
// a line of its own). "\n" always breaks; "\r" is dropped.
std::vector<std::u16string> WrapText(std::u16string_view text, int max_width,
                                     const std::function<int(char16_t)>& char_width);

}  // namespace velmo
