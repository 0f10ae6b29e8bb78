// What the save dialog offers and which picture type a chosen file is written in.
#pragma once

#include <string>
#include <string_view>

namespace shot {

enum class PictureFormat { kBmp, kJpeg, kPng };

inline constexpr const char16_t* kSaveTitle = u"保存为";
inline constexpr int kJpegQuality = 95;

// What the user is told when a picture did not get where it was sent.
inline constexpr const char16_t* kCopyFailedTitle = u"复制失败";
inline constexpr const char16_t* kCopyFailedText = u"剪贴板正被其他程序使用，截图没有复制。";
inline constexpr const char16_t* kSaveFailedTitle = u"保存失败";
inline constexpr const char16_t* kSaveFailedText = u"无法写入所选的文件，截图没有保存。";
inline constexpr const char16_t* kSaveFailedOnClipboardText =
    u"无法写入所选的文件，截图没有保存，它仍在剪贴板中。";

// The dialog's filter: description and pattern pairs separated by NULs, one more NUL at the end.
std::u16string SaveDialogFilter();

std::u16string_view ExtensionOf(PictureFormat format);  // "png", "jpg", "bmp"

// The filter pair (counted from 1) of a type, and the type a chosen name is written in: the one
// its extension names (".jpg" and ".jpeg" JPEG, ".png" PNG, ".bmp" BMP, in any letter case),
// else the one of the filter chosen, BMP for "所有文件(*.*)".
int FilterIndexFor(PictureFormat format);
PictureFormat FormatForSave(std::u16string_view path, int filter_index);

// The folder part of a path, without the last separator ("C:\\app\\x.exe" -> "C:\\app").
std::u16string_view FolderOf(std::u16string_view path);

}  // namespace shot
