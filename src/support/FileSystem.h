#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tsy {

// Whole-file writes go through a temporary file named this prefix, one to four hex digits and
// ".tmp" (the system's temporary-name scheme) in the target's folder.
inline constexpr std::string_view kSaveTemporaryPrefix = "tsy";

// True for a name a whole-file write gives its temporary file, in any letter case; such a file
// outlives its write only when the writing process was killed.
bool IsSaveTemporaryName(std::string_view fileName);

class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The few file operations the catalogue needs. Paths are ANSI, Windows-style
// in the real program; tests use an in-memory store.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // nullopt when the file does not exist or cannot be read.
    virtual std::optional<std::string> ReadFile(std::string_view path) const = 0;
    // Replaces the file as a whole: on failure the old content stays and EFileError is raised.
    virtual void WriteFileAtomic(std::string_view path, std::string_view content) = 0;
    // The steps of such a write, for writes that must succeed or fail together.
    // Writes a new temporary file beside `path` and returns its path; a failure leaves nothing.
    virtual std::string WriteTemporary(std::string_view path, std::string_view content) = 0;
    // Puts the temporary file in place of `path`, which keeps its security and attributes where
    // the system can. The old file, when there was one, is kept under a new temporary name,
    // which is returned (empty when there was none). On failure nothing has changed.
    virtual std::string ReplaceKeepingOld(std::string_view temporary, std::string_view path) = 0;
    // Moves a kept old file back over `path`.
    virtual void Restore(std::string_view kept, std::string_view path) = 0;
    // False when the file could not be deleted.
    virtual bool RemoveFile(std::string_view path) = 0;
    virtual bool FileExists(std::string_view path) const = 0;
    virtual bool DirectoryExists(std::string_view path) const = 0;
    // Creates the folder and every missing parent; raises EFileError on failure.
    virtual void CreateDirectories(std::string_view path) = 0;
    // Copies without overwriting; false when nothing was copied.
    virtual bool CopyFileNoOverwrite(std::string_view from, std::string_view to) = 0;
    // Deletes what killed writes left in the folder (names IsSaveTemporaryName accepts) and
    // nothing else; a file that cannot be deleted stays. Only while no write runs there.
    virtual void RemoveStaleTemporaries(std::string_view folder) = 0;
};

// Replaces both files or neither: both temporary files are written first, and when the second
// cannot replace its file, the first file is put back. Raises EFileError.
void WriteFilePairAtomic(IFileSystem& files, std::string_view firstPath, std::string_view firstContent,
                         std::string_view secondPath, std::string_view secondContent);

// The files of a folder that cannot be written: reads go through, every change is dropped, so
// a run keeps its changes to itself and the files stay as they were.
class TWritesDropped : public IFileSystem {
public:
    explicit TWritesDropped(IFileSystem& files) : files_(files) {}

    std::optional<std::string> ReadFile(std::string_view path) const override {
        return files_.ReadFile(path);
    }
    void WriteFileAtomic(std::string_view, std::string_view) override {}
    std::string WriteTemporary(std::string_view, std::string_view) override { return {}; }
    std::string ReplaceKeepingOld(std::string_view, std::string_view) override { return {}; }
    void Restore(std::string_view, std::string_view) override {}
    bool RemoveFile(std::string_view) override { return false; }
    bool FileExists(std::string_view path) const override { return files_.FileExists(path); }
    bool DirectoryExists(std::string_view path) const override { return files_.DirectoryExists(path); }
    void CreateDirectories(std::string_view) override {}
    bool CopyFileNoOverwrite(std::string_view, std::string_view) override { return false; }
    void RemoveStaleTemporaries(std::string_view) override {}

private:
    IFileSystem& files_;
};

} // namespace tsy
