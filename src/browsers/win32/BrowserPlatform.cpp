#include "browsers/win32/BrowserPlatform.h"

#include "support/win32/Dispatch.h"
#include "support/win32/VersionResource.h"
#include "support/win32/WinText.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <vector>

namespace tsy::win32 {

TBrowserVersion TFileVersionReader::ProductVersion(const std::string& path) {
    const TVersionLibrary library;
    const std::vector<char> data = library.Read(path);
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!library.Query(data, "\\", &fixed, &fixedSize) || !fixed || fixedSize < sizeof(VS_FIXEDFILEINFO))
        return -1;
    return TBrowserVersion(static_cast<const VS_FIXEDFILEINFO*>(fixed)->dwProductVersionMS);
}

std::optional<std::string> TShellProtocolAssociation::OpenExecutable(std::string_view protocol) {
    char buffer[261] = {};
    DWORD size = sizeof buffer;
    std::string name(protocol);
    HRESULT result = ::AssocQueryStringA(0, ASSOCSTR_EXECUTABLE, name.c_str(), "open", buffer, &size);
    if (result != S_OK)
        return std::nullopt;
    return std::string(buffer);
}

namespace {

class AutomationExplorer : public IInternetExplorer {
public:
    explicit AutomationExplorer(Dispatch browser) : browser_(std::move(browser)) {}

    void Navigate(const std::string& url) override {
        Variant address(url);
        browser_.Call("Navigate2", {&address});
    }
    void Navigate(const std::string& url, int flags) override {
        Variant address(url), navigation(flags);
        browser_.Call("Navigate2", {&address, &navigation});
    }
    void Show() override { browser_.Put("Visible", Variant(true)); }

private:
    Dispatch browser_;
};

} // namespace

std::unique_ptr<IInternetExplorer> TBrowserDriver::CreateInternetExplorer() {
    EnterCom();
    return std::make_unique<AutomationExplorer>(Dispatch::Create("InternetExplorer.Application"));
}

void TBrowserDriver::StartProcess(const std::string& executable, const std::string& parameters,
                                  bool waitUntilReady) {
    // The shell may hand the start to an extension that it reaches through COM.
    EnterCom();
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = waitUntilReady ? SEE_MASK_NOCLOSEPROCESS : 0;
    info.hwnd = ::GetDesktopWindow();
    info.lpVerb = "open";
    info.lpFile = executable.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOW;
    if (!::ShellExecuteExA(&info))
        throw EBrowserError("Unable to start \"" + executable + "\": " + SystemErrorText(::GetLastError()));
    if (!info.hProcess)
        return;
    // A browser still starting could take the next start for a second instance; a browser
    // already running takes the new start's pages once that process is idle or gone.
    constexpr DWORD kReadyTimeoutMs = 10000;
    ::WaitForInputIdle(info.hProcess, kReadyTimeoutMs);
    ::CloseHandle(info.hProcess);
}

void TBrowserDriver::OpenDocument(const std::string& url) {
    EnterCom();
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // The failure is reported with the others of the list, not in a box of the shell's own.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = ::GetDesktopWindow();
    info.lpVerb = "open";
    info.lpFile = url.c_str();
    info.nShow = SW_SHOW;
    if (!::ShellExecuteExA(&info))
        throw EBrowserError("Unable to open \"" + url + "\": " + SystemErrorText(::GetLastError()));
}

} // namespace tsy::win32
