// The media engine on the Windows multimedia command strings (MCI), device type mpegvideo,
// which plays through DirectShow whatever codecs the system has. Errors come back as return
// codes; nothing here shows a dialog.
#include <windows.h>
// After windows.h, which it builds on.
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {

Win32MediaEngine::Win32MediaEngine()
    // Aliases are per process: the address keeps two engines apart.
    : alias_(L"velmo_media_" + std::to_wstring(reinterpret_cast<std::uintptr_t>(this))) {}

Win32MediaEngine::~Win32MediaEngine() { Close(); }

bool Win32MediaEngine::Send(const std::wstring& verb, const std::wstring& arguments,
                            std::wstring* answer) {
  std::wstring command = verb + L' ' + alias_;
  if (!arguments.empty()) command += L' ' + arguments;
  wchar_t buffer[128] = L"";
  bool ok = mciSendStringW(command.c_str(), buffer, 128, nullptr) == 0;
  if (answer) *answer = ok ? buffer : L"";
  return ok;
}

// A number the device answers (milliseconds); 0 when it cannot tell.
double Win32MediaEngine::Milliseconds(const wchar_t* item) {
  std::wstring answer;
  if (!Send(L"status", item, &answer)) return 0;
  return std::wcstod(answer.c_str(), nullptr);
}

bool Win32MediaEngine::Open(const std::u16string& path) {
  std::wstring open = L"open \"" + Wide(path) + L"\" type mpegvideo alias " + alias_;
  if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) return false;
  if (!Send(L"set", L"time format milliseconds")) {
    Send(L"close", L"");
    return false;
  }
  ApplyVolume();
  spent_ = false;
  length_ms_ = Milliseconds(L"length");
  return true;
}

void Win32MediaEngine::Close() {
  if (state_ != MediaState::kClosed) Send(L"close", L"");
  state_ = MediaState::kClosed;
  source_.clear();
}

// The device falls to "stopped" by itself at the end of the source.
void Win32MediaEngine::Refresh() {
  if (state_ != MediaState::kPlaying) return;
  std::wstring mode;
  if (Send(L"status", L"mode", &mode) && mode == L"stopped") {
    state_ = MediaState::kEnded;
    spent_ = true;
  }
}

// A device that has run to its end is opened afresh first: Wine's device then answers "stopped"
// while it plays, or plays from where it ended whatever it is told.
bool Win32MediaEngine::PlayFrom(double ms) {
  if (spent_) {
    Send(L"close", L"");
    if (!Open(source_)) {
      state_ = MediaState::kClosed;
      source_.clear();
      return false;
    }
  }
  return Send(L"play", L"from " + std::to_wstring(std::llround(ms)));
}

void Win32MediaEngine::ApplyVolume() {
  // Muting is volume 0, which every MCI device honours; Wine refuses "setaudio ... audio all off".
  Send(L"setaudio", L"volume to " + std::to_wstring(muted_ ? 0 : volume_ * 10));
}

bool Win32MediaEngine::Load(const std::u16string& path) {
  Close();
  if (path.empty()) return true;
  // A quote cannot be part of a Windows path, and would end the quoted name early.
  if (path.find(u'"') != std::u16string::npos) return false;
  if (!Open(path)) return false;
  state_ = MediaState::kStopped;  // open: Close() closes it from here on
  if (!Send(L"play", L"")) {
    Close();
    return false;
  }
  source_ = path;
  state_ = MediaState::kPlaying;
  return true;
}

std::u16string Win32MediaEngine::Source() const { return source_; }

void Win32MediaEngine::Play() {
  Refresh();
  if (state_ == MediaState::kPaused) {
    if (Send(L"resume", L"") || Send(L"play", L"")) state_ = MediaState::kPlaying;
  } else if (state_ == MediaState::kStopped || state_ == MediaState::kEnded) {
    if (PlayFrom(0)) state_ = MediaState::kPlaying;
  }
}

void Win32MediaEngine::Pause() {
  Refresh();
  if (state_ == MediaState::kPlaying && Send(L"pause", L"")) state_ = MediaState::kPaused;
}

void Win32MediaEngine::Stop() {
  if (state_ == MediaState::kClosed) return;
  Send(L"stop", L"");
  state_ = MediaState::kStopped;
}

double Win32MediaEngine::Position() {
  Refresh();
  switch (state_) {
    case MediaState::kClosed:
    case MediaState::kStopped:
      return 0;
    case MediaState::kEnded:
      return Length();  // the device may answer where the last play started
    default:
      return Milliseconds(L"position") / 1000;
  }
}

double Win32MediaEngine::Length() { return state_ == MediaState::kClosed ? 0 : length_ms_ / 1000; }

void Win32MediaEngine::SetPosition(double seconds) {
  Refresh();
  if (state_ == MediaState::kClosed) return;
  double ms = std::clamp(std::isnan(seconds) ? 0 : seconds * 1000, 0.0, Length() * 1000);
  // "seek" fails on some systems (Wine), "play from" works everywhere; a pause right after it
  // keeps a source that was not playing where it was told to wait.
  if (!PlayFrom(ms)) return;
  if (state_ == MediaState::kPlaying) return;
  state_ = Send(L"pause", L"") ? MediaState::kPaused : MediaState::kPlaying;
}

MediaState Win32MediaEngine::State() {
  Refresh();
  return state_;
}

int Win32MediaEngine::Volume() const { return volume_; }

void Win32MediaEngine::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, 100);
  if (state_ != MediaState::kClosed) ApplyVolume();
}

bool Win32MediaEngine::Muted() const { return muted_; }

void Win32MediaEngine::SetMute(bool mute) {
  muted_ = mute;
  if (state_ != MediaState::kClosed) ApplyVolume();
}

}  // namespace velmo
