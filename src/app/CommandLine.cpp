#include "app/CommandLine.h"

#include "support/Text.h"

namespace tsy {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (true) {
        while (i < commandLine.size() && IsBlank(commandLine[i])) {
            ++i;
        }
        if (i >= commandLine.size()) {
            break;
        }
        std::string arg;
        bool quoted = false;
        while (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) {
            if (commandLine[i] == '"') {
                quoted = !quoted;
            } else {
                arg += commandLine[i];
            }
            ++i;
        }
        args.push_back(std::move(arg));
    }
    return args;
}

bool HasSwitch(const std::vector<std::string>& args, std::string_view name) {
    for (const std::string& arg : args) {
        if (arg.size() > 1 && (arg[0] == '/' || arg[0] == '-') &&
            EqualIgnoreAsciiCase(std::string_view(arg).substr(1), name)) {
            return true;
        }
    }
    return false;
}

TCommandLineSwitches ParseSwitches(const std::vector<std::string>& args) {
    TCommandLineSwitches switches;
    switches.Minimized = HasSwitch(args, "minimized");
    switches.Slider = HasSwitch(args, "slider");
    return switches;
}

TCommandLineSwitches ParseCommandLine(std::string_view commandLine) {
    return ParseSwitches(SplitCommandLine(commandLine));
}

} // namespace tsy
