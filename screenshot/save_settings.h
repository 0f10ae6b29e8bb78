// What the save dialog starts from: the folder and picture type last saved to, kept in a small
// settings file of 截屏's own beside the program, and the name it suggests.
#pragma once

#include <string>
#include <string_view>

#include "screenshot/save_choice.h"

namespace shot {

struct SaveSettings {
  std::u16string folder;  // empty: the user's Pictures folder
  PictureFormat format = PictureFormat::kPng;
  bool operator==(const SaveSettings&) const = default;
};

// The settings file's text: "[保存]", then "Folder=<path>" and "Type=png" (or "jpg", "bmp").
// Unknown lines, keys and values are passed over; what is missing keeps its default.
SaveSettings ParseSaveSettings(std::u16string_view text);
std::u16string FormatSaveSettings(const SaveSettings& settings);  // CR LF line ends

struct LocalTime {
  int year, month, day, hour, minute, second;
};

// "截屏_20261209_130501.png": the time of the save and the type's extension.
std::u16string SuggestedFileName(const LocalTime& t, PictureFormat format);

}  // namespace shot
