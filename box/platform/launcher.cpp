// The portable half of starting a program file: which application, which command line.
#include "box/platform/launcher.h"

namespace velmo {

namespace {

bool EndsWithNoCase(std::u16string_view s, std::u16string_view suffix) {
  if (s.size() < suffix.size()) return false;
  std::u16string_view tail = s.substr(s.size() - suffix.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    char16_t c = tail[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

std::u16string Quoted(std::u16string_view s) {
  std::u16string out = u"\"";
  out += s;
  out += u'"';
  return out;
}

}  // namespace

bool IsFullPath(std::u16string_view path) {
  auto is_sep = [](char16_t c) { return c == u'\\' || c == u'/'; };
  if (path.size() >= 3 && path[1] == u':' && is_sep(path[2])) {
    char16_t d = path[0];
    return (d >= u'A' && d <= u'Z') || (d >= u'a' && d <= u'z');
  }
  return path.size() >= 3 && is_sep(path[0]) && is_sep(path[1]) && !is_sep(path[2]);
}

ProgramFileStart PlanProgramFileStart(std::u16string_view path, std::u16string_view system_folder) {
  ProgramFileStart start;
  if (EndsWithNoCase(path, u".bat") || EndsWithNoCase(path, u".cmd")) {
    start.application = std::u16string(system_folder) + u"\\cmd.exe";
    // With /s, cmd drops exactly the outer pair of quotes and keeps the quoted path intact.
    start.command_line = Quoted(start.application) + u" /s /c \"" + Quoted(path) + u"\"";
    return start;
  }
  if (IsFullPath(path)) start.application = path;
  start.command_line = Quoted(path);
  return start;
}

}  // namespace velmo
