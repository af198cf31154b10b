#include "settings/Autorun.h"

#include "support/Format.h"

namespace tsy {

bool AutorunCommandIsSlider(std::string_view command) {
    std::string_view arguments = command;
    if (!command.empty() && command.front() == '"') {
        auto closing = command.find('"', 1);
        if (closing != std::string_view::npos)
            arguments = command.substr(closing + 1);
    }
    return arguments.find("slider") != std::string_view::npos;
}

int TAutorun::Mode() const {
    auto key = store_.Open(kAutorunRoot, kAutorunPath, false);
    if (!key)
        return 0;
    // Only a text value is a command line; anything else is no entry of ours.
    auto command = ReadString(*key, kAutorunValue);
    if (!command)
        return 0;
    return AutorunCommandIsSlider(*command) ? 2 : 1;
}

bool TAutorun::IsAutorunMinimized() const {
    return Mode() == 1;
}

bool TAutorun::IsAutorunSlider() const {
    return Mode() == 2;
}

std::string TAutorun::MinimizedCommand() const {
    return Format("\"%s\" /minimized", executablePath_.c_str());
}

std::string TAutorun::SliderCommand() const {
    return Format("\"%s\" /slider", executablePath_.c_str());
}

void TAutorun::Set(bool on, const std::string& command) {
    auto key = store_.Open(kAutorunRoot, kAutorunPath, true);
    if (!key)
        throw ERegistryError("Failed to open key 'Software\\Microsoft\\Windows\\CurrentVersion\\Run'");
    if (on)
        WriteString(*key, kAutorunValue, command);
    else
        key->DeleteValue(kAutorunValue);
}

void TAutorun::SetAutorunMinimized(bool on) {
    Set(on, MinimizedCommand());
}

void TAutorun::SetAutorunSlider(bool on) {
    Set(on, SliderCommand());
}

void TAutorun::ApplyChoice(bool useSlider, bool startWithWindows) {
    if (useSlider)
        SetAutorunSlider(true);
    else if (!startWithWindows)
        SetAutorunMinimized(false);
    else if (!IsAutorunMinimized())
        SetAutorunMinimized(true);
}

} // namespace tsy
