// Registry values, as raw typed data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmo {

enum class RegistryRoot { kCurrentUser, kLocalMachine };

struct RegistryValue {
  std::uint32_t type = 0;  // REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4
  std::vector<std::uint8_t> data;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Creates the sub-key when missing.
  virtual bool SetValue(RegistryRoot root, const std::u16string& sub_key,
                        const std::u16string& name, const RegistryValue& value) = 0;
  virtual bool DeleteValue(RegistryRoot root, const std::u16string& sub_key,
                           const std::u16string& name) = 0;
  virtual std::optional<RegistryValue> GetValue(RegistryRoot root, const std::u16string& sub_key,
                                                const std::u16string& name) = 0;
};

}  // namespace velmo
