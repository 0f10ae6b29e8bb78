// Playing the user's sound files (mp3, wav, wma), one at a time, through an engine with no window.
#pragma once

#include <string>

namespace velmo {

// kEnded: the position reached the length while playing and the engine stopped there by itself.
enum class MediaState { kClosed, kPlaying, kPaused, kStopped, kEnded };

// "mm:ss" with at least two digits of minutes ("00:05", "75:00"); fractions are cut off.
// Negative, not-a-number and infinite values give "00:00".
std::u16string FormatMinutesSeconds(double seconds);

class MediaEngine {
 public:
  virtual ~MediaEngine() = default;
  // Closes the current source, then opens `path` and plays it once from the start; an empty
  // path only closes. False when the file cannot be opened or played: nothing is loaded then.
  virtual bool Load(const std::u16string& path) = 0;
  // The path loaded; empty when nothing is.
  virtual std::u16string Source() const = 0;
  // Resumes when paused, starts from the start when stopped or ended.
  virtual void Play() = 0;
  virtual void Pause() = 0;  // keeps the position
  virtual void Stop() = 0;   // back to the start; the source stays loaded
  // Seconds; 0 when nothing is loaded or the engine cannot tell.
  virtual double Position() = 0;
  virtual double Length() = 0;
  // Clamped to 0..Length(). A playing source plays on from there; any other waits there paused.
  virtual void SetPosition(double seconds) = 0;
  // The engine sends no events: the player polls this to see a track end.
  virtual MediaState State() = 0;
  // 0..100, clamped; 50 when the engine is made and kept across loads. Muting keeps the value.
  virtual int Volume() const = 0;
  virtual void SetVolume(int volume) = 0;
  virtual bool Muted() const = 0;
  virtual void SetMute(bool mute) = 0;

  bool Playing() { return State() == MediaState::kPlaying; }
  bool Ended() { return State() == MediaState::kEnded; }
  std::u16string PositionText() { return FormatMinutesSeconds(Position()); }
  std::u16string LengthText() { return FormatMinutesSeconds(Length()); }
};

}  // namespace velmo
