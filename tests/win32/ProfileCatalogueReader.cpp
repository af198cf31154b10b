#include "ProfileCatalogueReader.h"

#include "catalogue/IniFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace tsy::win32 {
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

bool SectionExists(const std::string& path, const std::string& section) {
    return !ProfileKeys(path, section.c_str()).empty();
}

bool ValueExists(const std::string& path, const char* section, const std::string& key) {
    const std::vector<std::string> keys = ProfileKeys(path, section);
    return std::any_of(keys.begin(), keys.end(),
                       [&key](const std::string& k) { return SameIgnoringCase(k, key); });
}

std::int32_t ProfileInteger(const std::string& path, const char* section, const char* key) {
    const std::string text = ProfileString(path, section, key, "");
    char* end = nullptr;
    const long long number = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || number < INT32_MIN || number > INT32_MAX || text[0] == ' ')
        return 0;
    return static_cast<std::int32_t>(number);
}

} // namespace

std::string ProfileString(const std::string& path, const char* section, const char* key,
                          const char* fallback) {
    // A value that comes near the buffer's end may have been cut (with its closing quote, one
    // more), so it is read again into a larger one.
    std::vector<char> buffer(2048);
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer.data(),
                                                      DWORD(buffer.size()), path.c_str());
        if (length + 2 < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::string> ProfileKeys(const std::string& path, const char* section) {
    // A listing that fills the buffer comes back cut at length - 2; then a larger one is tried.
    std::vector<char> buffer(4096);
    DWORD length = 0;
    while (true) {
        length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                          static_cast<DWORD>(buffer.size()), path.c_str());
        if (length + 2 < buffer.size() || buffer.size() >= (1u << 24))
            break;
        buffer.resize(buffer.size() * 4);
    }
    std::vector<std::string> keys;
    for (const char* p = buffer.data(); p < buffer.data() + length && *p != '\0'; p += keys.back().size() + 1)
        keys.emplace_back(p);
    return keys;
}

void ProfileLoadTargets(TTargets& targets, const std::string& path, bool readOnly) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    const std::int32_t maxID = ProfileInteger(path, "main", "maxid");
    for (std::int32_t id = 0; id <= maxID && id >= 0; ++id) {
        const std::string section = RecordKey(id);
        if (!SectionExists(path, section))
            continue;
        TTarget target;
        target.ID = id;
        target.Name = ProfileString(path, section.c_str(), "name", "");
        target.Search = ProfileString(path, section.c_str(), "search", "");
        target.Open = ProfileString(path, section.c_str(), "open", "");
        target.CatID = ProfileInteger(path, section.c_str(), "catid");
        target.ReadOnly = readOnly;
        targets.Append(target);
    }
}

void ProfileLoadCollections(TCollections& collections, const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    const std::int32_t count = ProfileInteger(path, "main", "collections");
    for (std::int32_t position = 0; position < count; ++position) {
        const std::string key = RecordKey(position);
        std::string name = ProfileString(path, "collections", key.c_str(), key.c_str());
        const bool randomize = !name.empty() && name[0] == '~';
        if (randomize)
            name.erase(0, 1);
        TCollection& collection = collections.Append(name);
        collection.Randomize = randomize;
        collection.SetIDs(TextToIDs(ProfileString(path, "targets", key.c_str(), "")));
    }
}

void ProfileLoadCategories(TCategories& categories, const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    const std::int32_t last = ProfileInteger(path, "main", "categories");
    for (std::int32_t id = 0; id <= last && id >= 0; ++id) {
        const std::string key = RecordKey(id);
        if (ValueExists(path, "categories", key))
            categories.Append(TCategory{id, ProfileString(path, "categories", key.c_str(), "")});
    }
}

} // namespace tsy::win32
