#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tsy {

// A copy with this file beside its executable runs portable: its catalogue and options live in
// the folder "Data" beside it, and nothing is written to the user's profile or settings key.
inline constexpr std::string_view kPortableMarker = "portable.ini";
inline constexpr std::string_view kPortableDataFolder = "Data\\";
inline constexpr std::string_view kPortableSettingsFile = "settings.ini";
inline constexpr std::string_view kInstalledMutexName = "Kestrova/Tessaly";

// The 32-bit FNV-1a hash of the bytes.
std::uint32_t Fnv1a32(std::string_view bytes);

// The single-instance mutex of a portable copy: one per folder, so that copies in two folders
// run side by side. `upperFolder` is the executable's folder, upper-cased as the file system
// compares names.
std::string PortableMutexName(std::string_view upperFolder);

// The warning of a portable copy whose data folder cannot be written.
std::string CannotWriteMessage(std::string_view folder);

} // namespace tsy
