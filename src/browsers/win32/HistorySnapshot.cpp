#include "browsers/win32/HistorySnapshot.h"

#include "browsers/BrowserDetection.h"
#include "support/Unicode.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <vector>

namespace tsy::win32 {
namespace {

// The browser has the file open for writing, so it is read with every sharing allowed; a file
// held without sharing, or with its bytes locked, fails.
bool CopyOpenFile(const std::string& from, const std::string& to) {
    UniqueFile source(::CreateFileA(from.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source)
        return false;
    UniqueFile target(
        ::CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!target)
        return false;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(source.Get(), buffer.data(), DWORD(buffer.size()), &read, nullptr))
            return false;
        if (read == 0)
            return true;
        DWORD written = 0;
        if (!::WriteFile(target.Get(), buffer.data(), read, &written, nullptr) || written != read)
            return false;
    }
}

class TDatabaseSnapshot : public IDatabaseSnapshot {
public:
    TDatabaseSnapshot(std::string folder, std::string name, const ICodePage& codePage)
        : folder_(std::move(folder)), name_(std::move(name)), codePage_(codePage) {}
    TDatabaseSnapshot(const TDatabaseSnapshot&) = delete;
    TDatabaseSnapshot& operator=(const TDatabaseSnapshot&) = delete;
    // Everything in the folder goes, the library's own "-shm" file included.
    ~TDatabaseSnapshot() override {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((folder_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileA((folder_ + "\\" + found.cFileName).c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(folder_.c_str());
    }

    std::string DatabasePath() const override { return Utf16ToUtf8(codePage_.ToWide(File())); }
    std::string File(const std::string& suffix = {}) const { return folder_ + "\\" + name_ + suffix; }

private:
    std::string folder_, name_;
    const ICodePage& codePage_;
};

std::string NewTempFolder() {
    char base[MAX_PATH + 1] = {};
    if (::GetTempPathA(MAX_PATH, base) == 0)
        return {};
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string folder = std::string(base) + "tsy-history-" + std::to_string(::GetCurrentProcessId()) +
                             "-" + std::to_string(::GetTickCount()) + "-" + std::to_string(++counter);
        if (::CreateDirectoryA(folder.c_str(), nullptr))
            return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
    }
    return {};
}

} // namespace

std::unique_ptr<IDatabaseSnapshot> TDatabaseSnapshots::Snapshot(const std::string& path) {
    if (!files_.FileExists(path))
        return nullptr;
    std::string folder = NewTempFolder();
    if (folder.empty())
        return nullptr;
    auto snapshot =
        std::make_unique<TDatabaseSnapshot>(std::move(folder), std::string(FileNamePart(path)), codePage_);
    if (!CopyOpenFile(path, snapshot->File()))
        return nullptr;
    for (const char* suffix : {"-wal", "-journal"}) {
        if (files_.FileExists(path + suffix) && !CopyOpenFile(path + suffix, snapshot->File(suffix)))
            return nullptr;
    }
    return snapshot;
}

} // namespace tsy::win32
