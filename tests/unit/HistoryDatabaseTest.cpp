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
        fs::create_directories(folder / "copy");
    }
    ~HistoryDatabaseTest() override { fs::remove_all(folder); }

    // A browser's database that it keeps open, its newest visits in the write-ahead log.
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

TEST_F(HistoryDatabaseTest, ACopyWithItsLogHoldsTheNewestVisits) {
    OpenBrowserDatabase(folder / "History",
                        "CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, "
                        "visit_count INTEGER, last_visit_time INTEGER NOT NULL)");
    Exec("INSERT INTO urls(url, title, last_visit_time) VALUES ('http://old.example/', 'Old', 100), "
         "('http://older.example/', NULL, 50)");
    Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    Exec("PRAGMA wal_autocheckpoint=0");
    Exec("INSERT INTO urls(url, title, last_visit_time) VALUES ('http://new.example/?q=StubText', "
         "'StubText \xE2\x80\x93 New', 300), ('http://mid.example/', 'Mid', 200)");
    ASSERT_GT(fs::file_size(folder / "History-wal"), 0u);

    // The library leaves files of its own beside a copy it has read, so each copy has its folder.
    fs::create_directories(folder / "with-log");
    fs::copy_file(folder / "History", folder / "copy" / "History");
    EXPECT_EQ(Rows(folder / "copy" / "History", kChromiumHistoryQuery),
              "http://old.example/=Old ; http://older.example/=");
    fs::copy_file(folder / "History", folder / "with-log" / "History");
    fs::copy_file(folder / "History-wal", folder / "with-log" / "History-wal");
    EXPECT_EQ(Rows(folder / "with-log" / "History", kChromiumHistoryQuery),
              "http://new.example/?q=StubText=StubText \xE2\x80\x93 New ; http://mid.example/=Mid ; "
              "http://old.example/=Old ; http://older.example/=");
}

TEST_F(HistoryDatabaseTest, FirefoxPlacesListOnlyVisitedPagesAtMostTwoHundred) {
    OpenBrowserDatabase(folder / "places.sqlite",
                        "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url LONGVARCHAR, "
                        "title LONGVARCHAR, last_visit_date INTEGER)");
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 250) "
         "INSERT INTO moz_places(url, title, last_visit_date) SELECT 'http://p' || i || '.example/', 'P' || "
         "i, i "
         "FROM n");
    Exec("INSERT INTO moz_places(url, title, last_visit_date) VALUES ('http://bookmark.example/', 'Never', "
         "NULL)");
    auto rows = database.Query((folder / "places.sqlite").string(), kFirefoxHistoryQuery);
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 200u);
    EXPECT_EQ(rows->front().URL, "http://p250.example/");
    EXPECT_EQ(rows->back().URL, "http://p51.example/");
}

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

} // namespace
} // namespace tsy
