#include <windows.h>

#include "app/win32/Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return tsy::win32::RunTessaly(instance, commandLine);
}
