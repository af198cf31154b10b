#include "browsers/SearchUrl.h"
#include "IconvCodePage.h"
#include "browsers/Charsets.h"
#include "support/AnsiCodePage.h"
#include "support/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tsy {
namespace {

std::string TemplateError(std::string_view searchURL, std::string_view text) {
    try {
        ExpandSearchURL(searchURL, text);
    } catch (const ESearchTemplate& error) {
        return error.what();
    }
    return "<no error>";
}

TTarget Site(std::string search, std::string open) {
    TTarget target;
    target.Name = "Example";
    target.Search = std::move(search);
    target.Open = std::move(open);
    return target;
}

TEST(TrimText, DropsCodesUpToThirtyTwoAtBothEndsOnly) {
    EXPECT_EQ(TrimText("  a b \t"), "a b");
    EXPECT_EQ(TrimText("\x01\x1F x\ny \r\n"), "x\ny");
    EXPECT_EQ(TrimText("    "), "");
    EXPECT_EQ(TrimText(""), "");
    // 0x7F and bytes above 0x80 are not trimmed.
    EXPECT_EQ(TrimText("\x7F"
                       "a\xA0"),
              "\x7F"
              "a\xA0");
}

// The text as a site without a charset and a UTF-8 site get it, code page 1252.
std::pair<std::string, std::string> Both(std::u16string_view text) {
    const TEncodedSearch search = PrepareSearchText(text, TAnsiCodePage());
    TTarget utf8;
    utf8.Charset = "utf-8";
    return {search.For(TTarget{}), search.For(utf8)};
}

using Pair = std::pair<std::string, std::string>;

TEST(PrepareUnicodeSearchText, CodePageWhenTheWholeTextFitsOtherwiseUtf8) {
    EXPECT_EQ(Both(u"caf\u00e9"), (Pair{"caf%E9", "caf%C3%A9"}));
    EXPECT_EQ(Both(u"\u6771\u4eac 2026"), (Pair{"%E6%9D%B1%E4%BA%AC+2026", "%E6%9D%B1%E4%BA%AC+2026"}));
    EXPECT_EQ(Both(u"caf\u00e9 \u6771"), (Pair{"caf%C3%A9+%E6%9D%B1", "caf%C3%A9+%E6%9D%B1"}));
    EXPECT_EQ(Both(u" a b+c\t"), (Pair{"a+b%2Bc", "a+b%2Bc"}));
    // The euro sign is a byte of 1252 above 0x7F, but not Latin-1.
    EXPECT_EQ(Both(u"\u20ac"), (Pair{"%80", "%E2%82%AC"}));
    EXPECT_EQ(Both(u" \r\n"), (Pair{"", ""}));
}

TEST(PrepareUnicodeSearchText, SurrogatesPairedOrNot) {
    EXPECT_EQ(Both(u"\U0001F600").second, "%F0%9F%98%80");
    EXPECT_EQ(Both(u"\U0001F600").first, "%F0%9F%98%80");
    const std::u16string lone{u'a', char16_t(0xD83D), u'b', char16_t(0xDE00)};
    EXPECT_EQ(Both(lone), (Pair{"a%EF%BF%BDb%EF%BF%BD", "a%EF%BF%BDb%EF%BF%BD"}));
    EXPECT_EQ(Both(std::u16string(1, char16_t(0xD800))).second, "%EF%BF%BD");
}

TEST(PrepareUnicodeSearchText, OnlyUtf8InAnyCaseNamesUtf8) {
    EXPECT_TRUE(IsUtf8Charset("utf-8"));
    EXPECT_TRUE(IsUtf8Charset("UTF-8"));
    EXPECT_FALSE(IsUtf8Charset("utf8"));
    EXPECT_FALSE(IsUtf8Charset("koi8-r"));
    EXPECT_FALSE(IsUtf8Charset(""));
}

// The text as a site of that charset gets it, the system's code page being 1252.
std::string ForCharset(std::u16string_view text, std::string charset) {
    const TIconvCodePage codePage;
    TTarget site;
    site.Charset = std::move(charset);
    return PrepareSearchText(text, codePage).For(site);
}

TEST(PrepareUnicodeSearchText, ANamedEncodingGetsItsOwnBytesOrUtf8WhenTheTextDoesNotFit) {
    EXPECT_EQ(ForCharset(u"\u041c\u043e\u0441\u043a\u0432\u0430", "windows-1251"), "%CC%EE%F1%EA%E2%E0");
    EXPECT_EQ(ForCharset(u"\u6771\u4eac", "Shift_JIS"), "%93%8C%8B%9E");
    // Trail bytes that are ASCII letters pass as letters, as browsers send them.
    EXPECT_EQ(ForCharset(u"\u041c\u043e\u0441\u043a\u0432\u0430", "shift_jis"),
              "%84M%84%80%84%83%84%7B%84r%84p");
    EXPECT_EQ(ForCharset(u"\u6771\u4eac", "windows-1251"), "%E6%9D%B1%E4%BA%AC");
    // GB18030 holds every character, four bytes for those beyond GBK, which then goes as UTF-8.
    EXPECT_EQ(ForCharset(u" \u6771\u4eac \U0001F600 ", "GB18030"), "%96%7C%BE%A9+%949%FC6");
    EXPECT_EQ(ForCharset(u"\u6771\u4eac \U0001F600", "gbk"), "%E6%9D%B1%E4%BA%AC+%F0%9F%98%80");
    EXPECT_EQ(ForCharset(u"caf\u00e9", "iso-8859-15"), "caf%E9");
    EXPECT_EQ(ForCharset(u"caf\u00e9", "koi8-r"), "caf%C3%A9");
}

TEST(PrepareUnicodeSearchText, AnUnknownCharsetReadsAsNone) {
    for (const char* name : {"x-unknown", "utf8", "windows-1251 ", "cp1251"}) {
        EXPECT_EQ(ForCharset(u"caf\u00e9", name), "caf%E9") << name;
        EXPECT_EQ(ForCharset(u"\u041c\u043e", name), "%D0%9C%D0%BE") << name;
    }
}

TEST(CodePageOfCharset, NamesInAnyCaseAndEachEncodingOnceByItsFirstName) {
    EXPECT_EQ(CodePageOfCharset("UTF-8"), kUtf8CodePage);
    EXPECT_EQ(CodePageOfCharset("ISO-8859-13"), 28603u);
    EXPECT_EQ(CodePageOfCharset("iso-8859-15"), 28605u);
    EXPECT_EQ(CodePageOfCharset("EUC-JP"), 20932u);
    EXPECT_EQ(CodePageOfCharset("iso-8859-10"), std::nullopt);
    const std::vector<std::string_view> names = EncodingNames();
    EXPECT_EQ(names.size(), 29u);
    for (const char* other : {"utf-8", "sjis", "x-sjis", "gbk"})
        EXPECT_EQ(std::count(names.begin(), names.end(), other), 0) << other;
}

TEST(EncodeSearchText, PassesOnlyAsciiLettersAndDigits) {
    EXPECT_EQ(EncodeSearchText("Az09"), "Az09");
    EXPECT_EQ(EncodeSearchText("2008"), "2008");
    EXPECT_EQ(EncodeSearchText("a-b"), "a%2Db");
    EXPECT_EQ(EncodeSearchText("-._~"), "%2D%2E%5F%7E");
    EXPECT_EQ(EncodeSearchText("a b"), "a%20b");
    EXPECT_EQ(EncodeSearchText("%"), "%25");
    EXPECT_EQ(EncodeSearchText(std::string_view("\0\xFF", 2)), "%00%FF");
    EXPECT_EQ(EncodeSearchText("\xE4\xC9"), "%E4%C9");
    EXPECT_EQ(EncodeSearchText(""), "");
}

TEST(PrepareSearchText, SpacesBecomePlusAndEverythingElseIsEscaped) {
    EXPECT_EQ(PrepareSearchText("R&D tips"), "R%26D+tips");
    EXPECT_EQ(PrepareSearchText("50% off"), "50%25+off");
    EXPECT_EQ(PrepareSearchText("a+b"), "a%2Bb");
    EXPECT_EQ(PrepareSearchText("a  b"), "a++b");
    // The user's own "%20" is escaped first, so it never turns into "+".
    EXPECT_EQ(PrepareSearchText("%20"), "%2520");
    EXPECT_EQ(PrepareSearchText("\xE4"), "%E4");
}

TEST(PrepareSearchText, TrimsFirstSoBlankTextsAreEmpty) {
    EXPECT_EQ(PrepareSearchText("   "), "");
    EXPECT_EQ(PrepareSearchText("\t\r\n"), "");
    EXPECT_EQ(PrepareSearchText("  a b  "), "a+b");
}

TEST(ExpandSearchURL, FillsTheOneTextSlotAndReducesDoublePercents) {
    EXPECT_EQ(ExpandSearchURL("http://x.com/?q=%s", "a+b"), "http://x.com/?q=a+b");
    EXPECT_EQ(ExpandSearchURL("http://x.com/?q=%s&p=100%%", "x"), "http://x.com/?q=x&p=100%");
    EXPECT_EQ(ExpandSearchURL("%s", "%25"), "%25");
    EXPECT_EQ(ExpandSearchURL("http://x.com/", "x"), "http://x.com/");
    EXPECT_EQ(ExpandSearchURL("%%s=%s", "y"), "%s=y");
}

TEST(ExpandSearchURL, StrayPercentSignsAreErrorsNamingTheTemplate) {
    EXPECT_EQ(TemplateError("http://x.com/?q=%s&l=%41", "a"),
              "The search URL \"http://x.com/?q=%s&l=%41\" cannot be expanded: "
              "\"%4\" at position 22 is neither \"%s\" nor \"%%\".");
    EXPECT_EQ(TemplateError("q=%s&r=%s", "a"),
              "The search URL \"q=%s&r=%s\" cannot be expanded: a second \"%s\" stands at position 8.");
    EXPECT_EQ(TemplateError("q=%s%", "a"),
              "The search URL \"q=%s%\" cannot be expanded: the percent sign at position 5 ends it.");
    EXPECT_EQ(
        TemplateError("q=%S", "a"),
        "The search URL \"q=%S\" cannot be expanded: \"%S\" at position 3 is neither \"%s\" nor \"%%\".");
    EXPECT_EQ(
        TemplateError("q=%d", "a"),
        "The search URL \"q=%d\" cannot be expanded: \"%d\" at position 3 is neither \"%s\" nor \"%%\".");
}

TEST(BuildTargetURL, NonEmptyTextUsesOnlyTheSearchURL) {
    std::string url = "stale";
    EXPECT_TRUE(BuildTargetURL(Site("http://x.com/?q=%s", "http://x.com/"), "a+b", url));
    EXPECT_EQ(url, "http://x.com/?q=a+b");
    EXPECT_FALSE(BuildTargetURL(Site("", "http://x.com/"), "a", url));
    EXPECT_EQ(url, "");
    EXPECT_TRUE(BuildTargetURL(Site("http://x.com/fixed", ""), "anything", url));
    EXPECT_EQ(url, "http://x.com/fixed");
    // Nothing is validated or prefixed: the stored text goes out as it is.
    EXPECT_TRUE(BuildTargetURL(Site("x.com?q=%s", ""), "z", url));
    EXPECT_EQ(url, "x.com?q=z");
}

TEST(BuildTargetURL, EmptyTextUsesOnlyTheOpenURL) {
    std::string url = "stale";
    EXPECT_TRUE(BuildTargetURL(Site("http://x.com/?q=%s", "x.com/home%41"), "", url));
    EXPECT_EQ(url, "x.com/home%41");
    EXPECT_FALSE(BuildTargetURL(Site("http://x.com/?q=%s", ""), "", url));
    EXPECT_EQ(url, "");
    // A broken template does not matter when it is not used.
    EXPECT_TRUE(BuildTargetURL(Site("%41%s%s", "http://x.com/"), "", url));
}

TEST(BuildTargetURL, LooksTheSiteUpByMagnitude) {
    TTargets targets;
    TTarget site = Site("http://x.com/?q=%s", "http://x.com/");
    targets.Add(site);
    TTarget other = Site("http://y.com/?s=%s&n=100%%", "");
    targets.Add(other);
    std::string url;
    EXPECT_TRUE(BuildTargetURL(targets, -2, PrepareSearchText("a b"), url));
    EXPECT_EQ(url, "http://y.com/?s=a+b&n=100%");
    EXPECT_TRUE(BuildTargetURL(targets, 1, PrepareSearchText("a+b"), url));
    EXPECT_EQ(url, "http://x.com/?q=a%2Bb");
    EXPECT_TRUE(BuildTargetURL(targets, 1, PrepareSearchText("  "), url));
    EXPECT_EQ(url, "http://x.com/");
    EXPECT_THROW(BuildTargetURL(targets, 3, "a", url), EBriefcase);
}

TEST(BuildTargetURL, BrokenTemplateFailsTheBuild) {
    std::string url;
    EXPECT_THROW(BuildTargetURL(Site("http://x.com/search?q=%s&x=%E4", ""), "a", url), ESearchTemplate);
}

TEST(NormalizeURL, SlashAnywhereAndASchemeInFront) {
    EXPECT_EQ(NormalizeURL("example.com"), "http://example.com/");
    EXPECT_EQ(NormalizeURL("example.com/path"), "http://example.com/path");
    EXPECT_EQ(NormalizeURL("http://example.com/"), "http://example.com/");
    EXPECT_EQ(NormalizeURL("http://example.com"), "http://example.com");
    EXPECT_EQ(NormalizeURL("mailto:someone"), "mailto:someone/");
    // A ":" of a port, a path or a query names no scheme.
    EXPECT_EQ(NormalizeURL("example.com:8080"), "http://example.com:8080/");
    EXPECT_EQ(NormalizeURL("a/b?x=c:d"), "http://a/b?x=c:d");
    EXPECT_EQ(NormalizeURL("-profile:C:\\x"), "http://-profile:C:\\x/");
    EXPECT_EQ(NormalizeURL(""), "http:///");
}

TEST(UrlIsURL, NeedsASchemeOfTwoOrMoreCharactersAndAColon) {
    EXPECT_TRUE(UrlIsURL("http://x"));
    EXPECT_TRUE(UrlIsURL("http://"));
    EXPECT_TRUE(UrlIsURL("mailto:"));
    EXPECT_TRUE(UrlIsURL("about:blank"));
    EXPECT_TRUE(UrlIsURL("made-up.scheme+1:x"));
    EXPECT_TRUE(UrlIsURL("HTTP://X"));
    EXPECT_FALSE(UrlIsURL("c:\\path"));
    EXPECT_FALSE(UrlIsURL(":x"));
    EXPECT_FALSE(UrlIsURL("www.x.com"));
    EXPECT_FALSE(UrlIsURL("http"));
    EXPECT_FALSE(UrlIsURL("ht tp://x"));
    EXPECT_FALSE(UrlIsURL(" http://x"));
    EXPECT_FALSE(UrlIsURL("ht_tp://x"));
    EXPECT_FALSE(UrlIsURL("h\xE9:x"));
    EXPECT_FALSE(UrlIsURL(""));
}

TEST(IsURLLike, SchemesPassWhateverFollows) {
    EXPECT_TRUE(IsURLLike("http://my-site.example"));
    EXPECT_TRUE(IsURLLike("FTP://x"));
    EXPECT_TRUE(IsURLLike("mailto:a b"));
    // A host with a port reads as a scheme to the system's test.
    EXPECT_TRUE(IsURLLike("localhost:8080"));
}

TEST(IsURLLike, BareHostsNeedATwoOrThreeCharacterSuffix) {
    EXPECT_TRUE(IsURLLike("www.x.com"));
    EXPECT_TRUE(IsURLLike("WWW.X.COM"));
    EXPECT_TRUE(IsURLLike("example.de"));
    EXPECT_TRUE(IsURLLike("example.com/search?q=a-b_c"));
    EXPECT_TRUE(IsURLLike("x.io/"));
    EXPECT_TRUE(IsURLLike(".com"));
    EXPECT_FALSE(IsURLLike("example.info"));
    EXPECT_FALSE(IsURLLike("my-site.com"));
    EXPECT_FALSE(IsURLLike("my_site.com"));
    EXPECT_FALSE(IsURLLike("localhost"));
    EXPECT_FALSE(IsURLLike("example.c"));
    EXPECT_FALSE(IsURLLike("a.b"));
    EXPECT_FALSE(IsURLLike("www.x.com "));
    EXPECT_FALSE(IsURLLike("c:\\path"));
    EXPECT_FALSE(IsURLLike("/x.com"));
    EXPECT_FALSE(IsURLLike("caf\xE9.com"));
    EXPECT_FALSE(IsURLLike(""));
}

} // namespace
} // namespace tsy
