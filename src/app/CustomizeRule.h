#pragma once

#include <cstdint>
#include <optional>

namespace tsy {

// Whether the settings dialog opens on its first page: yes when it was never opened, or when
// more than 60 whole minutes (the fraction cut off) have passed since the last opening. A clock
// that went backwards counts as no time passed.
bool SettingsStartOnFirstPage(std::optional<std::int64_t> lastOpeningSeconds, std::int64_t nowSeconds);

} // namespace tsy
