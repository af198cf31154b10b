#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// One row of a browser's history: the page's URL and its title, as the database holds them (UTF-8).
struct THistoryRow {
    std::string URL;
    std::string Title;
};
using THistoryRows = std::vector<THistoryRow>;

// The rows of a query with the names of its columns, every value as text (UTF-8), a missing
// value as empty text.
struct TDatabaseTable {
    std::vector<std::string> Columns;
    std::vector<std::vector<std::string>> Rows;

    // The index of the first column of that name (any ASCII letter case), nullopt when there is none.
    std::optional<std::size_t> Column(std::string_view name) const;
};

// Runs queries on a browser's database: one whose first two columns are a URL and a title, or
// one whose columns are picked by name.
class IHistoryDatabase {
public:
    virtual ~IHistoryDatabase() = default;
    // The rows in query order, a missing value as empty text; nullopt when the file cannot be
    // opened or read as a database, or the query fails on it. Never raises for a bad file.
    virtual std::optional<THistoryRows> Query(const std::string& path, const std::string& sql) = 0;
    // Every column of the query by the name the database gives it, so that a caller can pick
    // columns by name from "SELECT *" whatever the schema's version holds. Fails as Query does.
    virtual std::optional<TDatabaseTable> QueryTable(const std::string& path, const std::string& sql) = 0;
};

// Bounds on reading a database that another program wrote: the longest value, the most text
// of all rows together, and the progress handler's calls (one per so many steps of the query)
// before the query is interrupted. A real history needs a small part of each.
inline constexpr int kHistoryValueLimit = 1 << 20;
inline constexpr std::size_t kHistoryRowsLimit = 16u << 20;
inline constexpr int kHistoryStepsPerCall = 1000;
inline constexpr int kHistoryStepBudget = 50000;

// Runs the query on the database opened read-only, within the bounds above; the path is UTF-8.
// SQLITE_DONE when every row was read into `rows`, else the code the reading ended with
// (SQLITE_INTERRUPT when the steps ran out, SQLITE_TOOBIG for too long a text).
int QueryHistoryDatabase(const std::string& path, const std::string& sql, THistoryRows& rows);
// The same for every column of the query, its names included; the text of all values counts
// against the bound on all rows.
int QueryDatabaseTable(const std::string& path, const std::string& sql, TDatabaseTable& table);

// The database opened read-only with SQLite; the path is UTF-8.
class TSqliteHistoryDatabase : public IHistoryDatabase {
public:
    std::optional<THistoryRows> Query(const std::string& path, const std::string& sql) override;
    std::optional<TDatabaseTable> QueryTable(const std::string& path, const std::string& sql) override;
};

} // namespace tsy
