// A box with fake services, an item list, the extensions and the command box, for the command
// tests. The program folder is C:\Box.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "box/command/command_box.h"
#include "box/command/extensions.h"
#include "box/command/item_list.h"
#include "fakes/fake_command_surface.h"
#include "fakes/fake_services_set.h"

namespace velmo {

class CommandTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  CommandTest() { state.program_folder = u"C:\\Box"; }

  // An item whose path exists as a file (the speech and the recent label depend on it).
  void AddExisting(const std::u16string& name, const std::u16string& path) {
    files.AddFile(path, "");
    state.lists.items.list.Append(name, path);
  }
  void AddMissing(const std::u16string& name, const std::u16string& path) {
    state.lists.items.list.Append(name, path);
  }
  void AddPlugin(const std::u16string& file_name) {
    files.AddFile(u"C:\\Box\\Plugins\\" + file_name, "");
  }
  const ListPair& items() const { return state.lists.items.list; }

  BoxState state;
  FakeCommandSurface surface;
  ItemList item_list{state, services, surface};
  Extensions extensions{state, services, surface};
  CommandBox command_box{services, surface, item_list, extensions};
};

inline std::vector<ShownMessage> Message(std::u16string text, std::u16string title = u"命令无效") {
  return {{std::move(text), std::move(title)}};
}

}  // namespace velmo
