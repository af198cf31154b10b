#include "browsers/HistoryDatabase.h"

#include <sqlite3.h>

#include <memory>

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

} // namespace

std::optional<THistoryRows> TSqliteHistoryDatabase::Query(const std::string& path, const std::string& sql) {
    sqlite3* opened = nullptr;
    const int status = sqlite3_open_v2(path.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
    // A failed open may still hand out a handle that must be closed.
    TDatabase database(opened);
    if (status != SQLITE_OK)
        return std::nullopt;
    // The file comes from elsewhere: its schema may not run functions or write anything.
    sqlite3_db_config(database.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(database.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_stmt* prepared = nullptr;
    const int prepare = sqlite3_prepare_v2(database.get(), sql.c_str(), int(sql.size()), &prepared, nullptr);
    TStatement statement(prepared);
    if (prepare != SQLITE_OK || !statement || sqlite3_column_count(statement.get()) < 2)
        return std::nullopt;
    THistoryRows rows;
    for (;;) {
        const int step = sqlite3_step(statement.get());
        if (step == SQLITE_DONE)
            return rows;
        if (step != SQLITE_ROW)
            return std::nullopt;
        rows.push_back({ColumnText(statement.get(), 0), ColumnText(statement.get(), 1)});
    }
}

} // namespace tsy
