#include "box/cleaner/clean_plan.h"

#include <algorithm>

#include "box/cleaner/folder_scan.h"

namespace velmo {
namespace {

std::u16string Root(const std::u16string& path) {
  return path.size() >= 2 && path[1] == u':' ? path.substr(0, 2) + u"\\" : u"C:\\";
}

}  // namespace

CleanPlaces FindCleanPlaces(KnownFolders& known, const std::u16string& program_folder,
                            const std::vector<std::u16string>& drives) {
  auto get = [&](KnownFolder f) { return known.Get(f).value_or(u""); };
  CleanPlaces p;
  std::optional<std::u16string> windows = known.Get(KnownFolder::kWindows);
  p.system_drive = Root(windows.value_or(u"C:\\"));
  p.windows_temp = windows ? *windows + u"\\Temp" : p.system_drive + u"Windows\\Temp";
  p.program_files = get(KnownFolder::kProgramFiles);
  p.program_files_x86 = get(KnownFolder::kProgramFilesX86);
  // A 32-bit system has one program files folder.
  if (IsInFolder(p.program_files_x86, p.program_files) &&
      IsInFolder(p.program_files, p.program_files_x86)) {
    p.program_files_x86.clear();
  }
  p.recent = get(KnownFolder::kRecent);
  p.temp = get(KnownFolder::kTemp);
  p.cookies = get(KnownFolder::kCookies);
  p.local_app_data = get(KnownFolder::kLocalAppData);
  p.internet_cache = get(KnownFolder::kInternetCache);
  p.skipped = {program_folder};
  for (KnownFolder f : {KnownFolder::kWindows, KnownFolder::kProgramFiles,
                        KnownFolder::kProgramFilesX86, KnownFolder::kProgramData}) {
    if (std::optional<std::u16string> folder = known.Get(f); folder && !folder->empty()) {
      p.kept.push_back(*folder);
    }
  }
  // On every drive: a second Windows on D: is as much the system's as the one on C:.
  for (const std::u16string& drive : drives) {
    for (std::u16string_view folder : {u"Windows", u"Program Files", u"Program Files (x86)",
                                       u"ProgramData", u"$Recycle.Bin",
                                       u"System Volume Information"}) {
      p.kept.push_back(drive + std::u16string(folder));
    }
  }
  return p;
}

std::vector<ScanStep> NormalCleanSteps(const CleanPlaces& p,
                                       const std::vector<std::u16string>& drives) {
  std::vector<ScanStep> steps = {
      {p.windows_temp, u"*.tmp", false, 11.111f, {}},
      {p.program_files_x86, u"*.tmp", true, 14.202f, {}},
      {p.program_files_x86, u"*.bak", true, 20.1f, {}},
      {p.program_files, u"*.tmp", false, 22.222f, {}},
      {p.program_files, u"*.bak", false, {}, {}},
      {p.recent, u"*", false, 44.444f, {}},
      {p.temp, u"*", false, 55.556f, {}},
      {p.cookies, u"*.txt", false, {}, {}},
      {p.local_app_data, u"*.cookie", false, {}, {}},
      {p.local_app_data, u"*.xml", false, {}, {}},
      {p.internet_cache, u"*.*", false, 66.667f, {}},
      {p.cookies.empty() ? u"" : p.cookies + u"\\Low", u"*.txt", false, 77.778f, {}},
  };
  for (const std::u16string& d : drives) {
    if (IsInFolder(d, p.system_drive)) continue;  // covered by the steps above
    steps.push_back({d + u"Program Files (x86)", u"*.tmp", true, 80.356f, {}});
    steps.push_back({d + u"Program Files (x86)", u"*.bak", true, 85.101f, {}});
    steps.push_back({d + u"Program Files", u"*.tmp", false, 88.889f, {}});
    steps.push_back({d + u"Program Files", u"*.bak", false, 100.0f, {}});
  }
  return steps;
}

std::vector<ScanStep> PowerfulCleanSteps(const CleanPlaces& p,
                                         const std::vector<std::u16string>& drives) {
  const std::u16string& c = p.system_drive;
  std::vector<ScanStep> steps = {
      {c, u"*.tmp", false, 5.0f, u"扫描：系统盘临时文件"},
      {c, u"*.log", false, 10.0f, u"扫描：系统盘日志文件"},
      {c, u"*.gid", false, 15.0f, u"扫描：系统盘索引文件"},
      {c, u"*.chk", false, 20.0f, u"扫描：系统盘丢失簇恢复文件"},
      {c, u"*.old", false, 25.0f, u"扫描：系统盘旧版本文件"},
      {c, u"*.bak", false, 30.0f, u"扫描：系统盘备份文件"},
      {p.recent, u"*", false, 35.0f, u"扫描：用户目录近期文件"},
      {p.temp, u"*", false, 40.0f, u"扫描：用户目录临时设置文件"},
      {p.cookies, u"*.txt", false, 45.0f, u"扫描：用户目录网页浏览Cookies文件"},
      {p.local_app_data, u"*.cookie", false, 50.0f, {}},
      {p.local_app_data, u"*.xml", false, 55.0f, u"扫描：用户目录网页缓存文件"},
      {p.internet_cache, u"*.*", false, 60.0f, u"扫描：用户目录Internet Explorer缓存文件"},
      {p.cookies.empty() ? u"" : p.cookies + u"\\Low", u"*.txt", false, 70.0f, {}},
  };
  // Each further drive at index i adds 30 * i / m in two halves, m being one less than the
  // number of drives; beyond 100 the bar would refuse the value, so the progress stops there.
  int m = static_cast<int>(drives.size()) - 1;
  if (m <= 0) {
    steps.push_back({u"", u"", false, 100.0f, {}});
    return steps;
  }
  float progress = 70.0f;
  for (int i = 0; i <= m; ++i) {
    const std::u16string& d = drives[static_cast<std::size_t>(i)];
    if (IsInFolder(d, c)) continue;
    for (auto [pattern, status] : {std::pair{u"*.tmp", u"扫描：非系统盘临时文件"},
                                   std::pair{u"*.bak", u"扫描：非系统盘备份文件"}}) {
      progress = std::min(100.0f, static_cast<float>(progress + 30.0 / m * i / 2));
      steps.push_back({d, pattern, false, progress, status});
    }
  }
  return steps;
}

}  // namespace velmo
