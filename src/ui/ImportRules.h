#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tsy {

// Which URL of an open page is taken: the page's own, or the search template made of it.
enum class TImportKind { Open = 0, Search = 1 };

inline constexpr const char* kImportSelectLabel = "Select site to use from list:";
inline constexpr const char* kImportSelectionRequired = "You have to select URL to be used.";

// "open" or "search".
const char* ImportKindName(TImportKind kind);
// "Import open URL" or "Import search URL".
std::string ImportCaption(TImportKind kind);
// Why the list for kind is empty, naming the probe word.
std::string EmptyImportMessage(TImportKind kind);

struct TImportRow {
    std::string Title, URL;
};

// The rows the import list shows for pages given as (URL, title), in their order. Every page
// qualifies for Open; for Search only those whose URL recognize accepts, which rewrites the URL
// into its template. A page whose recognition throws is left out and the rest still listed.
std::vector<TImportRow> ImportRows(const std::vector<std::pair<std::string, std::string>>& pages,
                                   TImportKind kind, const std::function<bool(std::string&)>& recognize);

} // namespace tsy
