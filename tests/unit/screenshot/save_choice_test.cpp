// The save dialog's filter and the picture format a file name chooses.
#include "screenshot/save_choice.h"

#include <gtest/gtest.h>

namespace shot {
namespace {

TEST(SaveChoice, FilterListsPairsSeparatedByNuls) {
  static constexpr char16_t kExpected[] =
      u"位图文件(*.bmp)\0*.bmp\0JPEG文件(*.jpg)\0*.jpg\0PNG文件(*.png)\0*.png\0所有文件(*.*)\0*.*"
      u"\0";
  // The literal's own terminator is the one more NUL at the end.
  EXPECT_EQ(SaveDialogFilter(), std::u16string(kExpected, std::size(kExpected)));
  EXPECT_EQ(SaveDialogFilter().back(), u'\0');
  EXPECT_EQ(kSaveFilterIndex, 2);
  EXPECT_EQ(std::u16string(kSaveTitle), u"保存为");
  EXPECT_EQ(std::u16string(kSaveDefaultExtension), u"bmp");
}

TEST(SaveChoice, FileNameChoosesTheFormat) {
  struct Row {
    const char16_t* name;
    PictureFormat format;
  };
  const Row rows[] = {
      {u"C:\\shots\\a.jpg", PictureFormat::kJpeg},
      {u"C:\\shots\\a.JPEG", PictureFormat::kJpeg},
      {u"a.Jpg", PictureFormat::kJpeg},
      {u"a.png", PictureFormat::kPng},
      {u"a.PNG", PictureFormat::kPng},
      {u"a.bmp", PictureFormat::kBmp},
      {u"a.gif", PictureFormat::kBmp},
      {u"a", PictureFormat::kBmp},
      {u"a.jpg.txt", PictureFormat::kBmp},
      {u"C:\\x.jpg\\shot", PictureFormat::kBmp},
      {u"C:/shots/b.png", PictureFormat::kPng},
      {u"截图.jpg", PictureFormat::kJpeg},
      {u"a.jpgx", PictureFormat::kBmp},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(FormatForFileName(rows[i].name), rows[i].format) << "row " << i;
  }
}

TEST(SaveChoice, FolderOfTheProgram) {
  EXPECT_EQ(FolderOf(u"C:\\app\\Plugins\\截屏.exe"), u"C:\\app\\Plugins");
  EXPECT_EQ(FolderOf(u"截屏.exe"), u"");
}

}  // namespace
}  // namespace shot
