#pragma once

#include <string>
#include <string_view>

#include "support/VersionInfo.h"

namespace tsy {

// The caption of an about label with its placeholders put in, in the order "<AppName>",
// "<Major>", "<Minor>", "<Release>", "<Build>" (three digits at least), "<Product>",
// "<Copyright>", "<Company>"; any letter case. A replacement holding a later placeholder
// is expanded by the later step.
std::string ExpandAboutPlaceholders(std::string_view caption, std::string_view appTitle,
                                    const TVersionInfo& version);

// A link label's caption once its URL changes: one still showing its name or the old address
// follows the new address; one with a caption of its own keeps it.
std::string URLLabelCaption(std::string_view caption, std::string_view name, std::string_view oldURL,
                            std::string_view newURL);

} // namespace tsy
