// Kelmora — a workbook kept in an SQLite file.
//
// The file is an SQLite database in WAL mode, marked as ours by its
// application id, its layout numbered by `PRAGMA user_version`.  An older
// layout is brought forward as the file is opened; a file of a newer layout,
// a file that is not a workbook, a damaged or read-only file is refused with
// a message and left exactly as it was.  Each change is one transaction,
// written through to the disk before the change is reported.
#pragma once

#include <memory>
#include <string>

#include "book/journal.h"

struct sqlite3;

namespace kelmora::book {

// The layout this program writes.
inline constexpr int kSchemaVersion = 3;
// The application id in the file's header: "KLMB".
inline constexpr int kApplicationId = 0x4B4C4D42;
// How long a change waits for another program that holds the file.
inline constexpr int kBusyMilliseconds = 2500;

class SqliteStore : public Store {
public:
    enum class Mode { OpenOrCreate, CreateOnly };
    // Opens (or creates) the file; throws BookError with the reason in words.
    static std::unique_ptr<SqliteStore> open(const std::string& path, Mode mode = Mode::OpenOrCreate);
    ~SqliteStore() override;

    const std::string& path() const override { return path_; }
    void load(Journal& j) override;
    void begin(Journal& j) override;
    void commit(const Change& c) override;
    void rollback() noexcept override;
    void refresh(Journal& j) override;
    std::vector<LogEntry> readLog() override;

private:
    static std::unique_ptr<SqliteStore> openChecked(const std::string& path, bool fresh);
    SqliteStore(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
    long long dataVersion();

    sqlite3* db_;
    std::string path_;
    long long seen_ = -1;  // the data version the journal was read at
    bool inTransaction_ = false;
};

}  // namespace kelmora::book
