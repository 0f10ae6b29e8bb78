// The save dialog's filter, the type a chosen file is written in, the suggested name and the
// settings file that remembers the last folder and type.
#include "screenshot/save_choice.h"

#include <gtest/gtest.h>

#include "screenshot/save_settings.h"

namespace shot {
namespace {

TEST(SaveChoice, FilterListsPairsSeparatedByNuls) {
  static constexpr char16_t kExpected[] =
      u"位图文件(*.bmp)\0*.bmp\0JPEG文件(*.jpg)\0*.jpg\0PNG文件(*.png)\0*.png\0所有文件(*.*)\0*.*"
      u"\0";
  // The literal's own terminator is the one more NUL at the end.
  EXPECT_EQ(SaveDialogFilter(), std::u16string(kExpected, std::size(kExpected)));
  EXPECT_EQ(SaveDialogFilter().back(), u'\0');
  EXPECT_EQ(std::u16string(kSaveTitle), u"保存为");
  // Each type's filter pair, and its extension.
  EXPECT_EQ(FilterIndexFor(PictureFormat::kBmp), 1);
  EXPECT_EQ(FilterIndexFor(PictureFormat::kJpeg), 2);
  EXPECT_EQ(FilterIndexFor(PictureFormat::kPng), 3);
  EXPECT_EQ(ExtensionOf(PictureFormat::kBmp), u"bmp");
  EXPECT_EQ(ExtensionOf(PictureFormat::kJpeg), u"jpg");
  EXPECT_EQ(ExtensionOf(PictureFormat::kPng), u"png");
}

TEST(SaveChoice, TheNameChoosesTheTypeElseTheFilterDoes) {
  struct Row {
    const char16_t* name;
    int filter;
    PictureFormat format;
  };
  const Row rows[] = {
      {u"C:\\shots\\a.jpg", 3, PictureFormat::kJpeg},
      {u"C:\\shots\\a.JPEG", 1, PictureFormat::kJpeg},
      {u"a.Jpg", 4, PictureFormat::kJpeg},
      {u"a.png", 1, PictureFormat::kPng},
      {u"a.PNG", 2, PictureFormat::kPng},
      {u"a.bmp", 3, PictureFormat::kBmp},
      {u"a.gif", 3, PictureFormat::kPng},
      {u"a.gif", 2, PictureFormat::kJpeg},
      {u"a.gif", 1, PictureFormat::kBmp},
      {u"a.gif", 4, PictureFormat::kBmp},
      {u"a", 3, PictureFormat::kPng},
      {u"a.jpg.txt", 4, PictureFormat::kBmp},
      {u"C:\\x.jpg\\shot", 3, PictureFormat::kPng},
      {u"C:/shots/b.png", 1, PictureFormat::kPng},
      {u"截图.jpg", 3, PictureFormat::kJpeg},
      {u"a.jpgx", 2, PictureFormat::kJpeg},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(FormatForSave(rows[i].name, rows[i].filter), rows[i].format) << "row " << i;
  }
}

TEST(SaveChoice, FolderOfTheProgram) {
  EXPECT_EQ(FolderOf(u"C:\\app\\Plugins\\截屏.exe"), u"C:\\app\\Plugins");
  EXPECT_EQ(FolderOf(u"截屏.exe"), u"");
}

TEST(SaveSettings, SuggestedNameCarriesTheTimeAndTheType) {
  EXPECT_EQ(SuggestedFileName({2026, 12, 9, 13, 5, 1}, PictureFormat::kPng),
            u"截屏_20261209_130501.png");
  EXPECT_EQ(SuggestedFileName({2027, 1, 31, 0, 0, 59}, PictureFormat::kJpeg),
            u"截屏_20270131_000059.jpg");
  EXPECT_EQ(SuggestedFileName({999, 10, 10, 23, 59, 9}, PictureFormat::kBmp),
            u"截屏_09991010_235909.bmp");
}

TEST(SaveSettings, FileTextRoundTripsAndForgivesWhatItDoesNotKnow) {
  const SaveSettings saved{u"D:\\图片\\截屏 2026", PictureFormat::kJpeg};
  const std::u16string text = FormatSaveSettings(saved);
  EXPECT_EQ(text, u"[保存]\r\nFolder=D:\\图片\\截屏 2026\r\nType=jpg\r\n");
  EXPECT_EQ(ParseSaveSettings(text), saved);
  struct Row {
    const char* what;
    const char16_t* text;
    SaveSettings settings;
  };
  const Row rows[] = {
      {"empty: Pictures and PNG", u"", {u"", PictureFormat::kPng}},
      {"LF line ends, no section", u"Type=bmp\nFolder=C:\\a", {u"C:\\a", PictureFormat::kBmp}},
      {"an unknown type keeps PNG",
       u"Type=gif\r\nFolder=C:\\a\r\n",
       {u"C:\\a", PictureFormat::kPng}},
      {"type names are exact", u"Type=PNG \r\nType=jpg\r\n", {u"", PictureFormat::kJpeg}},
      {"other keys and lines",
       u"[x]\r\nfolder=C:\\b\r\nWidth=3\r\n=\r\n",
       {u"", PictureFormat::kPng}},
      {"an equals sign in the folder", u"Folder=C:\\a=b\r\n", {u"C:\\a=b", PictureFormat::kPng}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(ParseSaveSettings(r.text), r.settings);
  }
}

}  // namespace
}  // namespace shot
