#pragma once

#include "support/FileSystem.h"

#include <string>

namespace tsy::win32 {

// The application-data folder plus "Orvelle\Tessaly\" (created by the shell
// if missing); without one, "Orvelle\Tessaly\" under the current drive's root.
std::string DataFolder();
// The running executable's folder, with a trailing separator.
std::string ProgramFolder();
// The executable's file name with ".dat" for its extension.
std::string CollectionsFileName();

struct TDataPaths {
    std::string DataFolder;
    std::string ProgramFolder;
    std::string TargetsFile;     // data folder + "targets.dat"
    std::string CollectionsFile; // data folder + CollectionsFileName()
};

// Resolves the paths and seeds both files from the program folder, the
// collections file first, as start-up does once; then removes the temporary files that
// saves killed part-way left in the data folder.
TDataPaths ResolveDataPaths(IFileSystem& files);
// The same with a data folder of the caller's (a portable copy's, beside it).
TDataPaths ResolveDataPaths(IFileSystem& files, std::string dataFolder);

// Whether a file can be made in the folder: one is created there and deleted again.
bool CanWriteFolder(const std::string& folder);

} // namespace tsy::win32
