// The item list's icons: sent for when the page first opens, never before the first picture,
// once per path and size, shown as they arrive, kept in step with the list, and fetched again at
// the size of a new dpi.
#include <gtest/gtest.h>

#include <memory>

#include "box/command/command_pages.h"
#include "box/command/preview_panel.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

class ItemIconsTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  void SetUp() override {
    state.program_folder = u"C:\\Box";
    for (auto [name, path] :
         {std::pair{u"记事本", u"C:\\Windows\\notepad.exe"}, std::pair{u"文档", u"D:\\readme.txt"},
          std::pair{u"又一个记事本", u"C:\\Windows\\notepad.exe"}}) {
      state.lists.items.list.Append(name, path);
    }
    window = std::make_unique<MainWindow>(state, services);
    pages = std::make_unique<CommandPages>(*window, state, services);
    preview = std::make_unique<PreviewPanel>(*window, state, services, *pages);
    window->FinishStartup();
    pages->FinishStartup();
  }
  Form& form() { return window->form(); }
  int TickUntilStopped(const char* name) {
    int n = 0;
    for (; n < 100 && form().timer(name).enabled; ++n) form().Tick(name);
    return n;
  }
  std::uint32_t FirstPixel(int entry) {
    const auto& icon = form().Get("List1").item_icons.at(static_cast<std::size_t>(entry));
    return icon ? icon->pixels.at(0) : 0xDEAD;
  }

  BoxState state;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<CommandPages> pages;
  std::unique_ptr<PreviewPanel> preview;
};

TEST_F(ItemIconsTest, IconsComeOncePerPathWhenThePageOpensAndFollowTheListAndTheDpi) {
  Control& list = form().Get("List1");
  EXPECT_EQ(list.icon_twips, kItemIconTwips);
  form().Tick("TimerAfterShown");
  EXPECT_TRUE(icons.requests.empty()) << "nothing is fetched for the first picture";

  form().Click(form().Get("Picture39", 2));
  TickUntilStopped("Timer20");
  ASSERT_TRUE(form().timer("TimerIcons").enabled);
  form().Tick("TimerIcons");
  using Request = std::pair<std::u16string, int>;
  EXPECT_EQ(icons.requests,
            (std::vector<Request>{{u"C:\\Windows\\notepad.exe", 16}, {u"D:\\readme.txt", 16}}))
      << "one fetch per path, at 16 pixels at 96 dpi";
  EXPECT_EQ(list.item_icons, (std::vector<std::shared_ptr<const IconPixels>>(3, nullptr)))
      << "a blank place while they are on their way";

  icons.AnswerAll();
  form().Tick("TimerIcons");
  EXPECT_FALSE(form().timer("TimerIcons").enabled) << "nothing left on its way";
  EXPECT_EQ(FirstPixel(0), 0u);
  EXPECT_EQ(FirstPixel(1), 1u);
  EXPECT_EQ(FirstPixel(2), 0u) << "the same path shows the same icon";
  EXPECT_EQ(list.item_icons[0]->size, 16);

  // Deleting the first entry moves the icons with the names; an added item's is sent for.
  list.selected = 0;
  form().Click(form().Get("Picture6"));
  EXPECT_EQ(FirstPixel(0), 1u);
  EXPECT_EQ(FirstPixel(1), 0u);
  pages->item_list().AddItem(u"画图", u"C:\\Windows\\mspaint.exe");
  ASSERT_EQ(list.item_icons.size(), 3u);
  EXPECT_EQ(list.item_icons[2], nullptr);
  form().Tick("TimerIcons");
  EXPECT_EQ(icons.requests.back(), Request(u"C:\\Windows\\mspaint.exe", 16));
  icons.AnswerAll();
  TickUntilStopped("TimerIcons");
  EXPECT_EQ(FirstPixel(2), 2u);

  // On a 150 % screen the page's next opening fetches them at 24 pixels; the old ones show until
  // then.
  screen.dpi = 144;
  form().Click(form().Get("Picture34"));
  TickUntilStopped("Timer19");
  form().Click(form().Get("Picture39", 2));
  form().Tick("Timer20");
  form().Tick("TimerIcons");
  EXPECT_EQ(icons.requests.size(), 6u);
  EXPECT_EQ(icons.requests.back().second, 24);
  icons.AnswerAll();
  TickUntilStopped("TimerIcons");
  EXPECT_EQ(list.item_icons[0]->size, 24);
}

// The suggestions under the command box show the same icons, sent for as they are listed: the
// keystroke never waits for one.
TEST_F(ItemIconsTest, SuggestionsShowTheirItemsIconsAsTheyArrive) {
  Control& text2 = form().Get("Text2");
  form().TextEdited(text2, u"记事本");
  ASSERT_GE(preview->suggestions().size(), 2u);
  EXPECT_EQ(icons.requests,
            (std::vector<std::pair<std::u16string, int>>{{u"C:\\Windows\\notepad.exe", 16}}))
      << "only what is listed";
  EXPECT_EQ(form().Get("PicSuggestionIcon", 0).icon, nullptr);
  EXPECT_EQ(form().Get("PicSuggestionIcon", 0).parent(), &form().Get("PicSuggestion", 0));
  ASSERT_TRUE(form().timer("TimerIcons").enabled);
  icons.AnswerAll();
  form().Tick("TimerIcons");
  ASSERT_NE(form().Get("PicSuggestionIcon", 0).icon, nullptr);
  EXPECT_EQ(form().Get("PicSuggestionIcon", 1).icon, form().Get("PicSuggestionIcon", 0).icon);
  EXPECT_FALSE(form().timer("TimerIcons").enabled);
  EXPECT_TRUE(form().Get("List1").item_icons.empty()) << "the item list page never opened";

  // Listed again, an icon that has arrived shows at once.
  form().TextEdited(text2, u"");
  form().TextEdited(text2, u"记事本");
  EXPECT_NE(form().Get("PicSuggestionIcon", 0).icon, nullptr);
  EXPECT_EQ(icons.requests.size(), 1u);
}

}  // namespace
}  // namespace velmo
