#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tsy::testing {

// The folder of the running test program, without a trailing "\".
std::string ProgramFolder();
// Where the fake browsers are built: "<program folder>\fakes".
std::string FakesFolder();

// A fresh folder under the temporary folder, removed with its files at the end.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Sets one string value (or, with `remove`, deletes it), and puts everything back at the end:
// the old value, or no value, or no key at all.
class RegistryOverride {
public:
    RegistryOverride(HKEY root, std::string path, std::string name, std::string value, bool remove = false);
    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;
    ~RegistryOverride();

private:
    HKEY root_;
    std::string path_, name_;
    std::string createdFrom_; // the first key of the path that did not exist, if any
    bool hadValue_ = false;
    DWORD oldType_ = 0;
    std::vector<BYTE> oldData_;
};

// Holds a machine-wide lock so that tests which change the same registry places never overlap.
class RegistryLock {
public:
    RegistryLock();
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;
    ~RegistryLock();

private:
    HANDLE mutex_;
};

// Sets an environment variable of this process for the object's lifetime.
class EnvironmentOverride {
public:
    EnvironmentOverride(std::string name, const std::string& value);
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;
    ~EnvironmentOverride();

private:
    std::string name_;
};

// The lines of a text file; waits up to `timeoutMs` for at least `count` complete lines.
std::vector<std::string> WaitForLines(const std::string& path, std::size_t count, DWORD timeoutMs = 15000);
// What follows the program name on a command line.
std::string ParametersOf(const std::string& commandLine);
// The program name of a command line, without its quotes.
std::string ProgramOf(const std::string& commandLine);

} // namespace tsy::testing
