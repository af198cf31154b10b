#pragma once

#include <string>

namespace tsy {

// printf-style formatting into a std::string (the message texts are printf patterns).
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string Format(const char* pattern, ...);

} // namespace tsy
