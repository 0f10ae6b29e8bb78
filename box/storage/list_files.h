// The user's three list files (App.sd, Music.sd, Contacts.sd): records "first*second", one per
// line, in list order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "box/platform/files.h"

namespace velmo {

// Two lists of equal length: entry i of `names` belongs to entry i of `values`.
struct ListPair {
  std::vector<std::u16string> names;
  std::vector<std::u16string> values;

  std::size_t size() const { return names.size(); }
  bool empty() const { return names.empty(); }
  void Append(std::u16string name, std::u16string value) {
    names.push_back(std::move(name));
    values.push_back(std::move(value));
  }
  void RemoveAt(std::size_t i) {
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(i));
  }
  void Clear() {
    names.clear();
    values.clear();
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
  // The file cannot be written (see FileSystem::CanReplace): no save is attempted.
  bool unwritable = false;
};

// A name holding "*" would be split at it when the list is read back: lists refuse such names.
inline bool IsStorableName(std::u16string_view name) {
  return name.find(u'*') == std::u16string_view::npos;
}

ListFile ParseListFile(std::u16string_view text, ListKind kind);
std::u16string SerializeListFile(const ListFile& file, ListKind kind);

struct UserLists {
  ListFile items;     // DATA\App.sd: item name, item path
  ListFile playlist;  // DATA\Music.sd: display name, file path
  ListFile contacts;  // DATA\Contacts.sd: name, number
};

// `data_folder` is the DATA folder. A missing file is created empty and read as an empty list.
UserLists LoadUserLists(FileSystem& fs, const std::u16string& data_folder);
// App.sd, then Music.sd, then Contacts.sd, each one atomic write; an unreadable or unwritable
// file is left as it is. False unless all three were written.
bool SaveUserLists(FileSystem& fs, const std::u16string& data_folder, const UserLists& lists);

}  // namespace velmo
