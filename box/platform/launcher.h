// Starting programs and handing targets to the desktop shell.
#pragma once

#include <string>
#include <string_view>

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
  // Opens a web address, document, folder, shortcut or shell folder with its associated
  // application. The shell reports its own problems; nothing comes back.
  virtual void OpenWithShell(const std::u16string& target) = 0;
  // Hands a program and its arguments to the desktop shell, which finds the program as the
  // Run box does ("explorer.exe"). The shell reports its own problems; nothing comes back.
  virtual void StartWithShell(const std::u16string& program, const std::u16string& arguments) = 0;
};

// How a program file is started: the program itself (empty when the system is to search for a
// bare name) and the whole command line.
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
