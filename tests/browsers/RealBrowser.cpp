#include "RealBrowser.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace tsy::browsers {

namespace fs = std::filesystem;

std::vector<std::string> WindowsArguments(std::string_view text) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= text.size())
            return arguments;
        std::string argument;
        bool quoted = false;
        while (i < text.size() && (quoted || (text[i] != ' ' && text[i] != '\t'))) {
            std::size_t backslashes = 0;
            while (i < text.size() && text[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                // 2n backslashes and a quote: n backslashes, the quote toggles; 2n+1: a literal quote.
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                    argument += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (i < text.size() && (quoted || (text[i] != ' ' && text[i] != '\t')))
                    argument += text[i++];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

std::string CanonicalURL(std::string_view url) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::size_t authority = url.find("://");
    const std::size_t pathStart = authority == std::string_view::npos ? 0 : url.find('/', authority + 3);
    std::string canonical;
    bool inQuery = false;
    for (std::size_t i = 0; i < url.size(); ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        if (c == '?')
            inQuery = true;
        const bool inPath = pathStart != std::string_view::npos && i >= pathStart && !inQuery;
        if (c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>' ||
            (inPath && (c == '`' || c == '{' || c == '}'))) {
            canonical += '%';
            canonical += kDigits[c >> 4];
            canonical += kDigits[c & 15];
        } else {
            canonical += char(c);
        }
    }
    return canonical;
}

std::string HostOf(std::string_view url) {
    const std::size_t scheme = url.find("://");
    if (scheme == std::string_view::npos)
        return {};
    url.remove_prefix(scheme + 3);
    return std::string(url.substr(0, url.find_first_of(":/?#")));
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return done();
        std::this_thread::sleep_for(50ms);
    }
}

TTempFolder::TTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tsy-browser-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("no temporary folder");
    path_ = pattern;
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

TProcess::TProcess(const std::vector<std::string>& command, std::chrono::seconds limit) {
    // The time limit holds even if this program dies before it ends the browser.
    std::vector<std::string> limited{"timeout", "--kill-after=5", std::to_string(limit.count())};
    limited.insert(limited.end(), command.begin(), command.end());
    std::vector<char*> argv;
    for (auto& argument : limited)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    // The browsers' chatter about the missing desktop bus and the like is of no use here.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &files, &attributes, argv.data(), environ) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
}

bool TProcess::Running() {
    if (pid_ <= 0 || reaped_)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_)
        reaped_ = true;
    return !reaped_;
}

bool TProcess::WaitForExit(std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return !Running(); }, timeout);
}

void TProcess::Signal(int signal) {
    // The group's id is the program's own; its helper processes share it.
    if (pid_ > 0)
        kill(-pid_, signal);
}

void TProcess::Stop() {
    if (pid_ <= 0)
        return;
    Signal(SIGTERM);
    if (!WaitForExit(10s))
        Signal(SIGKILL);
    WaitForExit(10s);
    Signal(SIGKILL);
    pid_ = -1;
}

void TProcess::Kill() {
    if (pid_ <= 0)
        return;
    Signal(SIGKILL);
    WaitForExit(10s);
    pid_ = -1;
}

namespace {

std::vector<std::string> ProxyCommand(const fs::path& folder) {
    return {"python3", TESSALY_PROXY_SCRIPT, (folder / "requests.log").string(), (folder / "port").string()};
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TLoggingProxy::TLoggingProxy()
    : log_(folder_.Path() / "requests.log"), process_(ProxyCommand(folder_.Path()), 900s) {
    const fs::path portFile = folder_.Path() / "port";
    if (!WaitUntil([&] { return fs::exists(portFile); }, 20s))
        throw std::runtime_error("the proxy did not start");
    port_ = std::atoi(ReadFile(portFile).c_str());
}

std::vector<std::string> TLoggingProxy::Requests() const {
    std::vector<std::string> lines;
    std::istringstream text(ReadFile(log_));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> TLoggingProxy::PagesOf(std::string_view hostSuffix) const {
    std::vector<std::string> pages;
    for (auto& url : Requests()) {
        if (!HostOf(url).ends_with(hostSuffix))
            continue;
        const std::size_t path = url.find('/', url.find("://") + 3);
        if (path == std::string::npos || url.substr(path) != "/favicon.ico")
            pages.push_back(url);
    }
    return pages;
}

void WriteFirefoxProfile(const fs::path& profile, int proxyPort) {
    fs::create_directories(profile);
    const std::string port = std::to_string(proxyPort);
    const std::vector<std::string> prefs = {
        // Every request, whatever its host, to the proxy.
        "network.proxy.type\", 1", "network.proxy.http\", \"127.0.0.1\"",
        "network.proxy.http_port\", " + port, "network.proxy.ssl\", \"127.0.0.1\"",
        "network.proxy.ssl_port\", " + port, "network.proxy.no_proxies_on\", \"\"",
        "network.proxy.allow_hijacking_localhost\", true",
        // Addresses as given: no upgrade to https, no guessing.
        "dom.security.https_first\", false", "dom.security.https_first_schemeless\", false",
        "dom.security.https_only_mode\", false", "browser.fixup.alternate.enabled\", false",
        // No pages of Firefox's own, and no restoring of the last session after a kill.
        "browser.startup.homepage_override.mstone\", \"ignore\"", "startup.homepage_welcome_url\", \"\"",
        "startup.homepage_welcome_url.additional\", \"\"", "browser.startup.page\", 0",
        "browser.startup.firstrunSkipsHomepage\", true", "browser.sessionstore.resume_from_crash\", false",
        "browser.shell.checkDefaultBrowser\", false", "browser.aboutwelcome.enabled\", false",
        "datareporting.policy.firstRunURL\", \"\"", "browser.tabs.warnOnClose\", false",
        // No traffic of its own.
        "datareporting.policy.dataSubmissionEnabled\", false",
        "datareporting.healthreport.uploadEnabled\", false", "toolkit.telemetry.enabled\", false",
        "toolkit.telemetry.unified\", false", "toolkit.telemetry.archive.enabled\", false",
        "app.update.auto\", false", "app.update.enabled\", false", "app.normandy.enabled\", false",
        "app.shield.optoutstudies.enabled\", false", "extensions.update.enabled\", false",
        "extensions.getAddons.cache.enabled\", false", "extensions.systemAddon.update.enabled\", false",
        "browser.search.update\", false", "browser.safebrowsing.malware.enabled\", false",
        "browser.safebrowsing.phishing.enabled\", false", "browser.safebrowsing.downloads.enabled\", false",
        "browser.safebrowsing.downloads.remote.enabled\", false",
        "browser.safebrowsing.update.enabled\", false", "services.settings.server\", \"http://127.0.0.1:1/\"",
        "network.captive-portal-service.enabled\", false", "network.connectivity-service.enabled\", false",
        "browser.newtabpage.enabled\", false", "browser.newtabpage.activity-stream.feeds.topsites\", false",
        "browser.topsites.contile.enabled\", false", "browser.ping-centre.telemetry\", false",
        "network.prefetch-next\", false", "network.dns.disablePrefetch\", true",
        "network.http.speculative-parallel-limit\", 0", "browser.urlbar.speculativeConnect.enabled\", false",
        "browser.places.speculativeConnect.enabled\", false",
        "messaging-system.rsexperimentloader.enabled\", false", "browser.region.update.enabled\", false",
        "geo.provider.network.url\", \"\"", "media.gmp-manager.updateEnabled\", false",
        "security.OCSP.enabled\", 0", "security.remote_settings.crlite_filters.enabled\", false",
        "network.trr.mode\", 5"};
    std::ofstream userJs(profile / "user.js");
    for (const auto& pref : prefs)
        userJs << "user_pref(\"" << pref << ");\n";
}

std::vector<std::string> FirefoxCommand(const fs::path& profile) {
    return {"firefox-esr", "--headless", "--no-remote", "--profile", profile.string()};
}

std::vector<std::string> ChromiumCommand(const fs::path& userData, int proxyPort) {
    return {"chromium",
            "--no-sandbox",
            "--no-first-run",
            "--no-default-browser-check",
            "--proxy-server=http://127.0.0.1:" + std::to_string(proxyPort),
            "--proxy-bypass-list=<-loopback>",
            "--user-data-dir=" + userData.string(),
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--disable-default-apps",
            "--disable-extensions",
            "--disable-client-side-phishing-detection",
            "--disable-domain-reliability",
            "--disable-breakpad",
            "--no-pings",
            "--password-store=basic",
            "--disable-gpu",
            "--disable-dev-shm-usage",
            "--disable-features=HttpsUpgrades,HttpsFirstBalancedModeAutoEnable,MediaRouter,OptimizationHints,"
            "Translate,AutofillServerCommunication,InterestFeedContentSuggestions"};
}

std::vector<std::string> OnVirtualDisplay(std::vector<std::string> command) {
    command.insert(command.begin(), {"xvfb-run", "-a", "-s", "-screen 0 1280x800x24 -nolisten tcp"});
    return command;
}

} // namespace tsy::browsers
