// Finding junk files: a depth-first walk of a folder tree that matches long file names against a
// wildcard pattern in our own code and never leaves the tree it was given.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "box/platform/files.h"

namespace velmo {

// "*" matches any run of characters, "?" exactly one; letters compare without case; "*.*"
// matches every name, as on Windows. Only the long name counts: the system's own matching also
// tries 8.3 short names, which would let "*.tmp" take "a.tmpx" (short name A~1.TMP).
bool MatchesPattern(std::u16string_view name, std::u16string_view pattern);

// Whether `path` is `folder` or lies below it (letters compared without case).
bool IsInFolder(std::u16string_view path, std::u16string_view folder);

struct FoundFile {
  std::u16string path;
  std::uint64_t bytes = 0;
  std::size_t pattern = 0;  // the first of the patterns it matches
};

// Every ordinary file under `folder` whose name matches one of `patterns`: the folder's own files
// in the system's order, then each subfolder's in turn, depth first. One walk serves several
// patterns: a file is reported with the first one it matches. Hidden and system files are not
// taken. Folders whose names begin with ".", hidden and system folders, links (junctions and
// symbolic links, which may loop or lead out of the tree) and the trees of `skipped`, under any
// spelling, are not entered. `found` hears of each file as it is found; the walk ends early once `stop` says so.
void ScanFolder(FileSystem& fs, std::u16string_view folder,
                const std::vector<std::u16string>& patterns,
                const std::vector<std::u16string>& skipped,
                const std::function<void(FoundFile)>& found, const std::function<bool()>& stop);

}  // namespace velmo
