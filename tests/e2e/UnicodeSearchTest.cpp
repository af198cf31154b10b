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

// Every site of the one collection names an encoding: Alpha windows-1251, Beta Shift_JIS, Gamma
// GB18030, Delta one the program does not know.
std::string SitesWithEncodings() {
    return "[001]\r\nname=Alpha\r\nsearch=https://alpha.example/find?q=%s\r\ncatid=1\r\n"
           "charset=windows-1251\r\n"
           "[002]\r\nname=Beta\r\nsearch=https://beta.example/%s\r\ncatid=1\r\ncharset=Shift_JIS\r\n"
           "[003]\r\nname=Gamma\r\nsearch=https://gamma.example/?s=%s&lang=zh\r\ncatid=1\r\n"
           "charset=gb18030\r\n"
           "[004]\r\nname=Delta\r\nsearch=https://delta.example/?q=%s\r\ncatid=1\r\n"
           "charset=x-elvish\r\n"
           "[main]\r\nmaxid=4\r\n";
}

// The addresses of one start of the fake Firefox, however the command line joins them.
std::vector<std::string> Addresses(const std::string& call) {
    std::vector<std::string> addresses;
    std::string word;
    for (const char c : call + ' ') {
        if (c != ' ' && c != '"' && c != '|') {
            word += c;
            continue;
        }
        if (word.rfind("https://", 0) == 0)
            addresses.push_back(word);
        word.clear();
    }
    return addresses;
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

TEST_F(UnicodeSearchTest, EachSiteGetsTheTextInTheEncodingItNamesOrUtf8WhenItDoesNotFit) {
    WriteTextFile(CatalogueFolder() + "targets.dat", SitesWithEncodings());
    WriteTextFile(CatalogueFolder() + "Tessaly.dat",
                  "[main]\r\ncollections=1\r\ncategories=1\r\n"
                  "[collections]\r\n000=Search\r\n[targets]\r\n000=1,2,3,4\r\n"
                  "[categories]\r\n001=Test sites\r\n");
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main), button = ExploreButton(main);
    ASSERT_TRUE(search);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 5s));
    HWND edit = FindWindowExW(search, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(edit);
    auto searchFor = [&](const std::wstring& text, std::size_t call) {
        SetText(search, "");
        TypeWide(edit, text);
        EXPECT_TRUE(WaitUntil([&] { return WideText(search) == text; }, 5s)) << Units(WideText(search));
        PostClick(button);
        const auto calls = WaitForFirefoxCalls(call);
        return calls.size() == call ? Addresses(calls.back()) : std::vector<std::string>{};
    };

    const std::string moscowUtf8 = "%D0%9C%D0%BE%D1%81%D0%BA%D0%B2%D0%B0";
    EXPECT_EQ(
        searchFor(L"\u041c\u043e\u0441\u043a\u0432\u0430", 1),
        (std::vector<std::string>{"https://alpha.example/find?q=%CC%EE%F1%EA%E2%E0",
                                  "https://beta.example/%84M%84%80%84%83%84%7B%84r%84p",
                                  "https://gamma.example/?s=%A7%AE%A7%E0%A7%E3%A7%DC%A7%D3%A7%D1&lang=zh",
                                  "https://delta.example/?q=" + moscowUtf8}));
    // Kanji are not in windows-1251, nor in the system's code page that the unknown name leaves.
    EXPECT_EQ(searchFor(L"\u6771\u4eac", 2),
              (std::vector<std::string>{"https://alpha.example/find?q=%E6%9D%B1%E4%BA%AC",
                                        "https://beta.example/%93%8C%8B%9E",
                                        "https://gamma.example/?s=%96%7C%BE%A9&lang=zh",
                                        "https://delta.example/?q=%E6%9D%B1%E4%BA%AC"}));
    // The unknown name leaves the system's code page, which holds an e with acute.
    EXPECT_EQ(searchFor(L"caf\u00e9", 3),
              (std::vector<std::string>{
                  "https://alpha.example/find?q=caf%C3%A9", "https://beta.example/caf%C3%A9",
                  "https://gamma.example/?s=caf%A8%A6&lang=zh", "https://delta.example/?q=caf%E9"}));
}

} // namespace
} // namespace tsy::e2e
