#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tsy {

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
    virtual bool FileExists(std::string_view path) const = 0;
    virtual bool DirectoryExists(std::string_view path) const = 0;
    // Creates the folder and every missing parent; raises EFileError on failure.
    virtual void CreateDirectories(std::string_view path) = 0;
    // Copies without overwriting; false when nothing was copied.
    virtual bool CopyFileNoOverwrite(std::string_view from, std::string_view to) = 0;
};

} // namespace tsy
