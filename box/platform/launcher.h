// Starting programs and handing targets to the desktop shell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Both styles activate the new window.
enum class WindowStyle { kNormal, kMinimized };

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts the program named by the command line's first token with the rest as its arguments,
  // without a command interpreter. True when a process was started.
  virtual bool StartCommandLine(const std::u16string& command_line, WindowStyle style) = 0;
  // Starts the program file at `path` with no arguments. A full path names the program itself,
  // so "C:\Program Files\x.exe" can never start "C:\Program.exe". True when a process started.
  virtual bool StartProgramFile(const std::u16string& path, WindowStyle style) = 0;
  // Opens a document, folder, shortcut or shell folder with its associated application. The
  // shell reports its own problems; nothing comes back. Web addresses and the help file go to
  // explorer with StartCommandLine(ExplorerCommandLine(...)) instead, so that whatever the shell
  // makes of a long address happens in explorer's process, not on the box's window thread.
  virtual void OpenWithShell(const std::u16string& target) = 0;
};

// What CreateProcess says of a program whose manifest asks for an administrator: only the shell,
// which asks the user's consent, can start it.
inline constexpr std::uint32_t kErrorElevationRequired = 740;

// The system's own ways of starting a program, which LaunchCommandLine and LaunchProgramFile use
// under the box's rules.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts `application` (empty: the command line's first token, which then holds a path) with
  // `command_line`. 0 when a process started, otherwise the system's error code.
  virtual std::uint32_t StartProcess(const std::u16string& application,
                                     const std::u16string& command_line, WindowStyle style) = 0;
  // Starts the program through the desktop shell, which asks for the user's consent when the
  // program needs elevation. True when it started.
  virtual bool StartThroughShell(const std::u16string& program, const std::u16string& parameters,
                                 WindowStyle style) = 0;
  // Where a bare program name is looked for, in order: the system folder first, then the Windows
  // folder and the folders of PATH. Never the box's own folder or the current folder, which is
  // where Windows itself would look first: a program planted beside the box must not run.
  virtual std::vector<std::u16string> SearchFolders() = 0;
  virtual bool IsFile(const std::u16string& path) = 0;
};

// The command line's first token (its quotes removed) and what follows it, leading blanks
// dropped, as CreateProcess splits a command line.
struct CommandLineParts {
  std::u16string program;
  std::u16string arguments;
};
CommandLineParts SplitCommandLine(std::u16string_view command_line);

// "explorer" with `target` (a web address or a path, neither of which holds a quote) as its one
// argument: quoted, so that blanks and commas stay in it, and with a trailing backslash doubled
// so that it does not escape the closing quote.
std::u16string ExplorerCommandLine(std::u16string_view target);

// The full path of the program `name` (".exe" added to a name without an extension) in the
// first of the starter's search folders that holds it.
std::optional<std::u16string> FindProgram(ProgramStarter& starter, std::u16string_view name);

// Launcher::StartCommandLine and StartProgramFile on `starter`: a bare program name is found
// with FindProgram, batch files run through the command interpreter, and a program that needs
// elevation is handed to the shell.
bool LaunchCommandLine(ProgramStarter& starter, const std::u16string& command_line,
                       WindowStyle style);
bool LaunchProgramFile(ProgramStarter& starter, const std::u16string& path, WindowStyle style);

// How a program file is started: the program itself (empty when the path is relative and names
// its own folder) and the whole command line.
struct ProgramFileStart {
  std::u16string application;
  std::u16string command_line;
};

// Batch files run through the command interpreter, as Windows requires; every other file is
// its own application. `system_folder` holds cmd.exe.
ProgramFileStart PlanProgramFileStart(std::u16string_view path, std::u16string_view system_folder);

// "C:\..." or "\\server\...": a path that names one file whatever the current folder.
bool IsFullPath(std::u16string_view path);

}  // namespace velmo
