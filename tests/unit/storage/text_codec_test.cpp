// GBK and UTF-8 decoding and encoding, detection, invalid bytes, line splitting.
#include "box/storage/text_codec.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(TextCodec, KnownGbkBytes) {
  const struct {
    std::u16string text;
    std::string gbk;
  } cases[] = {
      {u"abc 123", "abc 123"},
      {u"中文", "\xD6\xD0\xCE\xC4"},
      {u"你好", "\xC4\xE3\xBA\xC3"},
      {u"·@", "\xA1\xA4@"},
      {u"€", "\x80"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeGbk(c.text), c.gbk);
    DecodedText decoded = DecodeGbk(c.gbk);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.invalid_bytes, 0u);
  }
}

TEST(TextCodec, EveryDoubleBytePairRoundTripsThroughGbk) {
  // Valid pairs come back as the same pair, invalid bytes as themselves.
  for (int lead = 0x81; lead <= 0xFF; ++lead) {
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      std::string bytes{static_cast<char>(lead), static_cast<char>(trail), 'z'};
      ASSERT_EQ(EncodeGbk(DecodeGbk(bytes).text), bytes) << lead << " " << trail;
    }
  }
}

TEST(TextCodec, EncodeTextChoosesGbkWhenEverythingFits) {
  EXPECT_EQ(EncodeText(u"维莫盒子！"), *EncodeGbk(u"维莫盒子！"));
  // GBK has no form for U+1F600, so the file becomes UTF-8 rather than lose it.
  std::u16string text = u"音乐 \U0001F600";
  std::string bytes = EncodeText(text);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  DecodedText decoded = DecodeText(bytes);
  EXPECT_EQ(decoded.encoding, TextEncoding::kUtf8WithBom);
  EXPECT_EQ(decoded.text, text);
}

TEST(TextCodec, DetectsTheEncoding) {
  const struct {
    std::string bytes;
    TextEncoding encoding;
    std::u16string text;
  } cases[] = {
      {"plain", TextEncoding::kGbk, u"plain"},
      {"", TextEncoding::kGbk, u""},
      {"\xD6\xD0\xCE\xC4", TextEncoding::kGbk, u"中文"},
      {"\xE4\xB8\xAD\xE6\x96\x87", TextEncoding::kUtf8, u"中文"},
      {"a\xF0\x9F\x98\x80", TextEncoding::kUtf8, u"a\U0001F600"},
      // Two-byte UTF-8 forms are GBK characters too; GBK wins, so the bytes survive a save.
      {"\xD0\xA1*1", TextEncoding::kGbk, u"小*1"},
      {"caf\xC3\xA9 \xE4\xB8\xAD", TextEncoding::kUtf8, u"café 中"},
      {"\xEF\xBB\xBF" "a", TextEncoding::kUtf8WithBom, u"a"},
      {"\xEF\xBB\xBF", TextEncoding::kUtf8WithBom, u""},
  };
  for (const auto& c : cases) {
    DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.bytes;
    EXPECT_EQ(decoded.text, c.text) << c.bytes;
  }
}

TEST(TextCodec, InvalidBytesAreKeptAndTheRestIsRead) {
  const struct {
    std::string bytes;
    std::size_t invalid;
    std::u16string text;
  } cases[] = {
      {"a\xFF" "b", 1, u"a\xDCFF" "b"},
      {"ab\x81", 1, u"ab\xDC81"},                 // a lead byte at the very end
      {"\x81\x0A\xD6\xD0", 1, u"\xDC81\n中"},      // a lead byte before a line break
      {"\xEF\xBB\xBFx\xC0y", 1, u"x\xDCC0y"},     // an overlong form in a UTF-8 file
      {"\xEF\xBB\xBF\xE4\xB8", 2, u"\xDCE4\xDCB8"},  // a cut sequence
  };
  for (const auto& c : cases) {
    DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.invalid_bytes, c.invalid) << c.bytes;
    EXPECT_EQ(decoded.text, c.text) << c.bytes;
    std::string again = decoded.encoding == TextEncoding::kGbk
                            ? *EncodeGbk(decoded.text)
                            : "\xEF\xBB\xBF" + EncodeUtf8(decoded.text);
    EXPECT_EQ(again, c.bytes);
  }
}

TEST(TextCodec, Utf8RoundTripsSupplementaryCharacters) {
  std::u16string text = u"a\U00010080中\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"\xD800"), "\xEF\xBF\xBD");  // a lone high surrogate
}

TEST(TextCodec, SplitLines) {
  const struct {
    std::u16string text;
    std::vector<std::u16string> lines;
  } cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\r\nb\r\n", {u"a", u"b"}},
      {u"a\nb\rc", {u"a", u"b", u"c"}},
      {u"\r\n", {u""}},
      {u"a\r\n\r\nb", {u"a", u"", u"b"}},
      {u"a\n\r", {u"a", u""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << Utf16ToUtf8(c.text);
}

}  // namespace
}  // namespace velmo
