#pragma once

#include "browsers/Browser.h"
#include "support/MessageBoxes.h"

#include <memory>
#include <string>
#include <vector>

namespace tsy {

// Navigate2 flags: open in a new window (up to version 6), open in a background tab (7 and later).
inline constexpr int navOpenInNewWindow = 0x1;
inline constexpr int navOpenInBackgroundTab = 0x1000;

// One fresh Internet Explorer automation instance; released when destroyed, its window stays open.
class IInternetExplorer {
public:
    virtual ~IInternetExplorer() = default;
    // Navigate2 with the URL as its only argument. Failures raise.
    virtual void Navigate(const std::string& url) = 0;
    // Navigate2 with the URL and the navigation flags. Failures raise.
    virtual void Navigate(const std::string& url, int flags) = 0;
    // Sets the property "Visible" to true.
    virtual void Show() = 0;
};

// What the platform does on behalf of the opener.
class IBrowserDriver {
public:
    virtual ~IBrowserDriver() = default;
    // A new, initially invisible instance; raises when it cannot be created.
    virtual std::unique_ptr<IInternetExplorer> CreateInternetExplorer() = 0;
    // Starts the executable with the parameter string; raises EBrowserError when it cannot. With
    // `waitUntilReady` it returns only once the program is ready for input or a bounded time has
    // passed, so that a start that follows reaches the same browser instance in order.
    virtual void StartProcess(const std::string& executable, const std::string& parameters,
                              bool waitUntilReady) = 0;
    // Opens the URL with whatever the system opens its scheme with; raises EBrowserError when
    // that fails.
    virtual void OpenDocument(const std::string& url) = 0;
};

// The longest command line a process can be started with, its terminating null included.
inline constexpr std::size_t kMaxCommandLine = 32767;

// Raised for the URLs of a list that no command line can carry, after the others were opened.
class EUrlTooLong : public EBrowserError {
public:
    explicit EUrlTooLong(std::vector<std::size_t> indexes, std::string startFailures = {});
    // Positions in the list that was opened, in increasing order.
    const std::vector<std::size_t>& Indexes() const { return indexes_; }
    // The reports of the starts that failed meanwhile, one a line; empty when none did.
    const std::string& StartFailures() const { return startFailures_; }

private:
    std::vector<std::size_t> indexes_;
    std::string startFailures_;
};

// Opens URLs in the browser of a given kind.
class IUrlOpener {
public:
    virtual ~IUrlOpener() = default;
    // An address that is no web page (IsWebPageAddress) is refused with a warning.
    virtual void OpenURL(TBrowserKind kind, const std::string& url) = 0;
    // The list is opened in its order; an empty list opens nothing. URLs too long for any
    // command line are left out and raised as EUrlTooLong once the rest is open. Addresses that
    // are no web pages are left out too, and listed in one warning after the others opened.
    virtual void OpenURLs(TBrowserKind kind, const std::vector<std::string>& urls) = 0;
};

// A double quote would end the quoted argument early, so it travels as "%22".
std::string QuoteSafeURL(const std::string& url);
// The Firefox parameters keep the quoted argument whole: no URL can end it early, with a
// double quote or with backslashes in front of the closing quote.
// Firefox parameters for one URL in a new tab: the URL as given.
std::string FirefoxNewTabParameters(const std::string& url);
// Firefox parameters for a list in one new window: normalised URLs joined by "|", a "|" of a URL
// itself written "%7C".
std::string FirefoxNewWindowParameters(const std::vector<std::string>& urls);
// Firefox up to 3.6 splits a "-new-window" address at "|"; later versions take each address as
// an argument of its own. A version that cannot be read is taken for a later one.
bool FirefoxJoinsWithBars(TBrowserVersion version);
// The parameter strings of the starts that open a list, in list order.
struct TBrowserStarts {
    std::vector<std::string> parameters;
    // URLs that fit in no start, as positions in the list.
    std::vector<std::size_t> tooLong;
};
// The Firefox starts for a list: as few as keep each parameter string within `budget`
// characters, in list order. The first opens a new window with "-new-window" and "|"-joined
// URLs; the others add their URLs to that window as tabs, one "-new-tab" each.
TBrowserStarts FirefoxStartParameters(const std::vector<std::string>& urls, std::size_t budget);
// The same for the Firefox versions that take each address as its own argument: the first start
// is "-new-window" followed by its quoted URLs, the others are "-new-tab" before each URL.
TBrowserStarts FirefoxArgumentStarts(const std::vector<std::string>& urls, std::size_t budget);
// Chrome and Edge: each normalised URL its own quoted argument after "--"; the first start puts
// "--new-window" in front, the later ones join that window as tabs.
TBrowserStarts ChromiumStartParameters(const std::vector<std::string>& urls, std::size_t budget);
// Chrome or Edge parameters for one URL in a new tab: "--" and the URL as given, quoted.
std::string ChromiumNewTabParameters(const std::string& url);
// Characters left for the parameters once ShellExecute has put the quoted program in front.
std::size_t ParameterBudget(const std::string& executable);
// Navigate2 flags for the URL at `index` of a list opened in a browser of `version`.
int NavigateFlags(std::size_t index, TBrowserVersion version);
// "%s browser is not supported. Please, refer to documentation."
std::string UnsupportedBrowserMessage(TBrowserKind kind);

class TUrlOpener : public IUrlOpener {
public:
    TUrlOpener(IBrowserInfo& browsers, IBrowserDriver& driver, IMessageBoxes& messages);

    void OpenURL(TBrowserKind kind, const std::string& url) override;
    void OpenURLs(TBrowserKind kind, const std::vector<std::string>& urls) override;

private:
    // Opens the web pages of a list that holds other addresses too, then warns of those.
    void OpenWebPagesOnly(TBrowserKind kind, const std::vector<std::string>& urls);
    void OpenInChromium(TBrowserKind kind, const std::vector<std::string>& urls);
    void OpenWithTheSystem(const std::vector<std::string>& urls);

    IBrowserInfo& browsers_;
    IBrowserDriver& driver_;
    IMessageBoxes& messages_;
};

} // namespace tsy
