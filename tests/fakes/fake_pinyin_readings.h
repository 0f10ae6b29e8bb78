// A few hanzi with their readings, written by hand, standing in for the generated pinyin table.
#pragma once

#include <map>
#include <string_view>
#include <vector>

#include "box/storage/pinyin_table.h"

namespace velmo {

class FakePinyinReadings final : public PinyinReadings {
 public:
  std::vector<std::string_view> ReadingsOf(char16_t c) const override {
    auto it = table_.find(c);
    return it == table_.end() ? std::vector<std::string_view>{} : it->second;
  }

 private:
  const std::map<char16_t, std::vector<std::string_view>> table_ = {
      {u'计', {"ji"}},
      {u'算', {"suan"}},
      {u'器', {"qi"}},
      {u'记', {"ji"}},
      {u'事', {"shi"}},
      {u'本', {"ben"}},
      {u'音', {"yin"}},
      {u'乐', {"le", "yue"}},
      {u'行', {"xing", "hang", "heng"}},
      {u'情', {"qing"}},
      {u'重', {"zhong", "chong"}},
      {u'庆', {"qing"}},
      {u'银', {"yin"}},
      {u'西', {"xi"}},
      {u'安', {"an"}},
      {u'先', {"xian"}},
      {u'锋', {"feng"}},
      {u'绿', {"lv", "lu"}},
      {u'色', {"se", "shai"}},
      {u'版', {"ban"}},
      {u'日', {"ri"}},
      {u'京', {"jing"}},
      {u'东', {"dong"}},
      {u'金', {"jin"}},
      {u'山', {"shan"}},
      {u'截', {"jie"}},
      {u'图', {"tu"}},
  };
};

}  // namespace velmo
