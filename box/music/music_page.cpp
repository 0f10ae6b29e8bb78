#include "box/music/music_page.h"

#include <algorithm>
#include <cmath>

#include "box/shell/window_parts.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr int kProgressMs = 10;
constexpr int kWatchMs = 100;
constexpr int kVkSpace = 32, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;
// ILM: play, pause, previous, next, sound on, muted; the image after each is its hover look.
constexpr int kPlayImage = 1, kPauseImage = 3, kPreviousImage = 5, kNextImage = 7, kSoundImage = 9,
              kMutedImage = 11;
constexpr std::u16string_view kNoTime = u"00:00";
// The compact strip on the music tile's hover overlay: three buttons right of the tile's title.
constexpr int kStripWidth = 1800;
constexpr int kStripStep = 600;

// A bar's fill width for a pointer at `x` twips from the control's left.
int FillAt(int x, int track_width) {
  if (x <= 0) return kEmptyFill;
  if (x >= track_width) return track_width + kEmptyFill;
  return x;
}

}  // namespace

MusicPage::MusicPage(MainWindow& window, BoxState& state, Services& services, ProcessWatch& watch)
    : window_(window),
      form_(window.form()),
      state_(state),
      services_(services),
      player_(state.lists.playlist.list, services.media),
      progress_(form_.AddTimer("Timer13", kProgressMs, [this] { ProgressTick(); })) {
  // A display refresh, not an animation: a late tick shows the same.
  progress_.animates = false;
  form_.AddTimer("Timer14", kWatchMs, [this] { EndOfTrackTick(); }).Start();
  form_.AddTimer("Timer45", kWatchMs, [this] { HousekeepingTick(); }).Start();
  BuildControls();
  BuildCompactStrip();
  watch.on_listed_program_running = [this] {
    if (player_.playing()) PlayPauseAction();
  };
  window.on_player_key = [this](const KeyEvent& e) { return PlayerKey(e); };
  window.playing_track = [this]() -> std::optional<std::u16string> {
    if (!player_.playing()) return std::nullopt;
    return player_.NameAt(player_.current());
  };
}

Control& MusicPage::AddButton(Control& parent, const char* name, int left, int top, int image,
                              std::u16string tool_tip) {
  return AddHoverButton(form_, parent, name, left, top, window_.images().ilm, image,
                        std::move(tool_tip));
}

Control& MusicPage::AddBar(Control& parent, const char* track_name, const char* fill_name, int left,
                           int top, int width) {
  Control& track = form_.Add(parent, ControlKind::kPicture, track_name);
  Place(track, left, top, width, 135);
  track.back_color = palette::kBorder;
  Control& fill = form_.Add(track, ControlKind::kPicture, fill_name);
  Place(fill, -kEmptyFill, 0, kEmptyFill, 135);
  fill.back_color = palette::kAccent;
  return fill;
}

void MusicPage::BuildControls() {
  Control& page = *window_.page(PageId::kMusic).panel;
  const ImageList& buttons = window_.images().image_list1;

  Control& add = AddHoverButton(form_, page, "Picture31", HeaderActionLeft(HeaderAction::kAdd),
                                kHeaderTop, buttons, 7, u"添加");
  add.on_click = [this](const MouseEvent&) { AddAction(); };
  Control& remove =
      AddHoverButton(form_, page, "Picture32", HeaderActionLeft(HeaderAction::kDelete), kHeaderTop,
                     buttons, 9, u"移除");
  remove.on_click = [this](const MouseEvent&) { RemoveAction(); };
  Control& clear = AddHoverButton(form_, page, "Picture59", HeaderActionLeft(HeaderAction::kClear),
                                  kHeaderTop, buttons, 11, u"清空");
  clear.on_click = [](const MouseEvent&) {};  // a double-click only
  clear.on_double_click = [this](const MouseEvent&) { ClearAction(); };

  Control& panel = form_.Add(page, ControlKind::kPanel, "Picture22");
  // Below the header's rule, like every page's content.
  Place(panel, 120, 780, 4215, 975);
  panel.back_color = palette::kWindow;
  panel.on_mouse_move = [&panel](const MouseEvent&) { RestoreButtonsOn(panel); };
  AddButton(panel, "Picture24", 120, 480, kPreviousImage, u"上一首").on_click =
      [this](const MouseEvent&) { StepAction(false); };
  play_ = &AddButton(panel, "Picture23", 720, 480, kPlayImage, u"播放/暂停");
  play_->on_click = [this](const MouseEvent&) { PlayPauseAction(); };
  AddButton(panel, "Picture25", 1320, 480, kNextImage, u"下一首").on_click =
      [this](const MouseEvent&) { StepAction(true); };
  mute_ = &AddButton(panel, "Picture26", 1920, 480, kSoundImage, u"静音");
  mute_->on_click = [this](const MouseEvent&) { MuteAction(); };

  volume_fill_ = &AddBar(panel, "Picture27", "Picture28", 2520, 600, kVolumeTrackWidth);
  for (Control* c : {volume_fill_->parent(), volume_fill_}) {
    c->on_mouse_down = [this](const MouseEvent& e) { VolumeAction(e); };
    c->on_mouse_move = [this](const MouseEvent& e) { VolumeAction(e); };
  }
  volume_label_ = &AddLabel(form_, panel, "Label7", u"");
  Place(*volume_label_, 3720, 540, 315, 255);

  seek_fill_ = &AddBar(panel, "Picture29", "Picture30", 600, 150, kSeekTrackWidth);
  for (Control* c : {seek_fill_->parent(), seek_fill_}) {
    c->on_mouse_down = [this](const MouseEvent& e) { SeekAction(e, false); };
    c->on_mouse_move = [this](const MouseEvent& e) { SeekAction(e, true); };
    c->on_mouse_up = [this](const MouseEvent&) { SeekReleased(); };
  }
  position_ = &AddLabel(form_, panel, "Label8", std::u16string(kNoTime));
  Place(*position_, 60, 100, 465, 255);
  duration_ = &AddLabel(form_, panel, "Label9", std::u16string(kNoTime));
  Place(*duration_, 3600, 105, 465, 255);
  for (Control* label : {volume_label_, position_, duration_}) label->font.size_tenths = 80;

  now_playing_ = &AddLabel(form_, page, "Label6", u"");
  Place(*now_playing_, 180, 1830, 4215, 330);
  now_playing_->fore_color = palette::kAccent;

  list_ = &AddBox(form_, page, ControlKind::kListBox, "List2", 315, 2310, 3945, 3000);
  list_->on_double_click = [this](const MouseEvent&) { StartSelected(); };
  paths_ = &form_.Add(page, ControlKind::kListBox, "List3");
  paths_->visible = false;

  sound_ = &form_.Get("Picture14");
  sound_->on_click = [this](const MouseEvent&) {
    state_.sound_muted = !state_.sound_muted;
    sound_->image = state_.sound_muted ? 15 : 13;
    sound_->tool_tip = state_.sound_muted ? u"关闭声音" : u"打开声音";
  };
}

void MusicPage::BuildCompactStrip() {
  Control& tile = form_.Get("Picture39", 0);
  Control& overlay = form_.Get("Picture40", 0);
  Place(overlay, tile.left + tile.width - kStripWidth, tile.top, kStripWidth, tile.height);
  overlay.text.clear();  // the strip stands where the chevron was
  int top = (tile.height - 360) / 2;
  AddButton(overlay, "Picture43", 120, top, kPreviousImage, u"上一首").on_click =
      [this](const MouseEvent&) { StepAction(false); };
  AddButton(overlay, "Picture44", 120 + kStripStep, top, kPlayImage, u"播放/暂停").on_click =
      [this](const MouseEvent&) { PlayPauseAction(); };
  AddButton(overlay, "Picture42", 120 + 2 * kStripStep, top, kNextImage, u"下一首").on_click =
      [this](const MouseEvent&) { StepAction(true); };
  overlay.on_mouse_move = [&overlay,
                           hover = std::move(overlay.on_mouse_move)](const MouseEvent& e) {
    RestoreButtonsOn(overlay);
    if (hover) hover(e);
  };
  // The strip's play button follows the playing flag, its pointer-over look kept.
  form_
      .AddTimer("Timer21", kWatchMs,
                [this] {
                  Control& play = form_.Get("Picture44");
                  int normal = player_.playing() ? kPauseImage : kPlayImage;
                  play.image = play.image % 2 == 0 ? normal + 1 : normal;
                })
      .Start();
}

void MusicPage::FinishStartup() {
  Mirror();
  list_->enabled = !player_.playlist().empty();
  sound_->tool_tip = state_.sound_muted ? u"关闭声音" : u"打开声音";
  ShowVolume();
  seek_fill_->width = kEmptyFill;
  if (!player_.playlist().empty() && state_.settings.Get(Setting::kPlayMusicAfterRunning)) {
    form_.SelectionMade(*list_, 0);
    StartSelected();
  }
}

void MusicPage::Mirror() {
  list_->items = player_.playlist().names;
  paths_->items = player_.playlist().values;
  if (list_->selected >= static_cast<int>(list_->items.size())) list_->selected = -1;
}

void MusicPage::SetTitle(bool with_track) {
  form_.caption = with_track
                      ? std::u16string(kMainCaption) + u" - " + player_.NameAt(player_.current())
                      : std::u16string(kMainCaption);
}

void MusicPage::ShowPlayImage() { play_->image = player_.playing() ? kPauseImage : kPlayImage; }

void MusicPage::Transport(bool enabled) {
  for (const char* name : {"Picture23", "Picture24", "Picture25", "Picture29", "Picture30",
                           "Picture42", "Picture43", "Picture44"}) {
    form_.Get(name).enabled = enabled;
  }
}

void MusicPage::StartSelected() { StartEntry(list_->selected); }

void MusicPage::StartEntry(int index) {
  if (player_.playlist().empty()) return;
  bool loaded = player_.PlayEntry(index);
  Transport(true);
  if (!loaded) return CannotPlay();
  now_playing_->text = player_.NameAt(player_.current());
  progress_.Start();
  player_.set_playing(true);
  ShowPlayImage();
  SetTitle(true);
}

void MusicPage::PlayPauseAction() {
  if (player_.current() < 0 || player_.playlist().empty()) return;
  // Nothing is loaded (the entry that played was removed, or its file could not be opened):
  // play starts the entry the index names now, the first when it names none.
  if (!player_.playing() && player_.engine().Source().empty()) {
    int count = static_cast<int>(player_.playlist().size());
    StartEntry(player_.current() < count ? player_.current() : 0);
    return;
  }
  player_.TogglePlay();
  player_.playing() ? progress_.Start() : progress_.Stop();
  ShowPlayImage();
  SetTitle(player_.playing());
}

void MusicPage::StepAction(bool next) {
  play_->image = kPauseImage;
  seek_fill_->width = kEmptyFill;
  position_->text = kNoTime;
  player_.set_playing(true);
  bool loaded = next ? player_.PlayNext() : player_.PlayPrevious();
  Transport(true);
  if (!loaded) return CannotPlay();
  now_playing_->text = player_.NameAt(player_.current());
  SetTitle(true);
  progress_.Start();
}

void MusicPage::MuteAction() {
  player_.SetMuted(!player_.muted());
  mute_->image = player_.muted() ? kMutedImage : kSoundImage;
}

void MusicPage::ShowVolume() {
  volume_fill_->width = kVolumeTrackWidth * player_.Volume() / 100 + kEmptyFill;
  volume_label_->text = Utf8ToUtf16(std::to_string(player_.Volume()));
  mute_->image = player_.muted() ? kMutedImage : kSoundImage;
}

void MusicPage::VolumeAction(const MouseEvent& e) {
  if (e.button != MouseButton::kLeft) return;
  volume_fill_->width = FillAt(e.x, kVolumeTrackWidth);
  // A fill narrower than 15 (a press in the track's first 15 twips) is volume 0.
  int volume = std::max(0, (volume_fill_->width - kEmptyFill) * 100 / kVolumeTrackWidth);
  player_.SetVolume(volume);
  volume_label_->text = Utf8ToUtf16(std::to_string(volume));
  mute_->image = kSoundImage;
}

void MusicPage::SeekAction(const MouseEvent& e, bool dragged) {
  MediaEngine& engine = player_.engine();
  if (e.button != MouseButton::kLeft || engine.Source().empty()) return;
  progress_.Stop();
  seek_fill_->width = FillAt(e.x, kSeekTrackWidth);
  double seconds =
      std::trunc(std::max(0, seek_fill_->width - kEmptyFill) * engine.Length() / kSeekTrackWidth);
  engine.SetPosition(seconds);
  position_->text = engine.PositionText();
  if (dragged) engine.Pause();
}

void MusicPage::SeekReleased() {
  if (player_.playing()) {
    player_.engine().Play();
    progress_.Start();
  } else {
    player_.engine().Pause();
    progress_.Stop();
  }
}

void MusicPage::AddAction() {
  OpenFileRequest request;
  request.title = u"打开音乐文件";
  request.filter = std::u16string(kMusicFilter);
  std::optional<std::u16string> path = services_.dialogs.OpenFile(request);
  if (!path || path->empty() || !services_.files.FileExists(*path)) return;
  std::optional<std::u16string> name = NameWithoutExtension(*path);
  if (!name) return;
  player_.AddEntry(*path, *name);
  Mirror();
  list_->enabled = true;
}

void MusicPage::ShowIdle() {
  now_playing_->text.clear();
  progress_.Stop();
  seek_fill_->width = kEmptyFill;
  position_->text = kNoTime;
  duration_->text = kNoTime;
  play_->image = kPlayImage;
  SetTitle(false);
}

// Said once, at the attempt: the player then stands idle at that entry and claims nothing.
void MusicPage::CannotPlay() {
  std::u16string name = player_.NameAt(player_.current());
  player_.set_playing(false);
  ShowIdle();
  window_.ShowMessage(u"无法播放“" + name + u"”：文件已不存在或无法打开，或者没有可用的声音设备。",
                      u"无法播放");
}

void MusicPage::RemoveAction() {
  int selected = list_->selected;
  if (player_.playlist().empty() || selected < 0) return;
  if (selected == player_.current()) {
    player_.Unload();
    ShowIdle();
  }
  player_.RemoveEntry(selected);
  Mirror();
  list_->enabled = !player_.playlist().empty();
}

void MusicPage::ClearAction() {
  if (player_.playlist().empty()) return;
  player_.Clear();
  Mirror();
  list_->enabled = false;
  ShowIdle();
}

bool MusicPage::PlayerKey(const KeyEvent& e) {
  bool from_command_box = form_.focus() == &window_.command_box();
  switch (e.key) {
    case kVkSpace:
      if (from_command_box) form_.caption = player_.playing() ? u"暂停" : u"播放'";
      PlayPauseAction();
      return true;
    case kVkLeft:
    case kVkRight:
      StepAction(e.key == kVkRight);
      return true;
    case kVkUp:
    case kVkDown: {
      int volume = player_.Volume();
      volume = e.key == kVkUp ? (volume > 94 ? 100 : volume + 5) : (volume < 6 ? 0 : volume - 5);
      player_.SetVolume(volume);
      ShowVolume();
      if (from_command_box) form_.caption = u"音量：" + volume_label_->text;
      return true;
    }
    default:
      return false;
  }
}

// Each number is asked for once a tick: under Wine an engine query costs a fraction of a
// millisecond, and the tick comes a hundred times a second.
void MusicPage::ProgressTick() {
  MediaEngine& engine = player_.engine();
  double length = engine.Length();
  double position = engine.Position();
  duration_->text = FormatMinutesSeconds(length);
  position_->text = FormatMinutesSeconds(position);
  if (length <= 0) return;
  seek_fill_->width =
      static_cast<int>(std::trunc(position / length * kSeekTrackWidth)) + kEmptyFill;
}

// The labels show whole seconds; the engine's numbers serve tracks of an hour or more too.
void MusicPage::EndOfTrackTick() {
  MediaEngine& engine = player_.engine();
  if (engine.Source().empty()) return;
  auto position = static_cast<long long>(engine.Position());
  auto length = static_cast<long long>(engine.Length());
  // A length of 0 says only that the engine cannot tell yet.
  if (length > 0 && position != 0 && length - position <= 1) StepAction(true);
}

void MusicPage::HousekeepingTick() {
  bool any = !player_.playlist().empty();
  Transport(any || player_.playing());
  if (!any) player_.set_playing(false);
  list_->marked = player_.playing() ? player_.current() : -1;
  std::u16string_view title = form_.caption;
  while (!title.empty() && title.back() == u' ') title.remove_suffix(1);
  if (!title.empty() && title.back() == u'-') form_.caption = std::u16string(kMainCaption);
}

}  // namespace velmo
