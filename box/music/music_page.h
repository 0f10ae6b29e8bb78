// The music page: the playlist box, the transport buttons, the seek and volume bars and the
// labels of the control panel; the progress, end-of-track and housekeeping ticks; the player's
// Ctrl+Alt keys; the pause-list watch's action; the drawer's sound button; start-up autoplay.
#pragma once

#include <string>

#include "box/music/player.h"
#include "box/shell/main_window.h"
#include "box/system/process_watch.h"

namespace velmo {

inline constexpr int kSeekTrackWidth = 2895;
inline constexpr int kVolumeTrackWidth = 975;
inline constexpr int kEmptyFill = 15;  // a bar's fill starts 15 twips left of its track
inline constexpr std::u16string_view kMusicFilter = u"所有支持的音频文件格式|*.mp3;*.wav;*.wma;";

class MusicPage {
 public:
  MusicPage(MainWindow& window, BoxState& state, Services& services, ProcessWatch& watch);

  // The last step of start-up: nothing played yet, the volume shown, and with "启动程序时播放"
  // on the first entry starts.
  void FinishStartup();
  Player& player() { return player_; }

 private:
  void BuildControls();
  void BuildCompactStrip();
  Control& AddButton(Control& parent, const char* name, int left, int top, int image,
                     std::u16string tool_tip);
  Control& AddBar(Control& parent, const char* track, const char* fill, int left, int top,
                  int width);
  void StartSelected();
  void StartEntry(int index);
  void CannotPlay();
  void PlayPauseAction();
  void StepAction(bool next);
  void MuteAction();
  void VolumeAction(const MouseEvent& e);
  void SeekAction(const MouseEvent& e, bool dragged);
  void SeekReleased();
  void AddAction();
  void RemoveAction();
  void ClearAction();
  void ShowVolume();
  void ShowIdle();
  bool PlayerKey(const KeyEvent& e);
  void ProgressTick();
  void EndOfTrackTick();
  void HousekeepingTick();
  void SetTitle(bool with_track);
  void Transport(bool enabled);
  void ShowPlayImage();
  void Mirror();

  MainWindow& window_;
  Form& form_;
  BoxState& state_;
  Services& services_;
  Player player_;
  Control* list_ = nullptr;        // List2: display names
  Control* paths_ = nullptr;       // List3: file paths, hidden
  Control* now_playing_ = nullptr;  // Label6
  Control* play_ = nullptr;
  Control* mute_ = nullptr;
  Control* seek_fill_ = nullptr;
  Control* volume_fill_ = nullptr;
  Control* volume_label_ = nullptr;
  Control* position_ = nullptr;
  Control* duration_ = nullptr;
  Control* sound_ = nullptr;
  Timer& progress_;
};

}  // namespace velmo
