// The command box's grammar: the first character picks what a line does when it is run.
#pragma once

#include <string>
#include <string_view>

#include "box/command/command_surface.h"
#include "box/command/extensions.h"
#include "box/command/item_list.h"
#include "box/shell/box_state.h"

namespace velmo {

inline constexpr std::u16string_view kWebSearchAddress = u"https://www.baidu.com/s?ie=UTF-8&wd=";
// The longest web address "@" and "^" open, in UTF-16 units: the common limit of browsers, which
// the shell's own (INTERNET_MAX_URL_LENGTH) also admits.
inline constexpr std::size_t kMaxWebAddressLength = 2048;

// UTF-8, every byte outside A-Z a-z 0-9 - . _ ~ as %XX: "&", "#", "+" and blanks arrive as
// typed instead of ending or splitting the query.
std::u16string PercentEncode(std::u16string_view text);
// The "^" address for a search text.
std::u16string WebSearchAddress(std::u16string_view text);
// The "@" address: "http://" + text, unless the text already carries an http or https scheme.
// A quote, which no web address holds, is written %22 as a browser writes it.
std::u16string WebAddress(std::u16string_view text);

class CommandBox {
 public:
  CommandBox(Services& services, CommandSurface& surface, ItemList& items, Extensions& extensions);

  // Runs the command text. True when the box is to be emptied afterwards; only the look-up
  // prefixes "#", "&" and "%" keep the text.
  bool Run(const std::u16string& text);
  // What "$" + name does: the extension of that name starts, or the box says it has none.
  void RunExtension(const std::u16string& name);

 private:
  // Has explorer open the address, or says why not.
  void OpenWebAddress(const std::u16string& address);

  Services& services_;
  CommandSurface& surface_;
  ItemList& items_;
  Extensions& extensions_;
};

}  // namespace velmo
