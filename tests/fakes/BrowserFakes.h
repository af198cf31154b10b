#pragma once

#include "browsers/BrowserDetection.h"
#include "browsers/OpenUrls.h"
#include "support/Clock.h"
#include "support/Collation.h"
#include "support/DebugOutput.h"
#include "support/MessageBoxes.h"
#include "support/Random.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tsy::fakes {

// Version resources by path; a path that is not listed has none.
class FakeVersionReader : public IVersionReader {
public:
    TBrowserVersion ProductVersion(const std::string& path) override;
    std::map<std::string, TBrowserVersion> versions;
    std::vector<std::string> asked;
};

// The "http" association; nullopt makes the query fail.
class FakeProtocolAssociation : public IProtocolAssociation {
public:
    std::optional<std::string> OpenExecutable(std::string_view protocol) override;
    std::map<std::string, std::string> executables;
};

// Case-insensitive comparison over ASCII, enough for executable names.
class AsciiCollation : public ICollation {
public:
    int CompareIgnoreCase(std::string_view a, std::string_view b) const override;
};

class RecordingDebugOutput : public IDebugOutput {
public:
    void Write(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// Records every box; Confirm answers `confirmAnswer`.
class RecordingMessageBoxes : public IMessageBoxes {
public:
    void Warning(std::string_view text) override { warnings.emplace_back(text); }
    bool Confirm(std::string_view text) override {
        confirmations.emplace_back(text);
        return confirmAnswer;
    }
    void Information(std::string_view text) override { informations.emplace_back(text); }
    void Error(std::string_view text) override { errors.emplace_back(text); }

    std::vector<std::string> warnings, confirmations, informations, errors;
    bool confirmAnswer = true;
};

// Records what would be done to the browser as lines such as "create", "navigate URL 4096", "show",
// "start PATH PARAMETERS". Navigations of URLs listed in `failingUrls` raise.
class FakeBrowserDriver : public IBrowserDriver {
public:
    std::unique_ptr<IInternetExplorer> CreateInternetExplorer() override;
    void StartProcess(const std::string& executable, const std::string& parameters) override;

    std::vector<std::string> calls;
    std::vector<std::string> failingUrls;
    bool failCreate = false;
};

// A counter that moves on by one for every read.
class SteppingClock : public IClock {
public:
    std::uint64_t Counter() const override { return next++; }
    std::int64_t NowSeconds() const override { return 0; }
    mutable std::uint64_t next = 1;
};

// A deterministic generator (SplitMix64) so statistical tests repeat exactly.
class SplitMixRandom : public IRandom {
public:
    void Seed(std::uint64_t seed) override {
        state = seed;
        ++seedCount;
    }
    std::uint32_t Below(std::uint32_t bound) override;
    std::uint64_t state = 0;
    int seedCount = 0;
};

} // namespace tsy::fakes
