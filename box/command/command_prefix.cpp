#include "box/command/command_prefix.h"

#include <array>
#include <utility>

namespace velmo {

CommandPrefix PrefixOf(std::u16string_view text) {
  static constexpr std::array<std::pair<std::u16string_view, char16_t>, 16> kPrefixes = {{
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
  for (const auto& [typed, symbol] : kPrefixes) {
    if (text.starts_with(typed)) return {symbol, typed.size()};
  }
  return {};
}

}  // namespace velmo
