// App.sd, Music.sd and Contacts.sd: reading, writing, round trips, files on disk.
#include "box/storage/list_files.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"
#include "fakes/fake_file_system.h"

namespace velmo {
namespace {

const std::u16string kData = u"C:\\Box\\DATA";

std::vector<std::u16string> Names(const ListFile& f) { return f.list.names; }
std::vector<std::u16string> Values(const ListFile& f) { return f.list.values; }

// The three files as the box saves them.
void Save(FakeFileSystem& fs, const UserLists& lists) {
  for (auto [file, kind] :
       {std::pair{&lists.items, ListKind::kItems}, std::pair{&lists.playlist, ListKind::kPlaylist},
        std::pair{&lists.contacts, ListKind::kContacts}}) {
    ASSERT_TRUE(
        fs.WriteFileAtomic(JoinPath(kData, ListFileName(kind)), ListFileBytes(*file, kind)));
  }
}

TEST(ListFiles, SplitsAtTheFirstStar) {
  ListFile f =
      ParseListFile(u"记事本*notepad.exe\r\na*b*c\r\n*only path\r\nname*\r\n", ListKind::kContacts);
  EXPECT_EQ(Names(f), (std::vector<std::u16string>{u"记事本", u"a", u"", u"name"}));
  EXPECT_EQ(Values(f), (std::vector<std::u16string>{u"notepad.exe", u"b*c", u"only path", u""}));
  EXPECT_TRUE(f.kept_lines.empty());
}

TEST(ListFiles, BlankLinesAreSkippedOnlyInTheItemList) {
  const std::u16string text = u"a.m*1\r\n   \r\n\r\nno star\r\nb.m*2";
  ListFile items = ParseListFile(text, ListKind::kItems);
  EXPECT_EQ(Names(items), (std::vector<std::u16string>{u"a.m", u"b.m"}));
  EXPECT_EQ(items.kept_lines, (std::vector<std::u16string>{u"no star"}));
  for (ListKind kind : {ListKind::kPlaylist, ListKind::kContacts}) {
    ListFile f = ParseListFile(text, kind);
    EXPECT_EQ(f.list.size(), 2u);
    EXPECT_EQ(f.kept_lines, (std::vector<std::u16string>{u"   ", u"", u"no star"}));
    // Kept lines are written back after the records.
    EXPECT_EQ(SerializeListFile(f, kind), u"a.m*1\r\nb.m*2\r\n   \r\n\r\nno star\r\n");
  }
}

TEST(ListFiles, ItemsAndContactsRoundTripByteForByte) {
  const std::string app =
      "\xBC\xC7\xCA\xC2\xB1\xBE*C:\\Windows\\notepad.exe\r\n"  // 记事本
      "Web*https://example.com/?a=1*2\r\n"
      "Tools*D:\\My Tools\\x.lnk\r\n";
  const std::string contacts = "\xD5\xC5\xC8\xFD*13800000000\r\nBob*+86 10 1234\r\n";
  for (auto [bytes, kind] : {std::pair{app, ListKind::kItems}, {contacts, ListKind::kContacts}}) {
    ListFile f = ParseListFile(DecodeText(bytes).text, kind);
    EXPECT_EQ(EncodeText(SerializeListFile(f, kind)), bytes);
  }
  ListFile items = ParseListFile(DecodeText(app).text, ListKind::kItems);
  EXPECT_EQ(items.list.names[0], u"记事本");
}

TEST(ListFiles, BlankLinesOfTheItemListAreDroppedOnSave) {
  ListFile f = ParseListFile(u"a*1\r\n\r\n  \r\nb*2\r\n", ListKind::kItems);
  EXPECT_EQ(SerializeListFile(f, ListKind::kItems), u"a*1\r\nb*2\r\n");
}

TEST(ListFiles, PlaylistNamesWithoutADotGetThePathsLastFourCharacters) {
  const struct {
    std::u16string name, path, written;
  } cases[] = {
      {u"Song", u"D:\\m\\Song.mp3", u"Song.mp3"},
      {u"Song.live", u"D:\\m\\Song.mp3", u"Song.live"},
      {u"歌", u"D:\\m\\歌.flac", u"歌flac"},
      {u"x", u"ab", u"xab"},
      {u"x", u"", u"x"},
  };
  for (const auto& c : cases) {
    ListFile f;
    f.list.Append(c.name, c.path);
    std::u16string once = SerializeListFile(f, ListKind::kPlaylist);
    EXPECT_EQ(once, c.written + u"*" + c.path + u"\r\n");
    ListFile reread = ParseListFile(once, ListKind::kPlaylist);
    EXPECT_EQ(reread.list.names[0], c.written);
  }
  ListFile f;
  f.list.Append(u"Song", u"D:\\m\\Song.mp3");
  std::u16string once = SerializeListFile(f, ListKind::kPlaylist);
  EXPECT_EQ(SerializeListFile(ParseListFile(once, ListKind::kPlaylist), ListKind::kPlaylist), once);
}

TEST(ListFiles, AnEmptyListWritesAnEmptyFile) {
  for (ListKind kind : {ListKind::kItems, ListKind::kPlaylist, ListKind::kContacts}) {
    EXPECT_EQ(SerializeListFile(ListFile{}, kind), u"");
  }
}

TEST(UserLists, MissingFilesAreCreatedEmpty) {
  FakeFileSystem fs;
  fs.AddFolder(kData);
  UserLists lists = LoadUserLists(fs, kData);
  EXPECT_TRUE(lists.items.list.empty());
  EXPECT_TRUE(lists.playlist.list.empty());
  EXPECT_TRUE(lists.contacts.list.empty());
  for (const char16_t* name : {u"App.sd", u"Music.sd", u"Contacts.sd"}) {
    EXPECT_EQ(fs.Contents(JoinPath(kData, name)), "") << Utf16ToUtf8(name);
  }
}

TEST(UserLists, LoadAndSaveTheThreeFiles) {
  FakeFileSystem fs;
  fs.AddFile(kData + u"\\App.sd", "calc*calc.exe\r\n");
  fs.AddFile(kData + u"\\Music.sd", "Song*D:\\m\\Song.mp3\r\n\r\n");
  fs.AddFile(kData + u"\\Contacts.sd", *EncodeGbk(u"张三*123\r\n"));
  UserLists lists = LoadUserLists(fs, kData);
  EXPECT_EQ(lists.items.list.values, (std::vector<std::u16string>{u"calc.exe"}));
  EXPECT_EQ(lists.playlist.kept_lines, (std::vector<std::u16string>{u""}));
  EXPECT_EQ(lists.contacts.list.names, (std::vector<std::u16string>{u"张三"}));

  lists.contacts.list.Append(u"李四", u"456");
  lists.items.list.Clear();
  Save(fs, lists);
  EXPECT_EQ(fs.Contents(kData + u"\\App.sd"), "");
  EXPECT_EQ(fs.Contents(kData + u"\\Music.sd"), "Song.mp3*D:\\m\\Song.mp3\r\n\r\n");
  EXPECT_EQ(fs.Contents(kData + u"\\Contacts.sd"), *EncodeGbk(u"张三*123\r\n李四*456\r\n"));
  EXPECT_EQ(fs.Contents(kData + u"\\App.sd.bak"), "calc*calc.exe\r\n");
}

TEST(UserLists, ACharacterWithoutGbkFormIsNotLost) {
  FakeFileSystem fs;
  fs.AddFolder(kData);
  UserLists lists;
  lists.contacts.list.Append(u"\U0001F600", u"1");
  Save(fs, lists);
  EXPECT_EQ(LoadUserLists(fs, kData).contacts.list.names[0], u"\U0001F600");
}

}  // namespace
}  // namespace velmo
