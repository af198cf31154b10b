#include "app/PortableMode.h"

#include "support/Format.h"

namespace tsy {

std::uint32_t Fnv1a32(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string PortableMutexName(std::string_view upperFolder) {
    return std::string(kInstalledMutexName) + Format("/%08X", static_cast<unsigned>(Fnv1a32(upperFolder)));
}

std::string CannotWriteMessage(std::string_view folder) {
    std::string shown(folder);
    // A drive's root keeps its separator; any other folder is named without one.
    while (shown.size() > 3 && (shown.back() == '\\' || shown.back() == '/'))
        shown.pop_back();
    return "Tessaly cannot write to " + shown + ". Your changes will not be saved.";
}

} // namespace tsy
