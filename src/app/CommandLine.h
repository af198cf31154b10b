#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// The switches the program honours; either one starts it without showing the main window.
struct TCommandLineSwitches {
    bool Minimized = false; // "minimized"
    bool Slider = false;    // "slider": also keeps the tray icon hidden on the first ApplySettings

    bool StartHidden() const { return Minimized || Slider; }
};

// Splits a command line the way the program's parameters are counted: blanks (codes up to 32)
// separate arguments, double quotes group blanks into one and are dropped.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// True when one of `args` is `name` after "/" or "-", ignoring letter case.
bool HasSwitch(const std::vector<std::string>& args, std::string_view name);

// `args` are the arguments after the program name.
TCommandLineSwitches ParseSwitches(const std::vector<std::string>& args);

// The command line without the program name (WinMain's lpCmdLine).
TCommandLineSwitches ParseCommandLine(std::string_view commandLine);

} // namespace tsy
