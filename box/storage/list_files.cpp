// Reader and writer of App.sd, Music.sd and Contacts.sd.
#include "box/storage/list_files.h"

#include <algorithm>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

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

std::u16string_view ListFileName(ListKind kind) {
  switch (kind) {
    case ListKind::kItems:
      return u"App.sd";
    case ListKind::kPlaylist:
      return u"Music.sd";
    case ListKind::kContacts:
      break;
  }
  return u"Contacts.sd";
}

std::string ListFileBytes(const ListFile& file, ListKind kind) {
  return EncodeText(SerializeListFile(file, kind));
}

UserLists LoadUserLists(FileSystem& fs, const std::u16string& data_folder) {
  auto load = [&](ListKind kind) {
    return LoadOne(fs, JoinPath(data_folder, ListFileName(kind)), kind);
  };
  UserLists lists;
  lists.items = load(ListKind::kItems);
  lists.playlist = load(ListKind::kPlaylist);
  lists.contacts = load(ListKind::kContacts);
  return lists;
}

}  // namespace velmo
