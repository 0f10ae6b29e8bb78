// How the media engine writes positions and lengths.
#include "box/platform/media_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

TEST(FormatMinutesSecondsTest, MinutesAndSeconds) {
  const struct {
    double seconds;
    const char16_t* text;
  } cases[] = {
      {0, u"00:00"},
      {5.9, u"00:05"},  // cut off, not rounded: the display never runs ahead of the sound
      {59.99, u"00:59"},
      {60, u"01:00"},
      {207, u"03:27"},
      {599.5, u"09:59"},
      {4500, u"75:00"},
      {6000, u"100:00"},
      {-3, u"00:00"},
      {std::nan(""), u"00:00"},
      {std::numeric_limits<double>::infinity(), u"00:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(Utf16ToUtf8(FormatMinutesSeconds(c.seconds)), Utf16ToUtf8(c.text));
  }
}

}  // namespace
}  // namespace velmo
