// Kelmora — the workbook's journal: vouchers, opening balances, and what is
// read from them (an account's ledger, the trial balance, the accounts with
// their sub-accounts, CSV for spreadsheets).
//
// Everything here is plain data and arithmetic in cents; where the journal
// is kept (in memory, in a file) is the business of a Store.
//
// Corrections follow the rules for accounting software: a voucher of an
// open month may be deleted, and every deletion stays in the operation log;
// any voucher may be reversed in red (冲销) by a voucher dated in an open
// month; a closed month (结账) is locked against posting and deleting.
#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "book/money.h"

namespace kelmora::book {

enum class Side { None = 0, Debit = 1, Credit = -1 };

inline constexpr std::string_view kDebitWord = "借", kCreditWord = "贷";
std::string_view sideWord(Side s);  // "借", "贷" or ""

// An account's first level: its name up to the first "-".
std::string_view firstLevel(std::string_view account);

struct Line {
    Side side = Side::None;
    std::string account;
    Cents amount = 0;
};

struct Voucher {
    int number = 0;    // 记-number
    std::string date;  // YYYY-MM-DD
    std::string summary;
    std::vector<Line> lines;
    int reverses = 0;    // the voucher this one reverses in red (冲销); 0 for none
    std::string closes;  // YYYY-MM for a voucher posted by closing that month; empty otherwise
};

// A refusal of the bookkeeping rules: what() is the user's message in
// Chinese; line() is what the runner writes for it ("period 2026-03 is
// closed").
class RefusedError : public BookError {
public:
    RefusedError(const std::string& words, std::string line) : BookError(words), line_(std::move(line)) {}
    const std::string& line() const { return line_; }

private:
    std::string line_;
};

// The month YYYY-MM of a date YYYY-MM-DD.
std::string_view monthOf(std::string_view date);
// Whether s is a month YYYY-MM of the calendar.
bool validMonth(std::string_view s);
// The month's last day, YYYY-MM-DD.
std::string lastDay(std::string_view month);

// An entry of the operation log: when, what was done, and what changed.
struct LogEntry {
    std::string at;      // local time, YYYY-MM-DD HH:MM:SS
    std::string action;  // 记账, 删除, 恢复, 冲销, 期初余额, 结账, 反结账
    std::string detail;  // what changed, in words (a deleted voucher in full)
};

std::string voucherName(int number);  // "记-7"
// The number of "记-7"; nullopt for anything else.
std::optional<int> voucherNumber(std::string_view name);

// Whether lines can stand as a voucher: nullopt when they can, otherwise
// what is wrong in words.  They can when every line has a side, there is a
// debit and a credit, and the debits equal the credits.
std::optional<std::string> imbalance(const std::vector<Line>& lines);

struct Opening {
    std::string account;  // first level
    Cents debit = 0;      // a debit balance; a credit balance is negative
    int order = 0;        // the order in which openings were first entered
};

// One change of the journal, written to its store in one transaction.
struct Change {
    std::vector<Voucher> added;  // numbered already
    std::vector<int> removed;
    std::vector<Opening> openings;
    int nextNumber = 0;  // the number the next voucher gets afterwards
    std::vector<std::string> closed;    // months closed, in order
    std::vector<std::string> reopened;  // months reopened (each the latest closed at the time)
    std::vector<LogEntry> logged;
};

// A balance as a ledger shows it: side and magnitude.
struct Balance {
    Cents debit = 0;  // debit positive, credit negative
    std::string_view word() const { return debit > 0 ? "借" : debit < 0 ? "贷" : "平"; }
    Cents magnitude() const { return debit < 0 ? -debit : debit; }
};

struct LedgerRow {
    int voucher = 0;  // 0 for the opening balance
    std::string date, summary;
    Side side = Side::None;
    Cents amount = 0;
    Balance balance;
};

struct TrialRow {
    std::string account;
    Cents openDebit = 0, openCredit = 0, debit = 0, credit = 0, closeDebit = 0, closeCredit = 0;
};

struct TrialBalance {
    std::vector<TrialRow> rows;
    TrialRow total;  // account "合计"
    bool balanced() const {
        return total.openDebit == total.openCredit && total.debit == total.credit &&
               total.closeDebit == total.closeCredit;
    }
};

// An account in the general ledger: a first-level account with its
// sub-accounts beneath (these have no opening balance of their own).
struct AccountSummary {
    std::string account;
    Balance opening;
    Cents debit = 0, credit = 0;
    Balance closing;
    std::vector<AccountSummary> subs;
};

class Journal {
public:
    const std::vector<Voucher>& vouchers() const { return vouchers_; }  // by number
    const Voucher* find(int number) const;
    int nextNumber() const { return next_; }
    const std::vector<Opening>& openings() const { return openings_; }  // in the order entered
    Cents opening(std::string_view account) const;
    // The closed months, earliest first; each close is later than the one
    // before it.  Everything dated in the latest of them or before is locked.
    const std::vector<std::string>& closedMonths() const { return closed_; }
    std::string latestClosed() const { return closed_.empty() ? std::string() : closed_.back(); }
    bool locked(std::string_view date) const;
    // The operation log as far as this journal holds it, oldest first: all of
    // it for a workbook in memory, the entries made since it was read for one
    // in a file (Workbook::log() reads the whole log).
    const std::vector<LogEntry>& log() const { return log_; }
    // The voucher that reverses voucher number in red; 0 for none.
    int reversalOf(int number) const;

    // Applies a change that has been written (or needs no writing).
    void apply(const Change& c);
    void clear() { *this = Journal(); }
    // Everything at once, as read from a store (vouchers by number).
    void replace(std::vector<Voucher> vouchers, std::vector<Opening> openings, int nextNumber,
                 std::vector<std::string> closed = {}, std::vector<LogEntry> log = {});

    // Rows of the account: its first level when the name is one, otherwise
    // the account of that full name; the opening balance first.
    std::vector<LedgerRow> ledger(std::string_view account) const;
    TrialBalance trial() const;
    std::vector<AccountSummary> accounts() const;

private:
    std::vector<Voucher> vouchers_;
    std::vector<Opening> openings_;
    int next_ = 1;
    std::vector<std::string> closed_;
    std::vector<LogEntry> log_;
};

// Where a journal is kept.  A store writes each change in one transaction;
// another program may change the same file in between, so a change starts
// by taking the file's write lock and bringing the journal up to date.
class Store {
public:
    virtual ~Store() = default;
    virtual const std::string& path() const = 0;
    // Reads the whole journal.
    virtual void load(Journal& j) = 0;
    // Takes the write lock (waiting a little for another program) and
    // reloads j when the file changed since it was last read.
    virtual void begin(Journal& j) = 0;
    virtual void commit(const Change& c) = 0;
    virtual void rollback() noexcept = 0;
    // Reloads j when another program changed the file since.
    virtual void refresh(Journal& j) = 0;
    // The whole operation log, oldest first.  It is read only when asked
    // for: nothing the journal works out needs it.
    virtual std::vector<LogEntry> readLog() = 0;
};

// What a user works with: the journal, and the store it is kept in (none for
// a workbook that lives in memory only).  Every change is written first and
// applied after, so a change that fails to be written leaves the journal as
// it was.
class Workbook {
public:
    Workbook() = default;
    explicit Workbook(std::unique_ptr<Store> store);

    const Journal& journal() const { return journal_; }
    bool inMemory() const { return !store_; }
    // The operation log, oldest first (the view 操作日志 and its export).
    std::vector<LogEntry> log() const;
    std::string path() const { return store_ ? store_->path() : std::string(); }
    void refresh();

    struct Draft {
        std::string date, summary;
        std::vector<Line> lines;
    };
    // Posts the drafts as vouchers, numbered in order, in one transaction;
    // the numbers they got.  Throws BookError when one of them cannot stand,
    // RefusedError when one is dated in a closed month.
    std::vector<int> post(const std::vector<Draft>& drafts);
    // Deletes a voucher; returns it (for an undo), nullopt when there is none.
    // A voucher of a closed month is refused (RefusedError); the deletion is
    // kept in the log with the voucher in full.
    std::optional<Voucher> remove(int number);
    // Puts a deleted voucher back under its number.
    void restore(const Voucher& v);
    // A first-level account's opening balance (debit positive).  Refused
    // once a month is closed: the closed months' figures rest on it.
    void setOpening(const std::string& account, Cents debit);

    // 冲销: posts a red reversal of voucher number, dated date (in an open
    // month): its lines with every amount negated, 摘要 "冲销记-V".  Returns
    // the reversal's number.  A voucher reversed already, a reversal itself,
    // a voucher that does not exist and a date in a closed month are refused
    // (RefusedError).
    int reverse(int number, const std::string& date);

    // 结账: the vouchers closing month YYYY-MM would post (every 损益
    // account's balance at the month's end to 本年利润; in December also
    // 本年利润's whole balance to 利润分配-未分配利润), dated its last day.
    std::vector<Draft> closingDrafts(const std::string& month) const;
    // Why month cannot be closed now, in words; nullopt when it can.
    std::optional<RefusedError> closeRefusal(const std::string& month) const;
    // Closes month: posts closingDrafts and locks the month, in one
    // transaction.  Returns the numbers of the vouchers posted.  Refused
    // (RefusedError, nothing changes) as closeRefusal says.
    std::vector<int> close(const std::string& month);
    // 反结账: undoes the latest close, which must be month's; removes the
    // vouchers it posted (their numbers are not given again) and returns them.
    // Refused while one of them has been reversed by hand.
    std::vector<int> reopen(const std::string& month);
    // Writes the whole journal into a new store (另存为); the workbook then
    // lives there.
    void moveTo(std::unique_ptr<Store> store);

private:
    void change(const std::function<void(Change&)>& make);

    Journal journal_;
    std::unique_ptr<Store> store_;
};

// Text for spreadsheets: UTF-8 with a byte-order mark, CRLF line ends,
// fields quoted where they hold a comma, quote or line break.
std::string vouchersCsv(const Journal& j);
std::string trialCsv(const TrialBalance& t);
std::string logCsv(const std::vector<LogEntry>& log);
// A CSV field and a row of them, as the exports above write them (the
// statements and the practice gradebook write theirs with them too).
std::string csvField(std::string_view s);
void csvRow(std::string& out, std::initializer_list<std::string_view> fields);
inline constexpr std::string_view kCsvBom = "\xEF\xBB\xBF";

// The local time now, YYYY-MM-DD HH:MM:SS (the log's time stamps).
std::string now();

// Today's date, YYYY-MM-DD, in local time.
std::string today();
// Whether s is a date YYYY-MM-DD of the calendar.
bool validDate(std::string_view s);

// Opens (or creates) the workbook file at path, in the storage this build
// has; throws BookError with the reason in words.
std::unique_ptr<Store> openFile(const std::string& path);

}  // namespace kelmora::book
