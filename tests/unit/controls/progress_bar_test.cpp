// The progress bar's arithmetic: the stick's width holds the value, a resize keeps it, and a value
// out of range is refused with the error box.
#include "box/controls/progress_bar.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/fake_dialogs.h"

namespace velmo {
namespace {

TEST(ProgressBarTest, TheStickHoldsTheValueThroughWritesAndResizes) {
  Form form;
  FakeDialogs dialogs;
  ProgressBar bar(form, form.root(), "sProgressBar1", 120, 1440, 3000, 255, dialogs);
  Control& stick = form.Get("sProgressBar1.Picture2");
  EXPECT_FLOAT_EQ(bar.Value(), 50);
  EXPECT_EQ(bar.StickColor(), Rgb(51, 153, 255));
  EXPECT_EQ(bar.MaskColor(), Rgb(255, 255, 255));
  EXPECT_FALSE(bar.ShowBorder());
  EXPECT_EQ(stick.left, -15);
  EXPECT_EQ(stick.height, 255);

  const struct {
    float value;
    int stick_width;
    float reads;
  } writes[] = {{0, 15, 0}, {100, 3015, 100}, {33.3333f, 1015, 33.333f}, {40, 1215, 40}};
  for (const auto& w : writes) {
    bar.SetValue(w.value);
    EXPECT_EQ(stick.width, w.stick_width) << w.value;
    EXPECT_FLOAT_EQ(bar.Value(), w.reads) << w.value;
  }

  bar.Resize(6000, 300);
  EXPECT_EQ(stick.width, 2415);
  EXPECT_EQ(stick.height, 300);
  EXPECT_EQ(form.Get("sProgressBar1.Picture1").width, 6000);
  EXPECT_FLOAT_EQ(bar.Value(), 40);

  for (float bad : {100.5f, -1.0f, std::nanf("")}) {
    bar.SetValue(bad);
    EXPECT_EQ(stick.width, 2415) << bad;
  }
  ASSERT_EQ(dialogs.errors.size(), 3u);
  EXPECT_EQ(dialogs.errors[0], u"错误提示: 无效属性值。Value的值介于0-100之间，且包括0和100。");
}

}  // namespace
}  // namespace velmo
