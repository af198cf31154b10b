#include "browsers/OpenUrls.h"

#include "browsers/BrowserDetection.h"
#include "browsers/SearchUrl.h"
#include "support/Format.h"
#include "support/WebAddress.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>

namespace tsy {
namespace {

// With `bars`, a "|" of the URL would split it in two for the Firefox versions that join a list
// with "|", so it travels escaped as well.
void AppendQuoteSafe(std::string& out, std::string_view url, bool bars = false) {
    for (char c : url) {
        if (c == '"')
            out += "%22";
        else if (bars && c == '|')
            out += "%7C";
        else
            out += c;
    }
}

std::size_t TrailingBackslashes(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && text[text.size() - 1 - count] == '\\')
        ++count;
    return count;
}

// Backslashes right before the closing quote would escape it, so they are doubled there;
// a program splitting its command line the usual way then gets them back as they were.
void CloseQuote(std::string& out) {
    out.append(TrailingBackslashes(out), '\\');
    out += '"';
}

// The length `open` would have once its quote is closed.
std::size_t ClosedLength(std::string_view open) {
    return open.size() + TrailingBackslashes(open) + 1;
}

std::string QuotedArgument(std::string_view url) {
    std::string argument = "\"";
    AppendQuoteSafe(argument, url);
    CloseQuote(argument);
    return argument;
}

void AppendLine(std::string& text, const std::string& line) {
    if (!text.empty())
        text += "\n\r";
    text += line;
}

// Each start but the last waits for the browser, so that the next reaches the same instance in
// order. A start that fails leaves the others to open what they carry; every failure is reported,
// with the URLs that no start could carry.
void RunStarts(IBrowserDriver& driver, const std::string& path, TBrowserStarts starts) {
    std::string failures;
    for (std::size_t i = 0; i < starts.parameters.size(); ++i) {
        try {
            driver.StartProcess(path, starts.parameters[i], i + 1 < starts.parameters.size());
        } catch (const EBrowserError& error) {
            AppendLine(failures, error.what());
        }
    }
    if (!starts.tooLong.empty())
        throw EUrlTooLong(std::move(starts.tooLong), std::move(failures));
    if (!failures.empty())
        throw EBrowserError(failures);
}

bool IsSupported(TBrowserKind kind) {
    return kind == bkInternetExplorer || kind == bkFirefox || IsChromium(kind) || kind == bkDefaultBrowser;
}

} // namespace

EUrlTooLong::EUrlTooLong(std::vector<std::size_t> indexes, std::string startFailures)
    : EBrowserError("The address is too long to pass to the browser."), indexes_(std::move(indexes)),
      startFailures_(std::move(startFailures)) {}

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
        AppendQuoteSafe(parameters, NormalizeURL(urls[i]), true);
    }
    CloseQuote(parameters);
    return parameters;
}

TBrowserStarts FirefoxStartParameters(const std::vector<std::string>& urls, std::size_t budget) {
    TBrowserStarts starts;
    std::string current;
    auto flush = [&] {
        if (starts.parameters.empty())
            CloseQuote(current);
        starts.parameters.push_back(std::move(current));
        current.clear();
    };
    // Appends the URL to the start being built; false, and nothing appended, when it does not fit.
    auto append = [&](const std::string& safe) {
        std::size_t mark = current.size();
        bool fits;
        if (starts.parameters.empty()) {
            current += current.empty() ? "-new-window \"" : "|";
            current += safe;
            fits = ClosedLength(current) <= budget;
        } else {
            current += current.empty() ? "-new-tab \"" : " -new-tab \"";
            current += safe;
            CloseQuote(current);
            fits = current.size() <= budget;
        }
        if (!fits)
            current.resize(mark);
        return fits;
    };
    // Filling each start as far as it goes, in list order, gives the fewest starts.
    for (std::size_t i = 0; i < urls.size(); ++i) {
        std::string safe;
        AppendQuoteSafe(safe, NormalizeURL(urls[i]), true);
        bool opensWindow = starts.parameters.empty() && current.empty();
        std::size_t alone = std::string_view(opensWindow ? "-new-window \"" : "-new-tab \"").size() +
                            safe.size() + TrailingBackslashes(safe) + 1;
        if (alone > budget) {
            starts.tooLong.push_back(i);
            continue;
        }
        if (!append(safe)) {
            flush();
            append(safe);
        }
    }
    if (!current.empty())
        flush();
    return starts;
}

bool FirefoxJoinsWithBars(TBrowserVersion version) {
    return version >= 0 && version <= (3 << 16 | 6);
}

TBrowserStarts FirefoxArgumentStarts(const std::vector<std::string>& urls, std::size_t budget) {
    static constexpr std::string_view kNewWindow = "-new-window";
    static constexpr std::string_view kNewTab = "-new-tab ";
    TBrowserStarts starts;
    std::string current;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        const std::string argument = QuotedArgument(NormalizeURL(urls[i]));
        const bool opensWindow = starts.parameters.empty() && current.empty();
        const std::size_t alone =
            opensWindow ? kNewWindow.size() + 1 + argument.size() : kNewTab.size() + argument.size();
        if (alone > budget) {
            starts.tooLong.push_back(i);
            continue;
        }
        if (opensWindow) {
            current = kNewWindow;
            current += ' ';
            current += argument;
            continue;
        }
        const bool inWindow = starts.parameters.empty();
        const std::size_t added = 1 + (inWindow ? 0 : kNewTab.size()) + argument.size();
        if (current.size() + added > budget) {
            starts.parameters.push_back(std::move(current));
            current.clear();
        }
        if (!current.empty())
            current += ' ';
        if (!starts.parameters.empty())
            current += kNewTab;
        current += argument;
    }
    if (!current.empty())
        starts.parameters.push_back(std::move(current));
    return starts;
}

TBrowserStarts ChromiumStartParameters(const std::vector<std::string>& urls, std::size_t budget) {
    // After "--" Chrome takes every argument for an address, even one that looks like a switch.
    static constexpr std::string_view kNewWindow = "--new-window -- ";
    static constexpr std::string_view kAddresses = "-- ";
    TBrowserStarts starts;
    std::string current;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        const std::string argument = QuotedArgument(NormalizeURL(urls[i]));
        const bool opensWindow = starts.parameters.empty() && current.empty();
        const std::string_view lead = opensWindow ? kNewWindow : kAddresses;
        if (lead.size() + argument.size() > budget) {
            starts.tooLong.push_back(i);
            continue;
        }
        if (!current.empty() && current.size() + 1 + argument.size() <= budget) {
            current += ' ';
            current += argument;
            continue;
        }
        if (!current.empty())
            starts.parameters.push_back(std::move(current));
        current = lead;
        current += argument;
    }
    if (!current.empty())
        starts.parameters.push_back(std::move(current));
    return starts;
}

std::string ChromiumNewTabParameters(const std::string& url) {
    return "-- " + QuotedArgument(url);
}

std::size_t ParameterBudget(const std::string& executable) {
    // "program" parameters, and the terminating null.
    std::size_t used = executable.size() + 3 + 1;
    return used >= kMaxCommandLine ? 0 : kMaxCommandLine - used;
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

void TUrlOpener::OpenURL(TBrowserKind kind, const std::string& given) {
    if (!IsSupported(kind)) {
        messages_.Warning(UnsupportedBrowserMessage(kind));
        return;
    }
    if (!IsWebPageAddress(given)) {
        messages_.Warning(NotOpenedMessage({given}));
        return;
    }
    // Internet Explorer takes a bare host name as it is; a command line must not see a switch
    // and the shell would take it for a file name.
    const std::string url = kind == bkInternetExplorer ? given : NormalizeURL(given);
    if (kind == bkDefaultBrowser) {
        driver_.OpenDocument(url);
        return;
    }
    // The version query is what finds out whether the browser can be located at all.
    browsers_.GetBrowserVersion(kind);
    if (kind == bkInternetExplorer) {
        auto browser = driver_.CreateInternetExplorer();
        browser->Navigate(url);
        browser->Show();
        return;
    }
    std::string path = browsers_.GetBrowserPath(kind);
    std::string parameters = kind == bkFirefox ? FirefoxNewTabParameters(url) : ChromiumNewTabParameters(url);
    if (parameters.size() > ParameterBudget(path))
        throw EUrlTooLong({0});
    driver_.StartProcess(path, parameters, false);
}

void TUrlOpener::OpenURLs(TBrowserKind kind, const std::vector<std::string>& urls) {
    if (!IsSupported(kind)) {
        messages_.Warning(UnsupportedBrowserMessage(kind));
        return;
    }
    if (!std::all_of(urls.begin(), urls.end(),
                     [](const std::string& url) { return IsWebPageAddress(url); })) {
        OpenWebPagesOnly(kind, urls);
        return;
    }
    if (kind == bkDefaultBrowser) {
        OpenWithTheSystem(urls);
        return;
    }
    if (IsChromium(kind)) {
        OpenInChromium(kind, urls);
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
        std::string path = browsers_.GetBrowserPath(kind);
        const std::size_t budget = ParameterBudget(path);
        RunStarts(driver_, path,
                  FirefoxJoinsWithBars(version) ? FirefoxStartParameters(urls, budget)
                                                : FirefoxArgumentStarts(urls, budget));
    }
}

void TUrlOpener::OpenWebPagesOnly(TBrowserKind kind, const std::vector<std::string>& urls) {
    std::vector<std::string> pages, refused;
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        if (IsWebPageAddress(urls[i])) {
            pages.push_back(urls[i]);
            positions.push_back(i);
        } else {
            refused.push_back(urls[i]);
        }
    }
    // The warning comes once the pages are on their way, before any error of theirs.
    try {
        if (!pages.empty())
            OpenURLs(kind, pages);
    } catch (const EUrlTooLong& error) {
        messages_.Warning(NotOpenedMessage(refused));
        std::vector<std::size_t> indexes;
        for (auto index : error.Indexes())
            indexes.push_back(positions.at(index));
        throw EUrlTooLong(std::move(indexes), error.StartFailures());
    } catch (const std::exception&) {
        messages_.Warning(NotOpenedMessage(refused));
        throw;
    }
    messages_.Warning(NotOpenedMessage(refused));
}

void TUrlOpener::OpenInChromium(TBrowserKind kind, const std::vector<std::string>& urls) {
    std::string path = browsers_.GetBrowserPath(kind);
    if (urls.empty())
        return;
    RunStarts(driver_, path, ChromiumStartParameters(urls, ParameterBudget(path)));
}

void TUrlOpener::OpenWithTheSystem(const std::vector<std::string>& urls) {
    std::string failures;
    for (const auto& url : urls) {
        try {
            driver_.OpenDocument(NormalizeURL(url));
        } catch (const EBrowserError& error) {
            AppendLine(failures, error.what());
        }
    }
    if (!failures.empty())
        throw EBrowserError(failures);
}

} // namespace tsy
