// Finding an image name in a process snapshot, and the forced kill before a shut-down.
#include "box/system/process_checks.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"
#include "fakes/fake_launcher.h"

namespace velmo {
namespace {

TEST(ProcessChecksTest, ImageNamesMatchWithCaseIgnored) {
  const std::vector<std::u16string> snapshot = {
      u"[System Process]", u"explorer.exe", u"notepad.exe", u"Übersicht.exe", u"记事本.EXE",
      u"\xD83D\xDE00.exe",  // a smiley: a surrogate pair
      u"a\xDC00.exe",       // a lone low surrogate, as a damaged name could hold
  };
  const struct {
    const char16_t* name;
    bool running;
  } cases[] = {
      {u"notepad.exe", true},
      {u"NOTEPAD.EXE", true},
      {u"NotePad.Exe", true},
      {u"notepad", false},  // the extension is part of the name
      {u"notepad.exe ", false},
      {u"otepad.exe", false},
      {u"ÜBERSICHT.EXE", true},
      {u"übersicht.exe", true},
      {u"UBERSICHT.EXE", false},  // no letter loses its accent
      {u"记事本.exe", true},
      {u"\xD83D\xDE00.EXE", true},
      {u"A\xDC00.EXE", true},
      {u"\xD83D.exe", false},
      {u"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsProcessRunning(snapshot, c.name), c.running) << Utf16ToUtf8(c.name);
  }
  // A failed snapshot is empty: nothing runs, not even the empty name.
  EXPECT_FALSE(IsProcessRunning({}, u"notepad.exe"));
  EXPECT_FALSE(IsProcessRunning({}, u""));
  EXPECT_FALSE(IsProcessRunning({u""}, u""));
}

TEST(ProcessChecksTest, ForceKillStartsTaskkillMinimizedWhetherOrNotItStarts) {
  FakeLauncher launcher;
  ForceKillUserPrograms(launcher);  // taskkill is not installed: the start fails, quietly
  launcher.programs = {u"taskkill"};
  ForceKillUserPrograms(launcher);
  const LaunchCall call{LaunchCall::Kind::kCommandLine, u"taskkill /im * /t",
                        WindowStyle::kMinimized};
  EXPECT_EQ(launcher.calls, (std::vector<LaunchCall>{call, call}));
}

}  // namespace
}  // namespace velmo
