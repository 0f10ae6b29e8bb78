// The targets of each clean on this system's real folders, with the progress after each step.
#include "box/cleaner/clean_plan.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "box/storage/text_codec.h"
#include "fakes/fake_known_folders.h"

namespace velmo {
namespace {

std::string Describe(const std::vector<ScanStep>& steps) {
  std::string text;
  for (const ScanStep& s : steps) {
    text += Utf16ToUtf8(s.folder) + " " + Utf16ToUtf8(s.pattern) + (s.only_if_exists ? " ?" : "");
    if (s.progress) {
      char number[32];
      std::snprintf(number, sizeof number, " %.3f", *s.progress);
      text += number;
    }
    if (!s.status.empty()) text += " " + Utf16ToUtf8(s.status);
    text += "\n";
  }
  return text;
}

TEST(CleanPlanTest, NormalCleanSearchesTheRealFoldersAndEveryOtherDrive) {
  FakeKnownFolders known;
  std::vector<std::u16string> drives = {u"C:\\", u"D:\\"};
  CleanPlaces places = FindCleanPlaces(known, u"C:\\Tools\\Box", drives);
  EXPECT_EQ(places.skipped, std::vector<std::u16string>{u"C:\\Tools\\Box"});
  EXPECT_EQ(Describe(NormalCleanSteps(places, drives)),
            "C:\\Windows\\Temp *.tmp 11.111\n"
            "C:\\Program Files (x86) *.tmp ? 14.202\n"
            "C:\\Program Files (x86) *.bak ? 20.100\n"
            "C:\\Program Files *.tmp 22.222\n"
            "C:\\Program Files *.bak\n"
            "C:\\Users\\Me\\AppData\\Roaming\\Microsoft\\Windows\\Recent * 44.444\n"
            "C:\\Users\\Me\\AppData\\Local\\Temp * 55.556\n"
            "C:\\Users\\Me\\AppData\\Local\\Microsoft\\Windows\\INetCookies *.txt\n"
            "C:\\Users\\Me\\AppData\\Local *.cookie\n"
            "C:\\Users\\Me\\AppData\\Local *.xml\n"
            "C:\\Users\\Me\\AppData\\Local\\Microsoft\\Windows\\INetCache *.* 66.667\n"
            "C:\\Users\\Me\\AppData\\Local\\Microsoft\\Windows\\INetCookies\\Low *.txt 77.778\n"
            "D:\\Program Files (x86) *.tmp ? 80.356\n"
            "D:\\Program Files (x86) *.bak ? 85.101\n"
            "D:\\Program Files *.tmp 88.889\n"
            "D:\\Program Files *.bak 100.000\n");

  // A 32-bit system with Windows on E: and no cookie folder: one program files folder, searched
  // once, and C: is a drive like any other.
  known.folders[KnownFolder::kWindows] = u"E:\\Windows";
  known.folders[KnownFolder::kProgramFilesX86] = u"E:\\Program Files";
  known.folders[KnownFolder::kProgramFiles] = u"E:\\Program Files";
  known.folders.erase(KnownFolder::kCookies);
  drives = {u"C:\\", u"E:\\"};
  std::vector<ScanStep> steps = NormalCleanSteps(FindCleanPlaces(known, u"C:\\Box", drives), drives);
  ASSERT_EQ(steps.size(), 16u);
  EXPECT_EQ(steps[0].folder, u"E:\\Windows\\Temp");
  EXPECT_EQ(steps[1].folder, u"");
  EXPECT_EQ(steps[7].folder, u"");
  EXPECT_EQ(steps[11].folder, u"");
  EXPECT_EQ(steps[12].folder, u"C:\\Program Files (x86)");
}

TEST(CleanPlanTest, PowerfulStagesAndTheDriveArithmetic) {
  FakeKnownFolders known;
  const struct {
    std::vector<std::u16string> drives;
    std::vector<float> drive_progress;  // after each drive step
  } cases[] = {
      {{u"C:\\"}, {100}},
      {{u"C:\\", u"D:\\"}, {85, 100}},
      // 70 + 15 x 3 would be 115: the bar stops at 100.
      {{u"C:\\", u"D:\\", u"E:\\"}, {77.5f, 85, 100, 100}},
  };
  for (const auto& c : cases) {
    CleanPlaces places = FindCleanPlaces(known, u"C:\\Box", c.drives);
    std::vector<ScanStep> steps = PowerfulCleanSteps(places, c.drives);
    ASSERT_EQ(steps.size(), 13 + c.drive_progress.size());
    for (std::size_t i = 0; i < c.drive_progress.size(); ++i) {
      EXPECT_FLOAT_EQ(*steps[13 + i].progress, c.drive_progress[i]) << c.drives.size() << " " << i;
    }
    if (c.drives.size() == 1) {
      EXPECT_EQ(steps[13].folder, u"");
    }
  }
  std::vector<std::u16string> drives = {u"C:\\", u"D:\\"};
  CleanPlaces places = FindCleanPlaces(known, u"C:\\Box", drives);
  EXPECT_EQ(Describe(PowerfulCleanSteps(places, drives)),
            "C:\\ *.tmp 5.000 扫描：系统盘临时文件\n"
            "C:\\ *.log 10.000 扫描：系统盘日志文件\n"
            "C:\\ *.gid 15.000 扫描：系统盘索引文件\n"
            "C:\\ *.chk 20.000 扫描：系统盘丢失簇恢复文件\n"
            "C:\\ *.old 25.000 扫描：系统盘旧版本文件\n"
            "C:\\ *.bak 30.000 扫描：系统盘备份文件\n"
            "C:\\Users\\Me\\AppData\\Roaming\\Microsoft\\Windows\\Recent * 35.000 "
            "扫描：用户目录近期文件\n"
            "C:\\Users\\Me\\AppData\\Local\\Temp * 40.000 扫描：用户目录临时设置文件\n"
            "C:\\Users\\Me\\AppData\\Local\\Microsoft\\Windows\\INetCookies *.txt 45.000 "
            "扫描：用户目录网页浏览Cookies文件\n"
            "C:\\Users\\Me\\AppData\\Local *.cookie 50.000\n"
            "C:\\Users\\Me\\AppData\\Local *.xml 55.000 扫描：用户目录网页缓存文件\n"
            "C:\\Users\\Me\\AppData\\Local\\Microsoft\\Windows\\INetCache *.* 60.000 "
            "扫描：用户目录Internet Explorer缓存文件\n"
            "C:\\Users\\Me\\AppData\\Local\\Microsoft\\Windows\\INetCookies\\Low *.txt 70.000\n"
            "D:\\ *.tmp 85.000 扫描：非系统盘临时文件\n"
            "D:\\ *.bak 100.000 扫描：非系统盘备份文件\n");
  // The system's folders as the system names them, then by their usual names on every drive.
  std::vector<std::u16string> kept = {u"C:\\Windows", u"C:\\Program Files",
                                      u"C:\\Program Files (x86)", u"C:\\ProgramData"};
  for (const char16_t* drive : {u"C:\\", u"D:\\"}) {
    for (const char16_t* folder : {u"Windows", u"Program Files", u"Program Files (x86)",
                                   u"ProgramData", u"$Recycle.Bin", u"System Volume Information"}) {
      kept.push_back(std::u16string(drive) + folder);
    }
  }
  EXPECT_EQ(places.kept, kept);
}

}  // namespace
}  // namespace velmo
