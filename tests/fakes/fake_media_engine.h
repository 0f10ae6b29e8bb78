// A media engine that a test drives through time: Advance() plays on, and a source ends at its
// length. It records every call and fails to load the paths a test marks missing.
#pragma once

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "box/platform/media_engine.h"

namespace velmo {

struct MediaCall {
  enum class Kind { kLoad, kPlay, kPause, kStop, kSetPosition, kSetVolume, kSetMute };
  Kind kind;
  std::u16string path = {};  // kLoad
  double value = 0;          // kSetPosition: seconds; kSetVolume: as asked; kSetMute: 0 or 1
  bool operator==(const MediaCall&) const = default;
};

class FakeMediaEngine final : public MediaEngine {
 public:
  bool Load(const std::u16string& path) override {
    calls.push_back({MediaCall::Kind::kLoad, path});
    source_.clear();
    state_ = MediaState::kClosed;
    position_ = 0;
    if (path.empty()) return true;
    if (missing.count(path)) return false;
    source_ = path;
    state_ = MediaState::kPlaying;
    return true;
  }
  std::u16string Source() const override { return source_; }
  void Play() override {
    calls.push_back({MediaCall::Kind::kPlay});
    if (state_ == MediaState::kStopped || state_ == MediaState::kEnded) position_ = 0;
    if (state_ != MediaState::kClosed) state_ = MediaState::kPlaying;
  }
  void Pause() override {
    calls.push_back({MediaCall::Kind::kPause});
    if (state_ == MediaState::kPlaying) state_ = MediaState::kPaused;
  }
  void Stop() override {
    calls.push_back({MediaCall::Kind::kStop});
    if (state_ == MediaState::kClosed) return;
    state_ = MediaState::kStopped;
    position_ = 0;
  }
  double Position() override { return position_; }
  double Length() override {
    if (state_ == MediaState::kClosed) return 0;
    auto found = lengths.find(source_);
    return found == lengths.end() ? default_length : found->second;
  }
  void SetPosition(double seconds) override {
    calls.push_back({MediaCall::Kind::kSetPosition, {}, seconds});
    if (state_ == MediaState::kClosed) return;
    position_ = std::clamp(std::isnan(seconds) ? 0 : seconds, 0.0, Length());
    if (state_ != MediaState::kPlaying) state_ = MediaState::kPaused;
  }
  MediaState State() override { return state_; }
  int Volume() const override { return volume_; }
  void SetVolume(int volume) override {
    calls.push_back({MediaCall::Kind::kSetVolume, {}, static_cast<double>(volume)});
    volume_ = std::clamp(volume, 0, 100);
  }
  bool Muted() const override { return muted_; }
  void SetMute(bool mute) override {
    calls.push_back({MediaCall::Kind::kSetMute, {}, mute ? 1.0 : 0.0});
    muted_ = mute;
  }

  // Time passes: a playing source moves on and ends at its length (a length of 0 never ends).
  void Advance(double seconds) {
    if (state_ != MediaState::kPlaying) return;
    position_ += seconds;
    double length = Length();
    if (length > 0 && position_ >= length) {
      position_ = length;
      state_ = MediaState::kEnded;
    }
  }

  std::map<std::u16string, double> lengths;  // seconds, by path
  double default_length = 180;
  std::set<std::u16string> missing;
  std::vector<MediaCall> calls;

 private:
  std::u16string source_;
  MediaState state_ = MediaState::kClosed;
  double position_ = 0;
  int volume_ = 50;
  bool muted_ = false;
};

}  // namespace velmo
