#pragma once

#include "browsers/OpenPages.h"
#include "support/win32/ComPtr.h"

namespace tsy::win32 {

// The shell's window list through "Shell.Application", Firefox's window class and its files.
// COM must be initialised on the calling thread: the apartment given here is entered before
// the shell's window list is asked for, else the caller's own is used.
class OpenPagesPlatform : public IOpenPagesPlatform {
public:
    explicit OpenPagesPlatform(TComOnDemand* com = nullptr) noexcept : com_(com) {}
    void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) override;
    bool TopLevelWindowExists(const std::string& className) override;
    std::string AppDataFolder() override;
    std::string ReadIniString(const std::string& path, const std::string& section,
                              const std::string& key) override;
    std::optional<std::string> ReadWholeFile(const std::string& path) override;

private:
    TComOnDemand* com_;
};

} // namespace tsy::win32
