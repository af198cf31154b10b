#include "browsers/OpenUrls.h"

#include "browsers/BrowserDetection.h"
#include "browsers/SearchUrl.h"
#include "support/Format.h"

#include <exception>

namespace tsy {
namespace {

void AppendQuoteSafe(std::string& out, std::string_view url) {
    for (char c : url) {
        if (c == '"')
            out += "%22";
        else
            out += c;
    }
}

// Backslashes right before the closing quote would escape it, so they are doubled there;
// a program splitting its command line the usual way then gets them back as they were.
void CloseQuote(std::string& out) {
    std::size_t backslashes = 0;
    while (backslashes < out.size() && out[out.size() - 1 - backslashes] == '\\')
        ++backslashes;
    out.append(backslashes, '\\');
    out += '"';
}

} // namespace

std::string QuoteSafeURL(const std::string& url) {
    std::string safe;
    safe.reserve(url.size());
    AppendQuoteSafe(safe, url);
    return safe;
}

std::string FirefoxNewTabParameters(const std::string& url) {
    std::string parameters = "-new-tab \"" + QuoteSafeURL(url);
    CloseQuote(parameters);
    return parameters;
}

std::string FirefoxNewWindowParameters(const std::vector<std::string>& urls) {
    // Collections can be large; one buffer keeps this linear in the total length.
    std::size_t total = 16;
    for (const auto& url : urls)
        total += url.size() + 9;
    std::string parameters;
    parameters.reserve(total);
    parameters += "-new-window \"";
    for (std::size_t i = 0; i < urls.size(); ++i) {
        if (i != 0)
            parameters += '|';
        AppendQuoteSafe(parameters, NormalizeURL(urls[i]));
    }
    CloseQuote(parameters);
    return parameters;
}

int NavigateFlags(std::size_t index, TBrowserVersion version) {
    if (index == 0)
        return 0;
    return MajorVersion(version) <= 6 ? navOpenInNewWindow : navOpenInBackgroundTab;
}

std::string UnsupportedBrowserMessage(TBrowserKind kind) {
    return Format("%s browser is not supported. Please, refer to documentation.", BrowserName(kind).c_str());
}

TUrlOpener::TUrlOpener(IBrowserInfo& browsers, IBrowserDriver& driver, IMessageBoxes& messages)
    : browsers_(browsers), driver_(driver), messages_(messages) {}

void TUrlOpener::OpenURL(TBrowserKind kind, const std::string& url) {
    if (kind != bkInternetExplorer && kind != bkFirefox) {
        messages_.Warning(UnsupportedBrowserMessage(kind));
        return;
    }
    // The version query is what finds out whether the browser can be located at all.
    browsers_.GetBrowserVersion(kind);
    if (kind == bkInternetExplorer) {
        auto browser = driver_.CreateInternetExplorer();
        browser->Navigate(url);
        browser->Show();
    } else {
        driver_.StartProcess(browsers_.GetBrowserPath(kind), FirefoxNewTabParameters(url));
    }
}

void TUrlOpener::OpenURLs(TBrowserKind kind, const std::vector<std::string>& urls) {
    if (kind != bkInternetExplorer && kind != bkFirefox) {
        messages_.Warning(UnsupportedBrowserMessage(kind));
        return;
    }
    auto version = browsers_.GetBrowserVersion(kind);
    if (urls.empty())
        return;
    if (kind == bkInternetExplorer) {
        auto browser = driver_.CreateInternetExplorer();
        for (std::size_t i = 0; i < urls.size(); ++i) {
            try {
                browser->Navigate(urls[i], NavigateFlags(i, version));
            } catch (const std::exception&) {
                // One page that cannot be reached must not keep the others from opening.
            }
        }
        browser->Show();
    } else {
        driver_.StartProcess(browsers_.GetBrowserPath(kind), FirefoxNewWindowParameters(urls));
    }
}

} // namespace tsy
