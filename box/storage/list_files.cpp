// Reader and writer of App.sd, Music.sd and Contacts.sd.
#include "box/storage/list_files.h"

#include <algorithm>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr std::u16string_view kItemsFile = u"App.sd";
constexpr std::u16string_view kPlaylistFile = u"Music.sd";
constexpr std::u16string_view kContactsFile = u"Contacts.sd";

bool OnlySpaces(std::u16string_view line) {
  return line.find_first_not_of(u' ') == std::u16string_view::npos;
}

// A display name without "." takes the last four characters of its path ("Song" + ".mp3").
std::u16string PlaylistName(const std::u16string& name, const std::u16string& path) {
  if (name.find(u'.') != std::u16string::npos) return name;
  return name + path.substr(path.size() - std::min<std::size_t>(4, path.size()));
}

ListFile LoadOne(FileSystem& fs, const std::u16string& path, ListKind kind) {
  FileRead read = fs.ReadFile(path);
  if (read.status == FileRead::Status::kMissing) {
    fs.WriteFileAtomic(path, "");
    return {};
  }
  if (read.status != FileRead::Status::kOk) {
    ListFile file;
    file.unreadable = true;
    return file;
  }
  return ParseListFile(DecodeText(read.bytes).text, kind);
}

bool SaveOne(FileSystem& fs, const std::u16string& path, const ListFile& file, ListKind kind) {
  if (file.unreadable || file.unwritable) return false;
  return fs.WriteFileAtomic(path, EncodeText(SerializeListFile(file, kind)));
}

}  // namespace

ListFile ParseListFile(std::u16string_view text, ListKind kind) {
  ListFile file;
  for (std::u16string& line : SplitLines(text)) {
    if (kind == ListKind::kItems && OnlySpaces(line)) continue;
    std::size_t star = line.find(u'*');
    if (star == std::u16string::npos) {
      file.kept_lines.push_back(std::move(line));
    } else {
      file.list.Append(line.substr(0, star), line.substr(star + 1));
    }
  }
  return file;
}

std::u16string SerializeListFile(const ListFile& file, ListKind kind) {
  std::u16string out;
  const ListPair& list = file.list;
  for (std::size_t i = 0; i < list.size(); ++i) {
    out +=
        kind == ListKind::kPlaylist ? PlaylistName(list.names[i], list.values[i]) : list.names[i];
    out += u'*';
    out += list.values[i];
    out += u"\r\n";
  }
  for (const std::u16string& line : file.kept_lines) {
    out += line;
    out += u"\r\n";
  }
  return out;
}

UserLists LoadUserLists(FileSystem& fs, const std::u16string& data_folder) {
  UserLists lists;
  lists.items = LoadOne(fs, JoinPath(data_folder, kItemsFile), ListKind::kItems);
  lists.playlist = LoadOne(fs, JoinPath(data_folder, kPlaylistFile), ListKind::kPlaylist);
  lists.contacts = LoadOne(fs, JoinPath(data_folder, kContactsFile), ListKind::kContacts);
  return lists;
}

bool SaveUserLists(FileSystem& fs, const std::u16string& data_folder, const UserLists& lists) {
  bool ok = SaveOne(fs, JoinPath(data_folder, kItemsFile), lists.items, ListKind::kItems);
  ok &= SaveOne(fs, JoinPath(data_folder, kPlaylistFile), lists.playlist, ListKind::kPlaylist);
  ok &= SaveOne(fs, JoinPath(data_folder, kContactsFile), lists.contacts, ListKind::kContacts);
  return ok;
}

}  // namespace velmo
