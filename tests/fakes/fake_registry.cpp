#include "fakes/fake_registry.h"

namespace velmo {
namespace {

std::u16string Folded(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z') c = c - u'a' + u'A';
  }
  return text;
}

}  // namespace

FakeRegistry::Key FakeRegistry::MakeKey(RegistryRoot root, const std::u16string& sub_key,
                                        const std::u16string& name) {
  return {root, Folded(sub_key), Folded(name)};
}

bool FakeRegistry::SetValue(RegistryRoot root, const std::u16string& sub_key,
                            const std::u16string& name, const RegistryValue& value) {
  if (fail_writes) return false;
  values_[MakeKey(root, sub_key, name)] = value;
  return true;
}

bool FakeRegistry::DeleteValue(RegistryRoot root, const std::u16string& sub_key,
                               const std::u16string& name) {
  if (fail_writes) return false;
  return values_.erase(MakeKey(root, sub_key, name)) != 0;
}

std::optional<RegistryValue> FakeRegistry::GetValue(RegistryRoot root,
                                                    const std::u16string& sub_key,
                                                    const std::u16string& name) {
  auto it = values_.find(MakeKey(root, sub_key, name));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

}  // namespace velmo
