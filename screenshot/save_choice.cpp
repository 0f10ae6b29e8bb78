// Save dialog filter and format choice.
#include "screenshot/save_choice.h"

#include <array>

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

PictureFormat FormatForFileName(std::u16string_view path) {
  size_t name = path.find_last_of(u"\\/");
  size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos || (name != std::u16string_view::npos && dot < name)) {
    return PictureFormat::kBmp;
  }
  std::u16string_view ext = path.substr(dot + 1);
  if (EqualsAsciiNoCase(ext, u"jpg") || EqualsAsciiNoCase(ext, u"jpeg")) {
    return PictureFormat::kJpeg;
  }
  if (EqualsAsciiNoCase(ext, u"png")) return PictureFormat::kPng;
  return PictureFormat::kBmp;
}

std::u16string_view FolderOf(std::u16string_view path) {
  size_t sep = path.find_last_of(u"\\/");
  return sep == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, sep);
}

}  // namespace shot
