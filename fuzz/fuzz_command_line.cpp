// The command line comes from whoever starts the program, the autorun entry included.
#include "app/CommandLine.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto args = tsy::SplitCommandLine(line);
    std::size_t kept = 0;
    for (const auto& arg : args) {
        // Separators never survive inside an argument; quotes are dropped.
        for (char c : arg)
            if (c == '"')
                std::abort();
        kept += arg.size();
    }
    if (kept > size)
        std::abort();
    const auto switches = tsy::ParseCommandLine(line);
    const auto again = tsy::ParseSwitches(args);
    if (switches.Minimized != again.Minimized || switches.Slider != again.Slider)
        std::abort();
    return 0;
}
