#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tsy {

// One row of a browser's history: the page's URL and its title, as the database holds them (UTF-8).
struct THistoryRow {
    std::string URL;
    std::string Title;
};
using THistoryRows = std::vector<THistoryRow>;

// Runs a query whose first two columns are a URL and a title on a history database.
class IHistoryDatabase {
public:
    virtual ~IHistoryDatabase() = default;
    // The rows in query order, a missing value as empty text; nullopt when the file cannot be
    // opened or read as a database, or the query fails on it. Never raises for a bad file.
    virtual std::optional<THistoryRows> Query(const std::string& path, const std::string& sql) = 0;
};

// The database opened read-only with SQLite; the path is UTF-8.
class TSqliteHistoryDatabase : public IHistoryDatabase {
public:
    std::optional<THistoryRows> Query(const std::string& path, const std::string& sql) override;
};

} // namespace tsy
