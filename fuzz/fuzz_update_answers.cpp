// The update server's answers arrive from the network: a version and a details body.
#include "update/UpdateRules.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const tsy::TVersionRecord version = tsy::ParseVersion(body);
    if (tsy::IsNewerVersion(version, version))
        std::abort();
    const tsy::TUpdateDetails details = tsy::SplitDetails(body);
    // The address is the first line; whatever else it holds is refused before the shell sees it.
    if (details.DownloadURL.find('\n') != std::string::npos)
        std::abort();
    if (tsy::IsDownloadAddress(details.DownloadURL) &&
        details.DownloadURL.find_first_of(std::string_view("\0\t\r ", 4)) != std::string::npos)
        std::abort();
    if (details.DownloadURL.size() + details.Description.size() > size)
        std::abort();
    return 0;
}
