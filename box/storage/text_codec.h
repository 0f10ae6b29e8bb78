// Text files of the box: GBK (code page 936) as delivered, UTF-8 as edited by users.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

enum class TextEncoding { kGbk, kUtf8, kUtf8WithBom };

struct DecodedText {
  std::u16string text;
  TextEncoding encoding = TextEncoding::kGbk;
  // Bytes that formed no character. Each is kept as U+DC80 + byte so that writing the text
  // back in the same encoding restores it unchanged.
  std::size_t invalid_bytes = 0;
};

// A BOM selects UTF-8; otherwise valid UTF-8 with at least one sequence of three or four bytes
// (such as any Chinese character) is UTF-8; anything else is GBK.
TextEncoding DetectEncoding(std::string_view bytes);
DecodedText DecodeText(std::string_view bytes);
// Decodes a piece of a file whose encoding is known (a BOM, if any, is not part of the piece).
std::u16string DecodeAs(std::string_view bytes, TextEncoding encoding);
// Position of the first byte at or after `from` that the decoder reads as the ASCII character
// `c` on its own (in GBK the second byte of a pair may look like ASCII), or npos. `from` must
// start a character.
std::size_t FindAsciiCharacter(std::string_view bytes, TextEncoding encoding, char c,
                               std::size_t from = 0);
DecodedText DecodeGbk(std::string_view bytes);
DecodedText DecodeUtf8(std::string_view bytes);

// nullopt when some character has no GBK form.
std::optional<std::string> EncodeGbk(std::u16string_view text);
std::string EncodeUtf8(std::u16string_view text);
// GBK when every character fits, else UTF-8 with a BOM: old files stay byte-compatible and
// no character is ever lost.
std::string EncodeText(std::u16string_view text);

// Splits at CR LF, LF or a lone CR; a final line break does not add an empty line.
std::vector<std::u16string> SplitLines(std::u16string_view text);

std::u16string Utf8ToUtf16(std::string_view utf8);  // for literals and tests
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace velmo
