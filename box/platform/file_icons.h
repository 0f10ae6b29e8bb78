// The system's icon for a file, folder or program: what the desktop shell shows for it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmo {

// A square picture, premultiplied 0xAARRGGBB pixels, rows top-down.
struct IconPixels {
  int size = 0;
  std::vector<std::uint32_t> pixels;
};

struct FetchedIcon {
  std::u16string path;
  int size = 0;
  std::shared_ptr<const IconPixels> icon;  // nullptr: the system has none for it
};

class FileIcons {
 public:
  virtual ~FileIcons() = default;
  // Asks for the icon of `path` at `size` pixels square, fetched away from the window's thread;
  // TakeFetched hands it over. A path with nothing behind it gets the generic icon of its kind.
  virtual void Fetch(const std::u16string& path, int size) = 0;
  // What has been fetched since the last call, in any order.
  virtual std::vector<FetchedIcon> TakeFetched() = 0;
};

}  // namespace velmo
