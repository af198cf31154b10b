#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tsy {

inline constexpr const char* kHelpFileName = "TSY.chm";
inline constexpr const char* kMainFormHelpKeyword = "Intro.About";
inline constexpr const char* kAboutHelpKeyword = "Intro.About";
// Every keyword a window, page or Help button asks for; each names a topic of the help file,
// which a test of the built file checks.
inline constexpr const char* kHelpKeywords[] = {"Intro.About",         "Settings.Intro",
                                                "Settings.Sites",      "Settings.Advanced",
                                                "Usage.AddSiteWizard", "Settings.ImportEngines"};

// "%s::/%s.htm": the address of a keyword's topic inside the help file.
std::string HelpTopicAddress(std::string_view helpFile, std::string_view keyword);

// A help request names a topic by keyword, or carries a numeric context (high 16 bits of the
// data value zero), which opens the table of contents.
inline bool IsNumericHelpContext(std::uintptr_t data) {
    return (data >> 16) == 0;
}

} // namespace tsy
