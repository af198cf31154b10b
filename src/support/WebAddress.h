#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// The scheme an address names: what stands before its first ":" when that is a letter followed
// by letters, digits, "+", "-" or "."; nothing when there is no such ":" or when digits follow it
// up to "/", "?", "#" or the end, which makes them a port ("localhost:8080/").
std::optional<std::string_view> AddressScheme(std::string_view address);

// Whether the address names no scheme or http or https, in any letter case.
bool HasWebScheme(std::string_view address);

// Whether an address may leave the program for a browser or the shell: no scheme (it is then
// taken for http) or http or https, and no network path (two slashes or backslashes in front).
// Leading characters with codes 32 or less are skipped, as browsers skip them.
bool IsWebPageAddress(std::string_view address);

// The warning that lists the addresses a call left unopened, one a line.
std::string NotOpenedMessage(const std::vector<std::string>& addresses);

} // namespace tsy
