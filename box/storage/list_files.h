// The user's three list files (App.sd, Music.sd, Contacts.sd): records "first*second", one per
// line, in list order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "box/platform/files.h"

namespace velmo {

// Two lists of equal length: entry i of `names` belongs to entry i of `values`. Changed only
// through Append, RemoveAt and Clear, which count the changes in `revision`.
struct ListPair {
  std::vector<std::u16string> names;
  std::vector<std::u16string> values;
  std::uint64_t revision = 0;

  std::size_t size() const { return names.size(); }
  bool empty() const { return names.empty(); }
  void Append(std::u16string name, std::u16string value) {
    names.push_back(std::move(name));
    values.push_back(std::move(value));
    ++revision;
  }
  void RemoveAt(std::size_t i) {
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(i));
    ++revision;
  }
  void Clear() {
    names.clear();
    values.clear();
    ++revision;
  }
};

enum class ListKind { kItems, kPlaylist, kContacts };

struct ListFile {
  ListPair list;
  // Lines without "*": not records, but the user's text. They are written back after the
  // records so that a save never drops them.
  std::vector<std::u16string> kept_lines;
  // The file exists but could not be read: it stays as it is and is never written, since a save
  // would replace what the box never saw.
  bool unreadable = false;
};

// A name holding "*" would be split at it when the list is read back: lists refuse such names.
inline bool IsStorableName(std::u16string_view name) {
  return name.find(u'*') == std::u16string_view::npos;
}

ListFile ParseListFile(std::u16string_view text, ListKind kind);
std::u16string SerializeListFile(const ListFile& file, ListKind kind);
// The name in DATA: App.sd, Music.sd, Contacts.sd.
std::u16string_view ListFileName(ListKind kind);
// The file's bytes as saved.
std::string ListFileBytes(const ListFile& file, ListKind kind);

struct UserLists {
  ListFile items;     // DATA\App.sd: item name, item path
  ListFile playlist;  // DATA\Music.sd: display name, file path
  ListFile contacts;  // DATA\Contacts.sd: name, number
};

// `data_folder` is the DATA folder. A missing file is created empty and read as an empty list.
UserLists LoadUserLists(FileSystem& fs, const std::u16string& data_folder);

}  // namespace velmo
