#include "support/win32/HtmlHelp.h"

#include <utility>

#include "support/HelpLibrary.h"
#include "support/HelpTopic.h"
#include "support/win32/SystemLibrary.h"

namespace tsy::win32 {

namespace {

constexpr UINT kDisplayTopic = 0;
constexpr UINT kDisplayToc = 1;

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

std::string RegisteredHelpControl() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHelpControlRegistryPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    UniqueRegKey owned(key);
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof path - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return path;
}

std::string Folder(UINT(WINAPI* query)(LPSTR, UINT)) {
    char path[MAX_PATH] = {};
    const UINT length = query(path, MAX_PATH);
    return length < MAX_PATH ? std::string(path, length) : std::string();
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

THtmlHelp::THtmlHelp(std::string helpFile, TComOnDemand* com) : helpFile_(std::move(helpFile)), com_(com) {}

THtmlHelp::THtmlHelp(std::string helpFile, TEntry entry)
    : helpFile_(std::move(helpFile)), loaded_(true), entry_(std::move(entry)) {}

void THtmlHelp::LoadHelpLibrary() const {
    loaded_ = true;
    if (com_)
        com_->Enter();
    // Never by name: the search order could find a copy planted beside the program.
    const std::string path = ResolveHelpLibraryPath(RegisteredHelpControl(), Folder(GetWindowsDirectoryA),
                                                    SystemFolder(), FileExists);
    if (!path.empty())
        library_.Reset(LoadLibraryA(path.c_str()));
    if (library_)
        if (auto entry = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpA"))))
            entry_ = entry;
}

const THtmlHelp::TEntry& THtmlHelp::Entry() const {
    // One attempt only: a missing viewer stays missing for the rest of the run.
    if (!loaded_)
        LoadHelpLibrary();
    return entry_;
}

bool THtmlHelp::ShowTopic(std::string_view keyword) const {
    const TEntry& entry = Entry();
    if (!entry)
        return false;
    const std::string address = HelpTopicAddress(helpFile_, keyword);
    entry(nullptr, address.c_str(), kDisplayTopic, 0);
    return true;
}

bool THtmlHelp::ShowContents() const {
    const TEntry& entry = Entry();
    if (!entry)
        return false;
    entry(nullptr, helpFile_.c_str(), kDisplayToc, 0);
    return true;
}

bool THtmlHelp::HandleRequest(DWORD_PTR data) const {
    if (IsNumericHelpContext(data))
        ShowContents();
    else
        ShowTopic(reinterpret_cast<const char*>(data));
    return true;
}

} // namespace tsy::win32
