#include "browsers/HistoryDatabase.h"

#include "support/Text.h"

#include <sqlite3.h>

#include <memory>
#include <utility>

namespace tsy {
namespace {

struct CloseDatabase {
    void operator()(sqlite3* database) const noexcept { sqlite3_close(database); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using TDatabase = std::unique_ptr<sqlite3, CloseDatabase>;
using TStatement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

std::string ColumnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    if (!text)
        return {};
    return std::string(text, std::size_t(sqlite3_column_bytes(statement, column)));
}

// Counts the progress handler's calls; a nonzero answer interrupts the query.
int SpendStep(void* calls) {
    return ++*static_cast<int*>(calls) > kHistoryStepBudget;
}

// Runs the query within the bounds, handing each row's statement to takeRow, which answers the
// number of text bytes the row kept. minColumns is the fewest columns the query may have.
template <typename TakeRow>
int RunBoundedQuery(const std::string& path, const std::string& sql, int minColumns, TakeRow&& takeRow) {
    sqlite3* opened = nullptr;
    const int status = sqlite3_open_v2(path.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
    // A failed open may still hand out a handle that must be closed.
    TDatabase database(opened);
    if (status != SQLITE_OK)
        return status;
    // The file comes from elsewhere: its schema may not run functions or write anything, no
    // value may be larger than a page's address or title could sensibly be, and a query its
    // views make endless is cut off.
    sqlite3_db_config(database.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(database.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_limit(database.get(), SQLITE_LIMIT_LENGTH, kHistoryValueLimit);
    int calls = 0;
    sqlite3_progress_handler(database.get(), kHistoryStepsPerCall, SpendStep, &calls);
    sqlite3_stmt* prepared = nullptr;
    const int prepare = sqlite3_prepare_v2(database.get(), sql.c_str(), int(sql.size()), &prepared, nullptr);
    TStatement statement(prepared);
    if (prepare != SQLITE_OK)
        return prepare;
    if (!statement || sqlite3_column_count(statement.get()) < minColumns)
        return SQLITE_MISUSE;
    std::size_t bytes = 0;
    for (;;) {
        const int step = sqlite3_step(statement.get());
        if (step != SQLITE_ROW)
            return step;
        bytes += takeRow(statement.get());
        if (bytes > kHistoryRowsLimit)
            return SQLITE_TOOBIG;
    }
}

} // namespace

std::optional<std::size_t> TDatabaseTable::Column(std::string_view name) const {
    for (std::size_t i = 0; i < Columns.size(); ++i)
        if (EqualIgnoreAsciiCase(Columns[i], name))
            return i;
    return std::nullopt;
}

int QueryHistoryDatabase(const std::string& path, const std::string& sql, THistoryRows& rows) {
    rows.clear();
    return RunBoundedQuery(path, sql, 2, [&](sqlite3_stmt* statement) {
        THistoryRow row{ColumnText(statement, 0), ColumnText(statement, 1)};
        const std::size_t bytes = row.URL.size() + row.Title.size();
        rows.push_back(std::move(row));
        return bytes;
    });
}

int QueryDatabaseTable(const std::string& path, const std::string& sql, TDatabaseTable& table) {
    table = {};
    return RunBoundedQuery(path, sql, 1, [&](sqlite3_stmt* statement) {
        const int count = sqlite3_column_count(statement);
        // The names are those of the statement that ran, so they match its schema exactly.
        if (table.Columns.empty())
            for (int column = 0; column < count; ++column) {
                const char* name = sqlite3_column_name(statement, column);
                table.Columns.emplace_back(name ? name : "");
            }
        std::vector<std::string> row;
        std::size_t bytes = 0;
        for (int column = 0; column < count; ++column) {
            row.push_back(ColumnText(statement, column));
            bytes += row.back().size();
        }
        table.Rows.push_back(std::move(row));
        return bytes;
    });
}

std::optional<THistoryRows> TSqliteHistoryDatabase::Query(const std::string& path, const std::string& sql) {
    THistoryRows rows;
    if (QueryHistoryDatabase(path, sql, rows) != SQLITE_DONE)
        return std::nullopt;
    return rows;
}

std::optional<TDatabaseTable> TSqliteHistoryDatabase::QueryTable(const std::string& path,
                                                                 const std::string& sql) {
    TDatabaseTable table;
    if (QueryDatabaseTable(path, sql, table) != SQLITE_DONE)
        return std::nullopt;
    return table;
}

} // namespace tsy
