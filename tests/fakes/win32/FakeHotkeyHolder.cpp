// Holds global hotkeys for another program's tests, as the shell holds its own.
// Usage: fake_hotkey_holder READY-EVENT QUIT-EVENT MODIFIERS KEY [MODIFIERS KEY ...]
// Sets READY-EVENT once every combination is registered and keeps them until QUIT-EVENT is set.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 5 || argc % 2 == 0)
        return 2;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!ready || !quit)
        return 3;
    for (int i = 3; i + 1 < argc; i += 2) {
        const auto modifiers = UINT(std::strtoul(argv[i], nullptr, 0));
        const auto key = UINT(std::strtoul(argv[i + 1], nullptr, 0));
        if (!RegisterHotKey(nullptr, i, modifiers, key))
            return 4;
    }
    SetEvent(ready);
    // A test that dies leaves no holder behind for long.
    WaitForSingleObject(quit, 120000);
    return 0;
}
