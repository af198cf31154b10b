#include "ui/ImportRules.h"

#include "ui/SiteRules.h"

#include <exception>

namespace tsy {

const char* ImportKindName(TImportKind kind) {
    return kind == TImportKind::Search ? "search" : "open";
}

std::string ImportCaption(TImportKind kind) {
    return std::string("Import ") + ImportKindName(kind) + " URL";
}

std::string EmptyImportMessage(TImportKind kind) {
    // The probe word stands between Windows-1252 guillemets.
    const std::string quoted = std::string("\xAB") + kProbeWord + "\xBB";
    if (kind == TImportKind::Search) {
        return "No search URLs found containing a search for the text string " + quoted +
               ".\n\rPlease submit a search for " + quoted + " and then click on the import button.";
    }
    return "No open URLs found. Either you do not have any sites open or all the open sites are search URLs "
           "containing the search text " +
           quoted + ".";
}

std::vector<TImportRow> ImportRows(const std::vector<std::pair<std::string, std::string>>& pages,
                                   TImportKind kind, const std::function<bool(std::string&)>& recognize) {
    std::vector<TImportRow> rows;
    for (const auto& [url, title] : pages) {
        if (kind == TImportKind::Open) {
            rows.push_back({title, url});
            continue;
        }
        std::string candidate = url;
        try {
            if (!recognize(candidate)) {
                continue;
            }
        } catch (const std::exception&) {
            // One URL the parser cannot take must not cost the user the other pages.
            continue;
        }
        rows.push_back({title, std::move(candidate)});
    }
    return rows;
}

} // namespace tsy
