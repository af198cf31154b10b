// Search texts beyond the code page, typed into the real program: the browser gets them as
// UTF-8 escapes, and the history keeps them whole, in Unicode, across a restart.
#include "E2eFixture.h"

namespace tsy::e2e {
namespace {

// The test catalogue with Alpha reading UTF-8; Beta and Gamma have no charset.
std::string SitesWithOneUtf8Site() {
    std::string sites = TestSitesFile();
    const std::string alpha = "open=https://alpha.example/\r\ncatid=1\r\n";
    sites.insert(sites.find(alpha) + alpha.size(), "charset=utf-8\r\n");
    return sites;
}

// Posted, so the characters go through the program's own message loop as typed keys do.
void TypeWide(HWND edit, std::wstring_view text) {
    for (const wchar_t c : text)
        PostMessageW(edit, WM_CHAR, c, 1);
}

// The units of a text, for failure messages.
std::string Units(const std::wstring& text) {
    std::string units;
    for (const wchar_t c : text)
        units += std::to_string(unsigned(c)) + " ";
    return units;
}

std::wstring WideText(HWND window) {
    // GetWindowTextW would give another process's stored caption, not the edit's text.
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

// A value as the W registry call gives it.
std::optional<std::pair<DWORD, std::wstring>> ReadWideValue(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Orvelle\\Tessaly", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t data[512] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG rc = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return std::nullopt;
    return std::make_pair(type, std::wstring(data, size / sizeof(wchar_t)));
}

class UnicodeSearchTest : public ProgramTest {
protected:
    void PressEsc(HWND main) { PostKey(FocusOf(main), VK_ESCAPE); }
};

TEST_F(UnicodeSearchTest, TypedTextReachesFirefoxInEachSitesEncodingAndSurvivesARestart) {
    WriteTextFile(CatalogueFolder() + "targets.dat", SitesWithOneUtf8Site());
    SetSetting("MinimizeOnClose", 0);
    const std::wstring cafe = L"caf\u00e9", tokyo = L"\u6771\u4eac caf\u00e9";
    const std::string tokyoEncoded = "%E6%9D%B1%E4%BA%AC+caf%C3%A9";
    {
        TProgram program;
        HWND main = StartShown(program);
        ASSERT_TRUE(main);
        HWND search = SearchBox(main), explore = ExploreButton(main);
        ASSERT_TRUE(search);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 5s));
        HWND edit = FindWindowExW(search, nullptr, L"Edit", nullptr);
        ASSERT_TRUE(edit);

        TypeWide(edit, cafe);
        ASSERT_TRUE(WaitUntil([&] { return WideText(search) == cafe; }, 5s)) << Units(WideText(search));
        PostClick(explore);
        auto calls = WaitForFirefoxCalls(1);
        ASSERT_EQ(calls.size(), 1u);
        // An e with acute fits the code page: only the UTF-8 site gets it as UTF-8.
        EXPECT_EQ(calls[0], "-new-window \"https://alpha.example/find?q=caf%C3%A9|"
                            "http://beta.example/search/caf%E9|https://gamma.example/?s=caf%E9&lang=en\"");

        SetText(search, "");
        TypeWide(edit, tokyo);
        ASSERT_TRUE(WaitUntil([&] { return WideText(search) == tokyo; }, 5s))
            << "the box holds characters that the code page lacks";
        PostClick(explore);
        calls = WaitForFirefoxCalls(2);
        ASSERT_EQ(calls.size(), 2u);
        // A kanji does not fit the code page: every site gets the whole text as UTF-8.
        EXPECT_EQ(calls[1], "-new-window \"https://alpha.example/find?q=" + tokyoEncoded +
                                "|http://beta.example/search/" + tokyoEncoded +
                                "|https://gamma.example/?s=" + tokyoEncoded + "&lang=en\"");
        PressEsc(main);
        ASSERT_TRUE(program.WaitForExit(15s)) << "Esc did not end the program";
    }

    const auto mru = ReadWideValue(L"SearchMRU");
    ASSERT_TRUE(mru);
    EXPECT_EQ(mru->first, DWORD(REG_MULTI_SZ));
    EXPECT_EQ(mru->second, tokyo + L'\0' + cafe + L'\0' + L'\0');
    const auto last = ReadWideValue(L"Search");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->first, DWORD(REG_SZ));
    EXPECT_EQ(last->second, tokyo + L'\0');
    // An older copy reads both through the code page.
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, SettingsPath, "Search"), "?? caf\xe9");

    TProgram again;
    HWND main = StartShown(again);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main);
    ASSERT_TRUE(search);
    EXPECT_TRUE(WaitUntil([&] { return WideText(search) == tokyo; }, 5s)) << "the last search comes back";
    ASSERT_EQ(SendMessageW(search, CB_GETCOUNT, 0, 0), 2);
    wchar_t item[64] = {};
    SendMessageW(search, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::wstring(item), tokyo);
    PostClick(ExploreButton(main));
    const auto calls = WaitForFirefoxCalls(3);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2], calls[1]);
}

} // namespace
} // namespace tsy::e2e
