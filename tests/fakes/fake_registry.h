// An in-memory registry: keys and value names compare case-insensitively, like Windows.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "box/platform/registry.h"

namespace velmo {

class FakeRegistry final : public Registry {
 public:
  bool SetValue(RegistryRoot root, const std::u16string& sub_key, const std::u16string& name,
                const RegistryValue& value) override;
  // False when there was no such value.
  bool DeleteValue(RegistryRoot root, const std::u16string& sub_key,
                   const std::u16string& name) override;
  std::optional<RegistryValue> GetValue(RegistryRoot root, const std::u16string& sub_key,
                                        const std::u16string& name) override;

  std::size_t size() const { return values_.size(); }
  bool fail_writes = false;  // SetValue and DeleteValue fail and change nothing

 private:
  using Key = std::tuple<RegistryRoot, std::u16string, std::u16string>;
  static Key MakeKey(RegistryRoot root, const std::u16string& sub_key,
                     const std::u16string& name);
  std::map<Key, RegistryValue> values_;
};

}  // namespace velmo
