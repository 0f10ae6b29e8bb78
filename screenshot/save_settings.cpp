// The save settings file's text and the suggested name.
#include "screenshot/save_settings.h"

#include <cstdio>
#include <optional>

namespace shot {
namespace {

constexpr std::u16string_view kSection = u"[保存]";
constexpr std::u16string_view kFolderKey = u"Folder=";
constexpr std::u16string_view kTypeKey = u"Type=";

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::optional<PictureFormat> FormatNamed(std::u16string_view name) {
  if (name == u"png") return PictureFormat::kPng;
  if (name == u"jpg") return PictureFormat::kJpeg;
  if (name == u"bmp") return PictureFormat::kBmp;
  return std::nullopt;
}

}  // namespace

SaveSettings ParseSaveSettings(std::u16string_view text) {
  SaveSettings settings;
  while (!text.empty()) {
    size_t end = text.find(u'\n');
    std::u16string_view line = text.substr(0, end);
    text = end == std::u16string_view::npos ? std::u16string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    if (StartsWith(line, kFolderKey)) settings.folder = line.substr(kFolderKey.size());
    if (StartsWith(line, kTypeKey)) {
      if (auto format = FormatNamed(line.substr(kTypeKey.size()))) settings.format = *format;
    }
  }
  return settings;
}

std::u16string FormatSaveSettings(const SaveSettings& settings) {
  std::u16string text(kSection);
  text += u"\r\n";
  text += kFolderKey;
  text += settings.folder;
  text += u"\r\n";
  text += kTypeKey;
  text += ExtensionOf(settings.format);
  text += u"\r\n";
  return text;
}

std::u16string SuggestedFileName(const LocalTime& t, PictureFormat format) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "_%04d%02d%02d_%02d%02d%02d.", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  std::u16string name = u"截屏";
  for (const char* p = digits; *p; ++p) name += static_cast<char16_t>(*p);
  name += ExtensionOf(format);
  return name;
}

}  // namespace shot
