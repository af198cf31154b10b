#include "support/win32/RegistryStore.h"

#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace tsy::win32 {
namespace {

constexpr const char* kTestKey = "Software\\TessalyTests\\RegistryStore";

// Each test works below a private key of the current user, removed afterwards.
class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    static void Remove() { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TessalyTests"); }
    static bool Exists(const std::string& path) {
        UniqueRegKey key;
        return ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
    }

    TRegistryStore store;
};

TEST_F(RegistryStoreTest, MissingKeyOpensOnlyWhenCreatedAndCreationMakesParents) {
    const std::string deep = std::string(kTestKey) + "\\One\\Two";
    EXPECT_EQ(store.Open(RootKey::CurrentUser, deep, false), nullptr);
    EXPECT_FALSE(Exists(kTestKey));
    auto key = store.Open(RootKey::CurrentUser, "\\" + deep, true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(Exists(deep));
    EXPECT_NE(store.Open(RootKey::CurrentUser, deep, false), nullptr);
    auto parent = store.Open(RootKey::CurrentUser, kTestKey, false);
    ASSERT_NE(parent, nullptr);
    EXPECT_TRUE(parent->HasSubKey("one"));
    EXPECT_FALSE(parent->HasSubKey("Three"));
}

TEST_F(RegistryStoreTest, ValuesKeepTheirTypesAndBytes) {
    auto key = store.Open(RootKey::CurrentUser, kTestKey, true);
    ASSERT_NE(key, nullptr);
    WriteString(*key, "Text", "caf\xE9 au lait");
    WriteDword(*key, "Number", 0xFEDCBA98u);
    key->Write("Blob", RawValue{ValueType::Binary, {0, 1, 2, 0, 255}});
    key->Write("Empty", RawValue{ValueType::Binary, {}});

    EXPECT_EQ(ReadString(*key, "text"), "caf\xE9 au lait");
    EXPECT_EQ(ReadDword(*key, "Number"), 0xFEDCBA98u);
    auto blob = key->Read("Blob");
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->type, ValueType::Binary);
    EXPECT_EQ(blob->data, (std::vector<std::uint8_t>{0, 1, 2, 0, 255}));
    auto empty = key->Read("Empty");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->data.empty());

    // Another handle sees the same data.
    auto again = store.Open(RootKey::CurrentUser, kTestKey, false);
    EXPECT_EQ(ReadDword(*again, "Number"), 0xFEDCBA98u);
}

TEST_F(RegistryStoreTest, WrongTypesAndMissingValuesReadAsNothing) {
    auto key = store.Open(RootKey::CurrentUser, kTestKey, true);
    WriteString(*key, "Text", "81");
    WriteDword(*key, "Number", 81);
    EXPECT_FALSE(ReadDword(*key, "Text"));
    EXPECT_FALSE(ReadString(*key, "Number"));
    EXPECT_FALSE(key->Read("Missing"));
    EXPECT_FALSE(ReadString(*key, "Missing"));
}

TEST_F(RegistryStoreTest, TextsWrittenWithoutTerminatorReadWhole) {
    auto key = store.Open(RootKey::CurrentUser, kTestKey, true);
    auto* handle = static_cast<TRegistryKey&>(*key).Handle();
    ASSERT_EQ(::RegSetValueExA(handle, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadString(*key, "Bare"), "abc");
    std::string large(10000, 'x');
    WriteString(*key, "Large", large);
    EXPECT_EQ(ReadString(*key, "Large"), large);
}

TEST_F(RegistryStoreTest, TheUnnamedValueIsTheDefaultValue) {
    auto key = store.Open(RootKey::CurrentUser, kTestKey, true);
    EXPECT_FALSE(key->Read(""));
    key->Write("", RawValue{ValueType::Binary, std::vector<std::uint8_t>(20, 7)});
    auto value = key->Read("");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data.size(), 20u);
    char buffer[32] = {};
    LONG size = sizeof buffer;
    EXPECT_EQ(::RegQueryValueA(HKEY_CURRENT_USER, kTestKey, buffer, &size), ERROR_SUCCESS);
}

TEST_F(RegistryStoreTest, DeletingTellsWhetherTheValueExisted) {
    auto key = store.Open(RootKey::CurrentUser, kTestKey, true);
    WriteDword(*key, "Number", 1);
    EXPECT_TRUE(key->DeleteValue("Number"));
    EXPECT_FALSE(key->DeleteValue("Number"));
    EXPECT_FALSE(key->Read("Number"));
}

TEST_F(RegistryStoreTest, MachineKeysAreReadOnlyAndNeverCreated) {
    EXPECT_EQ(store.Open(RootKey::LocalMachine, "Software\\TessalyTests\\Nowhere", true), nullptr);
    auto machine = store.Open(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", false);
    ASSERT_NE(machine, nullptr);
    EXPECT_THROW(WriteString(*machine, "TessalyTest", "x"), ERegistryError);
    EXPECT_FALSE(machine->Read("TessalyTest"));
    EXPECT_NE(store.Open(RootKey::ClassesRoot, "\\http", false), nullptr);
}

TEST_F(RegistryStoreTest, SettingsReadsFallBackOnTheRealRegistry) {
    auto key = store.Open(RootKey::CurrentUser, kTestKey, true);
    WriteString(*key, "Hotkey.Key", "112");
    TSettings settings(store);
    ASSERT_TRUE(settings.OpenForRead(RootKey::CurrentUser, kTestKey));
    EXPECT_EQ(settings.ReadIntegerDef("Hotkey.Key", 81), 81);
    EXPECT_EQ(settings.ReadStringDef("Hotkey.Key", ""), "112");
    EXPECT_TRUE(settings.ReadBoolDef("Missing", true));
}

} // namespace
} // namespace tsy::win32
