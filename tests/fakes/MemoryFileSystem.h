#pragma once

#include "support/FaultPoint.h"
#include "support/FileSystem.h"

#include <map>
#include <set>
#include <string>

namespace tsy::fakes {

// An in-memory file system with Windows path rules: "\" and "/" both separate,
// letter case is ignored, a drive ("C:") always exists. Tests may poke at the
// maps directly.
class MemoryFileSystem : public IFileSystem {
public:
    std::optional<std::string> ReadFile(std::string_view path) const override;
    void WriteFileAtomic(std::string_view path, std::string_view content) override;
    std::string WriteTemporary(std::string_view path, std::string_view content) override;
    std::string ReplaceKeepingOld(std::string_view temporary, std::string_view path) override;
    void Restore(std::string_view kept, std::string_view path) override;
    bool RemoveFile(std::string_view path) override;
    bool FileExists(std::string_view path) const override;
    bool DirectoryExists(std::string_view path) const override;
    void CreateDirectories(std::string_view path) override;
    bool CopyFileNoOverwrite(std::string_view from, std::string_view to) override;
    void RemoveStaleTemporaries(std::string_view folder) override;

    // Helpers for arranging and checking tests. AddFile creates the parents.
    void AddFile(std::string_view path, std::string_view content);
    void AddDirectory(std::string_view path);
    std::optional<std::string> Content(std::string_view path) const;

    // Every write fails, as a full disk would.
    bool failWrites = false;
    // Folders in which nothing can be created or replaced (normalised paths).
    std::set<std::string> readOnlyFolders;
    // Files that exist but cannot be opened for reading (normalised paths).
    std::set<std::string> unreadableFiles;
    // Asked before every step that changes a file; a step it fails raises EFileError.
    IFaultPoint* faults = nullptr;

    std::map<std::string, std::string> files; // by normalised path
    std::set<std::string> directories;        // normalised
    int writeCount = 0;

    // Lower case, "\" separators, no trailing separator.
    static std::string Normalize(std::string_view path);
    static std::string Parent(const std::string& normalized);

private:
    void Step(const char* step, std::string_view path) const;
    // Raises EFileError when nothing can be written at path.
    void CheckWritable(std::string_view path) const;
    int temporaries_ = 0;
};

} // namespace tsy::fakes
