#pragma once

#include "support/FaultPoint.h"
#include "support/FileSystem.h"

#include <windows.h>

namespace tsy::win32 {

// IFileSystem over the ANSI file functions. Whole-file writes go to a
// temporary file in the target's folder that then replaces the target, so a
// failure at any step leaves the old file as it was.
class TWin32FileSystem : public IFileSystem {
public:
    TWin32FileSystem() = default;
    // Tests stop writes part-way through the fault point; the program passes none.
    explicit TWin32FileSystem(IFaultPoint* faults) : faults_(faults) {}

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

private:
    // Zero, or the error an armed fault point injects before `step`.
    DWORD Injected(const char* step) const { return faults_ ? faults_->Reached(step) : 0; }

    IFaultPoint* faults_ = nullptr;
};

} // namespace tsy::win32
