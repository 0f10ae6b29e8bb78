// The settings keys, the delivered config.ini, and config.ini read and written as a whole.
#include "box/storage/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "box/storage/settings.h"
#include "box/storage/text_codec.h"
#include "fakes/fake_file_system.h"

namespace velmo {
namespace {

const std::u16string kPath = u"C:\\Box\\DATA\\config.ini";

std::string DeliveredConfig() {
  auto path = std::filesystem::path(VELMO_DIST_DIR) / "DATA/config.ini";
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Settings, KeysAreReadInTheOrderOfTheFile) {
  std::vector<int> order;
  for (const SettingKey& key : SettingKeysInLoadOrder())
    order.push_back(static_cast<int>(key.setting));
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 6, 5, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(KeyOf(Setting::kAllowUserSetProgramPath).section, u"ProgramTransfer");
  EXPECT_EQ(KeyOf(Setting::kTransparentUI).key, u"TransparentUI");
}

TEST(Settings, DefaultsAreTheDeliveredValues) {
  Settings settings;
  for (const SettingKey& key : SettingKeysInLoadOrder()) {
    EXPECT_EQ(settings.Get(key.setting), key.delivered) << Utf16ToUtf8(key.key);
  }
  EXPECT_TRUE(settings.Get(Setting::kGreetingAfterRunning));
  EXPECT_TRUE(settings.Get(Setting::kPositionRecord));
  EXPECT_FALSE(settings.Get(Setting::kAutoRunAfterLogIn));
}

TEST(DeliveredConfig, ReadsAsTheDeliveredValues) {
  std::string bytes = DeliveredConfig();
  ASSERT_FALSE(bytes.empty());
  // A normal Windows text file: every line, the last one too, ends with CR LF.
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1);
  EXPECT_NE(bytes.find("GreetingAfterRunning =True\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("KeyIntercept = False\r\n"), std::string::npos);

  FakeFileSystem fs;
  fs.AddFile(kPath, bytes);
  SettingsDocument doc = ReadSettingsFile(fs, kPath);
  ASSERT_EQ(doc.state, SettingsDocument::State::kRead);
  for (const SettingKey& key : SettingKeysInLoadOrder()) {
    EXPECT_EQ(ParseIniBool(ReadIniValue(doc.ini, key.section, key.key)), key.delivered)
        << Utf16ToUtf8(key.key);
  }
  EXPECT_EQ(ParseIniNumber(ReadIniValue(doc.ini, kSectionBasic, kKeyTop)), kDeliveredTop);
  EXPECT_EQ(ParseIniNumber(ReadIniValue(doc.ini, kSectionBasic, kKeyLeft)), kDeliveredLeft);
  // Re-serialising without a change gives the file back byte for byte.
  EXPECT_EQ(EncodeText(doc.ini.Serialize()), bytes);
}

TEST(DeliveredConfig, SavingChangesOnlyTheValues) {
  FakeFileSystem fs;
  fs.AddFile(kPath, DeliveredConfig());
  SettingsDocument doc = ReadSettingsFile(fs, kPath);
  for (const SettingKey& key : SettingKeysInLoadOrder()) {
    WriteIniValue(doc.ini, key.section, key.key, FormatBool(!key.delivered));
  }
  WriteIniValue(doc.ini, kSectionBasic, kKeyTop, FormatSingle(-20));
  WriteIniValue(doc.ini, kSectionBasic, kKeyLeft, FormatSingle(300));
  ASSERT_TRUE(fs.WriteFileAtomic(kPath, SettingsFileBytes(doc)));
  EXPECT_EQ(
      fs.Contents(kPath),
      "[Basic]\r\nGreetingAfterRunning=False\r\nPositionRecord=False\r\n"
      "AutoRunAfterLogIn=True\r\nTop=-20\r\nLeft=300\r\n\r\n"
      "[Music]\r\nPlayMusicAfterRunning=True\r\nPauseWhenProgramRunning=True\r\n\r\n"
      "[ProgramTransfer]\r\nAllowUserSetProgramPath=True\r\n\r\n"
      "[FileCleaner]\r\nAutoCleanAfterRunning=True\r\nClearRecycledWhenCleanerWork=True\r\n"
      "PowerfulCleaningMode=True\r\n\r\n"
      "[Debug]\r\nKeyIntercept=True\r\nForceToKillUserProgress=True\r\nTransparentUI=True\r\n\r\n"
      "[Window]\r\nShowHotkey =Alt+Space\r\nCaptureHotkey =Ctrl+Alt+X\r\n");
  EXPECT_EQ(fs.Contents(kPath + u".bak"), DeliveredConfig());
}

TEST(SettingsFile, States) {
  using State = SettingsDocument::State;
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: no file
    bool read_error;
    State state;
  } cases[] = {
      {"missing", std::nullopt, false, State::kMissing},
      {"held by another program", "", true, State::kUnreadable},
      {"NUL inside", std::string("[Basic]\r\nTop=\0\r\n", 15), false, State::kKeptAside},
      {"UTF-16", std::string("\xFF\xFE[\0B\0", 6), false, State::kKeptAside},
      {"invalid bytes", "[Basic]\r\nTop=\xFF\r\n", false, State::kKeptAside},
      {"empty", "", false, State::kRead},
      {"GBK", "[Basic]\r\nName=\xD6\xD0\r\n", false, State::kRead},
      {"UTF-8 with BOM", "\xEF\xBB\xBF[Basic]\r\nTop=5\r\n", false, State::kRead},
  };
  for (const auto& c : cases) {
    FakeFileSystem fs;
    if (c.bytes) fs.AddFile(kPath, *c.bytes);
    if (c.read_error) fs.FailReadOf(kPath);
    SettingsDocument doc = ReadSettingsFile(fs, kPath);
    EXPECT_EQ(doc.state, c.state) << c.name;
    if (c.state != State::kRead) {
      EXPECT_EQ(doc.ini.Serialize(), u"") << c.name;
    }
    // The copy is made as the file is read, before anything can be said about it.
    EXPECT_EQ(fs.Contents(kPath + u".unreadable"),
              c.state == State::kKeptAside ? c.bytes : std::nullopt)
        << c.name;
  }
}

TEST(SettingsFile, WithoutTheFileTheDeliveredOneIsRead) {
  using State = SettingsDocument::State;
  const std::u16string delivered = kPath + u".default";
  const std::string good = "[Basic]\r\nTop =300\r\n";
  const struct {
    const char* name;
    std::optional<std::string> user, shipped;  // nullopt: no file
    State state;
    std::u16string ini;
  } cases[] = {
      {"only the delivered file", std::nullopt, good, State::kMissing, u"[Basic]\r\nTop =300\r\n"},
      {"the user's file first", "[Basic]\r\nTop=5\r\n", good, State::kRead,
       u"[Basic]\r\nTop=5\r\n"},
      {"an unreadable user's file is not replaced by the delivered one", std::string("Top=\0", 5),
       good, State::kKeptAside, u""},
      {"an unreadable delivered file: the built-in values", std::nullopt, std::string("Top=\0", 5),
       State::kMissing, u""},
      {"neither", std::nullopt, std::nullopt, State::kMissing, u""},
  };
  for (const auto& c : cases) {
    FakeFileSystem fs;
    if (c.user) fs.AddFile(kPath, *c.user);
    if (c.shipped) fs.AddFile(delivered, *c.shipped);
    SettingsDocument doc = ReadSettingsFile(fs, kPath, delivered);
    EXPECT_EQ(doc.state, c.state) << c.name;
    EXPECT_EQ(doc.ini.Serialize(), c.ini) << c.name;
    EXPECT_EQ(fs.Contents(delivered), c.shipped) << c.name;
    EXPECT_FALSE(fs.Contents(delivered + u".unreadable")) << c.name;
  }
}

TEST(SettingsFile, AKeptAsideFileIsReplacedAtSave) {
  FakeFileSystem fs;
  const std::string original("binary\0junk", 11);
  fs.AddFile(kPath, original);
  SettingsDocument doc = ReadSettingsFile(fs, kPath);
  WriteIniValue(doc.ini, u"Basic", u"Top", u"0");
  ASSERT_TRUE(fs.WriteFileAtomic(kPath, SettingsFileBytes(doc)));
  EXPECT_EQ(fs.Contents(kPath + u".unreadable"), original);
  EXPECT_EQ(fs.Contents(kPath), "[Basic]\r\nTop=0\r\n");
}

}  // namespace
}  // namespace velmo
