// ScanExtensions and LaunchExtension against an in-memory Plugins folder.
#include "box/command/extensions.h"

#include "unit/command/command_fixture.h"

namespace velmo {
namespace {

using ExtensionsTest = CommandTest;
using Names = std::vector<std::u16string>;

TEST_F(ExtensionsTest, ScanTakesLowerCaseExeAndLnkDirectlyInTheFolder) {
  AddPlugin(u"截屏.exe");
  AddPlugin(u"notes.txt");
  AddPlugin(u"web.lnk");
  AddPlugin(u"BIG.EXE");
  AddPlugin(u"Mixed.Exe");
  AddPlugin(u"shotexe");  // no dot: the last four characters still go
  AddPlugin(u"exe");
  files.AddFile(u"C:\\Box\\Plugins\\sub\\deep.exe", "");
  files.AddFile(u"C:\\Box\\other.exe", "");
  extensions.ScanExtensions();
  EXPECT_EQ(extensions.entries(), (Names{u"截屏", u"web", u"sho"}));
}

TEST_F(ExtensionsTest, ScanAppendsRescanReplaces) {
  AddPlugin(u"a.exe");
  extensions.ScanExtensions();
  extensions.ScanExtensions();
  EXPECT_EQ(extensions.entries(), (Names{u"a", u"a"}));
  extensions.Select(1);
  extensions.Rescan();
  EXPECT_EQ(extensions.entries(), (Names{u"a"}));
  EXPECT_EQ(extensions.selected(), -1);
}

TEST_F(ExtensionsTest, EmptyOrMissingFolderGivesAnEmptyList) {
  extensions.ScanExtensions();
  EXPECT_TRUE(extensions.entries().empty());
  files.AddFolder(u"C:\\Box\\Plugins");
  extensions.Rescan();
  EXPECT_TRUE(extensions.entries().empty());
}

TEST_F(ExtensionsTest, ChangesAreReported) {
  int changes = 0;
  extensions.on_change = [&] { ++changes; };
  AddPlugin(u"a.exe");
  extensions.Rescan();
  extensions.Select(0);
  EXPECT_EQ(changes, 2);
  extensions.Select(5);
  EXPECT_EQ(extensions.selected(), -1);
}

TEST_F(ExtensionsTest, ProgramAndShortcutOfOneNameBothStartTheProgram) {
  AddPlugin(u"tool.exe");
  AddPlugin(u"tool.lnk");
  extensions.Rescan();
  ASSERT_EQ(extensions.entries(), (Names{u"tool", u"tool"}));
  for (int i : {0, 1}) {
    extensions.Select(i);
    extensions.LaunchExtension();
  }
  EXPECT_EQ(launcher.calls, (std::vector{ProgramFileCall(u"C:\\Box\\Plugins\\tool.exe"),
                                         ProgramFileCall(u"C:\\Box\\Plugins\\tool.exe")}));
}

TEST_F(ExtensionsTest, ShortcutGoesThroughTheShellAndResultsAreNotExamined) {
  AddPlugin(u"web.lnk");
  AddPlugin(u"broken.exe");  // not among the programs that start
  extensions.Rescan();
  extensions.Select(0);
  extensions.LaunchExtension();
  extensions.Select(1);
  extensions.LaunchExtension();
  EXPECT_EQ(launcher.calls, (std::vector{ShellCall(u"C:\\Box\\Plugins\\web.lnk"),
                                         ProgramFileCall(u"C:\\Box\\Plugins\\broken.exe")}));
  EXPECT_TRUE(surface.messages.empty());
}

TEST_F(ExtensionsTest, AFileGoneAfterTheScanIsReported) {
  AddPlugin(u"a.exe");
  extensions.Rescan();
  extensions.Select(0);
  // Hidden now: no longer a normal file, as good as gone.
  files.AddFile(u"C:\\Box\\Plugins\\a.exe", "", /*hidden=*/true);
  extensions.LaunchExtension();
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_EQ(surface.messages, Message(u"未找到拓展程序文件或没有足够的权限。", u"启动拓展失败"));
}

TEST_F(ExtensionsTest, NothingSelectedDoesNothing) {
  extensions.LaunchExtension();
  AddPlugin(u"a.exe");
  extensions.Rescan();
  extensions.LaunchExtension();
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_TRUE(surface.messages.empty());
}

TEST_F(ExtensionsTest, OpenFolderShowsPluginsInTheShell) {
  extensions.OpenFolder();
  EXPECT_EQ(launcher.calls, std::vector{ShellCall(u"C:\\Box\\Plugins")});
}

}  // namespace
}  // namespace velmo
