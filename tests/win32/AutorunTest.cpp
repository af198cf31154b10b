#include "settings/Autorun.h"

#include "support/win32/RegistryStore.h"

#include <gtest/gtest.h>

namespace tsy::win32 {
namespace {

std::optional<std::string> RunEntry() {
    UniqueRegKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ,
                        key.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), "TSY", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return std::string(buffer);
}

TEST(AutorunRegistry, BothModesLiveInTheRunKeyOfTheCurrentUser) {
    char exe[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
    TRegistryStore store;
    TAutorun autorun(store, exe);
    autorun.SetAutorunMinimized(false);
    EXPECT_FALSE(RunEntry());
    EXPECT_FALSE(autorun.IsAutorunMinimized());
    EXPECT_FALSE(autorun.IsAutorunSlider());

    autorun.SetAutorunSlider(true);
    EXPECT_EQ(RunEntry(), "\"" + std::string(exe) + "\" /slider");
    EXPECT_TRUE(autorun.IsAutorunSlider());

    autorun.SetAutorunMinimized(true);
    EXPECT_EQ(RunEntry(), "\"" + std::string(exe) + "\" /minimized");
    EXPECT_TRUE(autorun.IsAutorunMinimized());
    EXPECT_FALSE(autorun.IsAutorunSlider());

    autorun.SetAutorunSlider(false);
    EXPECT_FALSE(RunEntry());
}

} // namespace
} // namespace tsy::win32
