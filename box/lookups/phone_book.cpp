// Phone book operations on the contacts list pair.
#include "box/lookups/phone_book.h"

namespace velmo {

ContactAdd PhoneBook::Add(const std::u16string& name, const std::u16string& number) {
  if (name.empty() || number.empty()) return ContactAdd::kIncomplete;
  if (!IsStorableName(name)) return ContactAdd::kNameRefused;
  contacts_.Append(name, number);
  return ContactAdd::kAdded;
}

bool PhoneBook::Delete(int index) {
  if (!Valid(index)) return false;
  contacts_.RemoveAt(static_cast<std::size_t>(index));
  return true;
}

std::optional<std::u16string> PhoneBook::NumberAt(int index) const {
  if (!Valid(index)) return std::nullopt;
  return contacts_.values[static_cast<std::size_t>(index)];
}

std::optional<std::u16string> PhoneBook::ClipboardText(int index) const {
  if (!Valid(index)) return std::nullopt;
  const auto i = static_cast<std::size_t>(index);
  return contacts_.names[i] + u"：" + contacts_.values[i];
}

std::u16string FindContactNumber(const ListPair& contacts, std::u16string_view name) {
  if (contacts.empty()) return u"没有联系人。";
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    if (contacts.names[i] == name) return contacts.values[i];
  }
  // The previous answer would stay, and be read as this name's number.
  return u"电话簿中没有“" + std::u16string(name) + u"”。";
}

}  // namespace velmo
