// Browser history databases are read as they are found on disk, damaged or not. An input that
// starts like a database is the whole file; any other patches bytes of a small history
// database, so that the damage reaches past the header into its pages: a valid one of either
// browser, or one made to hang or flood the reader, which must give no rows as it is.
#include "browsers/BrowserHistory.h"
#include "browsers/HistoryDatabase.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

fs::path gFolder;
std::string gChromeImage, gPlacesImage, gHostileImage;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string MakeImage(const char* sql) {
    const fs::path path = gFolder / "seed";
    fs::remove(path);
    sqlite3* database = nullptr;
    if (sqlite3_open(path.c_str(), &database) != SQLITE_OK ||
        sqlite3_exec(database, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        std::abort();
    sqlite3_close(database);
    std::string image = ReadFile(path);
    fs::remove(path);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    gFolder = fs::temp_directory_path() / ("tsy-fuzz-history-" + std::to_string(getpid()));
    fs::create_directories(gFolder);
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(gFolder, ignored);
    });
    gChromeImage = MakeImage(
        "PRAGMA page_size=512; CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, "
        "last_visit_time INTEGER NOT NULL); CREATE INDEX urls_url_index ON urls(url); "
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
        "INSERT INTO urls(url, title, last_visit_time) SELECT 'http://s' || i || '.example/?q=StubText', "
        "'Title ' || i, i * 7 % 40 FROM n;");
    gPlacesImage = MakeImage(
        "PRAGMA page_size=512; CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url LONGVARCHAR, title "
        "LONGVARCHAR, "
        "last_visit_date INTEGER); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
        "40) "
        "INSERT INTO moz_places(url, title, last_visit_date) SELECT 'https://p' || i || '.example/', "
        "CASE WHEN i % 3 THEN 'P' || i END, CASE WHEN i % 5 THEN i END FROM n;");
    // Chrome's table as an endless view; a Firefox page whose title is longer than any may be.
    gHostileImage =
        MakeImage(("PRAGMA page_size=512; CREATE VIEW urls AS WITH RECURSIVE n(i) AS (SELECT 1 "
                   "UNION ALL SELECT i + 1 FROM n) SELECT 'http://s' || i || '.example/' AS url, "
                   "'T' AS title, i AS last_visit_time FROM n; CREATE TABLE moz_places(url, title, "
                   "last_visit_date); INSERT INTO moz_places VALUES ('https://p.example/', "
                   "printf('%.*c', " +
                   std::to_string(tsy::kHistoryValueLimit + 1) + ", 't'), 1);")
                      .c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr char kHeader[] = "SQLite format 3";
    std::string image;
    // The hostile image is slow to refuse, so only a few inputs choose it.
    const bool hostile = size > 0 && data[0] % 16 == 15;
    const bool places = size > 0 && (data[0] & 1) != 0;
    const bool whole = size >= sizeof kHeader && std::memcmp(data, kHeader, sizeof kHeader) == 0;
    if (whole) {
        image.assign(reinterpret_cast<const char*>(data), size);
    } else {
        image = hostile ? gHostileImage : places ? gPlacesImage : gChromeImage;
        for (std::size_t i = 1; i + 2 < size; i += 3)
            image[(data[i] | std::size_t(data[i + 1]) << 8) % image.size()] = char(data[i + 2]);
    }
    // The reader may leave the library's own files beside the database.
    for (const char* name : {"History", "History-wal", "History-shm", "History-journal"})
        fs::remove(gFolder / name);
    const fs::path path = gFolder / "History";
    std::ofstream(path, std::ios::binary).write(image.data(), std::streamsize(image.size()));

    tsy::TSqliteHistoryDatabase database;
    for (const char* query : {tsy::kChromiumHistoryQuery, tsy::kFirefoxHistoryQuery}) {
        const auto rows = database.Query(path.string(), query);
        if (rows && rows->size() > 200)
            std::abort();
        if (rows && hostile && !whole && size < 4)
            std::abort();
    }
    return 0;
}
