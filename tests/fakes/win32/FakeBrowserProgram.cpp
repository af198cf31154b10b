// A stand-in browser executable: records how it was started, then exits.
#include "FakeBrowsers.h"
#include "FakeLog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tsy::fakes::AppendLogLine(TSY_FAKE_BROWSER_LOG_VARIABLE, nullptr, GetCommandLineA());
    return 0;
}
