#include "browsers/OpenPages.h"

#include "FakeOpenPagesPlatform.h"
#include "browsers/SearchUrl.h"
#include "support/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tsy {
namespace {

// The URL as the recogniser leaves it, or "<unchanged>" when it answers false and keeps it.
std::string Recognized(std::string url) {
    const std::string original = url;
    if (RecognizeSearchURL(url))
        return url;
    return url == original ? "<unchanged>" : "<changed on false: " + url + ">";
}

TEST(RecognizeSearchURL, ProbeWordInAnyCaseWinsOverParameters) {
    EXPECT_EQ(Recognized("http://x.com/find/stubTEXT?q=abc"), "http://x.com/find/%s?q=abc");
    EXPECT_EQ(Recognized("http://x.com/?q=abc&w=StubText"), "http://x.com/?q=abc&w=%s");
    // Only one place can take the text when the template is expanded.
    EXPECT_EQ(Recognized("http://x.com/?q=StubText&oq=stubtext"), "http://x.com/?q=%s&oq=stubtext");
}

TEST(RecognizeSearchURL, SearchLikeHostOrPathChoosesTheLongParameterList) {
    EXPECT_EQ(Recognized("http://search.example.com/?ss=a&q=b"), "http://search.example.com/?ss=%s&q=b");
    EXPECT_EQ(Recognized("http://www.example.com/?ss=a&q=b"), "http://www.example.com/?ss=a&q=%s");
    EXPECT_EQ(Recognized("http://x.SearchResults.org/?kw=a"), "http://x.SearchResults.org/?kw=%s");
    EXPECT_EQ(Recognized("http://research.org/?kw=a"), "<unchanged>");
    EXPECT_EQ(Recognized("http://x.com/cgi/Query.pl?kw=a"), "http://x.com/cgi/Query.pl?kw=%s");
    EXPECT_EQ(Recognized("http://x.com/a/results2?kw=a"), "<unchanged>");
    // "-" and "_" belong to words, so "site-search" is one word and not "search".
    EXPECT_EQ(Recognized("http://x.com/site-search?kw=a&q=b"), "http://x.com/site-search?kw=a&q=%s");
    EXPECT_EQ(Recognized("http://x.com/site.search?kw=a&q=b"), "http://x.com/site.search?kw=%s&q=b");
}

TEST(RecognizeSearchURL, NamesMatchInAnyCaseAndTheValueIsReplacedWhereItStands) {
    EXPECT_EQ(Recognized("http://X.com/Find?A=Bc&Q=Hello+World&Z=1"), "http://X.com/Find?A=Bc&Q=%s&Z=1");
    EXPECT_EQ(Recognized("http://x.com/?KeyWords=a"), "http://x.com/?KeyWords=%s");
}

TEST(RecognizeSearchURL, ScansParametersAsTheyAreDelimited) {
    EXPECT_EQ(Recognized("http://x.com/s?a=1&b&q="), "http://x.com/s?a=1&b&q=%s");
    EXPECT_EQ(Recognized("http://x.com/s?q=#top"), "http://x.com/s?q=%s#top");
    // After a value the scan goes on into the fragment.
    EXPECT_EQ(Recognized("http://x.com/s?a=1#q=2"), "http://x.com/s?a=1#q=%s");
    // A value ended by "=" lets the next name start behind it.
    EXPECT_EQ(Recognized("http://x.com/s?a=b=q=5"), "http://x.com/s?a=b=q=%s");
    EXPECT_EQ(Recognized("http://x.com/s?a#q=1"), "<unchanged>");
    EXPECT_EQ(Recognized("http://x.com/s?a&b"), "<unchanged>");
    EXPECT_EQ(Recognized("http://x.com/s?a=1&query"), "<unchanged>");
    EXPECT_EQ(Recognized("http://x.com/s?"), "<unchanged>");
    EXPECT_EQ(Recognized("http://x.com/q=1"), "<unchanged>");
    EXPECT_EQ(Recognized("http://x.com/s#q=1"), "<unchanged>");
    // Without a "?" the extra information starts at "#"; a later "?" starts the parameters.
    EXPECT_EQ(Recognized("http://x.com/p#f?q=1"), "http://x.com/p#f?q=%s");
}

TEST(RecognizeSearchURL, UrlsTheParserRejectsAreNotSearchUrls) {
    EXPECT_EQ(Recognized(""), "<unchanged>");
    EXPECT_EQ(Recognized("www.example.com/?q=1"), "<unchanged>");
    EXPECT_EQ(Recognized("http://x.com/?q=" + std::string(3000, 'a')), "<unchanged>");
    // The probe word needs no parsing.
    EXPECT_EQ(Recognized("www.example.com/?q=StubText"), "www.example.com/?q=%s");
}

TEST(RecognizeSearchURL, TemplatesExpandBackToThePageWithOnlyTheTextChanged) {
    struct Case {
        std::string page, expected;
    };
    const Case cases[] = {
        {"http://x/a%2Db?q=StubText", "http://x/a%2Db?q=word"},
        {"http://x/a%2Db?q=old%20text&p=100%25", "http://x/a%2Db?q=word&p=100%25"},
        {"http://x/%s/%%?q=", "http://x/%s/%%?q=word"},
        {"http://search.x/?ss=%E4&q=1#%41", "http://search.x/?ss=word&q=1#%41"},
        {"about:blank?query=a%", "about:blank?query=word"},
        {"http://x/%STUBTEXT%", "http://x/%word%"},
    };
    for (const Case& c : cases) {
        std::string url = c.page;
        ASSERT_TRUE(RecognizeSearchURL(url)) << c.page;
        EXPECT_EQ(ExpandSearchURL(url, "word"), c.expected) << c.page << " -> " << url;
    }
    std::string stored = "http://x/a%2Db?q=StubText";
    ASSERT_TRUE(RecognizeSearchURL(stored));
    EXPECT_EQ(stored, "http://x/a%%2Db?q=%s");
}

// "host|path|extra", or "<rejected>".
std::string Cracked(std::string_view url) {
    const auto parts = CrackUrl(url);
    return parts ? parts->HostName + "|" + parts->UrlPath + "|" + parts->ExtraInfo : "<rejected>";
}

TEST(CrackUrl, SplitsLikeTheSystemParser) {
    EXPECT_EQ(Cracked("http://user:pw@Host.com:8080/a/b?q=1#f"), "Host.com|/a/b|?q=1#f");
    // The extra information starts at the first "?", else at the first "#".
    EXPECT_EQ(Cracked("http://h/a#f?x"), "h|/a#f|?x");
    EXPECT_EQ(Cracked("http://h#a?b"), "h#a||?b");
    EXPECT_EQ(Cracked("http://h#a/b"), "h||#a/b");
    // The port starts at the last colon, user information ends at the first "@".
    EXPECT_EQ(Cracked("http://[::1]/p"), "[:|/p|");
    EXPECT_EQ(Cracked("http://u@h:1@x/p"), "h|/p|");
    EXPECT_EQ(Cracked("about:blank#x"), "|blank|#x");
    EXPECT_EQ(Cracked("file:///C|/my%20dir/x.htm?q=1"), "|C:\\my dir\\x.htm?q=1|?q=1");
    EXPECT_EQ(Cracked("file:////srv/share"), "|\\\\srv\\share|");
    EXPECT_EQ(Cracked(":"), "||");
    // The parser stops at a NUL.
    EXPECT_EQ(Cracked(std::string("http://h/p\0?q", 13)), "h|/p|");
}

TEST(CrackUrl, RejectsTextWithoutSchemeAndPiecesTooLong) {
    for (const char* url : {"", " http://x/", "a_b:x", "x.com/a:b"})
        EXPECT_EQ(Cracked(url), "<rejected>") << url;
    EXPECT_NE(Cracked("http://" + std::string(kMaxCrackedHostName, 'h') + "/"), "<rejected>");
    EXPECT_EQ(Cracked("http://" + std::string(kMaxCrackedHostName + 1, 'h') + "/"), "<rejected>");
    EXPECT_NE(Cracked("http://h" + std::string(kMaxCrackedUrlPart, '/')), "<rejected>");
    EXPECT_EQ(Cracked("http://h" + std::string(kMaxCrackedUrlPart + 1, '/')), "<rejected>");
    EXPECT_EQ(Cracked("http://h/?" + std::string(kMaxCrackedUrlPart, 'q')), "<rejected>");
}

// Pages as "URL=title" joined by " ; ".
std::string Joined(const TPageInfos& pages) {
    std::string text;
    for (const auto& page : pages)
        text += (text.empty() ? "" : " ; ") + page.URL + "=" + page.Title;
    return text;
}

// The pages parsed from bytes.
std::string History(std::string_view bytes) {
    TPageInfos pages;
    ParseHistoryDat(bytes, pages);
    return Joined(pages);
}

TEST(ParseHistoryDat, TakesTheTitleFromTheCellTwoAboveTheUrl) {
    EXPECT_EQ(History("x@$$<(80=http://a/)(81=1)(82=Title A)>@$$<(1FFFE=http://b/)(1FFFF=x)(20000=B)>"
                      "@$$<(a0=http://c/)(A2=C)>@$$<(80=http://d/)(82=)>"),
              "http://a/=Title A ; http://b/=B ; http://c/=C ; http://d/=");
}

TEST(ParseHistoryDat, TitleFallsBackToTheUrl) {
    for (const char* segment :
         {"@$$<(80=http://a/)(81=x)>", "@$$<(82=Before)(80=http://a/)>", "@$$<(zz=http://a/)(82=x)>",
          "@$$<(80=http://a/)(82=open>", "@$$<(=http://a/)(2=x)>"})
        EXPECT_EQ(History(segment), "http://a/=http://a/") << segment;
}

TEST(ParseHistoryDat, SegmentsWithASlashButNoUsableUrlGiveEmptyPages) {
    for (const char* segment : {"@$$<(80=ftp://a/)>", "@$$<(100000=http://a/)>", "@$$<80=http://a/)>",
                                "@$$<(80=http://a/>", "@$$<)(80=http://a/>"})
        EXPECT_EQ(History(segment), "=") << segment;
}

TEST(ParseHistoryDat, SkipsSegmentsWithoutSlashAndStopsAtAnUnclosedOne) {
    EXPECT_EQ(History("@$$<(80=x)>@$$>(80=http://a/)<"), "");
    EXPECT_EQ(History("@$$<(80=x)>@$$<(80=http://b/)>@$$<(80=http://c/)"), "http://b/=http://b/");
    EXPECT_EQ(History("<(80=http://a/)>"), "");
    TPageInfos pages = {{"kept", "kept"}};
    ParseHistoryDat("@$$<(80=http://a/)>", pages);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].URL, "kept");
}

class OpenPages : public ::testing::Test {
protected:
    void OpenInternetExplorer(const std::string& url, std::optional<std::string> title,
                              const std::string& locationName = "Location") {
        platform.windows.push_back({"Microsoft Internet Explorer", url, locationName, std::move(title), {}});
    }
    void OpenFolder() { platform.windows.push_back({"Windows Explorer", "file:///C:/", "C:\\", {}, {}}); }
    bool WasRead(const std::string& read) const {
        return std::find(platform.reads.begin(), platform.reads.end(), read) != platform.reads.end();
    }
    // The pages listed, starting from a stale list that must be emptied.
    std::string List(TBrowserSet kinds = 0x07) {
        TPageInfos pages = {{"stale", "stale"}};
        ListOpenPages(platform.System(), kinds, pages);
        return Joined(pages);
    }

    fakes::FakeOpenPagesPlatform platform;
    const std::string firefoxFolder = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\FireFox\\";
};

TEST_F(OpenPages, InternetExplorerWindowsGivePagesInShellOrderSkippingOthers) {
    OpenInternetExplorer("  http://a/ \r\n", "Page A");
    OpenFolder();
    OpenInternetExplorer("http://b/", std::nullopt, " \tB location ");
    EXPECT_EQ(List(), "http://a/=Page A ; http://b/=B location");
    EXPECT_FALSE(WasRead("LocationURL 1"));
    EXPECT_FALSE(WasRead("LocationName 0"));
}

TEST_F(OpenPages, RunningTestsLookOnlyAsFarAsNeeded) {
    EXPECT_FALSE(IsBrowserRunning(platform, bkInternetExplorer));
    OpenFolder();
    OpenInternetExplorer("http://a/", "A");
    OpenInternetExplorer("http://b/", "B");
    EXPECT_TRUE(IsBrowserRunning(platform, bkInternetExplorer));
    EXPECT_FALSE(WasRead("Name 2"));
    EXPECT_FALSE(IsBrowserRunning(platform, bkFirefox));
    platform.windowClasses.insert("MozillaUIWindowClass");
    EXPECT_TRUE(IsBrowserRunning(platform, bkFirefox));
    EXPECT_FALSE(IsBrowserRunning(platform, bkOpera));
    EXPECT_FALSE(IsBrowserRunning(platform, 9));
}

TEST_F(OpenPages, FirefoxPagesFollowInternetExplorerPagesWhenBothAreAsked) {
    platform.RunFirefox("Profiles/abc.default", "@$$<(80=http://f/)(82=F)>");
    OpenInternetExplorer("http://a/", "A");
    EXPECT_EQ(List(), "http://a/=A ; http://f/=F");
    EXPECT_EQ(List(1 << bkFirefox), "http://f/=F");
    EXPECT_EQ(List(1 << bkOpera), "");
    // No profile list: the history is looked for in Firefox's own folder.
    platform.files.RemoveFile(firefoxFolder + "profiles.ini");
    platform.files.AddFile(firefoxFolder + "history.dat", "@$$<(80=http://g/)>");
    EXPECT_EQ(List(1 << bkFirefox), "http://g/=http://g/");
}

TEST_F(OpenPages, FirefoxWithoutHistoryFileAddsNothingAndRaisesNothing) {
    platform.RunFirefox("Profiles/abc.default", std::nullopt);
    OpenInternetExplorer("http://a/", "A");
    EXPECT_EQ(List(), "http://a/=A");
}

TEST_F(OpenPages, UnreadableHistoryAndUnreadableWindowsRaise) {
    platform.RunFirefox("p", "");
    platform.Unreadable({firefoxFolder + "p\\history.dat"});
    EXPECT_THROW(List(), EFileError);
    OpenInternetExplorer("http://a/", "A");
    platform.windows[0].failingProperties.insert("LocationURL");
    EXPECT_THROW(List(1 << bkInternetExplorer), std::runtime_error);
}

TEST_F(OpenPages, NothingRunningEmptiesTheList) {
    OpenFolder();
    EXPECT_EQ(List(), "");
}

} // namespace
} // namespace tsy
