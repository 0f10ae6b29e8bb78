// The four look-up prefixes of the command box, and the item names typed as pinyin.
#include "box/command/live_preview.h"

#include "box/command/command_prefix.h"
#include "box/command/expression.h"
#include "box/lookups/lookups.h"
#include "box/lookups/phone_book.h"

namespace velmo {

namespace {
// The panel hidden, with why when the look-up's dictionary is damaged.
PreviewAnswer Hidden(std::u16string damage) {
  PreviewAnswer answer;
  answer.damage = std::move(damage);
  return answer;
}
}  // namespace

PreviewAnswer PreviewOf(std::u16string_view text, const BoxState& state,
                        const PinyinMatcher& item_names) {
  const CommandPrefix prefix = PrefixOf(text);
  if (prefix.length == 0) {
    std::vector<Suggestion> found = item_names.Suggest(text);
    if (found.empty()) return {};
    return {true, std::u16string(text), std::nullopt, std::move(found), {}};
  }
  if (text.size() == prefix.length) return {};
  const std::u16string_view argument = text.substr(prefix.length);
  PreviewAnswer answer{true, std::u16string(argument), std::nullopt, {}, {}};
  switch (prefix.symbol) {
    case u'&':
      if (!state.dictionaries.english().ready)
        return Hidden(DamageNotice(state.dictionaries.english()));
      answer.result = LookUpEnglish(state.dictionaries.english(), argument);
      break;
    case u'*':
      if (!state.dictionaries.chinese().ready)
        return Hidden(DamageNotice(state.dictionaries.chinese()));
      answer.result = LookUpChinese(state.dictionaries.chinese(), argument);
      break;
    case u'#':
      answer.result = EvaluateExpression(argument).value_or(std::u16string(kExpressionError));
      break;
    case u'%':
      answer.result = FindContactNumber(state.lists.contacts.list, argument);
      break;
    default:
      return {};
  }
  return answer;
}

}  // namespace velmo
