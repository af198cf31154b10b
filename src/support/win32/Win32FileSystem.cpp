#include "support/win32/Win32FileSystem.h"

#include "support/win32/UniqueHandle.h"
#include "support/win32/WinText.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <string>

namespace tsy::win32 {
namespace {

[[noreturn]] void Fail(const char* action, std::string_view path, DWORD error) {
    throw EFileError(std::string(action) + " \"" + std::string(path) + "\": " + SystemErrorText(error));
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

DWORD Attributes(std::string_view path) {
    return GetFileAttributesA(std::string(path).c_str());
}

// The folder that holds path ("." for a bare name).
std::string FolderOf(std::string_view path) {
    std::size_t end = path.size();
    while (end > 0 && !IsSeparator(path[end - 1]) && path[end - 1] != ':')
        --end;
    return end == 0 ? std::string(".") : std::string(path.substr(0, end));
}

// A new empty file in the folder of path, named as the start-up clean-up expects; a nonzero
// injected error fails it as the system would.
std::string TemporaryName(std::string_view path, DWORD injected) {
    if (injected)
        Fail("Cannot create a temporary file for", path, injected);
    char name[MAX_PATH + 16] = {};
    const std::string prefix(kSaveTemporaryPrefix);
    if (GetTempFileNameA(FolderOf(path).c_str(), prefix.c_str(), 0, name) == 0)
        Fail("Cannot create a temporary file for", path, GetLastError());
    return name;
}

// Deletes a temporary file unless it was moved into place.
class TTemporaryFile {
public:
    explicit TTemporaryFile(std::string path) : path_(std::move(path)) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        if (!path_.empty())
            DeleteFileA(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

} // namespace

std::optional<std::string> TWin32FileSystem::ReadFile(std::string_view path) const {
    UniqueFile file(CreateFileA(std::string(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > std::numeric_limits<DWORD>::max() / 2)
        return std::nullopt;
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), content.data() + done, static_cast<DWORD>(content.size() - done), &read,
                        nullptr))
            return std::nullopt;
        if (read == 0)
            break;
        done += read;
    }
    content.resize(done);
    return content;
}

void TWin32FileSystem::WriteFileAtomic(std::string_view path, std::string_view content) {
    TTemporaryFile temp(WriteTemporary(path, content));
    const std::string kept = ReplaceKeepingOld(temp.Path(), path);
    temp.Keep();
    if (!kept.empty())
        DeleteFileA(kept.c_str());
}

std::string TWin32FileSystem::WriteTemporary(std::string_view path, std::string_view content) {
    TTemporaryFile temp(TemporaryName(path, Injected("temporary name")));
    {
        if (DWORD error = Injected("open"))
            Fail("Cannot write", temp.Path(), error);
        UniqueFile file(CreateFileA(temp.Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            Fail("Cannot write", temp.Path(), GetLastError());
        std::size_t done = 0;
        while (done < content.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
            if (DWORD error = Injected("write"))
                Fail("Cannot write", temp.Path(), error);
            if (!::WriteFile(file.Get(), content.data() + done, chunk, &written, nullptr) || written == 0)
                Fail("Cannot write", temp.Path(), GetLastError());
            done += written;
        }
        if (DWORD error = Injected("flush"))
            Fail("Cannot write", temp.Path(), error);
        if (!FlushFileBuffers(file.Get()))
            Fail("Cannot write", temp.Path(), GetLastError());
        if (DWORD error = Injected("close"))
            Fail("Cannot write", temp.Path(), error);
    }
    std::string written = temp.Path();
    temp.Keep();
    return written;
}

std::string TWin32FileSystem::ReplaceKeepingOld(std::string_view temporary, std::string_view path) {
    const std::string target(path);
    const std::string replacement(temporary);
    if (DWORD error = Injected("replace"))
        Fail("Cannot replace", path, error);
    const DWORD attributes = Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        Fail("Cannot replace", path, ERROR_ACCESS_DENIED);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!MoveFileExA(replacement.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            Fail("Cannot replace", path, GetLastError());
        return {};
    }
    // ReplaceFile keeps the old file's security, attributes and short name, which a move would
    // lose. Always with a place for the old file: without one, a failed move of the new file
    // can leave no file at all.
    TTemporaryFile kept(TemporaryName(path, 0));
    if (!ReplaceFileA(target.c_str(), replacement.c_str(), kept.Path().c_str(),
                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        const DWORD error = GetLastError();
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            // The old file went to the kept name and the new one stayed where it was: the old
            // one goes back, and is never deleted.
            const std::string old = kept.Path();
            kept.Keep();
            MoveFileExA(old.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }
        Fail("Cannot replace", path, error);
    }
    std::string old = kept.Path();
    kept.Keep();
    return old;
}

void TWin32FileSystem::Restore(std::string_view kept, std::string_view path) {
    if (DWORD error = Injected("restore"))
        Fail("Cannot put back", path, error);
    if (!MoveFileExA(std::string(kept).c_str(), std::string(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail("Cannot put back", path, GetLastError());
}

bool TWin32FileSystem::RemoveFile(std::string_view path) {
    return DeleteFileA(std::string(path).c_str()) != 0;
}

bool TWin32FileSystem::FileExists(std::string_view path) const {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool TWin32FileSystem::DirectoryExists(std::string_view path) const {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void TWin32FileSystem::CreateDirectories(std::string_view path) {
    std::string folder(path);
    while (folder.size() > 1 && IsSeparator(folder.back()))
        folder.pop_back();
    if (folder.empty() || DirectoryExists(folder))
        return;
    // Each parent in turn; the ones that exist (drive roots and shares included) just refuse.
    for (std::size_t i = 1; i < folder.size(); ++i)
        if (IsSeparator(folder[i]) && !IsSeparator(folder[i - 1]) && folder[i - 1] != ':')
            CreateDirectoryA(folder.substr(0, i).c_str(), nullptr);
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        if (!DirectoryExists(folder))
            Fail("Cannot create the folder", path, error);
    }
}

bool TWin32FileSystem::CopyFileNoOverwrite(std::string_view from, std::string_view to) {
    return CopyFileA(std::string(from).c_str(), std::string(to).c_str(), TRUE) != 0;
}

void TWin32FileSystem::RemoveStaleTemporaries(std::string_view folder) {
    std::string where(folder);
    if (!where.empty() && !IsSeparator(where.back()))
        where += '\\';
    // The wildcard also matches short (8.3) names; the check on the long name decides.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((where + std::string(kSaveTemporaryPrefix) + "*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsSaveTemporaryName(found.cFileName))
            DeleteFileA((where + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace tsy::win32
