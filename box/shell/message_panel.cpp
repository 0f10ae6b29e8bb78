// Message panel slides and keys.
#include "box/shell/message_panel.h"

#include "box/shell/window_parts.h"

namespace velmo {

MessagePanel::MessagePanel(Form& form, const ImageList& image_list1,
                           std::function<void()> focus_command_box)
    : form_(form),
      focus_command_box_(std::move(focus_command_box)),
      panel_(form.Add(form.root(), ControlKind::kPanel, "PicMessage")),
      title_(form.Add(panel_, ControlKind::kLabel, "LblMessageTitle")),
      text_(form.Add(panel_, ControlKind::kTextBox, "LblMessage")),
      close_(form.Add(panel_, ControlKind::kPicture, "Picture21")),
      slide_up_(form.AddTimer("Timer16", kSlideIntervalMs, [this] { SlideUpTick(); })),
      slide_down_(form.AddTimer("Timer15", kSlideIntervalMs, [this] { SlideDownTick(); })) {
  panel_.left = 0;
  panel_.top = kMessageStartTop;
  panel_.width = 4575;
  panel_.height = 5535;
  panel_.back_color = palette::kCard;
  // A reader reads the message out as it comes up.
  panel_.access.role = AccessInfo::Role::kAlert;
  // Resting below the client area it would still show a strip over the command
  // box.
  panel_.visible = false;
  panel_.on_mouse_move = [this](const MouseEvent&) { RestoreNormalImage(close_); };
  panel_.on_key_down = [this](const KeyEvent& e) {
    if (e.key != 32) return false;
    Close();
    return true;
  };

  title_.left = 360;
  title_.top = 300;
  title_.width = 3600;
  title_.height = 420;
  title_.text = u"消息标题";
  title_.font = {u"微软雅黑", 130, true};
  title_.fore_color = palette::kText;

  text_.left = 360;
  text_.top = 960;
  text_.width = 3855;
  text_.height = 4320;
  text_.multi_line = true;
  text_.read_only = true;
  text_.text = u"消息内容\r\n";
  text_.font = {u"微软雅黑", 105, false};
  text_.fore_color = palette::kText;
  text_.back_color = palette::kCard;

  MakeHoverButton(close_, image_list1, 29, u"关闭");
  close_.left = 4035;
  close_.top = 270;
  close_.width = 360;
  close_.height = 360;
  close_.on_click = [this](const MouseEvent&) { Close(); };
}

void MessagePanel::ShowMessage(const std::u16string& text, const std::u16string& title) {
  form_.Beep();
  text_.text = text;
  title_.text = title;
  panel_.visible = true;
  // A slide-down still running gives way to the slide-up.
  if (slide_down_.enabled) {
    slide_down_.Stop();
    close_.enabled = true;
  }
  slide_up_.Start();
}

void MessagePanel::Close() {
  close_.enabled = false;
  slide_down_.Start();
}

void MessagePanel::SlideUpTick() {
  if (!SlideTick(panel_.top, -kSlideStep, 0)) return;
  close_.enabled = true;
  slide_up_.Stop();
  form_.SetFocus(&panel_);
}

void MessagePanel::SlideDownTick() {
  if (!SlideTick(panel_.top, kSlideStep, kMessageRestTop)) return;
  close_.enabled = true;
  text_.text.clear();
  slide_down_.Stop();
  panel_.visible = false;
  if (focus_command_box_) focus_command_box_();
}

}  // namespace velmo
