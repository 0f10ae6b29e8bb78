// Start-up and shut-down of the box: folders, lists, settings, start at log-in.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "box/app/data_saver.h"
#include "box/platform/instance_lock.h"
#include "box/shell/box_state.h"
#include "box/shell/docking.h"
#include "box/ui/form.h"

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
  // Folders, lists and the items' uses, geometry and settings, in that order; then the lists that
  // the end of the last Windows session could not save are offered back. The window model then
  // finishes its own part of start-up.
  void Startup();
  // After the window's first picture, so that their reading takes nothing from it: the
  // dictionaries start loading on a worker, and a look-up waits for them.
  void LoadDictionaries();
  // After the window's first picture: says what start-up found wrong with DATA (files that
  // cannot be read or written, a disk too full to take a save), then saves every change within
  // a second. Its probes write to the disk, which the window need not wait for.
  void CheckDataFiles();
  // Lists and the items' uses, keyboard hook, start at log-in, settings. False unless every
  // list and the settings were written.
  bool Shutdown();
  // What Shutdown could not write although it changed since the box read it.
  std::vector<UnsavedDocument> Unsaved() { return saver_.Unsaved(); }
  // At the end of the Windows session, when nobody can be asked: the changed lists that could
  // not be written go to the recovery folder, which the next start offers back.
  void KeepForRecovery();

  std::u16string DataPath(std::u16string_view name) const;
  DataSaver& saver() { return saver_; }

 private:
  void CreateFolders();
  void LoadSettings();
  void FillSettings();
  void ApplyStartAtLogIn();
  std::optional<std::u16string> RecoveryFolder();
  void OfferRecovery();
  bool SaysDiskTooFull();

  BoxState& state_;
  Services& services_;
  Form& window_;
  DataSaver saver_;
};

}  // namespace velmo
