// The clock page: the analog face with its three hands and the time as text, and on it the
// scheduler's panels. The hands, the time and the plans run only while the page is open.
#pragma once

#include <array>

#include "box/shell/box_state.h"
#include "box/shell/main_window.h"

namespace velmo {

class ClockPage {
 public:
  ClockPage(MainWindow& window, Services& services);

  // The face's set-up: the hands start at its centre with their designed lengths, and both
  // scheduler panels wait off to the right.
  void FinishStartup();
  // The tools page's clock tile: hands and time at once, then the slide and both one-second
  // ticks.
  void Open();

 private:
  void BuildFace(Control& page);
  void BuildScheduler(Control& page);
  void BuildAddPlan(Control& scheduler);
  void UpdateHands();
  void SchedulerTick();
  void CheckPlanInput();
  void CancelPlan();

  MainWindow& window_;
  Form& form_;
  Services& services_;

  Control* time_label_ = nullptr;    // Label2
  Control* face_ = nullptr;          // Picture65
  std::array<Control*, 3> hands_{};  // S, M, H
  std::array<float, 3> lengths_{};   // face units
  Timer* hand_tick_ = nullptr;       // Timer34
  Timer* scheduler_tick_ = nullptr;  // Timer33

  Control* scheduler_ = nullptr;    // Picture83
  Control* add_plan_ = nullptr;     // Picture88
  Control* plans_ = nullptr;        // List11
  Control* time_box_ = nullptr;     // Text12
  Control* content_box_ = nullptr;  // Text13
  Control* ok_ = nullptr;
  Control* cancel_ = nullptr;
  Timer* add_plan_in_ = nullptr;   // Timer44
  Timer* add_plan_out_ = nullptr;  // Timer42
};

}  // namespace velmo
