// The portable half of starting programs: which application, which command line, where a bare
// name is found, and what happens when a program needs elevation.
#include "box/platform/launcher.h"

#include "box/platform/files.h"

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

bool IsBatchFile(std::u16string_view path) {
  return EndsWithNoCase(path, u".bat") || EndsWithNoCase(path, u".cmd");
}

std::u16string Quoted(std::u16string_view s) {
  std::u16string out = u"\"";
  out += s;
  out += u'"';
  return out;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// A name with no folder in it, which the system would search for.
bool IsBareName(std::u16string_view name) {
  return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

// Starts what `start` names; a program that needs elevation goes to the shell with `arguments`.
bool Start(ProgramStarter& starter, const ProgramFileStart& start, const std::u16string& program,
           const std::u16string& arguments, WindowStyle style) {
  std::uint32_t error = starter.StartProcess(start.application, start.command_line, style);
  if (error == kErrorElevationRequired) return starter.StartThroughShell(program, arguments, style);
  return error == 0;
}

std::u16string SystemFolderOf(ProgramStarter& starter) {
  std::vector<std::u16string> folders = starter.SearchFolders();
  return folders.empty() ? std::u16string() : folders.front();
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

CommandLineParts SplitCommandLine(std::u16string_view line) {
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  CommandLineParts parts;
  if (i < line.size() && line[i] == u'"') {
    std::size_t end = line.find(u'"', i + 1);
    parts.program = line.substr(i + 1, end == std::u16string_view::npos ? end : end - i - 1);
    i = end == std::u16string_view::npos ? line.size() : end + 1;
  } else {
    std::size_t end = i;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    parts.program = line.substr(i, end - i);
    i = end;
  }
  while (i < line.size() && IsBlank(line[i])) ++i;
  parts.arguments = line.substr(i);
  return parts;
}

std::u16string ExplorerCommandLine(std::u16string_view target) {
  std::size_t backslashes = 0;
  while (backslashes < target.size() && target[target.size() - 1 - backslashes] == u'\\') {
    ++backslashes;
  }
  return u"explorer \"" + std::u16string(target) + std::u16string(backslashes, u'\\') + u'"';
}

std::optional<std::u16string> FindProgram(ProgramStarter& starter, std::u16string_view name) {
  if (name.empty() || !IsBareName(name)) return std::nullopt;
  std::u16string file(name);
  // As CreateProcess does: a name without an extension is an .exe.
  if (file.find(u'.') == std::u16string::npos) file += u".exe";
  for (const std::u16string& folder : starter.SearchFolders()) {
    if (folder.empty()) continue;
    std::u16string path = JoinPath(folder, file);
    if (starter.IsFile(path)) return path;
  }
  return std::nullopt;
}

ProgramFileStart PlanProgramFileStart(std::u16string_view path, std::u16string_view system_folder) {
  ProgramFileStart start;
  if (IsBatchFile(path)) {
    start.application = std::u16string(system_folder) + u"\\cmd.exe";
    // With /s, cmd drops exactly the outer pair of quotes and keeps the quoted path intact.
    start.command_line = Quoted(start.application) + u" /s /c \"" + Quoted(path) + u"\"";
    return start;
  }
  if (IsFullPath(path)) start.application = path;
  start.command_line = Quoted(path);
  return start;
}

bool LaunchCommandLine(ProgramStarter& starter, const std::u16string& command_line,
                       WindowStyle style) {
  CommandLineParts parts = SplitCommandLine(command_line);
  if (parts.program.empty()) return false;
  ProgramFileStart start{u"", command_line};
  std::u16string program = parts.program;
  if (IsBareName(parts.program)) {
    std::optional<std::u16string> found = FindProgram(starter, parts.program);
    if (!found) return false;
    program = *found;
    if (IsBatchFile(program)) {
      start = PlanProgramFileStart(program, SystemFolderOf(starter));
      // The arguments go inside the quotes that /s takes away.
      if (!parts.arguments.empty()) {
        start.command_line.pop_back();
        start.command_line += u' ' + parts.arguments + u'"';
      }
    } else {
      start.application = program;
    }
  }
  // A program named by a path is started as that path; the system searches no folder for it.
  return Start(starter, start, program, parts.arguments, style);
}

bool LaunchProgramFile(ProgramStarter& starter, const std::u16string& path, WindowStyle style) {
  if (path.empty()) return false;
  std::u16string program = path;
  if (IsBareName(path)) {
    std::optional<std::u16string> found = FindProgram(starter, path);
    if (!found) return false;
    program = *found;
  }
  return Start(starter, PlanProgramFileStart(program, SystemFolderOf(starter)), program,
               u"", style);
}

}  // namespace velmo
