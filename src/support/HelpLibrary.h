#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tsy {

// Where the registry says the HTML Help control lives.
inline constexpr const char* kHelpControlRegistryPath =
    "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";
inline constexpr const char* kHelpControlFileName = "hhctrl.ocx";

// The viewer library to load: the registered path with a leading %SYSTEMROOT% (any letter
// case) put in for the Windows folder, dropped when it is no full drive path or no such file
// exists; without a path, the one in the system folder. Empty when no candidate exists.
std::string ResolveHelpLibraryPath(std::string_view registered, std::string_view windowsFolder,
                                   std::string_view systemFolder,
                                   const std::function<bool(const std::string&)>& fileExists);

// The help file beside the program: its folder (up to the last backslash) and the file name.
std::string HelpFileBeside(std::string_view executablePath);

} // namespace tsy
