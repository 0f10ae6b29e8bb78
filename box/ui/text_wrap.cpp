#include "box/ui/text_wrap.h"

#include <vector>

namespace velmo {
namespace {

bool IsWide(char16_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
         (c >= 0x2018 && c <= 0x201F);
}

bool NoBreakBefore(char16_t c) {
  return std::u16string_view(u"，。、；：？！）》」』】”’,.;:?!)").find(c) !=
         std::u16string_view::npos;
}

bool NoBreakAfter(char16_t c) {
  return std::u16string_view(u"（《「『【“‘(").find(c) != std::u16string_view::npos;
}

// May a line end between text[i - 1] and text[i]?
bool CanBreakBefore(std::u16string_view text, std::size_t i) {
  char16_t before = text[i - 1], after = text[i];
  if (NoBreakBefore(after) || NoBreakAfter(before)) return false;
  return before == u' ' || IsWide(before) || IsWide(after);
}

void WrapParagraph(std::u16string_view text, int max_width,
                   const std::function<int(char16_t)>& char_width,
                   std::vector<std::u16string>& lines) {
  // Inside “…” a line does not break while the quote fits: an example such as a command line
  // reads whole.
  std::vector<bool> quoted(text.size() + 1, false);
  for (std::size_t i = 1; i <= text.size(); ++i) {
    quoted[i] = text[i - 1] == u'“' || (quoted[i - 1] && text[i - 1] != u'”');
  }
  std::size_t start = 0;
  while (start < text.size()) {
    int width = 0;
    std::size_t end = start, last_break = 0;
    while (end < text.size()) {
      if (end > start && !quoted[end] && CanBreakBefore(text, end)) last_break = end;
      width += char_width(text[end]);
      if (width > max_width && end > start) break;
      ++end;
    }
    // A line that overflows at a blank breaks there; otherwise at the last opportunity.
    if (end < text.size() && text[end] != u' ' && last_break > start) end = last_break;
    std::u16string_view line = text.substr(start, end - start);
    while (!line.empty() && line.back() == u' ') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end;
    while (start < text.size() && text[start] == u' ') ++start;
  }
}

}  // namespace

std::vector<std::u16string> WrapText(std::u16string_view text, int max_width,
                                     const std::function<int(char16_t)>& char_width) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(u'\n', start);
    std::u16string paragraph(
        text.substr(start, end == std::u16string_view::npos ? end : end - start));
    std::erase(paragraph, u'\r');
    if (paragraph.empty()) {
      lines.emplace_back();
    } else {
      WrapParagraph(paragraph, max_width, char_width, lines);
    }
    if (end == std::u16string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace velmo
