#include "browsers/HistoryDatabase.h"
#include "browsers/BrowserHistory.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace tsy {
namespace {

namespace fs = std::filesystem;

struct CloseDatabase {
    void operator()(sqlite3* database) const noexcept { sqlite3_close(database); }
};

class HistoryDatabaseTest : public ::testing::Test {
protected:
    HistoryDatabaseTest() {
        folder = fs::temp_directory_path() /
                 ("tsy-history-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~HistoryDatabaseTest() override { fs::remove_all(folder); }

    // A database as a browser writes it, kept open.
    void OpenBrowserDatabase(const fs::path& path, const char* schema) {
        sqlite3* opened = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &opened), SQLITE_OK);
        browser.reset(opened);
        Exec("PRAGMA journal_mode=WAL");
        Exec(schema);
    }
    void Exec(const std::string& sql) {
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(browser.get(), sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
    }
    std::string Rows(const fs::path& path, const char* query) {
        auto rows = database.Query(path.string(), query);
        if (!rows)
            return "(unreadable)";
        std::string text;
        for (const auto& row : *rows)
            text += (text.empty() ? "" : " ; ") + row.URL + "=" + row.Title;
        return text;
    }

    fs::path folder;
    std::unique_ptr<sqlite3, CloseDatabase> browser;
    TSqliteHistoryDatabase database;
};

TEST_F(HistoryDatabaseTest, MissingForeignOrDamagedFilesAreUnreadable) {
    EXPECT_EQ(Rows(folder / "missing", kChromiumHistoryQuery), "(unreadable)");
    std::ofstream(folder / "text") << "SQLite format 3 is what this is not";
    EXPECT_EQ(Rows(folder / "text", kChromiumHistoryQuery), "(unreadable)");
    OpenBrowserDatabase(folder / "other", "CREATE TABLE t(x)");
    EXPECT_EQ(Rows(folder / "other", kChromiumHistoryQuery), "(unreadable)");

    OpenBrowserDatabase(folder / "History",
                        "PRAGMA page_size=1024; CREATE TABLE urls(url, title, last_visit_time)");
    Exec("PRAGMA journal_mode=DELETE");
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
         "INSERT INTO urls SELECT 'http://x' || i || '.example/' || hex(randomblob(40)), 'T', i FROM n");
    browser.reset();
    const auto size = fs::file_size(folder / "History");
    fs::resize_file(folder / "History", size / 2);
    EXPECT_EQ(Rows(folder / "History", kChromiumHistoryQuery), "(unreadable)");
}

TEST_F(HistoryDatabaseTest, AnEndlessViewIsInterruptedAndAHugeTextRefused) {
    // Every row from a view that never ends: only the step budget stops the query.
    OpenBrowserDatabase(
        folder / "History",
        "CREATE VIEW urls AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
        "SELECT 'http://x' || i || '.example/' AS url, 'T' AS title, i AS last_visit_time FROM n");
    browser.reset();
    THistoryRows rows;
    EXPECT_EQ(QueryHistoryDatabase((folder / "History").string(), kChromiumHistoryQuery, rows),
              SQLITE_INTERRUPT);
    EXPECT_EQ(Rows(folder / "History", kChromiumHistoryQuery), "(unreadable)");

    OpenBrowserDatabase(folder / "places.sqlite", "CREATE TABLE moz_places(url, title, last_visit_date)");
    Exec("INSERT INTO moz_places VALUES ('https://a.example/', 'A', 2), ('https://b.example/', "
         "printf('%.*c', " +
         std::to_string(kHistoryValueLimit) + " + 1, 'b'), 1)");
    browser.reset();
    EXPECT_EQ(QueryHistoryDatabase((folder / "places.sqlite").string(), kFirefoxHistoryQuery, rows),
              SQLITE_TOOBIG);
    EXPECT_EQ(Rows(folder / "places.sqlite", kFirefoxHistoryQuery), "(unreadable)");

    // Values each within the limit, but too much text together.
    const auto rowCount = kHistoryRowsLimit / kHistoryValueLimit + 1;
    OpenBrowserDatabase(folder / "long", "CREATE TABLE urls(url, title, last_visit_time)");
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
         std::to_string(rowCount) +
         ") INSERT INTO urls SELECT 'http://x' || i || '.example/', printf('%.*c', " +
         std::to_string(kHistoryValueLimit) + ", 't'), i FROM n");
    browser.reset();
    EXPECT_EQ(QueryHistoryDatabase((folder / "long").string(), kChromiumHistoryQuery, rows), SQLITE_TOOBIG);
}

TEST_F(HistoryDatabaseTest, ATableQueryGivesTheColumnsByNameWithinTheSameBounds) {
    OpenBrowserDatabase(folder / "Web Data",
                        "CREATE TABLE keywords(id INTEGER PRIMARY KEY, Short_Name, url, n)");
    Exec("INSERT INTO keywords VALUES (1, 'A', 'https://a.example/?q={searchTerms}', NULL), (2, 'B', NULL, "
         "7)");
    // Read while the browser still holds it, its newest rows in the log.
    auto table = database.QueryTable((folder / "Web Data").string(), "SELECT * FROM keywords");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Columns, (std::vector<std::string>{"id", "Short_Name", "url", "n"}));
    EXPECT_EQ(table->Column("short_name"), 1u);
    EXPECT_EQ(table->Column("is_active"), std::nullopt);
    EXPECT_EQ(table->Rows, (std::vector<std::vector<std::string>>{
                               {"1", "A", "https://a.example/?q={searchTerms}", ""}, {"2", "B", "", "7"}}));
    Exec("UPDATE keywords SET n = printf('%.*c', " + std::to_string(kHistoryValueLimit) + " + 1, 'n')");
    EXPECT_EQ(database.QueryTable((folder / "Web Data").string(), "SELECT * FROM keywords"), std::nullopt);
}

} // namespace
} // namespace tsy
