// Save dialog filter and type choice.
#include "screenshot/save_choice.h"

#include <array>
#include <optional>

namespace shot {
namespace {

bool EqualsAsciiNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? a[i] + 32 : a[i];
    if (x != b[i]) return false;
  }
  return true;
}

std::optional<PictureFormat> FormatOfExtension(std::u16string_view path) {
  size_t name = path.find_last_of(u"\\/");
  size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos || (name != std::u16string_view::npos && dot < name)) {
    return std::nullopt;
  }
  std::u16string_view ext = path.substr(dot + 1);
  if (EqualsAsciiNoCase(ext, u"jpg") || EqualsAsciiNoCase(ext, u"jpeg")) {
    return PictureFormat::kJpeg;
  }
  if (EqualsAsciiNoCase(ext, u"png")) return PictureFormat::kPng;
  if (EqualsAsciiNoCase(ext, u"bmp")) return PictureFormat::kBmp;
  return std::nullopt;
}

}  // namespace

std::u16string SaveDialogFilter() {
  static constexpr std::array<std::u16string_view, 8> kParts = {
      u"位图文件(*.bmp)", u"*.bmp", u"JPEG文件(*.jpg)", u"*.jpg",
      u"PNG文件(*.png)",  u"*.png", u"所有文件(*.*)",   u"*.*"};
  std::u16string filter;
  for (auto part : kParts) {
    filter += part;
    filter += u'\0';
  }
  filter += u'\0';
  return filter;
}

std::u16string_view ExtensionOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::kJpeg:
      return u"jpg";
    case PictureFormat::kBmp:
      return u"bmp";
    case PictureFormat::kPng:
      break;
  }
  return u"png";
}

int FilterIndexFor(PictureFormat format) {
  switch (format) {
    case PictureFormat::kBmp:
      return 1;
    case PictureFormat::kJpeg:
      return 2;
    case PictureFormat::kPng:
      break;
  }
  return 3;
}

PictureFormat FormatForSave(std::u16string_view path, int filter_index) {
  if (std::optional<PictureFormat> named = FormatOfExtension(path)) return *named;
  switch (filter_index) {
    case 2:
      return PictureFormat::kJpeg;
    case 3:
      return PictureFormat::kPng;
    default:
      return PictureFormat::kBmp;
  }
}

std::u16string_view FolderOf(std::u16string_view path) {
  size_t sep = path.find_last_of(u"\\/");
  return sep == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, sep);
}

}  // namespace shot
