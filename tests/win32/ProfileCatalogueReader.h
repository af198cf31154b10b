#pragma once

#include "catalogue/Catalogue.h"

#include <string>
#include <vector>

namespace tsy::win32 {

// The catalogue read the classic way, one GetPrivateProfileStringA call per
// value and existence tests over the key lists: the yardstick for the
// in-memory reader in differential tests and benchmarks.
std::string ProfileString(const std::string& path, const char* section, const char* key,
                          const char* fallback);
// The key names of a section as a key listing returns them, up to the first empty one.
std::vector<std::string> ProfileKeys(const std::string& path, const char* section);
void ProfileLoadTargets(TTargets& targets, const std::string& path, bool readOnly);
void ProfileLoadCollections(TCollections& collections, const std::string& path);
void ProfileLoadCategories(TCategories& categories, const std::string& path);

} // namespace tsy::win32
