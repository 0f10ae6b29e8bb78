// Run: prefix dispatch of the command box.
#include "box/command/command_box.h"

#include <string>

#include "box/command/command_prefix.h"
#include "box/storage/text_codec.h"

namespace velmo {

std::u16string PercentEncode(std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  // Typed text holds no bytes kept from a file: a lone U+DC80..U+DCFF, which Utf16ToUtf8 would
  // write as that raw byte, is an unpaired surrogate like any other and goes as U+FFFD.
  std::u16string typed(text);
  for (std::size_t i = 0; i < typed.size(); ++i) {
    const bool after_high = i > 0 && typed[i - 1] >= 0xD800 && typed[i - 1] <= 0xDBFF;
    if (typed[i] >= 0xDC80 && typed[i] <= 0xDCFF && !after_high) typed[i] = 0xFFFD;
  }
  std::u16string out;
  for (unsigned char byte : Utf16ToUtf8(typed)) {
    bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                 (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                 byte == '~';
    if (plain) {
      out += static_cast<char16_t>(byte);
    } else {
      out += u'%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

std::u16string WebSearchAddress(std::u16string_view text) {
  return std::u16string(kWebSearchAddress) + PercentEncode(text);
}

std::u16string WebAddress(std::u16string_view text) {
  auto has_scheme = [text](std::u16string_view scheme) {
    if (text.size() < scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
      char16_t c = text[i];
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
      if (c != scheme[i]) return false;
    }
    return true;
  };
  std::u16string address = has_scheme(u"http://") || has_scheme(u"https://") ? u"" : u"http://";
  for (char16_t c : text) {
    if (c == u'"') {
      address += u"%22";
    } else {
      address += c;
    }
  }
  return address;
}

CommandBox::CommandBox(Services& services, CommandSurface& surface, ItemList& items,
                       Extensions& extensions)
    : services_(services), surface_(surface), items_(items), extensions_(extensions) {}

bool CommandBox::Run(const std::u16string& text) {
  // No trimming anywhere: blanks belong to the text and to the argument.
  const CommandPrefix prefix = PrefixOf(text);
  const std::u16string argument = text.substr(prefix.length);
  switch (prefix.symbol) {
    case u'#':
    case u'&':
    case u'%':
      return false;  // look-ups answer while typing
    case u'!':
      if (!services_.launcher.StartCommandLine(argument, WindowStyle::kNormal)) {
        surface_.ShowMessage(u"无法执行此命令。", std::u16string(kTitleInvalidCommand));
      }
      return true;
    case u'@':
      OpenWebAddress(WebAddress(argument));
      return true;
    case u'^':
      OpenWebAddress(WebSearchAddress(argument));
      return true;
    case u'$':
      RunExtension(argument);
      return true;
    default:
      items_.LaunchByName(text);
      return true;
  }
}

void CommandBox::OpenWebAddress(const std::u16string& address) {
  if (address.size() > kMaxWebAddressLength) {
    auto number = [](std::size_t n) { return Utf8ToUtf16(std::to_string(n)); };
    surface_.ShowMessage(u"这个网址长 " + number(address.size()) + u" 个字符，最多只能打开 " +
                             number(kMaxWebAddressLength) + u" 个字符的网址。",
                         u"网址过长");
    return;
  }
  if (!services_.launcher.StartCommandLine(ExplorerCommandLine(address), WindowStyle::kNormal)) {
    surface_.ShowMessage(u"无法启动 explorer，网址没有打开。", u"无法打开网址");
  }
}

void CommandBox::RunExtension(const std::u16string& name) {
  // Rescanned first, so that a program dropped into the folder after start-up is found.
  extensions_.Rescan();
  const auto& entries = extensions_.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == name) {
      extensions_.Select(static_cast<int>(i));
      extensions_.LaunchExtension();
      return;
    }
  }
  surface_.ShowMessage(u"在“拓展”列表中未找到 " + name + u" 的拓展程序。", u"未找到拓展程序");
}

}  // namespace velmo
