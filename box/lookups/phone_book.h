// The phone book: contact names and numbers as one list pair, in the order they were added.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "box/storage/list_files.h"

namespace velmo {

enum class ContactAdd { kAdded, kIncomplete, kNameRefused };

// The "%" answer: the number of the first contact named exactly `name`, "没有联系人。" for an
// empty phone book, "电话簿中没有“name”。" when nobody has that name.
std::u16string FindContactNumber(const ListPair& contacts, std::u16string_view name);

class PhoneBook {
 public:
  explicit PhoneBook(ListPair& contacts) : contacts_(contacts) {}

  const ListPair& contacts() const { return contacts_; }
  // Appends at the end. Both fields must be non-empty, and the name must survive Contacts.sd.
  ContactAdd Add(const std::u16string& name, const std::u16string& number);
  // False when `index` names no contact.
  bool Delete(int index);
  std::optional<std::u16string> NumberAt(int index) const;
  // What the clipboard receives when a contact is selected: name + "：" + number.
  std::optional<std::u16string> ClipboardText(int index) const;

 private:
  bool Valid(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < contacts_.size();
  }

  ListPair& contacts_;
};

}  // namespace velmo
