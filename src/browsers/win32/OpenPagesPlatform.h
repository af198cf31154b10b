#pragma once

#include "browsers/OpenPages.h"
#include "browsers/win32/HistorySnapshot.h"
#include "support/win32/ComPtr.h"
#include "support/win32/SystemCodePage.h"
#include "support/win32/Win32FileSystem.h"

namespace tsy::win32 {

// The shell's window list through "Shell.Application" and the browsers' windows.
// COM must be initialised on the calling thread: the apartment given here is entered before
// the shell's window list is asked for, else the caller's own is used.
class TBrowserWindows : public IBrowserWindows {
public:
    explicit TBrowserWindows(TComOnDemand* com = nullptr) noexcept : com_(com) {}
    void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) override;
    bool TopLevelWindowExists(const std::string& className) override;
    bool VisibleWindowOfProgram(const std::string& className, const std::string& imageName) override;
    std::string AppDataFolder() override;
    std::string LocalAppDataFolder() override;
    std::string LanguageTag() override;

private:
    TComOnDemand* com_;
};

// The system's windows, files and history databases as the open-page listing and the engine
// import read them.
class TOpenPagesPlatform {
public:
    explicit TOpenPagesPlatform(TComOnDemand* com = nullptr) noexcept : windows_(com) {}
    TOpenPagesPlatform(const TOpenPagesPlatform&) = delete;
    TOpenPagesPlatform& operator=(const TOpenPagesPlatform&) = delete;

    TBrowserSystem System() noexcept { return {windows_, files_, codePage_, snapshots_, database_}; }

private:
    TBrowserWindows windows_;
    TWin32FileSystem files_;
    TSystemCodePage codePage_;
    TDatabaseSnapshots snapshots_{files_, codePage_};
    TSqliteHistoryDatabase database_;
};

} // namespace tsy::win32
