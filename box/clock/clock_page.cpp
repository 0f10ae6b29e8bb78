#include "box/clock/clock_page.h"

#include <cmath>
#include <functional>

#include "box/clock/clock_face.h"
#include "box/clock/scheduler.h"
#include "box/shell/window_parts.h"

namespace velmo {
namespace {

constexpr int kFaceSize = 3735;
constexpr Color kDialGrey = Rgb(192, 192, 192);
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;

struct Numeral {
  int left, top;
};
// Top-left corners of "1" to "12" on the face.
constexpr std::array<Numeral, 12> kNumerals = {{{2460, 480},
                                                {3000, 1020},
                                                {3240, 1710},
                                                {3000, 2460},
                                                {2520, 2940},
                                                {1800, 3180},
                                                {1080, 2940},
                                                {480, 2460},
                                                {300, 1710},
                                                {480, 1020},
                                                {1080, 480},
                                                {1800, 240}}};
constexpr std::array<Color, 4> kNumeralColors = {Rgb(51, 153, 255), Rgb(255, 0, 0),
                                                 Rgb(255, 128, 0), Rgb(51, 255, 84)};

struct HandDesign {
  const char* name;
  int end_x, end_y;  // designed end point, twips on the face
};
// Second, minute and hour hands.
constexpr std::array<HandDesign, 3> kHands = {
    {{"S", 3120, 1800}, {"M", 2760, 2160}, {"H", 2280, 2280}}};

bool Plain(const KeyEvent& e, int key) {
  return e.key == key && !e.modifiers.shift && !e.modifiers.ctrl && !e.modifiers.alt;
}

// A panel inside the clock page that slides like a page: hidden while it waits off to the right,
// where it would leave a sliver in the page.
Timer& AddSlide(Form& form, std::string name, Control& panel, int step, std::function<void()> each,
                std::function<void()> at_end) {
  const int end = step < 0 ? 0 : kPageHiddenLeft;
  Timer& timer = form.AddTimer(std::move(name), kSlideIntervalMs, nullptr);
  timer.on_tick = [&panel, &timer, step, end, each = std::move(each), at_end = std::move(at_end)] {
    if (each) each();
    panel.visible = true;
    if (!SlideTick(panel.left, step, end)) return;
    if (end == kPageHiddenLeft) panel.visible = false;
    timer.Stop();
    at_end();
  };
  return timer;
}

}  // namespace

ClockPage::ClockPage(MainWindow& window, Services& services)
    : window_(window), form_(window.form()), services_(services) {
  Page& page = window_.page(PageId::kClock);
  BuildFace(*page.panel);
  BuildScheduler(*page.panel);
  page.after_out = [this] {
    scheduler_tick_->Stop();
    hand_tick_->Stop();
  };
  form_.Get("PicTool", 5).on_click = [this](const MouseEvent&) { Open(); };
}

void ClockPage::BuildFace(Control& page) {
  time_label_ = &AddLabel(form_, page, "Label2", u"时间");
  Place(*time_label_, 480, 840, 3600, 315);
  time_label_->align = TextAlign::kCenter;

  face_ = &form_.Add(page, ControlKind::kPanel, "Picture65");
  Place(*face_, page.width / 2 - kFaceSize / 2, 1200, kFaceSize, kFaceSize);
  face_->back_color = Rgb(255, 255, 255);

  Control& dial = form_.Add(*face_, ControlKind::kShape, "ShpDial");
  Place(dial, 120, 210, 3375, 3255);
  dial.shape = ShapeKind::kCircle;
  dial.border_color = kDialGrey;
  dial.border_width = 2;
  dial.fill_color = Rgb(255, 255, 255);

  for (int n = 1; n <= 12; ++n) {
    Control& numeral = form_.Add(*face_, ControlKind::kLabel, "LblNumeral", n);
    const Numeral& at = kNumerals[static_cast<size_t>(n - 1)];
    Place(numeral, at.left, at.top, n < 10 ? 105 : 210, 255);
    numeral.text = n < 10 ? std::u16string(1, static_cast<char16_t>(u'0' + n))
                          : u"1" + std::u16string(1, static_cast<char16_t>(u'0' + n - 10));
    numeral.font = {u"微软雅黑", 90, false};
    numeral.fore_color = kNumeralColors[static_cast<size_t>(n % 4)];
    numeral.align = TextAlign::kCenter;
  }

  for (size_t i = 0; i < kHands.size(); ++i) {
    Control& hand = form_.Add(*face_, ControlKind::kLine, kHands[i].name);
    hand.border_color = kDialGrey;
    hand.border_width = 2;
    hands_[i] = &hand;
  }

  hand_tick_ = &form_.AddTimer("Timer34", 1000, [this] { UpdateHands(); });
  scheduler_tick_ = &form_.AddTimer("Timer33", 1000, [this] { SchedulerTick(); });
}

void ClockPage::BuildScheduler(Control& page) {
  const ImageList& images = window_.images().image_list1;
  Control& plan = AddHoverButton(form_, page, "Picture82", 4035, 195, images, 45, u"计划");

  scheduler_ = &form_.Add(page, ControlKind::kPanel, "Picture83");
  Place(*scheduler_, kPageHiddenLeft, 0, page.width, page.height);
  scheduler_->back_color = palette::kCard;
  scheduler_->visible = false;
  scheduler_->on_mouse_move = [this](const MouseEvent&) { RestoreButtonsOn(*scheduler_); };
  Control& title = AddLabel(form_, *scheduler_, "Label49", u"计划");
  Place(title, 660, 165, 1500, 420);
  title.font = {u"微软雅黑", 130, true};
  Control& rule = form_.Add(*scheduler_, ControlKind::kLine, "Picture83Rule");
  Place(rule, 180, 720, 4215, 0);
  rule.border_color = palette::kBorder;

  Control& collapse =
      AddHoverButton(form_, *scheduler_, "Picture84", 180, 195, images, 31, u"收起");
  Control& add =
      AddHoverButton(form_, *scheduler_, "Picture85", HeaderActionLeft(HeaderAction::kAdd),
                     kHeaderTop, images, 7, u"新增");
  Control& remove =
      AddHoverButton(form_, *scheduler_, "Picture86", HeaderActionLeft(HeaderAction::kDelete),
                     kHeaderTop, images, 9, u"删除");
  Control& clear =
      AddHoverButton(form_, *scheduler_, "Picture87", HeaderActionLeft(HeaderAction::kClear),
                     kHeaderTop, images, 11, u"清空");

  plans_ = &AddBox(form_, *scheduler_, ControlKind::kListBox, "List11", 315, 900, 3945, 4440);

  BuildAddPlan(*scheduler_);

  Timer& in = AddSlide(
      form_, "Timer40", *scheduler_, -kSlideStep,
      [this] {
        add_plan_->left = kPageHiddenLeft;
        add_plan_->visible = false;
      },
      [&plan] { plan.enabled = true; });
  Timer& out = AddSlide(form_, "Timer41", *scheduler_, kSlideStep, nullptr,
                        [&collapse] { collapse.enabled = true; });
  plan.on_click = [this, &plan, &in](const MouseEvent&) {
    plan.enabled = false;
    add_plan_in_->Stop();
    in.Start();
  };
  collapse.on_click = [&collapse, &out](const MouseEvent&) {
    collapse.enabled = false;
    out.Start();
  };
  add.on_click = [this, &add](const MouseEvent&) {
    add.enabled = false;
    add_plan_in_->Start();
  };
  add_plan_in_ = &AddSlide(form_, "Timer44", *add_plan_, -kSlideStep, nullptr, [this, &add] {
    add.enabled = true;
    CheckPlanInput();
    form_.SetFocus(time_box_);
  });
  // The description gives the delete button no action; it removes the selected plan.
  remove.on_click = [this](const MouseEvent&) {
    auto i = static_cast<std::size_t>(plans_->selected);
    if (plans_->selected < 0 || i >= plans_->items.size()) return;
    plans_->items.erase(plans_->items.begin() + plans_->selected);
    plans_->selected = -1;
  };
  // A single click does nothing: clearing takes a double-click.
  clear.on_click = [](const MouseEvent&) {};
  clear.on_double_click = [this](const MouseEvent&) {
    plans_->items.clear();
    plans_->selected = -1;
  };
}

void ClockPage::BuildAddPlan(Control& scheduler) {
  const ImageList& images = window_.images().image_list1;
  add_plan_ = &form_.Add(scheduler, ControlKind::kPanel, "Picture88");
  Place(*add_plan_, kPageHiddenLeft, 0, scheduler.width, scheduler.height);
  add_plan_->back_color = palette::kCard;
  add_plan_->visible = false;
  add_plan_->on_mouse_move = [this](const MouseEvent&) { RestoreButtonsOn(*add_plan_); };
  Control& title = AddLabel(form_, *add_plan_, "Label50", u"新增计划");
  Place(title, 660, 165, 3000, 420);
  title.font = {u"微软雅黑", 130, true};
  Control& rule = form_.Add(*add_plan_, ControlKind::kLine, "Picture88Rule");
  Place(rule, 180, 720, 4215, 0);
  rule.border_color = palette::kBorder;

  Place(AddLabel(form_, *add_plan_, "Label51", u"计划时间："), 180, 900, 4215, 330);
  time_box_ = &AddBox(form_, *add_plan_, ControlKind::kTextBox, "Text12", 315, 1320, 3945, 240);
  time_box_->max_length = kPlanTimeLength;
  Control& time_help = AddLabel(form_, *add_plan_, "Label52", u"时间格式为时:分，例如“12:30”");
  Place(time_help, 180, 1680, 4215, 330);
  time_help.fore_color = palette::kMuted;

  Place(AddLabel(form_, *add_plan_, "Label53", u"计划内容："), 180, 2130, 4215, 330);
  content_box_ = &AddBox(form_, *add_plan_, ControlKind::kTextBox, "Text13", 315, 2550, 3945, 240);
  content_box_->max_length = kPlanContentLength;
  Control& content_help = AddLabel(
      form_, *add_plan_, "Label54",
      u"计划内容可以为：!cmd指令、@网页、$拓展程序、快速打开列表的程序或文件、^搜索关键词。"
      u"例如，要计划关机，可以输入“!shutdown -s -t 0”。");
  Place(content_help, 180, 2910, 4215, 1320);
  content_help.word_wrap = true;
  content_help.fore_color = palette::kMuted;

  ok_ = &AddHoverButton(form_, *add_plan_, "Picture89", HeaderActionLeft(HeaderAction::kConfirm),
                        kHeaderTop, images, 27, u"确定");
  cancel_ = &AddHoverButton(form_, *add_plan_, "Picture90", kHeaderBackLeft, kHeaderTop, images, 29,
                            u"取消");
  ok_->visible = false;
  ok_->on_click = [this](const MouseEvent&) {
    plans_->items.push_back(PlanLine(time_box_->text, content_box_->text));
    CancelPlan();
  };
  cancel_->on_click = [this](const MouseEvent&) { CancelPlan(); };
  add_plan_out_ = &AddSlide(form_, "Timer42", *add_plan_, kSlideStep, nullptr,
                            [this] { cancel_->enabled = true; });

  // The OK button follows the input as it is typed.
  for (Control* box : {time_box_, content_box_}) {
    box->on_change = [this] { CheckPlanInput(); };
    box->on_key_down = [this](const KeyEvent& e) {
      if (Plain(e, kKeyEnter) && ok_->visible) {
        ok_->on_click(MouseEvent{});
      } else if (Plain(e, kKeyEscape) && cancel_->enabled) {
        CancelPlan();
      } else {
        return false;
      }
      return true;
    };
  }
}

void ClockPage::CheckPlanInput() {
  ok_->visible = PlanInputComplete(time_box_->text, content_box_->text);
}

void ClockPage::CancelPlan() {
  form_.TextEdited(*time_box_, u"");
  form_.TextEdited(*content_box_, u"");
  cancel_->enabled = false;
  form_.SetFocus(plans_);
  add_plan_out_->Start();
}

void ClockPage::FinishStartup() {
  for (size_t i = 0; i < hands_.size(); ++i) {
    Control& hand = *hands_[i];
    hand.left = FaceTwipsX(0, kFaceSize);
    hand.top = FaceTwipsY(0, kFaceSize);
    FacePoint end = FaceUnits(kHands[i].end_x, kHands[i].end_y, kFaceSize);
    lengths_[i] = std::hypot(end.x, end.y);
    hand.width = kHands[i].end_x - hand.left;
    hand.height = kHands[i].end_y - hand.top;
  }
  for (Control* panel : {scheduler_, add_plan_}) {
    panel->left = kPageHiddenLeft;
    panel->top = 0;
    panel->visible = false;
  }
}

void ClockPage::Open() {
  UpdateHands();
  hand_tick_->Start();
  time_label_->text = services_.clock.TimeText(services_.clock.Now());
  window_.OpenPage(PageId::kClock);
  scheduler_tick_->Start();
}

void ClockPage::UpdateHands() {
  const LocalTime now = services_.clock.Now();
  const HandAngles a = HandAnglesAt(now.hour, now.minute, now.second);
  const std::array<float, 3> angles = {a.second, a.minute, a.hour};
  for (size_t i = 0; i < hands_.size(); ++i) {
    Control& hand = *hands_[i];
    FacePoint end = HandEnd(lengths_[i], angles[i]);
    hand.width = FaceTwipsX(end.x, kFaceSize) - hand.left;
    hand.height = FaceTwipsY(end.y, kFaceSize) - hand.top;
  }
}

void ClockPage::SchedulerTick() {
  const LocalTime now = services_.clock.Now();
  time_label_->text = services_.clock.TimeText(now);
  std::optional<std::u16string> due = TakeDuePlan(plans_->items, PlanMinute(now));
  if (!due) return;
  plans_->selected = -1;
  form_.TextEdited(window_.command_box(), *due);
  if (window_.on_execute) window_.on_execute();
}

}  // namespace velmo
