#include "box/shell/box.h"

#include "box/command/help_file.h"
#include "box/system/process_checks.h"

namespace velmo {

Box::Box(BoxState& state, Services& services)
    : services_(services),
      window_(state, services),
      commands_(window_, state, services),
      lookups_(window_, state, services, commands_.item_names()),
      options_(window_, state, services),
      key_intercept_(window_.form(), state.settings, services.keyboard_hook),
      music_(window_, state, services, options_.process_watch()),
      cleaner_(window_, state, services),
      tools_(window_, state, services),
      notes_(window_),
      clock_(window_, services),
      mini_(window_, services.screen),
      app_(state, services, window_.form()) {
  options_.import_from_start_menu = [this] {
    std::u16string record;
    commands_.ImportFromStartMenu(record);
    return record;
  };
  window_.after_first_picture = [this] { app_.CheckDataFiles(); };
  window_.form().Get("PicHelpFile").on_click = [this, &state](const MouseEvent&) {
    ShowHelpFile(state.program_folder, services_, commands_);
  };
  window_.form().Get("Label26").on_double_click = [this](const MouseEvent&) {
    lookups_.CopyResult();
  };
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
  music_.FinishStartup();  // last: it may start the first track
}

bool Box::Shutdown() {
  // Saved first: a clean held up on a stuck drive must not keep the lists from the disk when
  // Windows ends the process at log-off.
  bool saved = app_.Shutdown();
  cleaner_.Shutdown();
  // The sound device closes before the process ends: its decoder threads are not cut off in
  // the middle of a track.
  services_.media.Load(u"");
  return saved;
}

}  // namespace velmo
