// Any text as a "#" expression: evaluation ends quickly without a fault, any result reads back
// as a string literal, and a number's text evaluates to itself.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "box/command/expression.h"
#include "box/storage/text_codec.h"

using namespace velmo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<std::u16string> result = EvaluateExpression(DecodeUtf8(bytes).text);
  if (result && result->size() < 500) {
    std::u16string literal = u"\"";
    for (char16_t c : *result) literal += c == u'"' ? u"\"\"" : std::u16string(1, c);
    if (EvaluateExpression(literal + u"\"") != result) std::abort();
  }

  if (size >= 8) {
    double value;
    std::memcpy(&value, data, 8);
    // The largest doubles print as 15 digits that round beyond the range; subnormals carry fewer
    // than 15 digits.
    if (std::isfinite(value) && std::fabs(value) < 1e308 && (value == 0 || std::isnormal(value))) {
      char buf[40];
      char* end = std::to_chars(buf, buf + sizeof buf, value).ptr;
      std::optional<std::u16string> shown =
          EvaluateExpression(Utf8ToUtf16(std::string_view(buf, end - buf)));
      if (!shown || EvaluateExpression(*shown) != shown) std::abort();
    }
  }
  return 0;
}
