// The workbook through kelmora-script as a program: files on the command
// line's side of things, error lines, a runner killed while it posts, two
// runners posting to one file.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "book/chart.h"
#include "book/journal.h"
#include "book/sqlite_store.h"
#include "book_support.h"

using namespace kelmora;
using namespace kelmora::book;
using kelmora::testing::readAll;
using kelmora::testing::TempDir;
using kelmora::testing::writeAll;

namespace {

extern "C" char** environ;

// Starts the runner on a script file, its transcript and messages going to
// files; returns the process id.
pid_t start(const std::string& script, const std::string& out, const std::string& err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const char* argv[] = {KELMORA_SCRIPT, script.c_str(), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, KELMORA_SCRIPT, &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        ADD_FAILURE() << "cannot start " << KELMORA_SCRIPT;
        return -1;
    }
    return pid;
}

int finish(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Result {
    int status;
    std::string out, err;
};

Result run(const TempDir& dir, const std::string& script) {
    const std::string s = dir.file("script.txt"), o = dir.file("out.txt"), e = dir.file("err.txt");
    writeAll(s, script);
    const int status = finish(start(s, o, e));
    return {status, readAll(o), readAll(e)};
}

// Form4 prints one block: 材料费用 100, 应交税金-应交增值税（进） 17 on the
// debit, 其他货币资金 117 on the credit.
const std::string kPurchase =
    "open Form4\nset Form4.Text1 100\nset Form4.Text2 17\nclick Form4.Command1\ndate 2026-04-01\n";

TEST(BookRunner, FilesAndErrorLines) {
    TempDir dir;
    const std::string book = dir.file("月末.kbook");
    Result r = run(dir, kPurchase + "book " + book + "\npost Form4 1\npost Form4 1\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "show Form4\nbook " + book + " 0\npost 记-1 Form4 1\npost 记-2 Form4 1\n");

    // Reopened, the vouchers are there; lines the runner cannot carry out.
    writeAll(dir.file("notes.txt"), "不是账簿\n");
    const std::string newer = dir.file("newer.kbook");
    writeAll(newer, readAll(book));
    kelmora::testing::sql(newer, "PRAGMA user_version=99");
    const std::string newerBytes = readAll(newer);
    const std::string locked = dir.file("locked.kbook"), cut = dir.file("cut.kbook");
    writeAll(locked, readAll(book));
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    writeAll(cut, readAll(book).substr(0, readAll(book).size() / 2 + 10));
    r = run(dir, "open Form132\nset Form132.Text4 1000\nset Form132.Text5 0.05\nset Form132.Text6 3\n"
                 "click Form132.Command1\ndate 2026-04-02\nbook " + book + "\n"
                 "post Form132 1 4\npost Form132 5\npost Form132 x\npost Form132\ndelete 记-7\ndelete 7\n"
                 "date 2026-02-30\nopening 库存现金 借\nopening 库存现金-零用 借 5\n"
                 "book " + dir.file("notes.txt") + "\nbook " + newer + "\nbook " + dir.file("no/such/folder.kbook") + "\n"
                 "book " + locked + "\nbook " + cut + "\n"
                 "post Form132 2\ndelete 记-1\nvouchers\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out,
              "show Form132\nbook " + book + " 2\npost 记-3 Form132 2\ndelete 记-1\nvouchers\n"
              "|记-2 2026-04-01 外埠采购\n|  借 材料费用 100.00\n|  借 应交税金-应交增值税（进） 17.00\n|  贷 其他货币资金 117.00\n"
              "|记-3 2026-04-02 年末计息\n|  借 财务费用-利息费 50.00\n|  贷 应付利息 50.00\n");
    EXPECT_EQ(r.err,
              "line 8: block 4 of Form132 does not balance\n"
              "line 9: Form132 has no block 5\n"
              "line 10: Form132 has no block x\n"
              "line 11: expected post FormN K [K …]\n"
              "line 12: no voucher 记-7\n"
              "line 13: no voucher 7\n"
              "line 14: not a date YYYY-MM-DD: 2026-02-30\n"
              "line 15: expected opening ACCOUNT 借|贷 AMOUNT\n"
              "line 16: 期初余额只能记在一级科目上（科目名称中不含“-”）。\n"
              "line 17: 文件“" + dir.file("notes.txt") + "”不是 Kelmora 账簿。\n"
              "line 18: 账簿文件“" + newer + "”由较新版本的 Kelmora 写成（格式 99，本程序只认识到格式 3），为免损坏，未打开也未改动它。\n"
              "line 19: 账簿文件“" + dir.file("no/such/folder.kbook") + "”所在的文件夹不存在。\n"
              "line 20: 账簿文件“" + locked + "”是只读的，不能记账。\n"
              "line 21: 账簿文件“" + cut + "”已损坏或不完整，无法使用。\n");
    EXPECT_EQ(readAll(newer), newerBytes);
    EXPECT_EQ(readAll(dir.file("notes.txt")), "不是账簿\n");
}

// Form2 prints two blocks of 800: 库存现金 against 待处理财产损溢, and that
// against 营业外收入.
const std::string kCashOver = "open Form2\nset Form2.Text1 800\nclick Form2.Command1\n";

TEST(BookRunner, ClosingReversalAndLocksRefuseWithTheirLines) {
    TempDir dir;
    Result r = run(dir, kCashOver +
                            "opening 库存现金 借 5\n"
                            "close 2026-10\n"      // line 5: the openings do not balance
                            "opening 库存现金 借 0\n"
                            "date 2026-11-20\npost Form2 1 2\n"
                            "date 2026-12-01\npost Form2 1\n"
                            "close 2026-12\n"      // line 11: November is open
                            "close 2026-11\n"
                            "date 2026-11-30\n"
                            "post Form2 1\n"       // line 14
                            "delete 记-1\n"        // line 15
                            "reverse 记-1\n"       // line 16: dated in the closed month
                            "opening 库存现金 借 5\n"
                            "close 2026-11\n"
                            "date 2026-12-02\n"
                            "reverse 记-1\n"
                            "reverse 记-1\n"       // line 21
                            "reverse 记-5\n"
                            "reverse 记-99\n"
                            "reverse 1\n"
                            "reopen 2026-10\n"     // line 25
                            "reopen 2026-13\n"
                            "account 材料费用\n"
                            "account 没有这个科目\n"
                            "statement 现金流量表 2026-11\n"
                            "statement 利润表 2026-1\n"  // line 30
                            "reopen 2026-11\n"
                            "reopen 2026-11\n"
                            "delete 记-1\n"
                            "delete 记-5\n"
                            "delete 记-1\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out,
              "show Form2\npost 记-1 Form2 1\npost 记-2 Form2 2\npost 记-3 Form2 1\n"
              "post 记-4 close 2026-11\nclose 2026-11\npost 记-5 reverse 记-1\n"
              "reopen 2026-11\ndelete 记-5\ndelete 记-1\n");
    const std::string materials(place("材料费用").reason), unknown(place("没有这个科目").reason);
    EXPECT_EQ(r.err,
              "line 5: the trial balance of 2026-10 does not balance\n"
              "line 11: earlier month 2026-11 is not closed\n"
              "line 14: period 2026-11 is closed\n"
              "line 15: period 2026-11 is closed\n"
              "line 16: period 2026-11 is closed\n"
              "line 17: period 2026-11 is closed\n"
              "line 18: period 2026-11 is closed\n"
              "line 21: 记-1 is reversed already by 记-5\n"
              "line 22: 记-5 is a reversal\n"
              "line 23: no voucher 记-99\n"
              "line 24: no voucher 1\n"
              "line 25: 2026-10 is not the latest closed month 2026-11\n"
              "line 26: not a month YYYY-MM: 2026-13\n"
              "line 27: 材料费用 is not placed in the chart: " + materials + "\n"
              "line 28: 没有这个科目 is not placed in the chart: " + unknown + "\n"
              "line 29: expected statement 资产负债表|利润表 YYYY-MM\n"
              "line 30: not a month YYYY-MM: 2026-1\n"
              "line 32: no month is closed\n"
              "line 33: 记-1 is reversed by 记-5\n");
    EXPECT_FALSE(materials.empty());

    // A month with a voucher naming an unplaced account is not closed; the
    // chart, in code order.
    r = run(dir, kPurchase + "post Form4 1\nclose 2026-04\nchart\n");
    EXPECT_EQ(r.err, "line 7: 记-1 names 材料费用, which the chart does not place: " + materials + "\n");
    std::istringstream in(r.out);
    std::vector<std::string> chartLines;
    bool inChart = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "chart") inChart = true;
        else if (inChart) chartLines.push_back(line);
    }
    ASSERT_EQ(chartLines.size(), chart().size());
    EXPECT_EQ(chartLines.front(), "|1001\t库存现金\t资产\t借");
    EXPECT_EQ(chartLines[1], "|1002\t银行存款\t资产\t借");
    EXPECT_NE(std::find(chartLines.begin(), chartLines.end(), "|1602\t累计折旧\t资产\t贷"), chartLines.end());
    EXPECT_NE(std::find(chartLines.begin(), chartLines.end(), "|6403\t税金及附加\t损益\t借"), chartLines.end());
    EXPECT_EQ(chartLines.back(), "|6901\t以前年度损益调整\t损益\t借");
}

TEST(BookRunner, TwoRunnersPostingToOneFileLoseNothing) {
    TempDir dir;
    const std::string book = dir.file("shared.kbook");
    SqliteStore::open(book);  // made before either starts
    std::string script = kPurchase + "book " + book + "\n";
    for (int i = 0; i < 150; ++i) script += "post Form4 1\n";
    writeAll(dir.file("a.txt"), script);
    writeAll(dir.file("b.txt"), script);
    const pid_t a = start(dir.file("a.txt"), dir.file("a.out"), dir.file("a.err"));
    const pid_t b = start(dir.file("b.txt"), dir.file("b.out"), dir.file("b.err"));
    EXPECT_EQ(finish(a), 0) << readAll(dir.file("a.err"));
    EXPECT_EQ(finish(b), 0) << readAll(dir.file("b.err"));
    std::set<std::string> numbers;
    for (const char* out : {"a.out", "b.out"}) {
        std::istringstream in(readAll(dir.file(out)));
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("post ", 0) == 0) {
                ASSERT_TRUE(numbers.insert(line.substr(5, line.find(' ', 5) - 5)).second) << line;
            }
        }
    }
    EXPECT_EQ(numbers.size(), 300u);
    Workbook w(SqliteStore::open(book));
    EXPECT_EQ(w.journal().vouchers().size(), 300u);
    EXPECT_EQ(w.journal().vouchers().back().number, 300);
    EXPECT_EQ(w.journal().trial().total.debit, 300 * 11700);
}

TEST(BookRunner, ABusyFileIsAnErrorLineAfterAWait) {
    TempDir dir;
    const std::string book = dir.file("busy.kbook");
    SqliteStore::open(book);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(book.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const Result r = run(dir, kPurchase + "book " + book + "\npost Form4 1\nvouchers\n");
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "show Form4\nbook " + book + " 0\nvouchers\n");
    EXPECT_EQ(r.err, "line 7: 账簿文件“" + book + "”正被另一个程序使用，等候后仍未能写入。请稍后再试。\n");
}

// Killed as by a power cut, at random moments, again and again on the same
// file: every time the file opens, is sound, holds every voucher the
// transcript reported and of the others at most the one being written when
// the runner died, each of them whole.
TEST(BookRunner, KilledWhilePostingTheFileStaysWhole) {
    TempDir dir;
    const std::string book = dir.file("killed.kbook");
    std::string script = kPurchase + "book " + book + "\n";
    for (int i = 0; i < 400; ++i) script += "post Form4 1\n";
    writeAll(dir.file("loop.txt"), script);
    std::mt19937 random(20261210);
    std::set<int> reported;
    int unreported = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int runs = 0;
    for (; runs < 40 && std::chrono::steady_clock::now() < deadline; ++runs) {
        const pid_t pid = start(dir.file("loop.txt"), dir.file("loop.out"), dir.file("loop.err"));
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 300000)(random)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        std::istringstream in(readAll(dir.file("loop.out")));
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("post 记-", 0) != 0) continue;
            const auto n = voucherNumber(line.substr(5, line.find(' ', 5) - 5));
            ASSERT_TRUE(n) << line;
            reported.insert(*n);
        }
        if (!std::filesystem::exists(book)) continue;  // killed before the file was made
        EXPECT_EQ(kelmora::testing::sql(book, "PRAGMA integrity_check"), "ok") << "run " << runs;
        Workbook w(SqliteStore::open(book));  // opens again
        std::set<int> held;
        for (const Voucher& v : w.journal().vouchers()) {
            held.insert(v.number);
            ASSERT_EQ(v.lines.size(), 3u) << voucherName(v.number) << " is not whole";
            EXPECT_EQ(v.lines[2].account, "其他货币资金");
            EXPECT_EQ(v.lines[2].amount, 11700);
        }
        for (int n : reported) ASSERT_TRUE(held.count(n)) << voucherName(n) << " was reported but is gone";
        unreported = static_cast<int>(held.size() - reported.size());
        EXPECT_LE(unreported, runs + 1);
        EXPECT_TRUE(w.journal().trial().balanced());
    }
    EXPECT_GE(runs, 10);
    // Most kills must have come while posting, or the test proves little.
    EXPECT_GT(reported.size(), 50u);
    std::printf("%d kills, %zu vouchers reported, %d posted but not yet reported when killed\n", runs,
                reported.size(), unreported);
}

// A file of layout 2 with many vouchers, opened by runners killed at random
// moments: whenever it is looked at, it is whole and either still of layout 2
// or wholly of layout 3 (the migration is one transaction), and it opens
// with its vouchers, openings and order unchanged.
TEST(BookRunner, KilledWhileBringingALayout2FileForward) {
    TempDir dir;
    const std::string original = dir.file("v2-original.kbook"), book = dir.file("v2.kbook");
    constexpr int kVouchers = 20000;
    kelmora::testing::sql(original,
                          "PRAGMA journal_mode=WAL; PRAGMA application_id=" + std::to_string(kApplicationId) +
                              "; CREATE TABLE meta(key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"
                              "INSERT INTO meta VALUES('next_number', " + std::to_string(kVouchers + 5) + ");"
                              "CREATE TABLE vouchers(number INTEGER PRIMARY KEY, date TEXT NOT NULL, summary TEXT NOT NULL);"
                              "CREATE TABLE lines(voucher INTEGER NOT NULL, seq INTEGER NOT NULL,"
                              " side INTEGER NOT NULL CHECK(side IN (1, -1)), account TEXT NOT NULL, cents INTEGER NOT NULL,"
                              " PRIMARY KEY(voucher, seq)) WITHOUT ROWID;"
                              "CREATE TABLE openings(account TEXT PRIMARY KEY, debit INTEGER NOT NULL, seq INTEGER NOT NULL) WITHOUT ROWID;"
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(kVouchers) +
                              ") INSERT INTO vouchers SELECT i, '2026-01-15', '提现' || i FROM n;"
                              "INSERT INTO lines SELECT number, 1, 1, '库存现金', number FROM vouchers;"
                              "INSERT INTO lines SELECT number, 2, -1, '银行存款-工行', number FROM vouchers;"
                              "INSERT INTO openings VALUES('银行存款', 900000, 1), ('库存现金', 100000, 2), ('实收资本', -1000000, 3);"
                              "PRAGMA wal_checkpoint(TRUNCATE); PRAGMA user_version=2;");
    const std::string bytes = readAll(original);
    writeAll(dir.file("open.txt"), "book " + book + "\n");
    std::mt19937 random(20261211);
    int stayed = 0, forward = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int run = 0; run < 30 && std::chrono::steady_clock::now() < deadline; ++run) {
        std::filesystem::remove(book + "-wal");
        std::filesystem::remove(book + "-shm");
        writeAll(book, bytes);
        const pid_t pid = start(dir.file("open.txt"), dir.file("open.out"), dir.file("open.err"));
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 250000)(random)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_EQ(kelmora::testing::sql(book, "PRAGMA integrity_check"), "ok") << "run " << run;
        const std::string version = kelmora::testing::sql(book, "PRAGMA user_version");
        const std::string newTables = kelmora::testing::sql(book, "SELECT count(*) FROM sqlite_master WHERE name IN ('closes', 'log')");
        const std::string newColumns = kelmora::testing::sql(book, "SELECT count(*) FROM pragma_table_info('vouchers') WHERE name IN ('reverses', 'closes')");
        if (version == "2") {
            ++stayed;
            EXPECT_EQ(newTables, "0");
            EXPECT_EQ(newColumns, "0");
        } else {
            ++forward;
            EXPECT_EQ(version, "3");
            EXPECT_EQ(newTables, "2");
            EXPECT_EQ(newColumns, "2");
        }
        Workbook w(SqliteStore::open(book));
        const Journal& j = w.journal();
        ASSERT_EQ(j.vouchers().size(), static_cast<std::size_t>(kVouchers)) << "run " << run;
        EXPECT_EQ(j.vouchers().front().summary, "提现1");
        EXPECT_EQ(j.vouchers().back().number, kVouchers);
        EXPECT_EQ(j.vouchers().back().lines[1].account, "银行存款-工行");
        EXPECT_EQ(j.nextNumber(), kVouchers + 5);
        ASSERT_EQ(j.openings().size(), 3u);
        EXPECT_EQ(j.openings()[0].account, "银行存款");
        EXPECT_EQ(j.openings()[1].account, "库存现金");
        EXPECT_EQ(kelmora::testing::sql(book, "PRAGMA user_version"), "3");
    }
    // Kills before and after the migration both happened, or the test proves little.
    EXPECT_GT(stayed, 0);
    EXPECT_GT(forward, 0);
    std::printf("%d kills: %d left the file at layout 2, %d after it was brought to layout 3\n", stayed + forward, stayed,
                forward);
}

}  // namespace
