#include "box/app/box.h"

#include "box/command/help_file.h"
#include "box/system/process_checks.h"

namespace velmo {

Box::Box(BoxState& state, Services& services)
    : services_(services),
      window_(state, services),
      commands_(window_, state, services),
      preview_(window_, state, services, commands_),
      lookups_(window_, state, services),
      options_(window_, state, services),
      key_intercept_(window_.form(), state.settings, services.keyboard_hook),
      music_(window_, state, services, options_.process_watch()),
      cleaner_(window_, state, services),
      tools_(window_, state, services),
      notes_(window_),
      clock_(window_, services),
      mini_(window_, services.screen),
      hotkeys_(window_, mini_, options_, state, services.hotkeys),
      app_(state, services, window_.form()) {
  options_.import_from_start_menu = [this] {
    std::u16string record;
    commands_.ImportFromStartMenu(record);
    return record;
  };
  window_.after_first_picture = [this] {
    app_.LoadDictionaries();
    app_.CheckDataFiles();
  };
  app_.saver().say = [this](const std::u16string& text, const std::u16string& title) {
    window_.ShowMessage(text, title);
  };
  window_.form().Get("PicHelpFile").on_click = [this, &state](const MouseEvent&) {
    ShowHelpFile(state.program_folder, services_, commands_);
  };
  window_.form().Get("Label26").on_double_click = [this](const MouseEvent&) {
    preview_.CopyResult();
  };
  hotkeys_.on_capture = [this] { commands_.RunExtension(u"截屏"); };
  cleaner_.restart = [&state, &services] {
    RunPowerCommand(PowerCommand::kRestart, services.launcher,
                    state.settings.Get(Setting::kForceToKillUserProgress));
  };
}

void Box::Startup() {
  app_.Startup();
  window_.FinishStartup();
  commands_.FinishStartup();
  lookups_.FinishStartup();
  options_.FinishStartup();
  cleaner_.FinishStartup();
  notes_.FinishStartup();
  clock_.FinishStartup();
  mini_.FinishStartup();
  hotkeys_.FinishStartup();
  music_.FinishStartup();  // last: it may start the first track
}

namespace {

// A second close this soon after one that was refused ends the box whatever was not written.
constexpr std::int64_t kSecondCloseMs = 10000;

}  // namespace

std::optional<int> Box::Close() {
  // Saved first: a clean held up on a stuck drive must not keep the lists from the disk.
  bool written = app_.Shutdown();
  std::vector<UnsavedDocument> unsaved = app_.Unsaved();
  std::int64_t now = services_.clock.MonotonicMs();
  if (!unsaved.empty() && !(held_close_ms_ && now - *held_close_ms_ <= kSecondCloseMs)) {
    held_close_ms_ = now;
    std::u16string what;
    for (const UnsavedDocument& u : unsaved) {
      what += (what.empty() ? u"" : u"、") + u.name + u"（" + u.reason + u"）";
    }
    // The message must be seen: a box docked away or standing in for its badge comes back.
    if (mini_.form().visible) {
      mini_.Restore();
    } else {
      window_.docking().ShowWhole(window_.form().left);
    }
    window_.ShowMessage(u"无法写入 " + what +
                            u"。为免丢失更改，盒子没有退出；问题解决后再关闭即可保存。10 "
                            u"秒内再次关闭将放弃这些更改并退出。",
                        u"尚未保存");
    return std::nullopt;
  }
  End();
  return written ? 0 : 1;
}

int Box::EndSession() {
  bool written = app_.Shutdown();
  app_.KeepForRecovery();
  End();
  return written ? 0 : 1;
}

void Box::End() {
  hotkeys_.Release();
  cleaner_.Shutdown();
  // The sound device closes before the process ends: its decoder threads are not cut off in
  // the middle of a track.
  services_.media.Load(u"");
}

}  // namespace velmo
