// Start-up and shut-down of the box: folders, lists, settings, start at log-in.
#pragma once

#include <string>

#include "box/platform/instance_lock.h"
#include "box/shell/box_state.h"
#include "box/shell/docking.h"
#include "box/shell/form.h"

namespace velmo {

inline constexpr int kWindowWidth = 4600;  // twips
inline constexpr int kWindowHeight = 6000;
inline constexpr int kStartTop = kUndockedTop;
inline constexpr std::u16string_view kGreeting = u"维莫盒子！";
inline constexpr std::u16string_view kInstanceLockName = u"VelmoBox.SingleInstance";

class App {
 public:
  App(BoxState& state, Services& services, Form& window);

  // False when another instance runs: the caller ends the process before it builds a window,
  // creates a folder or reads a file.
  static bool AcquireInstance(InstanceLock& lock);
  // Folders, lists, geometry and settings, in that order. The window model then finishes
  // its own part of start-up.
  void Startup();
  // After the window's first picture: marks the files of DATA that cannot be written and says
  // what start-up found. Its probes write to the disk, which the window need not wait for.
  void CheckDataFiles();
  // Lists, keyboard hook, start at log-in, settings. False unless every file was saved. The
  // caller ends the process afterwards.
  bool Shutdown();

  std::u16string DataPath(std::u16string_view name) const;

 private:
  void CreateFolders();
  void LoadSettings();
  bool SaveSettings();
  void ApplyStartAtLogIn();

  BoxState& state_;
  Services& services_;
  Form& window_;
};

// Speaks unless the drawer's sound button has muted the box. A missing or failing speech
// engine means silence, never an error.
void SpeakText(const BoxState& state, Speech& speech, const std::u16string& text);

}  // namespace velmo
