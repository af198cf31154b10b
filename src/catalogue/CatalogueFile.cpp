#include "catalogue/CatalogueFile.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tsy {
namespace {

constexpr const char* MainSection = "main";
constexpr const char* CollectionsSection = "collections";
constexpr const char* TargetsSection = "targets";
constexpr const char* CategoriesSection = "categories";
constexpr const char* KeywordsSection = "keywords";

// The number a record name stands for, when the name is exactly the "%.3d"
// form of a number from 0 up, which is the only form a lookup by number matches.
bool RecordNumber(std::string_view name, std::int32_t& number) {
    if (name.size() < 3 || (name.size() > 3 && name[0] == '0'))
        return false;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    return error == std::errc{} && end == name.data() + name.size() && name[0] != '-';
}

struct TRecord {
    std::int32_t number;
    std::string_view name;
    bool operator<(const TRecord& other) const { return number < other.number; }
};

// The records numbered 0 to last that the file holds, in increasing order.
// Walking the names present rather than every number up to `last` keeps a
// damaged count such as 2147483647 from stalling the load.
template <class TNames> std::vector<TRecord> PresentRecords(const TNames& names, std::int32_t last) {
    std::vector<TRecord> records;
    records.reserve(names.size());
    for (std::string_view name : names) {
        std::int32_t number = 0;
        if (RecordNumber(name, number) && number <= last)
            records.push_back(TRecord{number, name});
    }
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end(),
                              [](const TRecord& a, const TRecord& b) { return a.number == b.number; }),
                  records.end());
    return records;
}

std::optional<TIniFile> ReadIni(const IFileSystem& files, std::string_view path) {
    std::optional<std::string> text = files.ReadFile(path);
    if (!text) {
        if (files.FileExists(path))
            throw EFileError("Cannot read \"" + std::string(path) + "\".");
        return std::nullopt;
    }
    return TIniFile::Adopt(std::move(*text));
}

TIniFile ReadIniOrEmpty(const IFileSystem& files, std::string_view path) {
    std::optional<TIniFile> ini = ReadIni(files, path);
    return ini ? std::move(*ini) : TIniFile();
}

// MaxID + 1, or when that would overflow, the smallest id nobody has.
template <class TUsed> std::int32_t FreeID(std::int32_t maxID, const TUsed& used) {
    if (maxID < std::numeric_limits<std::int32_t>::max())
        return std::max(maxID, 0) + 1;
    std::int32_t id = 1;
    while (used.count(id) != 0)
        ++id;
    return id;
}

} // namespace

void ReadTargets(TTargets& targets, const TIniFile& ini, bool readOnly) {
    const std::int32_t maxID = ini.ReadInteger(MainSection, "maxid", 0);
    for (const TRecord& record : PresentRecords(ini.SectionNames(), maxID)) {
        const std::string_view section = record.name;
        if (!ini.SectionExists(section))
            continue;
        TTarget target;
        target.ID = record.number;
        target.Name = ini.ReadString(section, "name", "");
        target.Search = ini.ReadString(section, "search", "");
        target.Open = ini.ReadString(section, "open", "");
        target.CatID = ini.ReadInteger(section, "catid", 0);
        target.Charset = ini.ReadString(section, "charset", "");
        target.Keyword = ini.ReadString(section, "keyword", "");
        target.ReadOnly = readOnly;
        targets.Append(target);
    }
}

void WriteTargets(const TTargets& targets, TIniFile& ini, bool readOnly) {
    std::int32_t maxID = 0;
    for (const TTarget& target : targets) {
        if (target.ReadOnly != readOnly)
            continue;
        const std::string section = RecordKey(target.ID);
        ini.WriteString(section, "name", target.Name);
        ini.WriteString(section, "search", target.Search);
        ini.WriteString(section, "open", target.Open);
        ini.WriteInteger(section, "catid", target.CatID);
        // Only sites that have one carry the key, so files without it stay as they were.
        if (!target.Charset.empty())
            ini.WriteString(section, "charset", target.Charset);
        if (!target.Keyword.empty())
            ini.WriteString(section, "keyword", target.Keyword);
        maxID = std::max(maxID, target.ID);
    }
    ini.WriteInteger(MainSection, "maxid", maxID);
}

void ReadCollections(TCollections& collections, const TIniFile& ini) {
    const std::int32_t count =
        std::clamp(ini.ReadInteger(MainSection, "collections", 0), 0, MaxCollectionCount);
    for (std::int32_t position = 0; position < count; ++position) {
        const std::string key = RecordKey(position);
        std::string name = ini.ReadString(CollectionsSection, key, key);
        const bool randomize = !name.empty() && name[0] == '~';
        if (randomize)
            name.erase(0, 1);
        TCollection& collection = collections.Append(std::move(name));
        collection.Randomize = randomize;
        collection.SetIDs(TextToIDs(ini.ReadString(TargetsSection, key, "")));
        collection.Keyword = ini.ReadString(KeywordsSection, key, "");
    }
}

void WriteCollections(const TCollections& collections, TIniFile& ini) {
    // Every copy goes: a stale duplicate would come to light once the first is gone.
    while (ini.EraseSection(TargetsSection) || ini.EraseSection(CollectionsSection) ||
           ini.EraseSection(KeywordsSection)) {
    }
    ini.WriteInteger(MainSection, "collections", collections.Count());
    for (std::int32_t position = 0; position < collections.Count(); ++position) {
        const TCollection& collection = collections.GetItem(position);
        const std::string key = RecordKey(position);
        ini.WriteString(CollectionsSection, key, (collection.Randomize ? "~" : "") + collection.Name());
        ini.WriteString(TargetsSection, key, IDsToText(collection.IDs()));
    }
    // Only a catalogue with a keyword has the section, so files without one stay as they were.
    for (std::int32_t position = 0; position < collections.Count(); ++position) {
        const TCollection& collection = collections.GetItem(position);
        if (!collection.Keyword.empty())
            ini.WriteString(KeywordsSection, RecordKey(position), collection.Keyword);
    }
}

void ReadCategories(TCategories& categories, const TIniFile& ini) {
    const std::int32_t last = ini.ReadInteger(MainSection, "categories", 0);
    const std::vector<std::string> keys = ini.ReadSection(CategoriesSection);
    for (const TRecord& record : PresentRecords(keys, last))
        categories.Append(TCategory{record.number, ini.ReadString(CategoriesSection, record.name, "")});
}

void WriteCategories(const TCategories& categories, TIniFile& ini) {
    for (const TCategory& category : categories)
        ini.WriteString(CategoriesSection, RecordKey(category.ID), category.Name);
    ini.WriteInteger(MainSection, "categories", categories.MaxID());
}

void LoadFromFile(TTargets& targets, const IFileSystem& files, std::string_view path, bool readOnly) {
    if (const std::optional<TIniFile> ini = ReadIni(files, path))
        ReadTargets(targets, *ini, readOnly);
}

namespace {

template <class TIDs> bool AllDistinct(TIDs ids) {
    std::sort(ids.begin(), ids.end());
    return std::adjacent_find(ids.begin(), ids.end()) == ids.end();
}

void AppendLine(std::string& text, std::string_view key, std::string_view value) {
    text += key;
    text += '=';
    text += TIniFile::WrittenValue(value);
    text += "\r\n";
}

} // namespace

// Writing record by record gives, when no id repeats, exactly this text; it is
// built directly because large catalogues spend most of a save on the lookups.
std::string TargetsFileText(const TTargets& targets, bool readOnly) {
    std::vector<std::int32_t> ids;
    std::size_t size = 32;
    for (const TTarget& target : targets) {
        if (target.ReadOnly != readOnly)
            continue;
        ids.push_back(target.ID);
        size += target.Name.size() + target.Search.size() + target.Open.size() + target.Charset.size() +
                target.Keyword.size() + 70;
    }
    if (!AllDistinct(ids)) {
        TIniFile ini;
        WriteTargets(targets, ini, readOnly);
        return ini.Text();
    }
    std::string text;
    text.reserve(size);
    std::int32_t maxID = 0;
    for (const TTarget& target : targets) {
        if (target.ReadOnly != readOnly)
            continue;
        text += '[';
        text += RecordKey(target.ID);
        text += "]\r\n";
        AppendLine(text, "name", target.Name);
        AppendLine(text, "search", target.Search);
        AppendLine(text, "open", target.Open);
        AppendLine(text, "catid", std::to_string(target.CatID));
        if (!target.Charset.empty())
            AppendLine(text, "charset", target.Charset);
        if (!target.Keyword.empty())
            AppendLine(text, "keyword", target.Keyword);
        maxID = std::max(maxID, target.ID);
    }
    text += "[main]\r\n";
    AppendLine(text, "maxid", std::to_string(maxID));
    return text;
}

void SaveToFile(const TTargets& targets, IFileSystem& files, std::string_view path, bool readOnly) {
    files.WriteFileAtomic(path, TargetsFileText(targets, readOnly));
}

void LoadFromFile(TCollections& collections, const IFileSystem& files, std::string_view path) {
    if (const std::optional<TIniFile> ini = ReadIni(files, path))
        ReadCollections(collections, *ini);
}

void LoadFromFile(TCategories& categories, const IFileSystem& files, std::string_view path) {
    if (const std::optional<TIniFile> ini = ReadIni(files, path))
        ReadCategories(categories, *ini);
}

void SaveToFile(const TCollections& collections, IFileSystem& files, std::string_view path) {
    TIniFile ini = ReadIniOrEmpty(files, path);
    WriteCollections(collections, ini);
    files.WriteFileAtomic(path, ini.Text());
}

void SaveToFile(const TCategories& categories, IFileSystem& files, std::string_view path) {
    TIniFile ini = ReadIniOrEmpty(files, path);
    WriteCategories(categories, ini);
    files.WriteFileAtomic(path, ini.Text());
}

// As for the sites: the same text as writing key by key, built directly.
std::string CollectionsFileText(const TCollections& collections, const TCategories& categories) {
    std::vector<std::int32_t> ids;
    for (const TCategory& category : categories)
        ids.push_back(category.ID);
    if (!AllDistinct(ids)) {
        TIniFile ini;
        WriteCollections(collections, ini);
        WriteCategories(categories, ini);
        return ini.Text();
    }
    std::string text = "[main]\r\n";
    AppendLine(text, "collections", std::to_string(collections.Count()));
    AppendLine(text, "categories", std::to_string(categories.MaxID()));
    if (collections.Count() > 0) {
        text += "[collections]\r\n";
        for (std::int32_t position = 0; position < collections.Count(); ++position) {
            const TCollection& collection = collections.GetItem(position);
            AppendLine(text, RecordKey(position), (collection.Randomize ? "~" : "") + collection.Name());
        }
        text += "[targets]\r\n";
        for (std::int32_t position = 0; position < collections.Count(); ++position)
            AppendLine(text, RecordKey(position), IDsToText(collections.GetItem(position).IDs()));
        bool keywords = false;
        for (std::int32_t position = 0; position < collections.Count(); ++position) {
            const TCollection& collection = collections.GetItem(position);
            if (collection.Keyword.empty())
                continue;
            if (!keywords)
                text += "[keywords]\r\n";
            keywords = true;
            AppendLine(text, RecordKey(position), collection.Keyword);
        }
    }
    if (categories.Count() > 0) {
        text += "[categories]\r\n";
        for (const TCategory& category : categories)
            AppendLine(text, RecordKey(category.ID), category.Name);
    }
    return text;
}

void CheckIntegrity(TTargets& targets, TCollections& collections, TCategories& categories) {
    std::unordered_set<std::int32_t> categoryIDs;
    for (const TCategory& category : categories)
        categoryIDs.insert(category.ID);
    for (std::int32_t i = 0; i < categories.Count(); ++i) {
        const std::int32_t oldID = categories.GetItem(i).ID;
        if (oldID >= 1)
            continue;
        const std::int32_t newID = FreeID(categories.MaxID(), categoryIDs);
        targets.ReplaceCategoryID(oldID, newID);
        categories.SetID(i, newID);
        categoryIDs.insert(newID);
    }
    // Only ids of 1 and more are left; 0 is "(general)" and names no stored category.
    categoryIDs.erase(0);

    std::unordered_set<std::int32_t> siteIDs;
    for (const TTarget& target : targets)
        siteIDs.insert(target.ID);
    for (std::int32_t i = 0; i < targets.Count(); ++i) {
        TTarget target = targets.GetItem(i);
        const TTarget before = target;
        if (categoryIDs.count(target.CatID) == 0)
            target.CatID = 0;
        if (target.ID < 1) {
            const std::int32_t newID = FreeID(targets.MaxID(), siteIDs);
            collections.ReplaceTargetID(target.ID, newID);
            target.ID = newID;
            siteIDs.insert(newID);
        }
        if (!(target == before))
            targets.SetItem(i, target);
    }

    // The same test as RemoveUnknownTargets, with the site ids hashed once.
    std::unordered_set<std::int64_t> known;
    for (const TTarget& target : targets)
        known.insert(target.ID);
    for (std::int32_t i = 0; i < collections.Count(); ++i) {
        TCollection& collection = collections.GetItem(i);
        TTargetIDs ids = collection.IDs();
        const auto unknown = [&known](std::int32_t entry) {
            return known.count(entry < 0 ? -std::int64_t(entry) : std::int64_t(entry)) == 0;
        };
        if (std::erase_if(ids, unknown) != 0)
            collection.SetIDs(std::move(ids));
    }
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += '\\';
    path += name;
    return path;
}

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// "C:\" for a drive path, "\\server\share\" for a share, a lone separator otherwise.
std::string RootOf(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':')
        return std::string(path.substr(0, 2)) + "\\";
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        std::size_t separators = 0;
        for (std::size_t i = 2; i < path.size(); ++i)
            if (IsSeparator(path[i]) && ++separators == 2)
                return std::string(path.substr(0, i)) + "\\";
        return std::string(path) + (IsSeparator(path.back()) ? "" : "\\");
    }
    return "\\";
}

} // namespace

std::string DataFolderFor(std::string_view appDataFolder, std::string_view currentDirectory) {
    const std::string base = appDataFolder.empty() ? RootOf(currentDirectory) : std::string(appDataFolder);
    return JoinPath(base, "Orvelle\\Tessaly\\");
}

std::string FolderOf(std::string_view path) {
    std::size_t end = path.size();
    while (end > 0 && !IsSeparator(path[end - 1]) && path[end - 1] != ':')
        --end;
    return std::string(path.substr(0, end));
}

std::string CollectionsFileNameFor(std::string_view executablePath) {
    std::string name(executablePath.substr(FolderOf(executablePath).size()));
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name + ".dat";
}

std::string SeedDataFile(IFileSystem& files, std::string_view dataFolder, std::string_view programFolder,
                         std::string_view fileName) {
    const std::string target = JoinPath(dataFolder, fileName);
    try {
        if (!files.DirectoryExists(dataFolder))
            files.CreateDirectories(dataFolder);
        const std::string source = JoinPath(programFolder, fileName);
        if (files.FileExists(source) && !files.FileExists(target))
            files.CopyFileNoOverwrite(source, target);
    } catch (const EFileError&) {
        // Start-up goes on without the starter copy; the first save reports the folder's fault.
    }
    return target;
}

TCatalogueFiles::TCatalogueFiles(TTargets& targets, TCollections& collections, TCategories& categories,
                                 IFileSystem& files, std::string targetsPath, std::string collectionsPath)
    : targets_(targets), collections_(collections), categories_(categories), files_(files),
      targetsPath_(std::move(targetsPath)), collectionsPath_(std::move(collectionsPath)) {}

std::string CatalogueUnreadWarning(std::string_view reason) {
    while (!reason.empty() && reason.back() == '.')
        reason.remove_suffix(1);
    return "The catalogue could not be read: " + std::string(reason) +
           ". It is not changed or saved until it can be read.";
}

void TCatalogueFiles::Load() {
    std::optional<TIniFile> sites, groups;
    try {
        sites = ReadIni(files_, targetsPath_);
        groups = ReadIni(files_, collectionsPath_);
    } catch (const EFileError& error) {
        unreadReason_ = error.what();
        throw;
    }
    unreadReason_.clear();
    targets_.Clear();
    if (sites)
        ReadTargets(targets_, *sites, false);
    collections_.Clear();
    if (groups)
        ReadCollections(collections_, *groups);
    categories_.Clear();
    if (groups)
        ReadCategories(categories_, *groups);
}

void TCatalogueFiles::CheckIntegrity() {
    tsy::CheckIntegrity(targets_, collections_, categories_);
}

void TCatalogueFiles::Save() {
    // Where there are no files there is nothing to lose.
    if (!IsRead() && (files_.FileExists(targetsPath_) || files_.FileExists(collectionsPath_)))
        throw EFileError(CatalogueUnreadWarning(unreadReason_));
    WriteFilePairAtomic(files_, targetsPath_, TargetsFileText(targets_, false), collectionsPath_,
                        CollectionsFileText(collections_, categories_));
}

} // namespace tsy
