#pragma once
// Real Firefox and Chromium, started the way the program starts them, with every request going
// to a logging proxy on this machine.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tsy::browsers {

using namespace std::chrono_literals;

// The arguments a Windows program gets from its command line (the rules of CommandLineToArgvW for
// everything after the program name).
std::vector<std::string> WindowsArguments(std::string_view parameters);

// The form in which a browser asks for an http address: a space, a double quote, "<", ">" and
// every byte outside printable ASCII are percent-escaped with upper-case digits, and so are "`",
// "{" and "}" in the path; everything else, escapes included, stays as it is.
std::string CanonicalURL(std::string_view url);
// The host of an absolute address, without port.
std::string HostOf(std::string_view url);

// Polls until `done` answers true or `timeout` has passed; answers the last result.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// A fresh folder, removed with everything in it at the end.
class TTempFolder {
public:
    TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A program in a process group of its own, under a time limit; ended by its own id.
class TProcess {
public:
    TProcess(const std::vector<std::string>& command, std::chrono::seconds limit);
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;
    ~TProcess() { Stop(); }
    bool Started() const { return pid_ > 0; }
    bool Running();
    // Waits for the program to end by itself.
    bool WaitForExit(std::chrono::milliseconds timeout);
    // Asks the whole group to end, then makes it end.
    void Stop();
    // Ends the group at once, as a crash or a power cut would.
    void Kill();

private:
    void Signal(int signal);
    pid_t pid_ = -1;
    bool reaped_ = false;
};

// The proxy script, listening on a free port of 127.0.0.1.
class TLoggingProxy {
public:
    TLoggingProxy();
    int Port() const { return port_; }
    // Every address asked for so far, in order.
    std::vector<std::string> Requests() const;
    // The pages asked for on hosts ending in `hostSuffix`, without "/favicon.ico".
    std::vector<std::string> PagesOf(std::string_view hostSuffix) const;

private:
    TTempFolder folder_;
    std::filesystem::path log_;
    int port_ = 0;
    TProcess process_;
};

// A fresh Firefox profile whose user.js sends everything through the proxy and keeps Firefox
// from any traffic of its own.
void WriteFirefoxProfile(const std::filesystem::path& profile, int proxyPort);
// "firefox-esr --headless --no-remote --profile PROFILE".
std::vector<std::string> FirefoxCommand(const std::filesystem::path& profile);
// Chromium with a fresh user-data folder, through the proxy, with its background traffic off.
std::vector<std::string> ChromiumCommand(const std::filesystem::path& userData, int proxyPort);
// The command wrapped so that it runs on a virtual display of its own.
std::vector<std::string> OnVirtualDisplay(std::vector<std::string> command);

} // namespace tsy::browsers
