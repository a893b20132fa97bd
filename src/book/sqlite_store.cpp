#include "book/sqlite_store.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

namespace kelmora::book {

namespace {

// The layouts, each from the one before: kLayouts[v] brings a file of
// version v to version v + 1.
const char* const kLayouts[] = {
    // 1: vouchers and their lines, the next voucher number.
    "CREATE TABLE meta(key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"
    "INSERT INTO meta VALUES('next_number', 1);"
    "CREATE TABLE vouchers(number INTEGER PRIMARY KEY, date TEXT NOT NULL, summary TEXT NOT NULL);"
    "CREATE TABLE lines(voucher INTEGER NOT NULL, seq INTEGER NOT NULL,"
    " side INTEGER NOT NULL CHECK(side IN (1, -1)), account TEXT NOT NULL, cents INTEGER NOT NULL,"
    " PRIMARY KEY(voucher, seq)) WITHOUT ROWID;",
    // 2: opening balances of first-level accounts, in the order entered.
    "CREATE TABLE openings(account TEXT PRIMARY KEY, debit INTEGER NOT NULL, seq INTEGER NOT NULL) WITHOUT ROWID;",
    // 3: red reversals and the vouchers a close posted, the closed months,
    // the operation log.
    "ALTER TABLE vouchers ADD COLUMN reverses INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE vouchers ADD COLUMN closes TEXT NOT NULL DEFAULT '';"
    "CREATE TABLE closes(month TEXT PRIMARY KEY) WITHOUT ROWID;"
    "CREATE TABLE log(seq INTEGER PRIMARY KEY, at TEXT NOT NULL, action TEXT NOT NULL, detail TEXT NOT NULL);",
};
static_assert(std::size(kLayouts) == kSchemaVersion);

std::string quoted(const std::string& path) { return "“" + path + "”"; }

// What went wrong, in the user's words.
[[noreturn]] void fail(sqlite3* db, const std::string& path, int code) {
    const std::string detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw BookError("账簿文件" + quoted(path) + "正被另一个程序使用，等候后仍未能写入。请稍后再试。");
    case SQLITE_READONLY:
        throw BookError("账簿文件" + quoted(path) + "是只读的，不能记账。");
    case SQLITE_FULL:
        throw BookError("磁盘已满，账簿文件" + quoted(path) + "未能写入。");
    case SQLITE_CORRUPT:
        throw BookError("账簿文件" + quoted(path) + "已损坏或不完整，无法使用。");
    case SQLITE_NOTADB:
        throw BookError("文件" + quoted(path) + "不是 Kelmora 账簿。");
    default:
        throw BookError("无法读写账簿文件" + quoted(path) + "：" + detail);
    }
}

class Statement {
public:
    Statement(sqlite3* db, const std::string& path, const char* sql) : db_(db), path_(path) {
        if (const int rc = sqlite3_prepare_v2(db, sql, -1, &s_, nullptr); rc != SQLITE_OK) fail(db, path, rc);
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int i, long long v) {
        sqlite3_bind_int64(s_, i, v);
        return *this;
    }
    Statement& bind(int i, const std::string& v) {
        sqlite3_bind_text(s_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // True while there is a row.
    bool step() {
        const int rc = sqlite3_step(s_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) fail(db_, path_, rc);
        return false;
    }
    void run() {
        step();
        sqlite3_reset(s_);
        sqlite3_clear_bindings(s_);
    }
    long long integer(int i) const { return sqlite3_column_int64(s_, i); }
    std::string text(int i) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s_, i));
        return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(s_, i))) : std::string();
    }

private:
    sqlite3* db_;
    const std::string& path_;
    sqlite3_stmt* s_ = nullptr;
};

void exec(sqlite3* db, const std::string& path, const char* sql) {
    if (const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr); rc != SQLITE_OK) fail(db, path, rc);
}

std::uint32_t bigEndian(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

struct Closer {
    sqlite3* db;
    ~Closer() {
        if (db) sqlite3_close(db);
    }
};

}  // namespace

std::unique_ptr<SqliteStore> SqliteStore::open(const std::string& path, Mode mode) {
    if (path.empty()) throw BookError("没有给出账簿文件的名称。");
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    bool fresh = !exists;
    if (exists) {
        if (mode == Mode::CreateOnly) throw BookError("文件" + quoted(path) + "已经存在。");
        if (!S_ISREG(st.st_mode)) throw BookError(quoted(path) + "不是一个文件。");
        // A file marked read-only stays so, whoever runs the program.
        if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
            throw BookError("账簿文件" + quoted(path) + "是只读的，不能记账。");
        if (st.st_size == 0) {
            fresh = true;  // an empty file holds nothing to lose
        } else {
            // The header tells what the file is before SQLite touches it, so
            // that a file refused here is not changed in any way.
            unsigned char header[100] = {};
            std::ifstream in(path, std::ios::binary);
            if (!in) throw BookError("无法读取文件" + quoted(path) + "。");
            in.read(reinterpret_cast<char*>(header), sizeof header);
            if (in.gcount() < static_cast<std::streamsize>(sizeof header) ||
                std::memcmp(header, "SQLite format 3", 16) != 0)
                throw BookError("文件" + quoted(path) + "不是 Kelmora 账簿。");
            const std::uint32_t version = bigEndian(header + 60), app = bigEndian(header + 68);
            if (app != static_cast<std::uint32_t>(kApplicationId))
                throw BookError("文件" + quoted(path) + "不是 Kelmora 账簿。");
            if (version > static_cast<std::uint32_t>(kSchemaVersion))
                throw BookError("账簿文件" + quoted(path) + "由较新版本的 Kelmora 写成（格式 " + std::to_string(version) +
                                "，本程序只认识到格式 " + std::to_string(kSchemaVersion) + "），为免损坏，未打开也未改动它。");
        }
    }
    // WAL keeps its journal beside the file: the folder must take new files.
    std::string folder = path.substr(0, path.find_last_of('/') + 1);
    if (folder.empty()) folder = ".";
    struct stat folderStat {};
    if (::stat(folder.c_str(), &folderStat) != 0 || !S_ISDIR(folderStat.st_mode))
        throw BookError("账簿文件" + quoted(path) + "所在的文件夹不存在。");
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        throw BookError("账簿文件" + quoted(path) + "所在的文件夹不可写入，不能记账。");

    // A file refused below leaves nothing behind: the journal files SQLite
    // made beside it while looking are taken away again.
    const std::string wal = path + "-wal", shm = path + "-shm";
    struct stat ignored {};
    const bool hadWal = ::stat(wal.c_str(), &ignored) == 0, hadShm = ::stat(shm.c_str(), &ignored) == 0;
    try {
        return openChecked(path, fresh);
    } catch (...) {
        if (!hadWal) ::unlink(wal.c_str());
        if (!hadShm) ::unlink(shm.c_str());
        if (fresh && !exists) ::unlink(path.c_str());
        throw;
    }
}

std::unique_ptr<SqliteStore> SqliteStore::openChecked(const std::string& path, bool fresh) {
    sqlite3* raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (fresh ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    Closer closer{raw};
    if (rc != SQLITE_OK) fail(raw, path, rc);
    sqlite3_extended_result_codes(raw, 0);
    // Until the file is known to be sound, closing it must not write to it.
    sqlite3_db_config(raw, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sqlite3_busy_timeout(raw, kBusyMilliseconds);
    if (sqlite3_db_readonly(raw, "main") == 1) throw BookError("账簿文件" + quoted(path) + "是只读的，不能记账。");

    if (!fresh) {
        // A file cut short or damaged is found here, before anything is written.
        Statement check(raw, path, "PRAGMA quick_check");
        if (!check.step() || check.text(0) != "ok")
            throw BookError("账簿文件" + quoted(path) + "已损坏或不完整，无法使用。");
    }
    exec(raw, path, "PRAGMA synchronous=FULL");
    // Bring the layout forward, in one transaction.  A new file gets its
    // layout and its marks written straight into it, before the journal
    // turns to WAL: the marks in the header are then on the disk, where the
    // next program looks for them.
    const auto userVersion = [&] {
        Statement v(raw, path, "PRAGMA user_version");
        return v.step() ? v.integer(0) : 0LL;
    };
    // A file of the current layout is opened without taking the write lock,
    // so that it opens while another program is writing to it.
    if (fresh || userVersion() < kSchemaVersion) {
      try {
        exec(raw, path, "BEGIN IMMEDIATE");
        const long long version = userVersion();
        if (version > kSchemaVersion)  // written by a newer program since the header was read
            throw BookError("账簿文件" + quoted(path) + "由较新版本的 Kelmora 写成，为免损坏，未打开也未改动它。");
        if (fresh && version == 0) exec(raw, path, ("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
        for (long long v = version; v < kSchemaVersion; ++v) exec(raw, path, kLayouts[v]);
        if (version < kSchemaVersion) exec(raw, path, ("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
        exec(raw, path, "COMMIT");
      } catch (...) {
        sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
      }
    }
    if (userVersion() > kSchemaVersion)
        throw BookError("账簿文件" + quoted(path) + "由较新版本的 Kelmora 写成，为免损坏，未打开也未改动它。");
    {
        Statement mode(raw, path, "PRAGMA journal_mode=WAL");
        if (!mode.step() || mode.text(0) != "wal") throw BookError("账簿文件" + quoted(path) + "无法使用 WAL 日志。");
    }
    sqlite3_db_config(raw, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    closer.db = nullptr;
    return std::unique_ptr<SqliteStore>(new SqliteStore(raw, path));
}

SqliteStore::~SqliteStore() {
    if (inTransaction_) rollback();
    sqlite3_close(db_);
}

long long SqliteStore::dataVersion() {
    Statement s(db_, path_, "PRAGMA data_version");
    return s.step() ? s.integer(0) : 0;
}

void SqliteStore::load(Journal& j) {
    const bool own = !inTransaction_;
    if (own) exec(db_, path_, "BEGIN");
    try {
        std::vector<Voucher> vouchers;
        {
            Statement s(db_, path_, "SELECT number, date, summary, reverses, closes FROM vouchers ORDER BY number");
            while (s.step())
                vouchers.push_back({static_cast<int>(s.integer(0)), s.text(1), s.text(2), {}, static_cast<int>(s.integer(3)), s.text(4)});
        }
        {
            Statement s(db_, path_, "SELECT voucher, side, account, cents FROM lines ORDER BY voucher, seq");
            std::size_t at = 0;
            while (s.step()) {
                const int number = static_cast<int>(s.integer(0));
                while (at < vouchers.size() && vouchers[at].number < number) ++at;
                if (at == vouchers.size() || vouchers[at].number != number)
                    throw BookError("账簿文件" + quoted(path_) + "已损坏：有不属于任何凭证的分录。");
                vouchers[at].lines.push_back(
                    {s.integer(1) > 0 ? Side::Debit : Side::Credit, s.text(2), static_cast<Cents>(s.integer(3))});
            }
        }
        std::vector<Opening> openings;
        {
            Statement s(db_, path_, "SELECT account, debit, seq FROM openings ORDER BY seq");
            while (s.step()) openings.push_back({s.text(0), static_cast<Cents>(s.integer(1)), static_cast<int>(s.integer(2))});
        }
        int next = 1;
        {
            Statement s(db_, path_, "SELECT value FROM meta WHERE key = 'next_number'");
            if (s.step()) next = static_cast<int>(s.integer(0));
        }
        std::vector<std::string> closed;
        {
            Statement s(db_, path_, "SELECT month FROM closes ORDER BY month");
            while (s.step()) closed.push_back(s.text(0));
        }
        seen_ = dataVersion();
        if (own) exec(db_, path_, "COMMIT");
        j.replace(std::move(vouchers), std::move(openings), next, std::move(closed));
    } catch (...) {
        if (own) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteStore::begin(Journal& j) {
    exec(db_, path_, "BEGIN IMMEDIATE");
    inTransaction_ = true;
    try {
        if (dataVersion() != seen_) load(j);
    } catch (...) {
        rollback();
        throw;
    }
}

void SqliteStore::commit(const Change& c) {
    {
        Statement delLines(db_, path_, "DELETE FROM lines WHERE voucher = ?1");
        Statement delVoucher(db_, path_, "DELETE FROM vouchers WHERE number = ?1");
        for (int n : c.removed) {
            delLines.bind(1, n).run();
            delVoucher.bind(1, n).run();
        }
    }
    if (!c.added.empty()) {
        Statement voucher(db_, path_, "INSERT INTO vouchers(number, date, summary, reverses, closes) VALUES(?1, ?2, ?3, ?4, ?5)");
        Statement line(db_, path_, "INSERT INTO lines(voucher, seq, side, account, cents) VALUES(?1, ?2, ?3, ?4, ?5)");
        for (const Voucher& v : c.added) {
            voucher.bind(1, v.number).bind(2, v.date).bind(3, v.summary).bind(4, v.reverses).bind(5, v.closes).run();
            int seq = 0;
            for (const Line& l : v.lines)
                line.bind(1, v.number).bind(2, ++seq).bind(3, static_cast<int>(l.side)).bind(4, l.account).bind(5, l.amount).run();
        }
    }
    if (!c.openings.empty()) {
        Statement opening(db_, path_,
                          "INSERT INTO openings(account, debit, seq) VALUES(?1, ?2, ?3)"
                          " ON CONFLICT(account) DO UPDATE SET debit = excluded.debit");
        for (const Opening& o : c.openings) opening.bind(1, o.account).bind(2, o.debit).bind(3, o.order).run();
    }
    if (!c.reopened.empty()) {
        Statement reopen(db_, path_, "DELETE FROM closes WHERE month = ?1");
        for (const std::string& m : c.reopened) reopen.bind(1, m).run();
    }
    if (!c.closed.empty()) {
        Statement close(db_, path_, "INSERT INTO closes(month) VALUES(?1)");
        for (const std::string& m : c.closed) close.bind(1, m).run();
    }
    if (!c.logged.empty()) {
        Statement log(db_, path_, "INSERT INTO log(at, action, detail) VALUES(?1, ?2, ?3)");
        for (const LogEntry& e : c.logged) log.bind(1, e.at).bind(2, e.action).bind(3, e.detail).run();
    }
    Statement next(db_, path_, "UPDATE meta SET value = max(value, ?1) WHERE key = 'next_number'");
    next.bind(1, c.nextNumber).run();
    exec(db_, path_, "COMMIT");
    inTransaction_ = false;
}

void SqliteStore::rollback() noexcept {
    if (!inTransaction_) return;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    inTransaction_ = false;
}

void SqliteStore::refresh(Journal& j) {
    if (dataVersion() != seen_) load(j);
}

std::vector<LogEntry> SqliteStore::readLog() {
    std::vector<LogEntry> log;
    Statement s(db_, path_, "SELECT at, action, detail FROM log ORDER BY seq");
    while (s.step()) log.push_back({s.text(0), s.text(1), s.text(2)});
    return log;
}

std::unique_ptr<Store> openFile(const std::string& path) { return SqliteStore::open(path); }

}  // namespace kelmora::book
