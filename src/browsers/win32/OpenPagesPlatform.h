#pragma once

#include "browsers/OpenPages.h"

namespace tsy::win32 {

// The shell's window list through "Shell.Application", Firefox's window class and its files.
// COM must be initialised on the calling thread.
class OpenPagesPlatform : public IOpenPagesPlatform {
public:
    void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) override;
    bool TopLevelWindowExists(const std::string& className) override;
    std::string AppDataFolder() override;
    std::string ReadIniString(const std::string& path, const std::string& section,
                              const std::string& key) override;
    std::optional<std::string> ReadWholeFile(const std::string& path) override;
};

} // namespace tsy::win32
