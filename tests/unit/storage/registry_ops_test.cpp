// Registry values written from text, and the start-at-log-in value.
#include "box/storage/registry_ops.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

namespace velmo {
namespace {

using Bytes = std::vector<std::uint8_t>;
const std::u16string kKey = u"Software\\VelmoBox\\Test";

TEST(SetRegValue, ConvertsTheTextByType) {
  const struct {
    std::uint32_t type;
    std::u16string_view text;
    std::optional<Bytes> data;  // nullopt: refused, nothing written
  } cases[] = {
      {1, u"ab", Bytes{'a', 0, 'b', 0, 0, 0}},
      {1, u"", Bytes{' ', 0, 0, 0}},
      {2, u"%TEMP%\\中", Bytes{'%', 0, 'T', 0, 'E', 0, 'M', 0, 'P', 0, '%', 0, '\\', 0, 0x2D,
                              0x4E, 0, 0}},
      {3, u"0A 1F", Bytes{0x0A, 0x1F}},
      {3, u"  0a-1f-FF  ", Bytes{0x0A, 0x1F, 0xFF}},
      {3, u"0A 1", Bytes{0x0A, 0x01}},
      {3, u"G1 2G", Bytes{0x00, 0x02}},
      {3, u"", Bytes{}},  // one blank, trimmed away
      {4, u"1F", Bytes{0x1F, 0, 0, 0}},
      {4, u" 12345678 ", Bytes{0x78, 0x56, 0x34, 0x12}},
      {4, u"FFFFFFFF", Bytes{0xFF, 0xFF, 0xFF, 0xFF}},
      {4, u"00000000001", Bytes{1, 0, 0, 0}},
      {4, u"zz", Bytes{0, 0, 0, 0}},
      {4, u"100000000", std::nullopt},  // more than 32 bits
      {0, u"x", std::nullopt},
      {5, u"1", std::nullopt},
      {7, u"a", std::nullopt},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    bool written = SetRegValue(registry, RegistryRoot::kLocalMachine, kKey, u"V", c.type, c.text);
    auto value = registry.GetValue(RegistryRoot::kLocalMachine, kKey, u"V");
    EXPECT_EQ(written, c.data.has_value()) << c.type;
    if (c.data) {
      ASSERT_TRUE(value.has_value());
      EXPECT_EQ(value->type, c.type);
      EXPECT_EQ(value->data, *c.data) << c.type;
    } else {
      EXPECT_EQ(registry.size(), 0u) << c.type;
    }
  }
}

TEST(SetRegValue, BinaryDataStopsAt1025Bytes) {
  std::u16string text;
  for (int i = 0; i < 1100; ++i) text += u"7F ";
  FakeRegistry registry;
  ASSERT_TRUE(SetRegValue(registry, RegistryRoot::kCurrentUser, kKey, u"B", 3, text));
  EXPECT_EQ(registry.GetValue(RegistryRoot::kCurrentUser, kKey, u"B")->data, Bytes(1025, 0x7F));
}

TEST(SetRegValue, AFailedWriteIsFalse) {
  FakeRegistry registry;
  registry.fail_writes = true;
  EXPECT_FALSE(SetRegValue(registry, RegistryRoot::kCurrentUser, kKey, u"V", 1, u"x"));
}

TEST(DeleteRegValue, NeedsANameOrASubKey) {
  FakeRegistry registry;
  registry.SetValue(RegistryRoot::kCurrentUser, u"", u"", {1, {0, 0}});
  registry.SetValue(RegistryRoot::kCurrentUser, kKey, u"V", {1, {0, 0}});
  DeleteRegValue(registry, RegistryRoot::kCurrentUser, u"", u"");
  EXPECT_EQ(registry.size(), 2u);
  DeleteRegValue(registry, RegistryRoot::kCurrentUser, kKey, u"v");
  EXPECT_EQ(registry.size(), 1u);
  DeleteRegValue(registry, RegistryRoot::kCurrentUser, kKey, u"Missing");  // no error
  EXPECT_EQ(registry.size(), 1u);
}

TEST(StartAtLogIn, RegistersTheQuotedPathUnderTheProgramsName) {
  FakeRegistry registry;
  RegisterStartAtLogIn(registry, u"C:\\My Apps\\VelmoBox.exe");
  auto value = registry.GetValue(RegistryRoot::kCurrentUser, std::u16string(kRunKey), u"VelmoBox");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, 1u);
  const std::u16string expected = u"\"C:\\My Apps\\VelmoBox.exe\"";
  Bytes data;
  for (char16_t c : expected) {
    data.push_back(static_cast<std::uint8_t>(c));
    data.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  data.insert(data.end(), {0, 0});
  EXPECT_EQ(value->data, data);

  // A moved program overwrites its value; unregistering removes it.
  RegisterStartAtLogIn(registry, u"D:\\VelmoBox.exe");
  EXPECT_EQ(registry.size(), 1u);
  UnregisterStartAtLogIn(registry, u"D:\\VelmoBox.exe");
  EXPECT_EQ(registry.size(), 0u);
  UnregisterStartAtLogIn(registry, u"D:\\VelmoBox.exe");
  EXPECT_EQ(registry.size(), 0u);
}

TEST(StartAtLogIn, TheNameIsTheFileNameWithoutItsExtension) {
  const struct {
    std::u16string_view path, name;
  } cases[] = {
      {u"C:\\Apps\\VelmoBox.exe", u"VelmoBox"},
      {u"C:\\v1.2\\Box.Portable.exe", u"Box.Portable"},
      {u"C:/Apps/盒子.exe", u"盒子"},
      {u"Box", u"Box"},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    RegisterStartAtLogIn(registry, c.path);
    EXPECT_TRUE(registry.GetValue(RegistryRoot::kCurrentUser, std::u16string(kRunKey),
                                  std::u16string(c.name)))
        << std::string(c.path.begin(), c.path.end());
  }
}

}  // namespace
}  // namespace velmo
