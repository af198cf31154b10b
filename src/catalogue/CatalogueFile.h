#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueStore.h"
#include "catalogue/IniFile.h"
#include "support/FileSystem.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tsy {

// The sites file and the collections file: INI texts with numbered records.
// A site's ReadOnly flag is not stored; the reader sets the flag it is given
// and the writer writes only the sites whose flag equals the one it is given.

// A count of collections above this is taken as damage, not as a catalogue.
inline constexpr std::int32_t MaxCollectionCount = 100000;

// Between a parsed text and the containers.
void ReadTargets(TTargets& targets, const TIniFile& ini, bool readOnly);
void WriteTargets(const TTargets& targets, TIniFile& ini, bool readOnly);
void ReadCollections(TCollections& collections, const TIniFile& ini);
void WriteCollections(const TCollections& collections, TIniFile& ini);
void ReadCategories(TCategories& categories, const TIniFile& ini);
void WriteCategories(const TCategories& categories, TIniFile& ini);

// Between the files and the containers. A missing file reads as empty; a file
// that exists but cannot be read raises EFileError. Loads append to what the
// container holds. Saves replace the file as a whole, so a failed save leaves
// the old file and raises EFileError.
void LoadFromFile(TTargets& targets, const IFileSystem& files, std::string_view path, bool readOnly);
void SaveToFile(const TTargets& targets, IFileSystem& files, std::string_view path, bool readOnly);
void LoadFromFile(TCollections& collections, const IFileSystem& files, std::string_view path);
void LoadFromFile(TCategories& categories, const IFileSystem& files, std::string_view path);
// Each rewrites its own part of the collections file and keeps the rest.
void SaveToFile(const TCollections& collections, IFileSystem& files, std::string_view path);
void SaveToFile(const TCategories& categories, IFileSystem& files, std::string_view path);
// A fresh collections file: the collections, then the categories.
std::string CollectionsFileText(const TCollections& collections, const TCategories& categories);
std::string TargetsFileText(const TTargets& targets, bool readOnly);

// The repair after every load: ids below 1 renumbered, unknown categories
// made "(general)", members that name no site dropped.
void CheckIntegrity(TTargets& targets, TCollections& collections, TCategories& categories);

// Makes sure dataFolder exists and copies fileName there from programFolder
// when only the program folder has it. Returns the data-folder path of the file.
std::string SeedDataFile(IFileSystem& files, std::string_view dataFolder, std::string_view programFolder,
                         std::string_view fileName);

// The warning for a catalogue that could not be read; the reason has no final full stop.
std::string CatalogueUnreadWarning(std::string_view reason);

// folder + name, with one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// Where the files live. The data folder is the application-data folder plus
// "Orvelle\Tessaly\"; without one, "Orvelle\Tessaly\" under the root of
// the current directory's drive (or share).
std::string DataFolderFor(std::string_view appDataFolder, std::string_view currentDirectory);
// The folder part of a path, with its trailing separator.
std::string FolderOf(std::string_view path);
// The executable's file name with its extension replaced by ".dat".
std::string CollectionsFileNameFor(std::string_view executablePath);
inline constexpr const char* TargetsFileName = "targets.dat";

// The catalogue's two files bound to the three containers.
class TCatalogueFiles : public ICatalogueStore {
public:
    TCatalogueFiles(TTargets& targets, TCollections& collections, TCategories& categories, IFileSystem& files,
                    std::string targetsPath, std::string collectionsPath);

    // Reads both files first, so an unreadable file leaves the containers as they were.
    void Load() override;
    bool IsRead() const override { return unreadReason_.empty(); }
    void CheckIntegrity() override;
    // Both files or neither. While they were not read, nothing is written over them.
    void Save() override;

private:
    // Why the containers do not hold what the files hold; empty once a load has read them.
    std::string unreadReason_ = "it was not read yet";
    TTargets& targets_;
    TCollections& collections_;
    TCategories& categories_;
    IFileSystem& files_;
    std::string targetsPath_;
    std::string collectionsPath_;
};

} // namespace tsy
