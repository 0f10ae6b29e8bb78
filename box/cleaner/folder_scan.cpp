#include "box/cleaner/folder_scan.h"

#include <optional>

namespace velmo {
namespace {

char16_t Fold(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

bool SameText(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

std::u16string WithBackslash(std::u16string_view folder) {
  std::u16string path(folder);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  return path;
}

}  // namespace

bool MatchesPattern(std::u16string_view name, std::u16string_view pattern) {
  if (pattern == u"*.*") pattern = u"*";
  // Greedy matching with one point to return to: the last star seen.
  std::size_t n = 0, p = 0, star = std::u16string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && (pattern[p] == u'?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

bool IsInFolder(std::u16string_view path, std::u16string_view folder) {
  while (!folder.empty() && folder.back() == u'\\') folder.remove_suffix(1);
  if (path.size() < folder.size() || !SameText(path.substr(0, folder.size()), folder)) {
    return false;
  }
  return path.size() == folder.size() || path[folder.size()] == u'\\';
}

void ScanFolder(FileSystem& fs, std::u16string_view folder,
                const std::vector<std::u16string>& patterns,
                const std::vector<std::u16string>& skipped,
                const std::function<void(FoundFile)>& found, const std::function<bool()>& stop) {
  // A skipped folder is known by its identity too, so that no other spelling of it (a subst
  // drive, a share that reaches it) is walked. Only a walk's root and folders of the skipped
  // folder's name are asked for theirs: opening every folder of a drive would cost the walk dear.
  struct Skipped {
    std::u16string name;
    std::optional<FolderIdentity> identity;
  };
  std::vector<Skipped> skipped_ids;
  for (const std::u16string& s : skipped) {
    std::u16string_view path = s;
    while (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
    skipped_ids.push_back({FileNameOf(path), fs.IdentityOf(s)});
  }
  auto is_skipped = [&](const std::u16string& path, bool root) {
    for (const std::u16string& s : skipped) {
      if (IsInFolder(path, s)) return true;
    }
    std::u16string_view trimmed(path);
    trimmed.remove_suffix(1);  // the backslash every pending folder ends with
    std::u16string name = FileNameOf(trimmed);
    std::optional<FolderIdentity> identity;
    bool asked = false;
    for (const Skipped& s : skipped_ids) {
      if (!s.identity || !(root || SameText(name, s.name))) continue;
      if (!asked) identity = fs.IdentityOf(path);
      asked = true;
      if (identity == s.identity) return true;
    }
    return false;
  };
  constexpr std::uint32_t kNotOrdinary =
      file_attribute::kHidden | file_attribute::kSystem | file_attribute::kReparsePoint;
  // Folders still to walk, the next one last: the order of a recursive walk without its depth
  // limit.
  const std::u16string root = WithBackslash(folder);
  std::vector<std::u16string> pending{root};
  std::vector<std::u16string> subfolders;
  while (!pending.empty() && !stop()) {
    std::u16string current = std::move(pending.back());
    pending.pop_back();
    if (is_skipped(current, current == root)) continue;
    subfolders.clear();
    fs.ListFolder(current, [&](const FolderEntry& entry) {
      if (entry.attributes & kNotOrdinary) return;
      if (entry.attributes & file_attribute::kDirectory) {
        if (entry.name.empty() || entry.name[0] == u'.') return;
        std::u16string sub = current;
        sub += entry.name;
        sub += u'\\';
        subfolders.push_back(std::move(sub));
      } else {
        for (std::size_t p = 0; p < patterns.size(); ++p) {
          if (!MatchesPattern(entry.name, patterns[p])) continue;
          std::u16string path = current;
          path += entry.name;
          found({std::move(path), entry.size, p});
          break;
        }
      }
    });
    for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) {
      pending.push_back(std::move(*it));
    }
  }
}

}  // namespace velmo
