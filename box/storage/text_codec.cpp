// GBK and UTF-8 codecs with invalid bytes escaped into lone low surrogates.
#include "box/storage/text_codec.h"

#include <array>
#include <cstdint>

namespace velmo {
namespace {

constexpr std::uint16_t kGbkTable[] = {
#include "box/storage/gbk_table.inc"
};
constexpr int kTrailCount = 190;  // 0x40..0xFE without 0x7F
constexpr char16_t kEuro = 0x20AC;

constexpr char16_t Escape(unsigned char byte) { return static_cast<char16_t>(0xDC00 + byte); }
constexpr bool IsEscaped(char16_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

int TrailIndex(unsigned char trail) {
  if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return -1;
  return trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

// Unicode -> GBK pair, built once from the decode table.
const std::vector<std::uint16_t>& ReverseTable() {
  static const std::vector<std::uint16_t> table = [] {
    std::vector<std::uint16_t> rev(0x10000, 0);
    for (int lead = 0; lead < 126; ++lead) {
      for (int t = 0; t < kTrailCount; ++t) {
        std::uint16_t u = kGbkTable[lead * kTrailCount + t];
        if (u == 0 || rev[u] != 0) continue;
        int trail = 0x40 + t + (t >= 0x3F ? 1 : 0);
        rev[u] = static_cast<std::uint16_t>(((0x81 + lead) << 8) | trail);
      }
    }
    return rev;
  }();
  return table;
}

// Length of the valid UTF-8 sequence at p (1..4), or 0.
int Utf8SequenceLength(const unsigned char* p, std::size_t avail, char32_t* out) {
  unsigned char c = p[0];
  if (c < 0x80) {
    *out = c;
    return 1;
  }
  int len;
  char32_t cp;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (avail < static_cast<std::size_t>(len)) return 0;
  for (int i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  *out = cp;
  return len;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// Valid UTF-8 with at least one three- or four-byte sequence (every CJK character has one).
// Two-byte sequences alone prove nothing: each of them is also a GBK character ("小" is D0 A1,
// UTF-8 for "С"), and reading such a GBK file as UTF-8 would rewrite it with other bytes, while
// the opposite mistake writes the same bytes back.
bool LooksLikeUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  bool long_sequence = false;
  for (std::size_t i = 0; i < n;) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    char32_t cp;
    int len = Utf8SequenceLength(p + i, n - i, &cp);
    if (len == 0) return false;
    long_sequence |= len >= 3;
    i += len;
  }
  return long_sequence;
}

}  // namespace

DecodedText DecodeGbk(std::string_view bytes) {
  DecodedText result;
  result.encoding = TextEncoding::kGbk;
  std::u16string& out = result.text;
  // Never more characters than bytes: written in place, then cut to size, as start-up decodes
  // whole lists at once.
  out.resize(bytes.size());
  std::size_t k = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    unsigned char c = p[i];
    if (c < 0x80) {
      out[k++] = c;
      ++i;
    } else if (c == 0x80) {
      out[k++] = kEuro;
      ++i;
    } else if (c != 0xFF && i + 1 < n) {
      int t = TrailIndex(p[i + 1]);
      std::uint16_t u = t < 0 ? 0 : kGbkTable[(c - 0x81) * kTrailCount + t];
      if (u != 0) {
        out[k++] = u;
        i += 2;
      } else {
        out[k++] = Escape(c);
        ++result.invalid_bytes;
        ++i;
      }
    } else {
      out[k++] = Escape(c);
      ++result.invalid_bytes;
      ++i;
    }
  }
  out.resize(k);
  return result;
}

DecodedText DecodeUtf8(std::string_view bytes) {
  DecodedText result;
  result.encoding = TextEncoding::kUtf8;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    result.encoding = TextEncoding::kUtf8WithBom;
    bytes.remove_prefix(3);
  }
  std::u16string& out = result.text;
  out.reserve(bytes.size());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    char32_t cp;
    int len = Utf8SequenceLength(p + i, n - i, &cp);
    if (len == 0) {
      out.push_back(Escape(p[i]));
      ++result.invalid_bytes;
      ++i;
    } else {
      AppendCodePoint(out, cp);
      i += len;
    }
  }
  return result;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return TextEncoding::kUtf8WithBom;
  return LooksLikeUtf8(bytes) ? TextEncoding::kUtf8 : TextEncoding::kGbk;
}

DecodedText DecodeText(std::string_view bytes) {
  return DetectEncoding(bytes) == TextEncoding::kGbk ? DecodeGbk(bytes) : DecodeUtf8(bytes);
}

std::u16string DecodeAs(std::string_view bytes, TextEncoding encoding) {
  return encoding == TextEncoding::kGbk ? DecodeGbk(bytes).text : DecodeUtf8(bytes).text;
}

std::size_t FindAsciiCharacter(std::string_view bytes, TextEncoding encoding, char c,
                               std::size_t from) {
  // In UTF-8 no byte of a multi-byte sequence is below 0x80.
  if (encoding != TextEncoding::kGbk) return bytes.find(c, from);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  for (std::size_t i = from; i < n;) {
    unsigned char b = p[i];
    if (b == static_cast<unsigned char>(c)) return i;
    // The same steps as DecodeGbk: a pair only when it is an assigned character.
    if (b > 0x80 && b != 0xFF && i + 1 < n) {
      int t = TrailIndex(p[i + 1]);
      i += (t >= 0 && kGbkTable[(b - 0x81) * kTrailCount + t] != 0) ? 2 : 1;
    } else {
      ++i;
    }
  }
  return std::string_view::npos;
}

std::optional<std::string> EncodeGbk(std::u16string_view text) {
  const auto& rev = ReverseTable();
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c == kEuro) {
      out.push_back('\x80');
    } else if (IsEscaped(c)) {
      out.push_back(static_cast<char>(c - 0xDC00));
    } else if (std::uint16_t pair = rev[c]; pair != 0) {
      out.push_back(static_cast<char>(pair >> 8));
      out.push_back(static_cast<char>(pair & 0xFF));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (IsEscaped(text[i])) {
      out.push_back(static_cast<char>(cp - 0xDC00));
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // an unpaired surrogate has no UTF-8 form
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string EncodeText(std::u16string_view text) {
  if (auto gbk = EncodeGbk(text)) return std::move(*gbk);
  return "\xEF\xBB\xBF" + EncodeUtf8(text);
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::u16string Utf8ToUtf16(std::string_view utf8) { return DecodeUtf8(utf8).text; }
std::string Utf16ToUtf8(std::u16string_view text) { return EncodeUtf8(text); }

}  // namespace velmo
