// Any text run in the command box, after any prefix, up to 100,000 characters, unpaired
// surrogates included: the box never fails, every message is a titled sentence, and what reaches
// the launcher is what the text asks for. "@" and "^" start explorer with one quoted address of
// at most 2048 characters that holds the text (percent-encoded as UTF-8 for "^"), or say that the
// address is too long and start nothing.
//
// Input: one byte picks the prefix, two give the length (the low 15 bits, times 4 when the top
// bit is set; 0 for the body as it is), the rest are UTF-16 units repeated to that length.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "box/command/command_box.h"
#include "box/command/command_prefix.h"
#include "fakes/fake_command_surface.h"
#include "fakes/fake_services_set.h"

using namespace velmo;

namespace {

constexpr std::size_t kMaxLength = 100000;
constexpr std::u16string_view kSearch = u"https://www.baidu.com/s?ie=UTF-8&wd=";

struct Prefix {
  std::u16string_view typed;
  char16_t symbol;
};
constexpr std::array<Prefix, 17> kPrefixes = {{
    {u"", 0},
    {u"!", u'!'},
    {u"@", u'@'},
    {u"^", u'^'},
    {u"#", u'#'},
    {u"$", u'$'},
    {u"%", u'%'},
    {u"&", u'&'},
    {u"*", u'*'},
    {u"！", u'!'},
    {u"＠", u'@'},
    {u"……", u'^'},
    {u"＃", u'#'},
    {u"￥", u'$'},
    {u"％", u'%'},
    {u"＆", u'&'},
    {u"＊", u'*'},
}};

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// UTF-8 as a browser sends a query: an unpaired surrogate has no form and becomes U+FFFD.
std::string QueryBytes(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsSurrogate(static_cast<char16_t>(cp))) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

bool IsUnreserved(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'-' || c == u'.' || c == u'_' || c == u'~';
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;  // lower case is not what the box writes
}

// The bytes a query names: unreserved characters as they are, every other byte as %XX.
std::string DecodeQuery(std::u16string_view query) {
  std::string out;
  for (std::size_t i = 0; i < query.size(); ++i) {
    if (IsUnreserved(query[i])) {
      out += static_cast<char>(query[i]);
      continue;
    }
    Check(query[i] == u'%' && i + 2 < query.size());
    int high = HexValue(query[i + 1]), low = HexValue(query[i + 2]);
    Check(high >= 0 && low >= 0);
    const auto byte = static_cast<unsigned char>(high * 16 + low);
    Check(!IsUnreserved(byte));  // an unreserved byte is never encoded
    out += static_cast<char>(byte);
    i += 2;
  }
  return out;
}

bool StartsWithNoCase(std::u16string_view s, std::u16string_view lower_prefix) {
  if (s.size() < lower_prefix.size()) return false;
  for (std::size_t i = 0; i < lower_prefix.size(); ++i) {
    char16_t c = s[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != lower_prefix[i]) return false;
  }
  return true;
}

// The address inside `explorer "..."`, its doubled trailing backslashes made single again.
std::u16string AddressOf(const LaunchCall& call) {
  Check(call.kind == LaunchCall::Kind::kCommandLine);
  std::u16string_view line = call.text;
  constexpr std::u16string_view kStart = u"explorer \"";
  Check(line.starts_with(kStart) && line.size() > kStart.size() && line.back() == u'"');
  std::u16string_view inside = line.substr(kStart.size(), line.size() - kStart.size() - 1);
  Check(inside.find(u'"') == std::u16string_view::npos);  // one argument
  std::size_t backslashes = 0;
  while (backslashes < inside.size() && inside[inside.size() - 1 - backslashes] == u'\\') {
    ++backslashes;
  }
  Check(backslashes % 2 == 0);
  Check(SplitCommandLine(line).program == u"explorer");
  return std::u16string(inside.substr(0, inside.size() - backslashes / 2));
}

// The length of the address, counted from the text alone.
std::size_t ExpectedLength(char16_t symbol, std::u16string_view argument) {
  if (symbol == u'^') {
    std::size_t length = kSearch.size();
    for (unsigned char byte : QueryBytes(argument)) length += IsUnreserved(byte) ? 1 : 3;
    return length;
  }
  std::size_t length = argument.size();
  if (!StartsWithNoCase(argument, u"http://") && !StartsWithNoCase(argument, u"https://")) {
    length += 7;
  }
  for (char16_t c : argument) length += c == u'"' ? 2 : 0;
  return length;
}

void CheckAddress(char16_t symbol, std::u16string_view argument, std::u16string_view address) {
  if (symbol == u'^') {
    Check(address.starts_with(kSearch));
    Check(DecodeQuery(address.substr(kSearch.size())) == QueryBytes(argument));
    return;
  }
  std::u16string_view rest = address;
  if (!StartsWithNoCase(argument, u"http://") && !StartsWithNoCase(argument, u"https://")) {
    Check(rest.starts_with(u"http://"));
    rest.remove_prefix(7);
  }
  // The text as typed, each quote as %22.
  std::size_t at = 0;
  for (char16_t c : argument) {
    std::u16string_view expected = c == u'"' ? u"%22" : std::u16string_view(&c, 1);
    Check(rest.substr(at, expected.size()) == expected);
    at += expected.size();
  }
  Check(at == rest.size());
}

std::u16string TextFrom(const std::uint8_t* data, std::size_t size, const Prefix& prefix) {
  std::u16string body;
  for (std::size_t i = 3; i + 1 < size; i += 2) {
    body += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  }
  const unsigned length_code = size >= 3 ? data[1] | (data[2] << 8) : 0;
  std::size_t length = (length_code & 0x7FFF) * ((length_code & 0x8000) ? 4 : 1);
  if (length > kMaxLength) length = kMaxLength;
  if (length != 0) {
    if (body.empty()) body = u"a";
    std::u16string repeated;
    repeated.reserve(length);
    while (repeated.size() < length) repeated += body.substr(0, length - repeated.size());
    body = std::move(repeated);
  }
  return std::u16string(prefix.typed) + body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Prefix& prefix = kPrefixes[data[0] % kPrefixes.size()];
  const std::u16string text = TextFrom(data, size, prefix);
  // A body that starts with a prefix of its own is that prefix's case.
  if (prefix.symbol == 0 && PrefixOf(text).length != 0) return 0;
  const std::u16string argument = text.substr(prefix.typed.size());

  FakeServiceSet fakes;
  fakes.launcher.programs = {u"explorer", u"C:\\Tools\\a.exe", u"C:\\Box\\Plugins\\ext.exe"};
  fakes.files.AddFile(u"C:\\Tools\\a.exe", "");
  fakes.files.AddFile(u"C:\\Box\\Plugins\\ext.exe", "");
  fakes.files.AddFile(u"C:\\Box\\Plugins\\web.lnk", "");
  BoxState state;
  state.program_folder = u"C:\\Box";
  state.lists.items.list.Append(u"a", u"C:\\Tools\\a.exe");
  state.lists.items.list.Append(u"文档", u"D:\\文档.txt");
  FakeCommandSurface surface;
  ItemList items(state, fakes.services, surface);
  Extensions extensions(state, fakes.services, surface);
  CommandBox box(fakes.services, surface, items, extensions);

  const bool emptied = box.Run(text);

  for (const ShownMessage& m : surface.messages) {
    Check(!m.title.empty() && m.text.ends_with(u"。"));
  }
  const auto& calls = fakes.launcher.calls;
  switch (prefix.symbol) {
    case u'#':
    case u'&':
    case u'%':
      Check(!emptied && calls.empty() && surface.messages.empty());
      break;
    case u'!':
      Check(emptied && calls.size() == 1 && calls[0] == CommandLineCall(argument));
      break;
    case u'@':
    case u'^': {
      Check(emptied);
      const std::size_t length = ExpectedLength(prefix.symbol, argument);
      if (length > kMaxWebAddressLength) {
        Check(calls.empty() && surface.messages.size() == 1 &&
              surface.messages[0].title == u"网址过长");
        const std::string digits = std::to_string(length);
        Check(surface.messages[0].text.find(std::u16string(digits.begin(), digits.end())) !=
              std::u16string::npos);
      } else {
        Check(calls.size() == 1 && surface.messages.empty());
        const std::u16string address = AddressOf(calls[0]);
        Check(address.size() == length);
        CheckAddress(prefix.symbol, argument, address);
      }
      break;
    }
    case u'$':
      // Only what the Plugins folder holds, and only for the name typed.
      Check(emptied && calls.size() + surface.messages.size() == 1);
      for (const LaunchCall& call : calls) {
        Check(call.text == u"C:\\Box\\Plugins\\" + argument + u".exe" ||
              call.text == u"C:\\Box\\Plugins\\" + argument + u".lnk");
      }
      break;
    default:
      Check(emptied && calls.size() <= 1);
      for (const LaunchCall& call : calls) {
        Check(text == u"a" ? call == ProgramFileCall(u"C:\\Tools\\a.exe")
                           : text == u"文档" && call == ShellCall(u"D:\\文档.txt"));
      }
      break;
  }
  return 0;
}
