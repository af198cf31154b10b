// A stand-in browser executable: records how it was started, then exits. With
// FAKE_LOG_ARGUMENTS it records the arguments as the program receives them, split the way
// CommandLineToArgvW splits the command line, separated by tabs; otherwise the command line.
#include "FakeBrowsers.h"
#include "FakeLog.h"

#include <shellapi.h>

namespace {

#ifdef FAKE_LOG_ARGUMENTS
std::string Arguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string line;
    for (int i = 0; i < count; ++i) {
        char text[40000] = {};
        WideCharToMultiByte(CP_ACP, 0, arguments[i], -1, text, sizeof text, nullptr, nullptr);
        if (i != 0)
            line += '\t';
        line += text;
    }
    LocalFree(arguments);
    return line;
}
#else
std::string Arguments() {
    return GetCommandLineA();
}
#endif

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tsy::fakes::AppendLogLine(TSY_FAKE_BROWSER_LOG_VARIABLE, nullptr, Arguments());
    return 0;
}
