#include "app/CustomizeRule.h"

namespace tsy {

bool SettingsStartOnFirstPage(std::optional<std::int64_t> lastOpeningSeconds, std::int64_t nowSeconds) {
    if (!lastOpeningSeconds)
        return true;
    const std::int64_t elapsed = nowSeconds - *lastOpeningSeconds;
    return elapsed > 0 && elapsed / 60 > 60;
}

} // namespace tsy
