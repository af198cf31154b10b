#pragma once

#include "browsers/OpenPages.h"
#include "support/win32/ComPtr.h"

namespace tsy::win32 {

// The shell's window list through "Shell.Application", the browsers' windows and their files.
// COM must be initialised on the calling thread: the apartment given here is entered before
// the shell's window list is asked for, else the caller's own is used.
class OpenPagesPlatform : public IOpenPagesPlatform {
public:
    explicit OpenPagesPlatform(TComOnDemand* com = nullptr) noexcept : com_(com) {}
    void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) override;
    bool TopLevelWindowExists(const std::string& className) override;
    bool VisibleWindowOfProgram(const std::string& className, const std::string& imageName) override;
    std::string AppDataFolder() override;
    std::string LocalAppDataFolder() override;
    std::optional<std::string> ReadWholeFile(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    std::unique_ptr<IDatabaseSnapshot> SnapshotDatabase(const std::string& path) override;
    IHistoryDatabase& HistoryDatabase() override { return history_; }
    std::string FromUtf8(const std::string& text) override;
    std::optional<std::string> FromUtf8Exactly(const std::string& text) override;
    std::string LanguageTag() override;

private:
    TComOnDemand* com_;
    TSqliteHistoryDatabase history_;
};

} // namespace tsy::win32
