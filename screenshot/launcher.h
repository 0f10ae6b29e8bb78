// The launcher window (FrmMain): a small window titled "截屏工具" whose one big button starts a
// new capture. All coordinates are twips; the host converts them with the display's density.
#pragma once

#include <array>
#include <cstdint>

namespace shot {

inline constexpr const char16_t* kLauncherTitle = u"截屏工具";
inline constexpr const char16_t* kCaptureButtonTip = u"新建截屏";
inline constexpr std::uint32_t kLauncherBackColour = 0xFF9933;  // RGB(51, 153, 255)
inline constexpr std::uint32_t kLauncherHoverFill = 0xFFFFC0;   // RGB(192, 255, 255)
inline constexpr int kLauncherWidth = 1620;                     // client area at design
inline constexpr int kLauncherHeight = 1545;
inline constexpr int kMenuButtonCount = 3;  // 0 close, 1 hidden, 2 minimise
// What a screen reader calls them.
inline constexpr std::array<const char16_t*, kMenuButtonCount> kMenuButtonNames = {u"关闭", u"",
                                                                                   u"最小化"};

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool Contains(int x, int y) const {
    return x >= left && x < left + width && y >= top && y < top + height;
  }
  bool operator==(const TwipsRect&) const = default;
};

struct MenuButton {  // PicMenu(i)
  TwipsRect rect;
  bool visible = true;
  int picture = 0;  // index into the title-bar image list, counted from 1
};

enum class LauncherCommand { kNone, kDrag, kCapture, kClose, kMinimise };

class Launcher {
 public:
  Launcher(int width = kLauncherWidth, int height = kLauncherHeight);

  // Pointer input in window twips.
  LauncherCommand Press(int x, int y);
  void Move(int x, int y);
  LauncherCommand Release(int x, int y);
  // The pointer left the window: the title-bar buttons show their normal pictures.
  void Leave();
  // After a capture ends through the toolbar.
  void ResetHoverFrame() { hover_solid_ = false; }

  int width() const { return width_; }
  int height() const { return height_; }
  TwipsRect title_label() const { return {60, 0, 840, 300}; }
  TwipsRect panel() const { return panel_; }
  const std::array<MenuButton, kMenuButtonCount>& menu() const { return menu_; }
  TwipsRect capture_button() const { return capture_button_; }  // in panel coordinates
  TwipsRect hover_frame() const { return capture_button_; }     // Shape1: the button's bounds
  bool hover_solid() const { return hover_solid_; }

 private:
  enum class Part { kBody, kTitle, kMenu, kPanel, kCaptureButton };
  struct Hit {
    Part part;
    int index;
    bool operator==(const Hit&) const = default;
  };
  Hit PartAt(int x, int y) const;

  int width_;
  int height_;
  TwipsRect panel_;
  std::array<MenuButton, kMenuButtonCount> menu_;
  TwipsRect capture_button_;
  bool hover_solid_ = false;
  Hit pressed_{Part::kBody, -1};
  bool has_pressed_ = false;
};

}  // namespace shot
