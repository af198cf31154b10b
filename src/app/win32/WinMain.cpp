#include <windows.h>

#include "app/win32/Application.h"
#include "support/win32/SystemLibrary.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // Before anything loads a library by name: the program's own folder may be Downloads.
    tsy::win32::RestrictLibrarySearch();
    return tsy::win32::RunTessaly(instance, commandLine);
}
