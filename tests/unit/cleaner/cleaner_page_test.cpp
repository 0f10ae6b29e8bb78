// The cleaner inside the real main window model, its worker on a thread of its own: a normal clean
// from the start button to the message, with what it must never touch; the start-up clean; a
// powerful clean with its stages, the kept system folders and the panel's buttons.
#include "box/cleaner/cleaner_page.h"

#include <gtest/gtest.h>

#include <memory>

#include "box/storage/text_codec.h"
#include "box/system/process_checks.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

constexpr char16_t kTemp[] = u"C:\\Users\\Me\\AppData\\Local\\Temp\\";

std::vector<std::u16string> Lines(const std::u16string& text) { return SplitLines(text); }

class CleanerPageTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  void Start() {
    // The box runs from a folder inside the temporary folder, as it does from an opened zip.
    state.program_folder = std::u16string(kTemp) + u"Box";
    files.AddFolder(state.program_folder + u"\\CleanLogs");
    window = std::make_unique<MainWindow>(state, services);
    cleaner = std::make_unique<CleanerPage>(*window, state, services);
    window->FinishStartup();
    cleaner->FinishStartup();
    window->OpenPage(PageId::kCleaner);
    for (int i = 0; i < 20; ++i) form().Tick("Timer24");
  }
  Form& form() { return window->form(); }
  Control& Get(const char* name) { return form().Get(name); }
  std::u16string Temp(std::u16string_view name) { return kTemp + std::u16string(name); }
  // Lets the worker finish its job and the page take its report, once.
  void Step() {
    cleaner->WaitForWorker();
    form().Tick("TimerCleanWork");
  }
  // The waits pass and the worker's jobs end, until the clean is over.
  void RunToEnd() {
    for (int i = 0; i < 20; ++i) {
      Step();
      if (form().timer("TimerCleanWait").enabled) form().Tick("TimerCleanWait");
    }
  }
  std::u16string Log() {
    std::optional<std::string> bytes =
        files.Contents(state.program_folder + u"\\CleanLogs\\20261208093000.log");
    return bytes ? DecodeText(*bytes).text : u"(no log)";
  }

  BoxState state;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<CleanerPage> cleaner;
};

TEST_F(CleanerPageTest, NormalCleanRecyclesWhatItFoundAndCountsOnlyWhatWentAway) {
  files.AddFile(u"C:\\Windows\\Temp\\a.tmp", std::string(100, 'a'));
  files.AddFile(u"C:\\Windows\\Temp\\keep.txt", "not junk");
  files.AddFile(Temp(u"one.dat"), std::string(1536, 'o'));
  files.AddFile(Temp(u"sub\\two.xml"), std::string(2048, 't'));  // found twice, listed once
  files.AddFile(Temp(u"ro.tmp"), "r");
  files.SetReadOnly(Temp(u"ro.tmp"));
  files.AddFile(Temp(u"held.tmp"), "h");
  files.FailReadOf(Temp(u"held.tmp"));
  files.AddFile(Temp(u"hidden.tmp"), "x", true);
  files.AddFile(Temp(u"Loop\\inside.tmp"), "a junction's target");
  files.SetAttributes(Temp(u"Loop"), file_attribute::kReparsePoint);
  files.AddFile(Temp(u"Box\\DATA\\config.ini.bak"), "the box's own");
  files.AddFile(u"C:\\Users\\Me\\Documents\\draft.tmp", "outside every target");
  files.AddFile(u"D:\\Program Files\\App\\old.bak", "12345");
  // A USB drive: Windows would delete its files for good.
  files.AddFile(u"E:\\Program Files\\App\\backup.bak", "usb");
  recycle_bin.drives_without_bin = {u"E:"};
  processes.drives = {u"C:\\", u"D:\\", u"E:\\"};
  // The bin is emptied before this run's files go there, never after.
  recycle_bin.bin = {u"C:\\older.txt"};
  state.settings.Set(Setting::kClearRecycledWhenCleanerWork, true);
  Start();

  form().Click(Get("Picture56"));
  EXPECT_FALSE(Get("Picture56").visible);
  form().Click(Get("Picture56"));  // hidden, and a second run would not start anyway
  Step();
  const std::vector<std::u16string> found = {
      u"C:\\Windows\\Temp\\a.tmp", Temp(u"one.dat"), Temp(u"ro.tmp"), Temp(u"held.tmp"),
      Temp(u"sub\\two.xml"), u"D:\\Program Files\\App\\old.bak",
      u"E:\\Program Files\\App\\backup.bak"};
  std::vector<std::u16string> pane;
  for (const std::u16string& f : found) pane.push_back(u"发现： " + f);
  EXPECT_EQ(Lines(Get("Text5").text), pane);
  EXPECT_FLOAT_EQ(form().Find("sProgressBar1.Picture2")->width, 4215 + 15);
  ASSERT_TRUE(form().timer("TimerCleanWait").enabled);
  EXPECT_EQ(form().timer("TimerCleanWait").interval_ms, 3000);

  // After the wait the deletion tick runs while the log is written.
  form().Tick("TimerCleanWait");
  form().Tick("Timer25");
  EXPECT_EQ(Get("Label16").text, u"文件清理 - 0.003522873MB");
  RunToEnd();
  EXPECT_EQ(Log(), u"清理日志\r\nType = 0 'Normal\r\n\r\nTime = 2026-12-08 09:30\r\n\r\n" +
                       found[0] + u"\r\n" + found[1] + u"\r\n" + found[2] + u"\r\n" + found[3] +
                       u"\r\n" + found[4] + u"\r\n" + found[5] + u"\r\n" + found[6] +
                       u"\r\n\r\n\r\n垃圾文件容量：0.004MB\r\n垃圾文件数目：7项\r\n");
  pane.push_back(u"删除： C:\\Windows\\Temp\\a.tmp - 0.1KB");
  pane.push_back(u"删除： " + Temp(u"one.dat") + u" - 1.5KB");
  pane.push_back(u"未删除： " + Temp(u"ro.tmp") + u" - 只读文件");
  pane.push_back(u"未删除： " + Temp(u"held.tmp") + u" - 文件正在使用或无权删除");
  pane.push_back(u"删除： " + Temp(u"sub\\two.xml") + u" - 2.0KB");
  pane.push_back(u"删除： D:\\Program Files\\App\\old.bak - 0.0KB");
  pane.push_back(u"未删除： E:\\Program Files\\App\\backup.bak - 该驱动器没有回收站");
  EXPECT_EQ(Lines(Get("Text5").text), pane);
  EXPECT_EQ(Get("LblMessageTitle").text, u"文件清理");
  EXPECT_EQ(Get("LblMessage").text, u"清理已完成。本次共清理4个项目。");
  EXPECT_EQ(recycle_bin.emptied, 1);
  EXPECT_EQ(recycle_bin.bin,
            (std::vector<std::u16string>{found[0], found[1], found[4], found[5]}));
  EXPECT_EQ(form().Find("sProgressBar1.Picture2")->width, 15);

  for (const std::u16string& kept :
       {Temp(u"ro.tmp"), Temp(u"held.tmp"), Temp(u"hidden.tmp"), Temp(u"Loop\\inside.tmp"),
        Temp(u"Box\\DATA\\config.ini.bak"), std::u16string(u"C:\\Users\\Me\\Documents\\draft.tmp"),
        found[6],
        std::u16string(u"C:\\Windows\\Temp\\keep.txt")}) {
    EXPECT_TRUE(files.Contents(kept)) << Utf16ToUtf8(kept);
  }
  EXPECT_FALSE(files.Contents(Temp(u"one.dat")));
  form().Tick("Timer25");
  EXPECT_EQ(Get("Label16").text, u"文件清理");
  EXPECT_TRUE(Get("Picture56").visible);
  EXPECT_FALSE(form().timer("Timer25").enabled);
}

TEST_F(CleanerPageTest, StartUpCleanIsNormalAndKeepsTheRecycleBinAndGoesOnWithoutItsLog) {
  files.AddFile(Temp(u"old.tmp"), "x");
  files.fail_writes = true;
  for (Setting s : {Setting::kAutoCleanAfterRunning, Setting::kClearRecycledWhenCleanerWork,
                    Setting::kPowerfulCleaningMode}) {
    state.settings.Set(s, true);
  }
  Start();
  EXPECT_FALSE(Get("Picture56").visible);
  RunToEnd();
  EXPECT_EQ(recycle_bin.bin, std::vector<std::u16string>{Temp(u"old.tmp")});
  EXPECT_EQ(recycle_bin.emptied, 0);
  EXPECT_FALSE(Get("Picture79").visible);
  EXPECT_EQ(Lines(Get("Text5").text)[1], u"无法写入清理日志，清理照常进行。");
  EXPECT_EQ(Get("LblMessage").text, u"清理已完成。本次共清理1个项目。");
}

TEST_F(CleanerPageTest, PowerfulCleanListsEverythingAndLeavesTheSystemFolders) {
  files.AddFile(u"C:\\Windows\\Logs\\cbs.log", std::string(1048576, 'w'));
  files.AddFile(u"C:\\Users\\Me\\Documents\\report.bak", std::string(524288, 'r'));
  files.AddFile(u"D:\\x.tmp", std::string(524288, 'x'));
  // A second Windows and its program data on D: are the system's as much as C:'s.
  files.AddFile(u"D:\\Windows\\System32\\drv.tmp", "d");
  files.AddFile(u"D:\\ProgramData\\App\\cache.bak", "p");
  // One walk of C: serves six patterns; what "*.tmp" finds still comes first.
  files.AddFile(u"C:\\Users\\Me\\Documents\\z.tmp", "z");
  processes.drives = {u"C:\\", u"D:\\", u"S:\\"};
  state.settings.Set(Setting::kPowerfulCleaningMode, true);
  state.settings.Set(Setting::kForceToKillUserProgress, true);
  Start();
  files.AddFile(state.program_folder + u"\\DATA\\config.ini.bak", "the box's own");
  // S: is a subst drive of the box's own folder: the same folder under another spelling.
  files.AddAlias(u"S:", state.program_folder);

  form().Click(Get("Picture56"));
  EXPECT_TRUE(Get("Picture79").visible);
  EXPECT_FALSE(Get("Picture81").visible);
  EXPECT_EQ(Get("Label47").text, u"准备强力清理任务...");
  EXPECT_EQ(form().timer("TimerCleanWait").interval_ms, 2000);
  form().Tick("TimerCleanWait");
  Step();
  EXPECT_EQ(Lines(Get("Text11").text),
            (std::vector<std::u16string>{u"已发现：C:\\Users\\Me\\Documents\\z.tmp",
                                         u"已发现：C:\\Windows\\Logs\\cbs.log",
                                         u"已发现：C:\\Users\\Me\\Documents\\report.bak",
                                         u"已发现：D:\\x.tmp",
                                         u"已发现：D:\\Windows\\System32\\drv.tmp",
                                         u"已发现：D:\\ProgramData\\App\\cache.bak"}));
  EXPECT_EQ(Get("Label47").text, u"扫描：非系统盘备份文件");
  EXPECT_EQ(Get("Label48").text, u"已发现：1.000MB");  // the Windows folder's log stays
  form().Tick("Timer38");
  EXPECT_EQ(form().Find("sProgressBar2.Picture2")->width, 4275 + 15);

  form().Tick("TimerCleanWait");
  EXPECT_EQ(Get("Label47").text, u"准备写入扫描日志...");
  Step();
  form().Tick("TimerCleanWait");
  EXPECT_EQ(Get("Label47").text, u"准备清理文件...");
  EXPECT_EQ(Get("Label48").text, u"剩余：1.000001MB");
  RunToEnd();
  std::vector<std::u16string> lines = Lines(Get("Text11").text);
  EXPECT_EQ(lines[7], u"已保留（系统文件夹）：C:\\Windows\\Logs\\cbs.log");
  EXPECT_EQ(lines[9], u"已清理：D:\\x.tmp");
  EXPECT_EQ(lines[10], u"已保留（系统文件夹）：D:\\Windows\\System32\\drv.tmp");
  EXPECT_EQ(lines.back(), u"已保留（系统文件夹）：D:\\ProgramData\\App\\cache.bak");
  EXPECT_EQ(Get("Label48").text, u"剩余：0MB");
  EXPECT_TRUE(Get("Picture81").visible);
  EXPECT_TRUE(Get("Picture80").visible);
  EXPECT_NE(Log().find(u"Type = 1 'Powerful"), std::u16string::npos);
  EXPECT_NE(Log().find(u"垃圾文件容量：1.000MB\r\n垃圾文件数目：6项\r\n"), std::u16string::npos);
  EXPECT_TRUE(files.Contents(u"C:\\Windows\\Logs\\cbs.log"));
  EXPECT_TRUE(files.Contents(u"D:\\Windows\\System32\\drv.tmp"));
  EXPECT_TRUE(files.Contents(state.program_folder + u"\\DATA\\config.ini.bak"));
  EXPECT_EQ(recycle_bin.bin.size(), 3u);

  cleaner->restart = [this] {
    RunPowerCommand(PowerCommand::kRestart, launcher,
                    state.settings.Get(Setting::kForceToKillUserProgress));
  };
  form().DoubleClick(Get("Picture80").ClientLeft() + 100, Get("Picture80").ClientTop() + 100,
                     MouseButton::kLeft, {});
  ASSERT_EQ(launcher.calls.size(), 2u);
  EXPECT_EQ(launcher.calls[0].text, u"shutdown -r -t 1");
  EXPECT_EQ(launcher.calls[1].text, u"taskkill /im * /t");
  form().Click(Get("Picture81"));
  EXPECT_FALSE(Get("Picture79").visible);
}

}  // namespace
}  // namespace velmo
