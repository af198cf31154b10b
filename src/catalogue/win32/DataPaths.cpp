#include "catalogue/win32/DataPaths.h"

#include "catalogue/CatalogueFile.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace tsy::win32 {
namespace {

std::string ModulePath() {
    std::vector<char> buffer(MAX_PATH);
    while (true) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string CurrentDirectory() {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
        return std::string();
    std::string directory(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, directory.data());
    directory.resize(length < needed ? length : 0);
    return directory;
}

} // namespace

std::string DataFolder() {
    char appData[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE))
        appData[0] = '\0';
    return DataFolderFor(appData, CurrentDirectory());
}

std::string ProgramFolder() {
    return FolderOf(ModulePath());
}

std::string CollectionsFileName() {
    return CollectionsFileNameFor(ModulePath());
}

TDataPaths ResolveDataPaths(IFileSystem& files) {
    return ResolveDataPaths(files, DataFolder());
}

TDataPaths ResolveDataPaths(IFileSystem& files, std::string dataFolder) {
    TDataPaths paths;
    paths.DataFolder = std::move(dataFolder);
    paths.ProgramFolder = ProgramFolder();
    paths.CollectionsFile = SeedDataFile(files, paths.DataFolder, paths.ProgramFolder, CollectionsFileName());
    paths.TargetsFile = SeedDataFile(files, paths.DataFolder, paths.ProgramFolder, TargetsFileName);
    // Only this, the first instance, saves here, and it has not saved yet: whatever temporary
    // file a save left behind was a killed process's.
    files.RemoveStaleTemporaries(paths.DataFolder);
    return paths;
}

bool CanWriteFolder(const std::string& folder) {
    // The name a save's temporary file gets, so that a probe a killed start left is cleared.
    char probe[MAX_PATH + 16] = {};
    const std::string prefix(kSaveTemporaryPrefix);
    if (GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, probe) == 0)
        return false;
    // Wine answers with a name even when the folder refused the file.
    if (GetFileAttributesA(probe) == INVALID_FILE_ATTRIBUTES)
        return false;
    DeleteFileA(probe);
    return true;
}

} // namespace tsy::win32
