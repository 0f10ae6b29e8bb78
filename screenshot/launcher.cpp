// The launcher window's layout and pointer behaviour.
#include "screenshot/launcher.h"

namespace shot {
namespace {

constexpr int kMenuSize = 270;
constexpr int kMenuGap = 30;
constexpr int kCaptureSize = 960;

}  // namespace

Launcher::Launcher(int width, int height) : width_(width), height_(height) {
  panel_ = {15, 330, width - 30, height - 345};
  // The minimise button stands next to the close button, in the place of the hidden one, so that
  // the title has the strip up to it to itself.
  static constexpr int kSlots[kMenuButtonCount] = {0, 2, 1};
  for (int i = 0; i < kMenuButtonCount; ++i) {
    const int slot = kSlots[i];
    menu_[i].rect = {width - (slot + 1) * kMenuSize - (2 * slot + 1) * kMenuGap, 15, kMenuSize,
                     kMenuSize};
    menu_[i].picture = 2 * i + 1;
  }
  menu_[1].visible = false;
  capture_button_ = {panel_.width / 2 - kCaptureSize / 2, 120, kCaptureSize, kCaptureSize};
}

Launcher::Hit Launcher::PartAt(int x, int y) const {
  for (int i = 0; i < kMenuButtonCount; ++i) {
    if (menu_[i].visible && menu_[i].rect.Contains(x, y)) return {Part::kMenu, i};
  }
  if (title_label().Contains(x, y)) return {Part::kTitle, -1};
  if (panel_.Contains(x, y)) {
    if (capture_button_.Contains(x - panel_.left, y - panel_.top)) {
      return {Part::kCaptureButton, -1};
    }
    return {Part::kPanel, -1};
  }
  return {Part::kBody, -1};
}

LauncherCommand Launcher::Press(int x, int y) {
  pressed_ = PartAt(x, y);
  has_pressed_ = true;
  bool drags = pressed_.part == Part::kBody || pressed_.part == Part::kTitle;
  return drags ? LauncherCommand::kDrag : LauncherCommand::kNone;
}

void Launcher::Move(int x, int y) {
  Hit hit = PartAt(x, y);
  switch (hit.part) {
    case Part::kBody:
      Leave();
      break;
    case Part::kMenu:
      menu_[hit.index].picture = 2 * hit.index + 2;
      break;
    case Part::kCaptureButton:
      hover_solid_ = true;
      break;
    case Part::kPanel:
      hover_solid_ = false;
      break;
    case Part::kTitle:
      break;
  }
}

LauncherCommand Launcher::Release(int x, int y) {
  if (!has_pressed_) return LauncherCommand::kNone;
  has_pressed_ = false;
  if (PartAt(x, y) != pressed_) return LauncherCommand::kNone;
  if (pressed_.part == Part::kCaptureButton) return LauncherCommand::kCapture;
  if (pressed_.part == Part::kMenu && pressed_.index == 0) return LauncherCommand::kClose;
  if (pressed_.part == Part::kMenu && pressed_.index == 2) return LauncherCommand::kMinimise;
  return LauncherCommand::kNone;
}

void Launcher::Leave() {
  for (int i = 0; i < kMenuButtonCount; ++i) menu_[i].picture = 2 * i + 1;
}

}  // namespace shot
