#include "MemoryFileSystem.h"

namespace tsy::fakes {

std::string MemoryFileSystem::Normalize(std::string_view path) {
    std::string result;
    result.reserve(path.size());
    for (char c : path) {
        if (c == '/')
            c = '\\';
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c == '\\' && !result.empty() && result.back() == '\\')
            continue;
        result += c;
    }
    while (!result.empty() && result.back() == '\\')
        result.pop_back();
    return result;
}

std::string MemoryFileSystem::Parent(const std::string& normalized) {
    const std::size_t slash = normalized.rfind('\\');
    return slash == std::string::npos ? std::string() : normalized.substr(0, slash);
}

std::optional<std::string> MemoryFileSystem::ReadFile(std::string_view path) const {
    const std::string key = Normalize(path);
    if (unreadableFiles.count(key) != 0)
        return std::nullopt;
    const auto found = files.find(key);
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

void MemoryFileSystem::Step(const char* step, std::string_view path) const {
    if (faults && faults->Reached(step) != 0)
        throw EFileError(std::string("Cannot ") + step + " \"" + std::string(path) + "\".");
}

void MemoryFileSystem::CheckWritable(std::string_view path) const {
    const std::string key = Normalize(path);
    const std::string parent = Parent(key);
    if (failWrites)
        throw EFileError("Cannot write \"" + std::string(path) + "\": the disk is full.");
    if (!DirectoryExists(parent))
        throw EFileError("Cannot write \"" + std::string(path) + "\": the folder does not exist.");
    if (readOnlyFolders.count(parent) != 0)
        throw EFileError("Cannot write \"" + std::string(path) + "\": access is denied.");
}

void MemoryFileSystem::WriteFileAtomic(std::string_view path, std::string_view content) {
    CheckWritable(path);
    Step("replace", path);
    files[Normalize(path)] = std::string(content);
    ++writeCount;
}

std::string MemoryFileSystem::WriteTemporary(std::string_view path, std::string_view content) {
    const std::string temporary = Parent(Normalize(path)) + "\\tsy" + std::to_string(++temporaries_) + ".tmp";
    CheckWritable(temporary);
    Step("write", temporary);
    files[temporary] = std::string(content);
    return temporary;
}

std::string MemoryFileSystem::ReplaceKeepingOld(std::string_view temporary, std::string_view path) {
    CheckWritable(path);
    Step("replace", path);
    const std::string key = Normalize(path);
    const auto replacement = files.find(Normalize(temporary));
    if (replacement == files.end())
        throw EFileError("Cannot replace \"" + std::string(path) + "\": the new file is gone.");
    std::string kept;
    if (const auto old = files.find(key); old != files.end()) {
        kept = Parent(key) + "\\tsy" + std::to_string(++temporaries_) + ".tmp";
        files[kept] = std::move(old->second);
    }
    files[key] = std::move(replacement->second);
    files.erase(replacement);
    ++writeCount;
    return kept;
}

void MemoryFileSystem::Restore(std::string_view kept, std::string_view path) {
    Step("restore", path);
    const auto old = files.find(Normalize(kept));
    if (old == files.end())
        throw EFileError("Cannot put back \"" + std::string(path) + "\".");
    files[Normalize(path)] = std::move(old->second);
    files.erase(old);
}

bool MemoryFileSystem::RemoveFile(std::string_view path) {
    return files.erase(Normalize(path)) != 0;
}

bool MemoryFileSystem::FileExists(std::string_view path) const {
    return files.count(Normalize(path)) != 0;
}

bool MemoryFileSystem::DirectoryExists(std::string_view path) const {
    const std::string key = Normalize(path);
    if (key.size() == 2 && key[1] == ':')
        return true;
    return directories.count(key) != 0;
}

void MemoryFileSystem::CreateDirectories(std::string_view path) {
    std::set<std::string> missing;
    for (std::string key = Normalize(path); !key.empty() && !DirectoryExists(key); key = Parent(key)) {
        if (files.count(key) != 0 || readOnlyFolders.count(Parent(key)) != 0 || failWrites)
            throw EFileError("Cannot create the folder \"" + std::string(path) + "\".");
        missing.insert(key);
    }
    directories.insert(missing.begin(), missing.end());
}

bool MemoryFileSystem::CopyFileNoOverwrite(std::string_view from, std::string_view to) {
    const std::optional<std::string> content = ReadFile(from);
    const std::string target = Normalize(to);
    if (!content || files.count(target) != 0 || !DirectoryExists(Parent(target)) ||
        readOnlyFolders.count(Parent(target)) != 0 || failWrites)
        return false;
    files[target] = *content;
    return true;
}

void MemoryFileSystem::RemoveStaleTemporaries(std::string_view folder) {
    const std::string parent = Normalize(folder);
    for (auto it = files.begin(); it != files.end();) {
        const bool inFolder = Parent(it->first) == parent;
        if (inFolder && IsSaveTemporaryName(std::string_view(it->first).substr(parent.size() + 1)))
            it = files.erase(it);
        else
            ++it;
    }
}

void MemoryFileSystem::AddFile(std::string_view path, std::string_view content) {
    const std::string key = Normalize(path);
    AddDirectory(Parent(key));
    files[key] = std::string(content);
}

void MemoryFileSystem::AddDirectory(std::string_view path) {
    for (std::string key = Normalize(path); !key.empty(); key = Parent(key))
        if (!(key.size() == 2 && key[1] == ':'))
            directories.insert(key);
}

std::optional<std::string> MemoryFileSystem::Content(std::string_view path) const {
    const auto found = files.find(Normalize(path));
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

} // namespace tsy::fakes
