// Registry values through the W functions.
#include <windows.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

struct Key {
  HKEY h = nullptr;
  ~Key() {
    if (h) RegCloseKey(h);
  }
};

}  // namespace

bool Win32Registry::SetValue(RegistryRoot root, const std::u16string& sub_key,
                             const std::u16string& name, const RegistryValue& value) {
  Key key;
  if (RegCreateKeyExW(RootKey(root), Wide(sub_key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key.h, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExW(key.h, Wide(name).c_str(), 0, value.type, value.data.data(),
                        static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(RegistryRoot root, const std::u16string& sub_key,
                                const std::u16string& name) {
  Key key;
  if (RegOpenKeyExW(RootKey(root), Wide(sub_key).c_str(), 0, KEY_SET_VALUE, &key.h) !=
      ERROR_SUCCESS) {
    return false;
  }
  return RegDeleteValueW(key.h, Wide(name).c_str()) == ERROR_SUCCESS;
}

std::optional<RegistryValue> Win32Registry::GetValue(RegistryRoot root,
                                                     const std::u16string& sub_key,
                                                     const std::u16string& name) {
  Key key;
  if (RegOpenKeyExW(RootKey(root), Wide(sub_key).c_str(), 0, KEY_QUERY_VALUE, &key.h) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring wname = Wide(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.h, wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RegistryValue value;
  value.type = type;
  value.data.resize(size);
  if (RegQueryValueExW(key.h, wname.c_str(), nullptr, &type, value.data.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(size);
  return value;
}

}  // namespace velmo
