// The drawer's help button on the whole box: the help file beside the box goes to explorer
// as one quoted argument; without it the message panel says so and nothing is started.
#include "box/command/help_file.h"

#include <gtest/gtest.h>

#include "box/app/box.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

TEST(HelpFileTest, HelpButtonOpensTheFileBesideTheBoxOrSaysItIsMissing) {
  FakeServiceSet fakes;
  BoxState state;
  state.program_folder = u"C:\\My Box";
  Box box(state, fakes.services);
  box.Startup();
  Form& form = box.window().form();
  form.Click(form.Get("Picture36"));  // the drawer slides out
  for (int i = 0; i < 20; ++i) form.Tick("Timer4");
  Control& button = form.Get("PicHelpFile");
  Control& panel = form.Get("PicMessage");
  ASSERT_FALSE(panel.visible);

  form.Click(button);
  EXPECT_TRUE(panel.visible);
  EXPECT_EQ(form.Get("LblMessageTitle").text, u"帮助文件丢失");
  EXPECT_EQ(form.Get("LblMessage").text, u"未找到帮助文件，无法显示帮助。");
  EXPECT_TRUE(fakes.launcher.calls.empty());

  // A file of that name elsewhere is not the help file.
  fakes.files.AddFile(u"C:\\My Box\\DATA\\帮助.chm", "");
  fakes.files.AddFile(u"C:\\帮助.chm", "");
  form.Click(button);
  EXPECT_TRUE(fakes.launcher.calls.empty());

  fakes.files.AddFile(u"C:\\My Box\\帮助.chm", "ITSF");
  const LaunchCall explorer = CommandLineCall(u"explorer \"C:\\My Box\\帮助.chm\"");
  form.Click(button);
  EXPECT_EQ(fakes.launcher.calls, std::vector{explorer});
  EXPECT_EQ(form.Get("LblMessageTitle").text, u"无法显示帮助") << "explorer could not start";
  fakes.launcher.calls.clear();
  fakes.launcher.programs = {u"explorer"};
  form.Get("LblMessageTitle").text.clear();
  form.Click(button);
  EXPECT_EQ(fakes.launcher.calls, std::vector{explorer});
  EXPECT_EQ(form.Get("LblMessageTitle").text, u"") << "no message when the help opens";
}

}  // namespace
}  // namespace velmo
