#pragma once

#include "support/FileSystem.h"

namespace tsy::win32 {

// IFileSystem over the ANSI file functions. Whole-file writes go to a
// temporary file in the target's folder that then replaces the target, so a
// failure at any step leaves the old file as it was.
class TWin32FileSystem : public IFileSystem {
public:
    std::optional<std::string> ReadFile(std::string_view path) const override;
    void WriteFileAtomic(std::string_view path, std::string_view content) override;
    bool FileExists(std::string_view path) const override;
    bool DirectoryExists(std::string_view path) const override;
    void CreateDirectories(std::string_view path) override;
    bool CopyFileNoOverwrite(std::string_view from, std::string_view to) override;
};

} // namespace tsy::win32
