// A started main window on a 1280 x 800 fake screen, with every service faked; the window's
// timers are ticked by the tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "box/shell/main_window.h"
#include "fakes/fake_services_set.h"

namespace velmo {

class WindowTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  void SetUp() override {
    state.version = u"1.4.0.11";
    window = std::make_unique<MainWindow>(state, services);
    // What App::Startup sets before the window finishes its part.
    Form& f = window->form();
    f.width = 4600;
    f.height = 6000;
    f.top = 10;
    f.left = screen.WidthTwips() / 2 - 2300;
    window->FinishStartup();
  }

  Form& form() { return window->form(); }
  Control& Get(const char* name, int index = -1) { return form().Get(name, index); }
  Timer& TimerOf(const char* name) { return form().timer(name); }

  // Ticks until the timer stops; returns the number of ticks (limit + 1 if it never stops).
  int TickUntilStopped(const char* name, int limit = 200) {
    Timer& t = TimerOf(name);
    for (int n = 1; n <= limit; ++n) {
      form().Tick(t);
      if (!t.enabled) return n;
    }
    return limit + 1;
  }

  // Puts the pointer at a screen pixel for the dock watch and the settings tick.
  void CursorAt(int x, int y) { screen.cursor = {x, y}; }
  // A pixel inside the window as it stands now.
  PixelPoint InsideWindow() {
    return {(form().left + form().width / 2) / 15, (form().top + form().height / 2) / 15};
  }

  BoxState state;
  std::unique_ptr<MainWindow> window;
};

}  // namespace velmo
