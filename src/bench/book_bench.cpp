// kelmora-book-bench: a workbook of 100,000 vouchers — posting them, opening
// the file again, the trial balance and an account's ledger — timed and
// printed beside what we aim for.  A benchmark, not a test.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "book/journal.h"
#include "book/sqlite_store.h"

using namespace kelmora::book;
using Clock = std::chrono::steady_clock;

namespace {
double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Voucher i: a purchase, a sale or a payment among a few dozen accounts.
Workbook::Draft voucher(int i) {
    static const char* const goods[] = {"原材料-甲", "原材料-乙", "库存商品-A", "库存商品-B", "周转材料"};
    static const char* const banks[] = {"银行存款-工行", "银行存款-建行", "库存现金"};
    const Cents amount = 100 + (i * 7919LL) % 1'000'000;
    const Cents tax = amount * 13 / 100;
    Workbook::Draft d;
    d.date = "2026-" + std::string(i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1) + "-15";
    switch (i % 3) {
    case 0:
        d.summary = "购入材料";
        d.lines = {{Side::Debit, goods[i % 5], amount}, {Side::Debit, "应交税费-应交增值税（进项税额）", tax},
                   {Side::Credit, banks[i % 3], amount + tax}};
        break;
    case 1:
        d.summary = "销售商品";
        d.lines = {{Side::Debit, "应收账款-客户" + std::to_string(i % 40), amount + tax},
                   {Side::Credit, "主营业务收入", amount}, {Side::Credit, "应交税费-应交增值税（销项税额）", tax}};
        break;
    default:
        d.summary = "支付费用";
        d.lines = {{Side::Debit, "管理费用-办公费", amount}, {Side::Credit, banks[i % 3], amount}};
    }
    return d;
}
}  // namespace

int main(int argc, char** argv) {
    // kelmora-book-bench [N] [--keep FILE]: N vouchers (100,000), the
    // workbook copied to FILE for a look at it in the desktop program.
    int count = 100000;
    std::string keep;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else
            count = std::atoi(argv[i]);
    }
    const std::string dir = std::filesystem::temp_directory_path() / ("kelmora-book-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/bench.kbook";

    auto t = Clock::now();
    {
        Workbook b(SqliteStore::open(path));
        // One post of 100 vouchers at a time: one transaction each.
        for (int i = 0; i < count; i += 100) {
            std::vector<Workbook::Draft> drafts;
            for (int k = i; k < std::min(count, i + 100); ++k) drafts.push_back(voucher(k));
            b.post(drafts);
        }
    }
    const double postAll = ms(Clock::now() - t);

    // One voucher a transaction, as the user posts them, each written
    // through to the disk.
    constexpr int kSingles = 500;
    double single = 0;
    {
        Workbook b(SqliteStore::open(path));
        t = Clock::now();
        for (int i = 0; i < kSingles; ++i) b.post({voucher(count + i)});
        single = ms(Clock::now() - t) / kSingles;
        for (int i = 0; i < kSingles; ++i) b.remove(count + 1 + i);
    }

    t = Clock::now();
    Workbook b(SqliteStore::open(path));
    const double open = ms(Clock::now() - t);
    t = Clock::now();
    const TrialBalance trial = b.journal().trial();
    const double trialMs = ms(Clock::now() - t);
    t = Clock::now();
    const auto ledger = b.journal().ledger("银行存款-工行");
    const double ledgerMs = ms(Clock::now() - t);
    t = Clock::now();
    const auto whole = b.journal().ledger("应交税费");
    const double wholeMs = ms(Clock::now() - t);
    t = Clock::now();
    const auto accounts = b.journal().accounts();
    const double accountsMs = ms(Clock::now() - t);
    const auto size = std::filesystem::file_size(path);
    if (!keep.empty()) b.moveTo(SqliteStore::open(keep, SqliteStore::Mode::CreateOnly));
    std::filesystem::remove_all(dir);

    std::printf("workbook of %d vouchers (%s), file %.1f MiB\n", count, trial.balanced() ? "平衡" : "不平衡",
                size / 1048576.0);
    std::printf("%-44s %10s %10s\n", "measure", "time", "aim");
    std::printf("%-44s %8.0f ms\n", "posting them, 100 vouchers a transaction", postAll);
    std::printf("%-44s %8.2f ms\n", "posting one voucher (a transaction, synced)", single);
    std::printf("%-44s %8.0f ms\n", "opening the file (reading every voucher)", open);
    std::printf("%-44s %8.1f ms %7s\n", "trial balance", trialMs, "200 ms");
    std::printf("%-44s %8.1f ms   (%zu rows)\n", "ledger of 银行存款-工行", ledgerMs, ledger.size());
    std::printf("%-44s %8.1f ms   (%zu rows)\n", "ledger of 应交税费 (first level)", wholeMs, whole.size());
    std::printf("%-44s %8.1f ms   (%zu accounts)\n", "general ledger with sub-accounts", accountsMs, accounts.size());
    return 0;
}
