#include "box/platform/files.h"

namespace velmo {

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string out(folder);
  if (!out.empty() && out.back() != u'\\' && out.back() != u'/') out.push_back(u'\\');
  while (!name.empty() && (name.front() == u'\\' || name.front() == u'/')) name.remove_prefix(1);
  out.append(name);
  return out;
}

std::u16string FileNameOf(std::u16string_view path) {
  auto pos = path.find_last_of(u"\\/");
  return std::u16string(pos == std::u16string_view::npos ? path : path.substr(pos + 1));
}

std::optional<std::u16string> NameWithoutExtension(std::u16string_view path) {
  std::u16string name = FileNameOf(path);
  if (name.size() < 4) return std::nullopt;
  name.resize(name.size() - 4);
  return name;
}

}  // namespace velmo
