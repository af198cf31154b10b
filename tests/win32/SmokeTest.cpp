#include <windows.h>

#include <gtest/gtest.h>

TEST(Win32Harness, RunsUnderWineWithAPrivatePrefix) {
    char buffer[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryA(buffer, MAX_PATH), 0u);
    EXPECT_EQ(GetVersion() & 0x80000000u, 0u) << "expected an NT platform";
}
