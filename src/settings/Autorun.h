#pragma once

#include "support/KeyValueStore.h"

#include <string>
#include <string_view>

namespace tsy {

inline constexpr RootKey kAutorunRoot = RootKey::CurrentUser;
inline constexpr std::string_view kAutorunPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kAutorunValue = "TSY";

// The log-on start entry: one text value whose command line carries the mode.
// The value is the only record of the choice; every query reads it afresh.
class TAutorun {
public:
    // executablePath: the absolute path of the program, written in quotes.
    TAutorun(IKeyValueStore& store, std::string executablePath)
        : store_(store), executablePath_(std::move(executablePath)) {}

    bool IsAutorunMinimized() const;
    bool IsAutorunSlider() const;
    // On writes the mode's command line over any earlier one; off removes the
    // value whichever mode it held. Registry failures raise ERegistryError.
    void SetAutorunMinimized(bool on);
    void SetAutorunSlider(bool on);

    // The settings dialog's two boxes, applied when it is confirmed: the slider
    // box wins; otherwise the start box adds or removes the minimised entry.
    void ApplyChoice(bool useSlider, bool startWithWindows);

    std::string MinimizedCommand() const;
    std::string SliderCommand() const;

private:
    // 0 no entry, 1 minimised, 2 slider.
    int Mode() const;
    void Set(bool on, const std::string& command);

    IKeyValueStore& store_;
    std::string executablePath_;
};

// Whether an entry's command line asks for the slider: "slider" among the
// arguments, case-sensitively. The quoted program path is not searched, so a
// folder named "slider" does not turn a minimised entry into a slider one.
bool AutorunCommandIsSlider(std::string_view command);

} // namespace tsy
