// Switch 10 and the keyboard hook, through the settings tick of a started main window.
#include "box/system/key_intercept.h"

#include <gtest/gtest.h>

#include <memory>

#include "unit/shell/window_fixture.h"

namespace velmo {
namespace {

class KeyInterceptTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    intercept = std::make_unique<KeyIntercept>(form(), state.settings, keyboard_hook);
  }
  std::unique_ptr<KeyIntercept> intercept;
};

TEST_F(KeyInterceptTest, TheSettingsTickKeepsOneHookExactlyWhileSwitchTenIsOn) {
  const struct {
    const char* step;
    bool on;
    bool refused;  // the system refuses a hook at this tick
    bool installed;
    int hooks_set;
    int removals;
  } ticks[] = {
      {"off from the start: nothing to remove", false, false, false, 0, 0},
      {"on: installed at the next tick", true, false, true, 1, 0},
      {"still on: the same hook, none added", true, false, true, 1, 0},
      {"still on", true, false, true, 1, 0},
      {"off: removed once", false, false, false, 1, 1},
      {"still off: nothing more to remove", false, false, false, 1, 1},
      {"on while the system refuses: none", true, true, false, 1, 1},
      {"the next tick tries again", true, false, true, 2, 1},
      {"off again", false, false, false, 2, 2},
  };
  state.settings.Set(Setting::kTransparentUI, true);
  CursorAt(1000, 700);
  for (const auto& t : ticks) {
    state.settings.Set(Setting::kKeyIntercept, t.on);
    keyboard_hook.refuse = t.refused;
    form().Tick("Timer37");
    EXPECT_EQ(keyboard_hook.installed, t.installed) << t.step;
    EXPECT_EQ(keyboard_hook.hooks_set, t.hooks_set) << t.step;
    EXPECT_EQ(keyboard_hook.writes_at_removal.size(), static_cast<std::size_t>(t.removals))
        << t.step;
    EXPECT_EQ(form().opacity, 127) << t.step << ": the tick's own work goes on";
  }
  EXPECT_TRUE(TimerOf("Timer37").enabled);
}

}  // namespace
}  // namespace velmo
