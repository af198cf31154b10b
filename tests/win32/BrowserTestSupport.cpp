#include "BrowserTestSupport.h"

#include <fstream>
#include <sstream>

namespace tsy::testing {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string FakesFolder() {
    return ProgramFolder() + "\\fakes";
}

TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(base) + "tsy-browsers-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr))
            break;
    }
}

TempFolder::~TempFolder() {
    // A fake browser that has just logged may still be on its way out and hold its image file.
    for (int attempt = 0; attempt < 40; ++attempt) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA(File(found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        if (RemoveDirectoryA(path_.c_str()))
            return;
        Sleep(50);
    }
}

RegistryOverride::RegistryOverride(HKEY root, std::string path, std::string name, std::string value,
                                   bool remove)
    : root_(root), path_(std::move(path)), name_(std::move(name)) {
    // Remember the first missing key so that the whole new branch can go again.
    std::size_t at = 0;
    for (;;) {
        std::size_t end = path_.find('\\', at);
        std::string prefix = path_.substr(0, end);
        HKEY probe = nullptr;
        if (RegOpenKeyExA(root_, prefix.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS) {
            createdFrom_ = prefix;
            break;
        }
        RegCloseKey(probe);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + path_);
    DWORD size = 0;
    if (RegQueryValueExA(key, name_.c_str(), nullptr, &oldType_, nullptr, &size) == ERROR_SUCCESS) {
        hadValue_ = true;
        oldData_.resize(size);
        RegQueryValueExA(key, name_.c_str(), nullptr, &oldType_, oldData_.data(), &size);
    }
    if (remove)
        RegDeleteValueA(key, name_.c_str());
    else
        RegSetValueExA(key, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD(value.size() + 1));
    RegCloseKey(key);
}

RegistryOverride::~RegistryOverride() {
    if (!createdFrom_.empty()) {
        RegDeleteTreeA(root_, createdFrom_.c_str());
        return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    if (hadValue_)
        RegSetValueExA(key, name_.c_str(), 0, oldType_, oldData_.data(), DWORD(oldData_.size()));
    else
        RegDeleteValueA(key, name_.c_str());
    RegCloseKey(key);
}

RegistryLock::RegistryLock() : mutex_(CreateMutexA(nullptr, FALSE, "Tessaly.BrowserTests.Registry")) {
    WaitForSingleObject(mutex_, 60000);
}

RegistryLock::~RegistryLock() {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

EnvironmentOverride::EnvironmentOverride(std::string name, const std::string& value)
    : name_(std::move(name)) {
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

EnvironmentOverride::~EnvironmentOverride() {
    SetEnvironmentVariableA(name_.c_str(), nullptr);
}

std::vector<std::string> WaitForLines(const std::string& path, std::size_t count, DWORD timeoutMs) {
    std::vector<std::string> lines;
    DWORD start = GetTickCount();
    for (;;) {
        lines.clear();
        std::ifstream file(path, std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        std::string text = content.str();
        std::size_t at = 0;
        for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
            lines.push_back(text.substr(at, end - at));
        if (lines.size() >= count || GetTickCount() - start > timeoutMs)
            return lines;
        Sleep(50);
    }
}

namespace {

std::size_t ProgramEnd(const std::string& commandLine) {
    if (!commandLine.empty() && commandLine[0] == '"') {
        auto close = commandLine.find('"', 1);
        return close == std::string::npos ? commandLine.size() : close + 1;
    }
    auto blank = commandLine.find(' ');
    return blank == std::string::npos ? commandLine.size() : blank;
}

} // namespace

std::string ParametersOf(const std::string& commandLine) {
    std::size_t at = ProgramEnd(commandLine);
    while (at < commandLine.size() && commandLine[at] == ' ')
        ++at;
    return commandLine.substr(at);
}

std::string ProgramOf(const std::string& commandLine) {
    std::string program = commandLine.substr(0, ProgramEnd(commandLine));
    if (program.size() >= 2 && program.front() == '"')
        program = program.substr(1, program.size() - 2);
    return program;
}

} // namespace tsy::testing
