#include "ProgramDriver.h"

#include <shlobj.h>

#include "win32/FakeBrowsers.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace tsy::e2e {

using Clock = std::chrono::steady_clock;

bool WaitUntil(const std::function<bool()>& condition, Duration timeout, Duration step) {
    const auto end = Clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (Clock::now() >= end)
            return false;
        std::this_thread::sleep_for(step);
    }
}

std::string TestProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string ProgramPath() {
    return TestProgramFolder() + "Tessaly.exe";
}

std::string CatalogueFolder() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE))
        return {};
    std::string folder = path;
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder + "Orvelle\\Tessaly\\";
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void DeleteFileIfAny(const std::string& path) {
    DeleteFileA(path.c_str());
}

bool TProgram::Start(const std::string& arguments, const std::string& path) {
    Kill();
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::string folder = TestProgramFolder();
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
        return false;
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    processID_ = info.dwProcessId;
    return true;
}

bool TProgram::IsRunning() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool TProgram::WaitForExit(Duration timeout) {
    return process_ && WaitForSingleObject(process_.Get(), DWORD(timeout.count())) == WAIT_OBJECT_0;
}

DWORD TProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_)
        GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void TProgram::Kill() {
    if (IsRunning()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 10000);
    }
}

HWND TProgram::WaitForMainWindow(Duration timeout) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopLevel(processID_, [](HWND window) {
                return ClassName(window) == "TMainForm" && WindowText(window) == "Tessaly";
            });
            return found != nullptr || !IsRunning();
        },
        timeout);
    return found;
}

bool TProgram::WaitForIdle(Duration timeout) const {
    return process_ && WaitForInputIdle(process_.Get(), DWORD(timeout.count())) == 0;
}

HWND FindMainWindow() {
    return FindWindowA("TMainForm", "Tessaly");
}

bool SingleInstanceMutexExists() {
    win32::UniqueKernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, "Kestrova/Tessaly"));
    return bool(mutex);
}

void KillLeftovers() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        HWND window = FindMainWindow();
        if (!window && !SingleInstanceMutexExists())
            return;
        if (window) {
            DWORD processID = 0;
            GetWindowThreadProcessId(window, &processID);
            win32::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processID));
            if (process) {
                TerminateProcess(process.Get(), 1);
                WaitForSingleObject(process.Get(), 5000);
            }
        } else {
            Sleep(250); // the mutex goes with its owner's last handle
        }
    }
}

std::string FakeFirefoxPath(const std::string& fake) {
    return TestProgramFolder() + "fakes\\" + fake;
}

std::string FakeFirefoxLogPath() {
    return TestProgramFolder() + "e2e-firefox.log";
}

void RouteFakeBrowserLog() {
    // The program and the browsers it starts inherit this from the tests.
    SetEnvironmentVariableA(TSY_FAKE_BROWSER_LOG_VARIABLE, FakeFirefoxLogPath().c_str());
}

std::vector<std::string> FakeFirefoxCalls() {
    std::vector<std::string> calls;
    std::istringstream lines(ReadTextFile(FakeFirefoxLogPath()));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        // The log holds whole command lines; keep what follows the program's own name.
        size_t end = line[0] == '"' ? line.find('"', 1) : line.find(' ');
        end = end == std::string::npos ? line.size() : end + (line[0] == '"' ? 1 : 0);
        calls.push_back(line.substr(std::min(line.size(), line.find_first_not_of(' ', end))));
    }
    return calls;
}

} // namespace tsy::e2e
