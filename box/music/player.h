// The playlist and what plays from it: the music module's operations on the media engine. The
// music page turns clicks and keys into these and keeps its labels, images and the window title
// in step.
#pragma once

#include <string>

#include "box/platform/media_engine.h"
#include "box/storage/list_files.h"

namespace velmo {

class Player {
 public:
  // `playlist` holds display names and file paths: the list Music.sd is read into.
  Player(ListPair& playlist, MediaEngine& engine) : playlist_(playlist), engine_(engine) {}

  const ListPair& playlist() const { return playlist_; }
  MediaEngine& engine() { return engine_; }
  // The index last started; -1 before anything has played.
  int current() const { return current_; }
  bool playing() const { return playing_; }
  void set_playing(bool on) { playing_ = on; }
  bool muted() const { return muted_; }
  // Empty text outside the list.
  std::u16string NameAt(int index) const;

  // Loads the entry's file and plays it; it becomes the current entry. False when the file
  // could not be opened or played (gone, undecodable, no sound device): nothing plays then.
  bool PlayEntry(int index);
  // Pauses while playing, resumes otherwise.
  void TogglePlay();
  // Both wrap around. Before anything has played, next starts the first entry and previous
  // the last. False as for PlayEntry.
  bool PlayNext();
  bool PlayPrevious();
  void AddEntry(const std::u16string& path, const std::u16string& name);
  // An entry before the current one takes the current index with it: the entry that plays stays
  // the current one.
  void RemoveEntry(int index);
  // Both lists emptied; the engine unloads. The current index keeps its value.
  void Clear();
  // Back to idle: nothing loaded, nothing playing.
  void Unload();

  void SetMuted(bool muted);
  int Volume() const { return engine_.Volume(); }
  // Any change of the volume ends the mute.
  void SetVolume(int volume);

 private:
  ListPair& playlist_;
  MediaEngine& engine_;
  int current_ = -1;
  bool playing_ = false;
  bool muted_ = false;
};

}  // namespace velmo
