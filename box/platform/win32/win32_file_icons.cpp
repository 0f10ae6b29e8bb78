// The shell's icons on a thread of their own: SHGetFileInfoW may take long (a network path, an
// icon handler), wants COM set up on its thread, and must not hold up the window.
#include <windows.h>
// These need windows.h before them.
#include <commctrl.h>
#include <commoncontrols.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

// The icon drawn over black and over white: what differs is how much each pixel lets through,
// which gives the alpha of icons that have none of their own (masked icons) as of those that do.
std::shared_ptr<const IconPixels> Render(HICON icon, int size) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return nullptr;
  std::uint32_t* over[2] = {};
  HBITMAP bitmaps[2] = {};
  for (int i = 0; i < 2; ++i) {
    void* bits = nullptr;
    bitmaps[i] = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    over[i] = static_cast<std::uint32_t*>(bits);
  }
  std::shared_ptr<IconPixels> out;
  if (bitmaps[0] && bitmaps[1]) {
    const std::size_t n = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    for (int i = 0; i < 2; ++i) {
      std::fill(over[i], over[i] + n, i == 0 ? 0xFF000000u : 0xFFFFFFFFu);
      HGDIOBJ old = SelectObject(dc, bitmaps[i]);
      DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
      GdiFlush();
      SelectObject(dc, old);
    }
    out = std::make_shared<IconPixels>();
    out->size = size;
    out->pixels.resize(n);
    for (std::size_t p = 0; p < n; ++p) {
      std::uint32_t black = over[0][p], white = over[1][p];
      // Over black a pixel shows colour × alpha: premultiplied already.
      int through = static_cast<int>((white >> 8) & 0xFF) - static_cast<int>((black >> 8) & 0xFF);
      std::uint32_t alpha = static_cast<std::uint32_t>(255 - std::clamp(through, 0, 255));
      out->pixels[p] = (alpha << 24) | (black & 0x00FFFFFF);
    }
  }
  for (HBITMAP b : bitmaps) {
    if (b) DeleteObject(b);
  }
  DeleteDC(dc);
  return out;
}

// Above the large icon's size the system image list's 48-pixel or 256-pixel one is drawn
// down, never a small one drawn up.
HICON BigIcon(int index, int size) {
  IImageList* list = nullptr;
  int which = size <= 48 ? SHIL_EXTRALARGE : SHIL_JUMBO;
  if (FAILED(SHGetImageList(which, IID_PPV_ARGS(&list)))) return nullptr;
  HICON icon = nullptr;
  if (FAILED(list->GetIcon(index, ILD_TRANSPARENT, &icon))) icon = nullptr;
  list->Release();
  return icon;
}

std::shared_ptr<const IconPixels> FetchIcon(const std::u16string& path, int size) {
  // Nothing at the path: the generic icon of its kind, from the name alone.
  const wchar_t* name = reinterpret_cast<const wchar_t*>(path.c_str());
  bool exists = GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
  UINT flags = SHGFI_ICON | SHGFI_SYSICONINDEX |
               (size <= GetSystemMetrics(SM_CXSMICON) ? SHGFI_SMALLICON : SHGFI_LARGEICON);
  if (!exists) flags |= SHGFI_USEFILEATTRIBUTES;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(name, exists ? 0 : FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags) ||
      !info.hIcon) {
    return nullptr;
  }
  HICON icon = info.hIcon;
  if (size > GetSystemMetrics(SM_CXICON)) {
    if (HICON big = BigIcon(info.iIcon, size)) {
      DestroyIcon(icon);
      icon = big;
    }
  }
  std::shared_ptr<const IconPixels> pixels = Render(icon, size);
  DestroyIcon(icon);
  return pixels;
}

}  // namespace

Win32FileIcons::Win32FileIcons() = default;

Win32FileIcons::~Win32FileIcons() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void Win32FileIcons::Fetch(const std::u16string& path, int size) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back({path, size, nullptr});
    if (!thread_.joinable()) thread_ = std::thread([this] { Work(); });
  }
  wake_.notify_all();
}

std::vector<FetchedIcon> Win32FileIcons::TakeFetched() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(fetched_, {});
}

void Win32FileIcons::Work() {
  // The shell's icon handlers are COM objects.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stopping_ || !requests_.empty(); });
    if (stopping_) break;
    FetchedIcon request = std::move(requests_.front());
    requests_.pop_front();
    lock.unlock();
    request.icon = FetchIcon(request.path, request.size);
    lock.lock();
    fetched_.push_back(std::move(request));
  }
  lock.unlock();
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace velmo
