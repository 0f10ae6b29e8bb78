// The generic Win32 host of a window model: one borderless popup that paints
// the model's controls double-buffered, hosts its text and list controls as
// native children, maps its timers to SetTimer and forwards input to it. It
// knows no feature of any window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "box/platform/accessibility.h"
#include "box/platform/raster.h"
#include "box/platform/screen.h"
#include "box/platform/win32/accessible_window.h"
#include "box/ui/form.h"

namespace velmo {

// Which key messages reach the window model. While an input method composes, the keys it takes
// come as VK_PROCESSKEY: Enter that commits the Latin text, Escape that cancels, the arrows and
// Space that pick a candidate. They are the input method's, and so are their key-ups, which
// come with the real key: the model sees neither, or Enter would run a half-composed line.
class ImeKeyFilter {
 public:
  // For WM_(SYS)KEYDOWN and WM_(SYS)KEYUP; true when the model is to see the message.
  bool Passes(const MSG& msg);

 private:
  std::vector<UINT> composing_;  // scan codes of keys the input method took, still down
};

class WindowHost : private AccessibleSource {
 public:
  // on_close_request runs for WM_CLOSE (close command, Alt+F4), with false, and for the end
  // of the Windows session, with true.
  using CloseRequest = std::function<void(bool session_ends)>;
  WindowHost(Form& form, CloseRequest on_close_request);
  // Any window model that exposes its Form.
  template <class Window, class = decltype(std::declval<Window&>().form())>
  WindowHost(Window& window, CloseRequest on_close_request)
      : WindowHost(window.form(), std::move(on_close_request)) {}
  ~WindowHost() override;
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  // Creates the window at the model's geometry, with its caption, z-order and
  // opacity, and shows it when the model is visible. False when the window
  // could not be created.
  bool Create();
  // Creates the window only when its model is first shown: a window seldom used costs nothing at
  // start-up.
  void CreateWhenShown() { create_when_shown_ = true; }
  // The message loop; returns the exit code of WM_QUIT.
  int Run();
  // Brings the window, its children, timers and paint up to date with the
  // model. Called after every event the host delivers; call it after changing
  // the model outside an event.
  void Sync();

  // Another window whose model this window's events may change: each Sync brings both up to
  // date.
  void SyncAlso(WindowHost& partner) { partner_ = &partner; }
  HWND hwnd() const { return hwnd_; }
  int dpi() const { return dpi_; }

 private:
  struct Native {
    HWND hwnd = nullptr;
    std::u16string text;  // what the native control shows
    std::size_t max_length = 0;
    std::vector<std::u16string> items;
    int selected = -1;
    int item_height = 0;  // of a list drawn with pictures
    std::vector<std::shared_ptr<const IconPixels>> icons;
    int marked = -1;
    RECT placed{};
    std::vector<RECT> region;
    bool shown = false;
    bool enabled = true;  // a new window starts enabled
    Color fore = 0, back = 0;
  };
  struct TimerState {
    bool running = false;
    int interval_ms = 0;
    std::uint64_t started_us = 0;
    int ticks = 0;
  };

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // The native children's window procedure in front of their own, which `child_procs_` keeps.
  // Plain subclassing: comctl32's SetWindowSubclass costs Wine a tenth of a millisecond a
  // message (a list of 10,000 entries filled in 1.4 s against 60 ms).
  static LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  static std::uint64_t NowUs();
  int Px(int twips) const { return PixelScale(dpi_).Pixels(twips); }
  int Twips(int px) const { return PixelScale(dpi_).Twips(px); }
  HFONT FontFor(const Font& f);
  HFONT GlyphFont(int twips);
  HBRUSH BrushFor(Color c);
  // Paints `area` of the client again; returns the microseconds spent drawing the model.
  std::uint64_t Paint(HDC dc, RECT area);
  void InvalidateChanges();
  void PaintControl(HDC dc, const Control& c, int x, int y);
  // Anti-aliased drawing into the back buffer, within the DC's clip box.
  Raster RasterFor(HDC dc);
  void PaintLine(HDC dc, const Control& c, int x, int y);
  void PaintEllipse(HDC dc, const Control& c, const RECT& box);
  void SyncOwn();
  void SyncWindow();
  void DragWindow();
  void SyncTimers();
  void SyncNatives();
  void SyncNative(Control& c);
  void SyncFocus();
  // A system icon at (x, y), `size` pixels square, blended over what is drawn there.
  static void BlendIcon(HDC dc, const IconPixels& icon, int x, int y, int size);
  // An entry of a list box: its picture where the list has them, then its text.
  void DrawListEntry(const Control& c, const DRAWITEMSTRUCT& d);
  void SyncToolTip();
  bool PlaceToolTip();
  void MakeToolTip();
  static void TrackLeave(HWND hwnd);
  void PointerLeft();
  void Mouse(UINT msg, WPARAM wp, int x_px, int y_px);
  Control* ControlOf(HWND child);
  void CollectNatives(Control& c, std::vector<Control*>& out);
  const AccessibleView& AccessibleNow() override { return accessible_view_; }
  HWND NativeWindowOf(int id) override;
  void SyncAccessible();

  Form& form_;
  CloseRequest on_close_request_;
  HWND hwnd_ = nullptr;
  WindowHost* partner_ = nullptr;
  bool create_when_shown_ = false;
  HWND tool_tip_ = nullptr;  // made on first need
  HANDLE icon_font_ = nullptr;
  int dpi_ = 96;
  bool timing_ = false;  // VELMO_TIMING: print paint and timer figures
  bool mirroring_ = false;
  bool high_resolution_ = false;

  // What was last applied to the real window.
  RECT applied_rect_{};
  std::u16string applied_caption_;
  int applied_opacity_ = -1;
  bool applied_layered_ = false;
  bool applied_visible_ = false;
  bool applied_topmost_ = false;
  HWND keyboard_owner_ = nullptr;  // the foreground window the model's request took it from
  const Control* applied_focus_ = nullptr;
  HWND applied_focus_hwnd_ = nullptr;
  std::vector<ControlLook> looks_;  // as last painted
  std::uint64_t invalidations_ = 0;
  std::u16string tip_text_;
  bool pointer_inside_ = false;
  POINT pointer_{};  // client twips, while inside

  std::map<const Control*, Native> natives_;
  std::unordered_map<HWND, WNDPROC> child_procs_;
  std::vector<TimerState> timer_states_;
  std::map<std::u16string, HFONT> fonts_;
  std::map<Color, HBRUSH> brushes_;
  // A top-down 32-bpp DIB section: GDI and the rasterizer draw into the same pixels.
  HBITMAP back_buffer_ = nullptr;
  std::uint32_t* back_pixels_ = nullptr;
  SIZE back_size_{};
  ImeKeyFilter ime_keys_;
  // Made when a screen reader first asks; the view is brought up to date by every Sync from then.
  std::unique_ptr<AccessibleWindow> accessible_;
  AccessibleView accessible_view_;
};

}  // namespace velmo
