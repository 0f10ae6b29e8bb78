// The system's icons on request: a test answers what was asked for, as the service's thread
// would, with a picture that tells which path it is for.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "box/platform/file_icons.h"

namespace velmo {

class FakeFileIcons final : public FileIcons {
 public:
  void Fetch(const std::u16string& path, int size) override { requests.push_back({path, size}); }
  std::vector<FetchedIcon> TakeFetched() override { return std::exchange(fetched, {}); }

  // Answers every request not answered yet; the first pixel of each picture is its request's
  // number.
  void AnswerAll() {
    for (; answered < requests.size(); ++answered) {
      auto icon = std::make_shared<IconPixels>();
      icon->size = requests[answered].second;
      icon->pixels.assign(static_cast<std::size_t>(icon->size * icon->size), 0xFF000000);
      icon->pixels[0] = static_cast<std::uint32_t>(answered);
      fetched.push_back({requests[answered].first, icon->size, std::move(icon)});
    }
  }

  std::vector<std::pair<std::u16string, int>> requests;  // path, size
  std::size_t answered = 0;
  std::vector<FetchedIcon> fetched;
};

}  // namespace velmo
