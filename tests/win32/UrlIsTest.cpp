#include "browsers/SearchUrl.h"

#include <windows.h>

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tsy {
namespace {

bool SystemSaysURL(const std::string& text) {
    return UrlIsA(text.c_str(), URLIS_URL) != FALSE;
}

// ASCII only: for bytes above 0x7F Wine's answer comes from reading its character table with a
// negative index, a pattern without meaning (e-acute counts as a scheme letter, e-diaeresis does
// not). The portable test keeps schemes to ASCII, as URL schemes are.
const std::vector<std::string> kCorpus = {
    // schemes, known and not
    "http://www.example.com/",
    "https://x",
    "ftp://host/file",
    "file:///c:/x",
    "mailto:",
    "mailto:a@b.c",
    "news:comp.lang",
    "about:blank",
    "javascript:void(0)",
    "res://x.dll/y",
    "made-up:thing",
    "x+y.z-w:1",
    "HTTP://EXAMPLE.COM",
    "http://",
    "http:",
    "ab:",
    "a1:",
    "1a:",
    "--:",
    "..:",
    "+:",
    // no scheme
    "www.x.com",
    "x.com/search?q=a:b",
    "example.com:8080",
    "localhost",
    "",
    " ",
    "/",
    "//x",
    ":",
    "::",
    "a:",
    "c:\\path",
    "c:/path",
    "\\\\server\\share",
    // spaces and odd characters
    " http://x",
    "http ://x",
    "ht tp://x",
    "ht_tp://x",
    "ht%74p://x",
    "http\t://x",
    "a@b:c",
    "a!:b",
    "a~b:c",
    "a/b:c",
    "http//x",
    "http;//x",
    // a scheme longer than the system's scheme buffer
    "abcdefghijklmnopqrstuvwxyzabcdefghij:x",
};

TEST(AbsoluteUrlCheck, PortableTestMatchesTheSystemOnTheCorpus) {
    for (const std::string& text : kCorpus) {
        EXPECT_EQ(UrlIsURL(text), SystemSaysURL(text)) << '"' << text << '"';
    }
}

TEST(AbsoluteUrlCheck, PortableTestMatchesTheSystemOnRandomTexts) {
    const std::string alphabet = "aZ09+-._:/ \\@%~!";
    std::mt19937 random(1252);
    std::uniform_int_distribution<std::size_t> length(0, 6);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string mismatches;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (std::size_t n = length(random); n > 0; --n) {
            text += alphabet[pick(random)];
        }
        if (UrlIsURL(text) != SystemSaysURL(text)) {
            mismatches += '"' + text + "\"\n";
        }
    }
    EXPECT_EQ(mismatches, "");
}

} // namespace
} // namespace tsy
