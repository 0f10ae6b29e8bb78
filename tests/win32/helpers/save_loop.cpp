// The kill test's victim: saves App.sd and config.ini through the box's own save code (the
// Win32 file service's atomic write, the list and settings serialisers), generation after
// generation, until it is killed. It sets the event once the first pair is on disk.
//   save_loop.exe <folder> <first generation> <inherited event handle>
#include <windows.h>

#include <cwchar>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"
#include "win32/storage/save_generations.h"

int wmain(int argc, wchar_t** argv) {
  using namespace velmo;
  if (argc != 4) return 2;
  std::u16string folder = Narrow16(argv[1]);
  auto first = static_cast<std::uint32_t>(std::wcstoul(argv[2], nullptr, 10));
  auto ready =
      reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(_wcstoui64(argv[3], nullptr, 10)));
  Win32FileSystem fs;
  for (std::uint32_t n = first;; ++n) {
    std::string items = EncodeText(SerializeListFile(kill_test::ItemsOf(n), ListKind::kItems));
    if (!fs.WriteFileAtomic(JoinPath(folder, u"App.sd"), items)) return 3;
    if (!fs.WriteFileAtomic(JoinPath(folder, u"config.ini"),
                            SettingsFileBytes(kill_test::SettingsOf(n)))) {
      return 4;
    }
    if (n == first) SetEvent(ready);
  }
}
