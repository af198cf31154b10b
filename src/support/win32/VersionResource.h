#pragma once

#include <string>

#include "support/VersionInfo.h"

namespace tsy::win32 {

// The version resource of an executable: the fixed part's file and product versions and the
// five strings of the first translation, each missing string reading as its own name. Zeros
// and empty texts when the file has no resource.
TVersionInfo ReadVersionInfo(const std::string& executablePath);

} // namespace tsy::win32
