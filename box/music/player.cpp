#include "box/music/player.h"

namespace velmo {

std::u16string Player::NameAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= playlist_.size()) return {};
  return playlist_.names[static_cast<std::size_t>(index)];
}

bool Player::PlayEntry(int index) {
  bool inside = index >= 0 && static_cast<std::size_t>(index) < playlist_.size();
  // Loading plays from the start; an empty path only stops what played.
  bool loaded =
      engine_.Load(inside ? playlist_.values[static_cast<std::size_t>(index)] : std::u16string());
  current_ = index;
  return loaded || !inside;
}

void Player::TogglePlay() {
  if (playing_) {
    engine_.Pause();
  } else {
    engine_.Play();
  }
  playing_ = !playing_;
}

bool Player::PlayNext() {
  int count = static_cast<int>(playlist_.size());
  return PlayEntry(current_ + 1 >= count ? 0 : current_ + 1);
}

bool Player::PlayPrevious() {
  int count = static_cast<int>(playlist_.size());
  return PlayEntry(current_ <= 0 ? count - 1 : current_ - 1);
}

void Player::AddEntry(const std::u16string& path, const std::u16string& name) {
  playlist_.Append(name, path);
}

void Player::RemoveEntry(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= playlist_.size()) return;
  playlist_.RemoveAt(static_cast<std::size_t>(index));
  if (index < current_) --current_;
}

void Player::Clear() {
  playlist_.Clear();
  Unload();
}

void Player::Unload() {
  engine_.Load(std::u16string());
  playing_ = false;
}

void Player::SetMuted(bool muted) {
  muted_ = muted;
  engine_.SetMute(muted);
}

void Player::SetVolume(int volume) {
  engine_.SetVolume(volume);
  SetMuted(false);
}

}  // namespace velmo
