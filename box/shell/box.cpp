#include "box/shell/box.h"

namespace velmo {

Box::Box(BoxState& state, Services& services)
    : services_(services),
      window_(state, services),
      commands_(window_, state, services),
      lookups_(window_, state, services),
      options_(window_, state, services),
      music_(window_, state, services, options_.process_watch()),
      app_(state, services, window_.form()) {
  options_.import_from_start_menu = [this] {
    std::u16string record;
    commands_.ImportFromStartMenu(record);
    return record;
  };
  window_.after_first_picture = [this] { app_.CheckDataFiles(); };
}

void Box::Startup() {
  app_.Startup();
  window_.FinishStartup();
  commands_.FinishStartup();
  lookups_.FinishStartup();
  options_.FinishStartup();
  music_.FinishStartup();  // last: it may start the first track
}

bool Box::Shutdown() {
  bool saved = app_.Shutdown();
  // The sound device closes before the process ends: its decoder threads are not cut off in
  // the middle of a track.
  services_.media.Load(u"");
  return saved;
}

}  // namespace velmo
