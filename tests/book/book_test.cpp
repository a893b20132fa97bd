// The workbook without a display: amounts in cents, blocks read from a
// surface, vouchers, ledger, trial balance, CSV, and the SQLite file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "book/blocks.h"
#include "book/journal.h"
#include "book/sqlite_store.h"
#include "book_support.h"
#include "core/num.h"
#include "core/surface.h"

using namespace kelmora;
using namespace kelmora::book;
using kelmora::testing::TempDir;

namespace {

TEST(Cents, PrintedNumbersRoundHalfAwayFromZero) {
    const struct {
        const char* text;
        CentsRead read;
        Cents cents;
    } cases[] = {
        {" 117 ", CentsRead::Ok, 11700},
        {"-5.5 ", CentsRead::Ok, -550},
        {" 0.125 ", CentsRead::Ok, 13},
        {"-0.125 ", CentsRead::Ok, -13},
        {" 2.675 ", CentsRead::Ok, 268},  // the digits shown, not the double below them
        {" 0.0049999 ", CentsRead::Ok, 0},
        {" 0.005 ", CentsRead::Ok, 1},
        {" 33.3333333333333 ", CentsRead::Ok, 3333},
        {" 66.6666666666667 ", CentsRead::Ok, 6667},
        {" 1.5E+3 ", CentsRead::Ok, 150000},
        {" 1E-05 ", CentsRead::Ok, 0},
        {" 1234567890123.45 ", CentsRead::Ok, 123456789012345},
        {" 1E+20 ", CentsRead::TooLarge, 0},
        {" 12345678901234.5 ", CentsRead::TooLarge, 0},
        {"", CentsRead::Empty, 0},
        {"  ", CentsRead::Empty, 0},
        {" abc ", CentsRead::NotANumber, 0},
        {" 1.5E ", CentsRead::NotANumber, 0},
    };
    for (const auto& c : cases) {
        Cents got = -999;
        EXPECT_EQ(readCents(c.text, got), c.read) << c.text;
        if (c.read == CentsRead::Ok) {
            EXPECT_EQ(got, c.cents) << c.text;
        }
    }
    // What a window prints is what is read: the number text of a third.
    Cents third = 0;
    ASSERT_EQ(readCents(numberText(100.0 / 3), third), CentsRead::Ok);
    EXPECT_EQ(third, 3333);
    EXPECT_EQ(parseAmount("1,234.565"), Cents{123457});
    EXPECT_EQ(parseAmount("十元"), std::nullopt);
}

TEST(Cents, YuanWithTwoDecimals) {
    EXPECT_EQ(yuan(11700), "117.00");
    EXPECT_EQ(yuan(-550), "-5.50");
    EXPECT_EQ(yuan(5), "0.05");
    EXPECT_EQ(yuan(-5), "-0.05");
    EXPECT_EQ(yuan(0), "0.00");
    EXPECT_THROW(addCents(INT64_MAX, 1), BookError);
}

void amount(Surface& s, std::string_view label, double x) {
    s.writeAmount(label, numberText(x), Surface::Keep::Text);
}

TEST(Blocks, HeadingsAmountRowsAndRunsWithoutAHeading) {
    Surface s;
    s.writeLine("说明", Surface::Keep::Text);  // a text row followed by a text row heads nothing
    s.writeLine("购入", Surface::Keep::Text);
    amount(s, "原材料（借）", 100);
    s.writeAmount("未计（借）", "", Surface::Keep::Text);  // an unset quantity: left out
    amount(s, "零（贷）", 0);                             // zero: left out
    amount(s, "银行存款（贷）", 100);
    s.writeLine("", Surface::Keep::Text);
    amount(s, "库存现金（借）", 2.5);  // a run with no text row above it
    amount(s, "营业外收入（贷）", 2.5);
    s.writeLine("", Surface::Keep::Text);
    s.writeLine("合计行", Surface::Keep::Text);
    amount(s, "合计", 7);  // no side
    amount(s, "银行存款（贷）", 7);

    const auto blocks = blocksOf(s);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].number, 1);
    EXPECT_EQ(blocks[0].heading, "购入");
    EXPECT_EQ(blocks[0].rows.size(), 4u);
    EXPECT_TRUE(blocks[0].balances());
    const auto lines = blocks[0].lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].account, "原材料");
    EXPECT_EQ(lines[0].side, Side::Debit);
    EXPECT_EQ(lines[1].account, "银行存款");
    EXPECT_EQ(lines[1].amount, 10000);
    EXPECT_EQ(blocks[1].heading, "");
    EXPECT_EQ(blocks[1].debit, 250);
    EXPECT_TRUE(blocks[1].balances());
    EXPECT_EQ(blocks[2].heading, "合计行");
    EXPECT_EQ(blocks[2].debit, 0);
    EXPECT_EQ(blocks[2].credit, 700);
    ASSERT_TRUE(blocks[2].problem());
    EXPECT_EQ(*blocks[2].problem(), "有金额行没有借贷方向");
    EXPECT_EQ(firstLevel("应交税费-应交增值税（进）"), "应交税费");
}

TEST(Blocks, WhatDoesNotBalance) {
    const struct {
        std::vector<Line> lines;
        bool balances;
    } cases[] = {
        {{{Side::Debit, "a", 100}, {Side::Credit, "b", 100}}, true},
        {{{Side::Debit, "a", 100}, {Side::Credit, "b", 99}}, false},
        {{{Side::Debit, "a", 100}, {Side::Debit, "b", -100}}, false},  // no credit
        {{{Side::Debit, "a", -50}, {Side::Credit, "b", -50}}, true},  // a red-ink reversal
        {{}, false},
        {{{Side::Debit, "a", 100}, {Side::None, "b", 100}}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(!imbalance(c.lines), c.balances);
}

Workbook::Draft draft(std::string summary, std::vector<Line> lines) {
    return {"2026-05-01", std::move(summary), std::move(lines)};
}

// A month worked by hand: opening balances 库存现金 借 1000, 银行存款 借
// 9000, 实收资本 贷 10000.
void postMonth(Workbook& b) {
    b.setOpening("库存现金", 100000);
    b.setOpening("银行存款", 900000);
    b.setOpening("实收资本", -1000000);
    b.post({draft("提现", {{Side::Debit, "库存现金", 50000}, {Side::Credit, "银行存款", 50000}}),
            draft("购料", {{Side::Debit, "原材料-甲", 30000},
                           {Side::Debit, "应交税费-应交增值税（进）", 3900},
                           {Side::Credit, "银行存款", 33900}})});
    b.post({draft("付费", {{Side::Debit, "管理费用", 120050}, {Side::Credit, "库存现金", 120050}})});
}

TEST(Journal, TrialBalanceWithOpeningBalances) {
    Workbook b;
    postMonth(b);
    const TrialBalance t = b.journal().trial();
    // In the order of first posting, then those with an opening balance only.
    ASSERT_EQ(t.rows.size(), 6u);
    const std::vector<std::string> order{"库存现金", "银行存款", "原材料", "应交税费", "管理费用", "实收资本"};
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(t.rows[i].account, order[i]);
    // 库存现金: 1000 + 500 - 1200.50 = 借 299.50
    EXPECT_EQ(t.rows[0].openDebit, 100000);
    EXPECT_EQ(t.rows[0].debit, 50000);
    EXPECT_EQ(t.rows[0].credit, 120050);
    EXPECT_EQ(t.rows[0].closeDebit, 29950);
    EXPECT_EQ(t.rows[0].closeCredit, 0);
    // 银行存款: 9000 - 500 - 339 = 借 8161
    EXPECT_EQ(t.rows[1].closeDebit, 816100);
    EXPECT_EQ(t.rows[5].openCredit, 1000000);
    EXPECT_EQ(t.rows[5].closeCredit, 1000000);
    // Totals: 期初 10000/10000, 本期 2039.50/2039.50, 期末 (299.50 + 8161 + 300 + 39 + 1200.50) / 10000
    EXPECT_EQ(t.total.openDebit, 1000000);
    EXPECT_EQ(t.total.debit, 203950);
    EXPECT_EQ(t.total.credit, 203950);
    EXPECT_EQ(t.total.closeDebit, 1000000);
    EXPECT_EQ(t.total.closeCredit, 1000000);
    EXPECT_TRUE(t.balanced());

    const auto accounts = b.journal().accounts();
    ASSERT_EQ(accounts.size(), 6u);
    ASSERT_EQ(accounts[2].subs.size(), 1u);
    EXPECT_EQ(accounts[2].subs[0].account, "原材料-甲");
    EXPECT_EQ(accounts[2].subs[0].closing.debit, 30000);

    const std::string csv = trialCsv(t);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("科目,期初借方,期初贷方,本期借方,本期贷方,期末借方,期末贷方\r\n"), std::string::npos);
    EXPECT_NE(csv.find("库存现金,1000.00,0.00,500.00,1200.50,299.50,0.00\r\n"), std::string::npos);
    EXPECT_EQ(csv.substr(csv.size() - 8), "平衡\r\n");
}

TEST(Journal, LedgerRunsTheBalanceAndDeletedNumbersStayUnused) {
    Workbook b;
    postMonth(b);
    const auto cash = b.journal().ledger("库存现金");
    ASSERT_EQ(cash.size(), 3u);
    EXPECT_EQ(cash[0].voucher, 0);
    EXPECT_EQ(cash[0].balance.debit, 100000);
    EXPECT_EQ(cash[1].voucher, 1);
    EXPECT_EQ(cash[1].balance.debit, 150000);
    EXPECT_EQ(cash[2].voucher, 3);
    EXPECT_EQ(cash[2].balance.debit, 29950);
    EXPECT_EQ(std::string(cash[2].balance.word()), "借");
    b.post({draft("借款", {{Side::Debit, "库存现金", 1}, {Side::Credit, "短期借款", 1}})});
    EXPECT_EQ(b.journal().ledger("应交税费-应交增值税（进）").size(), 2u);
    EXPECT_EQ(b.journal().ledger("原材料-乙").size(), 1u);

    const auto gone = b.remove(2);
    ASSERT_TRUE(gone);
    EXPECT_FALSE(b.remove(2));
    EXPECT_EQ(b.post({draft("再购", {{Side::Debit, "原材料", 1}, {Side::Credit, "银行存款", 1}})}), std::vector<int>{5});
    b.restore(*gone);  // undo
    ASSERT_EQ(b.journal().vouchers().size(), 5u);
    EXPECT_EQ(b.journal().vouchers()[1].number, 2);
    EXPECT_EQ(b.journal().vouchers()[1].lines.size(), 3u);
    EXPECT_THROW(b.post({draft("错", {{Side::Debit, "a", 1}, {Side::Credit, "b", 2}})}), BookError);
    EXPECT_THROW(b.setOpening("原材料-甲", 1), BookError);
    EXPECT_EQ(b.journal().vouchers().size(), 5u);

    const std::string csv = vouchersCsv(b.journal());
    EXPECT_NE(csv.find("记-2,2026-05-01,购料,借,应交税费-应交增值税（进）,39.00\r\n"), std::string::npos);
}

TEST(Journal, CsvQuotesWhatSpreadsheetsWouldSplit) {
    Workbook b;
    b.post({draft("甲,乙 \"丙\"", {{Side::Debit, "a", 1}, {Side::Credit, "b", 1}})});
    EXPECT_NE(vouchersCsv(b.journal()).find("记-1,2026-05-01,\"甲,乙 \"\"丙\"\"\",借,a,0.01\r\n"), std::string::npos);
}

// ---- the file ----

TEST(BookFile, NewReopenAndEveryChangeKept) {
    TempDir dir;
    const std::string path = dir.file("月份.kbook");
    {
        Workbook b(SqliteStore::open(path));
        EXPECT_TRUE(b.journal().vouchers().empty());
        postMonth(b);
        b.remove(1);
    }
    EXPECT_EQ(kelmora::testing::sql(path, "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(kelmora::testing::sql(path, "PRAGMA user_version"), std::to_string(kSchemaVersion));
    Workbook b(SqliteStore::open(path));
    ASSERT_EQ(b.journal().vouchers().size(), 2u);
    EXPECT_EQ(b.journal().vouchers()[0].number, 2);
    EXPECT_EQ(b.journal().vouchers()[0].lines[1].account, "应交税费-应交增值税（进）");
    EXPECT_EQ(b.journal().nextNumber(), 4);
    EXPECT_EQ(b.journal().opening("实收资本"), -1000000);
    EXPECT_EQ(b.journal().openings()[1].account, "银行存款");
    EXPECT_TRUE(b.journal().trial().balanced());
}

// Opening a file that is refused: the message, and the file exactly as it was
// with nothing left beside it.
void expectRefused(const std::string& path, const std::string& words) {
    const std::string before = kelmora::testing::readAll(path);
    try {
        SqliteStore::open(path);
        ADD_FAILURE() << path << " was opened";
    } catch (const BookError& e) {
        EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
    }
    EXPECT_EQ(kelmora::testing::readAll(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    EXPECT_FALSE(std::filesystem::exists(path + "-shm"));
}

TEST(BookFile, BadFilesAreRefusedAndLeftAlone) {
    TempDir dir;
    const std::string good = dir.file("good.kbook");
    {
        Workbook b(SqliteStore::open(good));
        postMonth(b);
    }
    const std::string bytes = kelmora::testing::readAll(good);
    ASSERT_GT(bytes.size(), 4096u * 3);

    const std::string text = dir.file("notes.txt");
    kelmora::testing::writeAll(text, "科目,金额\n库存现金,100\n");
    expectRefused(text, "不是 Kelmora 账簿");

    const std::string other = dir.file("other.db");
    kelmora::testing::sql(other, "CREATE TABLE t(x); INSERT INTO t VALUES(1);");
    expectRefused(other, "不是 Kelmora 账簿");

    const std::string newer = dir.file("newer.kbook");
    kelmora::testing::writeAll(newer, bytes);
    kelmora::testing::sql(newer, "PRAGMA user_version=" + std::to_string(kSchemaVersion + 1));
    expectRefused(newer, "较新版本");

    // Cut short in the middle of its pages, as a copy that did not finish.
    const std::string cut = dir.file("cut.kbook");
    kelmora::testing::writeAll(cut, bytes.substr(0, bytes.size() / 2 + 100));
    expectRefused(cut, "已损坏或不完整");
    const std::string header = dir.file("header.kbook");
    kelmora::testing::writeAll(header, bytes.substr(0, 60));
    expectRefused(header, "不是 Kelmora 账簿");

    const std::string locked = dir.file("readonly.kbook");
    kelmora::testing::writeAll(locked, bytes);
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    expectRefused(locked, "只读");
}

TEST(BookFile, AnOlderLayoutIsBroughtForward) {
    TempDir dir;
    const std::string path = dir.file("v1.kbook");
    // The first layout: vouchers and lines, no opening balances.
    kelmora::testing::sql(path,
                          "PRAGMA journal_mode=WAL; PRAGMA application_id=" + std::to_string(kApplicationId) +
                              "; CREATE TABLE meta(key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"
                              "INSERT INTO meta VALUES('next_number', 3);"
                              "CREATE TABLE vouchers(number INTEGER PRIMARY KEY, date TEXT NOT NULL, summary TEXT NOT NULL);"
                              "CREATE TABLE lines(voucher INTEGER NOT NULL, seq INTEGER NOT NULL, side INTEGER NOT NULL,"
                              " account TEXT NOT NULL, cents INTEGER NOT NULL, PRIMARY KEY(voucher, seq)) WITHOUT ROWID;"
                              "INSERT INTO vouchers VALUES(2, '2025-12-31', '旧凭证');"
                              "INSERT INTO lines VALUES(2, 1, 1, '库存现金', 500), (2, 2, -1, '银行存款', 500);"
                              "PRAGMA user_version=1;");
    {
        Workbook b(SqliteStore::open(path));
        ASSERT_EQ(b.journal().vouchers().size(), 1u);
        EXPECT_EQ(b.journal().vouchers()[0].summary, "旧凭证");
        b.setOpening("库存现金", 100);
        EXPECT_EQ(b.post({draft("新", {{Side::Debit, "a", 1}, {Side::Credit, "b", 1}})}), std::vector<int>{3});
    }
    EXPECT_EQ(kelmora::testing::sql(path, "PRAGMA user_version"), std::to_string(kSchemaVersion));
    EXPECT_EQ(kelmora::testing::sql(path, "SELECT debit FROM openings WHERE account = '库存现金'"), "100");
}

TEST(BookFile, TwoProgramsOnOneFileLoseNoUpdate) {
    TempDir dir;
    const std::string path = dir.file("shared.kbook");
    Workbook a(SqliteStore::open(path));
    Workbook b(SqliteStore::open(path));
    const auto one = [](const char* s) { return draft(s, {{Side::Debit, "库存现金", 100}, {Side::Credit, "银行存款", 100}}); };
    EXPECT_EQ(a.post({one("甲")}), std::vector<int>{1});
    // b read the file before a's post: it brings itself up to date first.
    EXPECT_EQ(b.post({one("乙")}), std::vector<int>{2});
    a.setOpening("库存现金", 700);
    b.setOpening("银行存款", -700);
    EXPECT_TRUE(a.remove(2));
    b.refresh();
    ASSERT_EQ(b.journal().vouchers().size(), 1u);
    EXPECT_EQ(b.journal().openings().size(), 2u);
    EXPECT_FALSE(b.remove(2));
    EXPECT_EQ(b.post({one("丙")}), std::vector<int>{3});
    a.refresh();
    EXPECT_EQ(a.journal().vouchers().size(), 2u);
    EXPECT_TRUE(a.journal().trial().balanced());
}

TEST(BookFile, AWriterThatHoldsTheFileMakesTheOtherWaitThenSaySo) {
    TempDir dir;
    const std::string path = dir.file("busy.kbook");
    Workbook b(SqliteStore::open(path));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto start = std::chrono::steady_clock::now();
    try {
        b.post({draft("等", {{Side::Debit, "a", 1}, {Side::Credit, "b", 1}})});
        ADD_FAILURE() << "posted while another program held the file";
    } catch (const BookError& e) {
        EXPECT_NE(std::string(e.what()).find("正被另一个程序使用"), std::string::npos) << e.what();
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(kBusyMilliseconds - 100));
    EXPECT_TRUE(b.journal().vouchers().empty());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    // Once it lets go, posting goes through, numbered as if nothing had happened.
    EXPECT_EQ(b.post({draft("等", {{Side::Debit, "a", 1}, {Side::Credit, "b", 1}})}), std::vector<int>{1});
}

TEST(BookFile, SaveAsCarriesEverything) {
    TempDir dir;
    Workbook b;  // in memory
    postMonth(b);
    b.remove(3);
    b.moveTo(SqliteStore::open(dir.file("saved.kbook"), SqliteStore::Mode::CreateOnly));
    EXPECT_THROW(SqliteStore::open(dir.file("saved.kbook"), SqliteStore::Mode::CreateOnly), BookError);
    Workbook again(SqliteStore::open(dir.file("saved.kbook")));
    EXPECT_EQ(again.journal().vouchers().size(), 2u);
    EXPECT_EQ(again.journal().nextNumber(), 4);
    EXPECT_EQ(again.journal().openings().size(), 3u);
    EXPECT_EQ(again.post({draft("x", {{Side::Debit, "a", 1}, {Side::Credit, "b", 1}})}), std::vector<int>{4});
}

}  // namespace
