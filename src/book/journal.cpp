#include "book/journal.h"

#include "book/chart.h"

#include <algorithm>
#include <charconv>
#include <ctime>

namespace kelmora::book {

std::string_view sideWord(Side s) {
    switch (s) {
    case Side::Debit: return kDebitWord;
    case Side::Credit: return kCreditWord;
    case Side::None: break;
    }
    return {};
}

std::string_view firstLevel(std::string_view account) { return account.substr(0, account.find('-')); }

std::string voucherName(int number) { return "记-" + std::to_string(number); }

std::optional<int> voucherNumber(std::string_view name) {
    static constexpr std::string_view kPrefix = "记-";
    if (name.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
    name.remove_prefix(kPrefix.size());
    int n = 0;
    const auto r = std::from_chars(name.data(), name.data() + name.size(), n);
    if (name.empty() || r.ec != std::errc() || r.ptr != name.data() + name.size() || n <= 0 || name[0] == '0')
        return std::nullopt;
    return n;
}

std::string_view monthOf(std::string_view date) { return date.substr(0, 7); }

bool validMonth(std::string_view s) { return s.size() == 7 && validDate(std::string(s) + "-01"); }

std::string lastDay(std::string_view month) {
    for (int d = 31; d >= 28; --d) {
        const std::string day = std::string(month) + "-" + std::to_string(d);
        if (validDate(day)) return day;
    }
    return std::string(month) + "-28";
}

std::optional<std::string> imbalance(const std::vector<Line>& lines) {
    Cents debit = 0, credit = 0;
    bool hasDebit = false, hasCredit = false;
    for (const Line& l : lines) {
        if (l.side == Side::None) return "有金额行没有借贷方向";
        if (l.side == Side::Debit) {
            hasDebit = true;
            debit = addCents(debit, l.amount);
        } else {
            hasCredit = true;
            credit = addCents(credit, l.amount);
        }
    }
    if (!hasDebit || !hasCredit) return "没有借方或没有贷方";
    if (debit != credit) return "借方合计 " + yuan(debit) + " 不等于贷方合计 " + yuan(credit);
    return std::nullopt;
}

const Voucher* Journal::find(int number) const {
    const auto it = std::lower_bound(vouchers_.begin(), vouchers_.end(), number,
                                     [](const Voucher& v, int n) { return v.number < n; });
    return it != vouchers_.end() && it->number == number ? &*it : nullptr;
}

bool Journal::locked(std::string_view date) const {
    return !closed_.empty() && monthOf(date) <= std::string_view(closed_.back());
}

int Journal::reversalOf(int number) const {
    for (const Voucher& v : vouchers_)
        if (v.reverses == number) return v.number;
    return 0;
}

Cents Journal::opening(std::string_view account) const {
    for (const Opening& o : openings_)
        if (o.account == account) return o.debit;
    return 0;
}

void Journal::replace(std::vector<Voucher> vouchers, std::vector<Opening> openings, int nextNumber,
                      std::vector<std::string> closed, std::vector<LogEntry> log) {
    vouchers_ = std::move(vouchers);
    openings_ = std::move(openings);
    closed_ = std::move(closed);
    log_ = std::move(log);
    std::stable_sort(openings_.begin(), openings_.end(),
                     [](const Opening& a, const Opening& b) { return a.order < b.order; });
    next_ = std::max(nextNumber, vouchers_.empty() ? 1 : vouchers_.back().number + 1);
}

void Journal::apply(const Change& c) {
    for (int n : c.removed) {
        const auto it = std::lower_bound(vouchers_.begin(), vouchers_.end(), n,
                                         [](const Voucher& v, int k) { return v.number < k; });
        if (it != vouchers_.end() && it->number == n) vouchers_.erase(it);
    }
    for (const Voucher& v : c.added) {
        if (vouchers_.empty() || vouchers_.back().number < v.number) {
            vouchers_.push_back(v);  // the usual case: a new voucher comes last
            continue;
        }
        const auto it = std::lower_bound(vouchers_.begin(), vouchers_.end(), v.number,
                                         [](const Voucher& x, int k) { return x.number < k; });
        if (it != vouchers_.end() && it->number == v.number)
            *it = v;
        else
            vouchers_.insert(it, v);
    }
    for (const Opening& o : c.openings) {
        const auto it = std::find_if(openings_.begin(), openings_.end(),
                                     [&](const Opening& x) { return x.account == o.account; });
        if (it != openings_.end())
            it->debit = o.debit;
        else
            openings_.push_back(o);
    }
    std::stable_sort(openings_.begin(), openings_.end(),
                     [](const Opening& a, const Opening& b) { return a.order < b.order; });
    next_ = std::max(next_, c.nextNumber);
    for (const std::string& m : c.reopened)
        if (!closed_.empty() && closed_.back() == m) closed_.pop_back();
    for (const std::string& m : c.closed) closed_.push_back(m);
    log_.insert(log_.end(), c.logged.begin(), c.logged.end());
}

std::vector<LedgerRow> Journal::ledger(std::string_view account) const {
    const bool whole = account.find('-') == std::string_view::npos;
    std::vector<LedgerRow> rows;
    Balance bal{whole ? opening(account) : 0};
    rows.push_back({0, {}, {}, Side::None, 0, bal});
    for (const Voucher& v : vouchers_) {
        for (const Line& l : v.lines) {
            if (whole ? firstLevel(l.account) != account : l.account != account) continue;
            bal.debit = addCents(bal.debit, l.side == Side::Debit ? l.amount : -l.amount);
            rows.push_back({v.number, v.date, v.summary, l.side, l.amount, bal});
        }
    }
    return rows;
}

namespace {
void addTo(TrialRow& r, Side side, Cents amount) {
    if (side == Side::Debit)
        r.debit = addCents(r.debit, amount);
    else
        r.credit = addCents(r.credit, amount);
}

void close(TrialRow& r, Cents opening) {
    r.openDebit = opening > 0 ? opening : 0;
    r.openCredit = opening < 0 ? -opening : 0;
    const Cents c = addCents(addCents(opening, r.debit), -r.credit);
    r.closeDebit = c > 0 ? c : 0;
    r.closeCredit = c < 0 ? -c : 0;
}
}  // namespace

TrialBalance Journal::trial() const {
    TrialBalance t;
    std::unordered_map<std::string_view, std::size_t> at;
    for (const Voucher& v : vouchers_) {
        for (const Line& l : v.lines) {
            const std::string_view first = firstLevel(l.account);
            auto [it, fresh] = at.try_emplace(first, t.rows.size());
            if (fresh) t.rows.push_back({std::string(first)});
            addTo(t.rows[it->second], l.side, l.amount);
        }
    }
    for (const Opening& o : openings_)
        if (at.try_emplace(o.account, t.rows.size()).second) t.rows.push_back({o.account});
    t.total.account = "合计";
    for (TrialRow& r : t.rows) {
        close(r, opening(r.account));
        t.total.openDebit = addCents(t.total.openDebit, r.openDebit);
        t.total.openCredit = addCents(t.total.openCredit, r.openCredit);
        t.total.debit = addCents(t.total.debit, r.debit);
        t.total.credit = addCents(t.total.credit, r.credit);
        t.total.closeDebit = addCents(t.total.closeDebit, r.closeDebit);
        t.total.closeCredit = addCents(t.total.closeCredit, r.closeCredit);
    }
    return t;
}

std::vector<AccountSummary> Journal::accounts() const {
    const TrialBalance t = trial();
    std::vector<AccountSummary> out;
    std::unordered_map<std::string_view, std::size_t> at;
    for (const TrialRow& r : t.rows) {
        at.emplace(r.account, out.size());
        out.push_back({r.account, {r.openDebit - r.openCredit}, r.debit, r.credit, {r.closeDebit - r.closeCredit}, {}});
    }
    // Sub-accounts in the order of their first posting.
    std::vector<std::unordered_map<std::string_view, std::size_t>> subAt(out.size());
    for (const Voucher& v : vouchers_) {
        for (const Line& l : v.lines) {
            const std::string_view first = firstLevel(l.account);
            if (first.size() == l.account.size()) continue;
            const std::size_t i = at.at(first);
            auto [it, fresh] = subAt[i].try_emplace(l.account, out[i].subs.size());
            if (fresh) out[i].subs.push_back({l.account, {}, 0, 0, {}, {}});
            AccountSummary& s = out[i].subs[it->second];
            if (l.side == Side::Debit)
                s.debit = addCents(s.debit, l.amount);
            else
                s.credit = addCents(s.credit, l.amount);
            s.closing.debit = s.debit - s.credit;
        }
    }
    return out;
}

Workbook::Workbook(std::unique_ptr<Store> store) : store_(std::move(store)) {
    if (store_) store_->load(journal_);
}

std::vector<LogEntry> Workbook::log() const { return store_ ? store_->readLog() : journal_.log(); }

void Workbook::refresh() {
    if (store_) store_->refresh(journal_);
}

void Workbook::change(const std::function<void(Change&)>& make) {
    Change c;
    if (store_) {
        store_->begin(journal_);
        try {
            c.nextNumber = journal_.nextNumber();
            make(c);
            store_->commit(c);
        } catch (...) {
            store_->rollback();
            throw;
        }
    } else {
        c.nextNumber = journal_.nextNumber();
        make(c);
    }
    journal_.apply(c);
}

namespace {
std::string closedWords(const std::string& month) {
    return month + " 已结账，不能在这个月份或更早的月份中记账、删除或冲销。如需更改，请先反结账。";
}

RefusedError closedError(const Journal& j) {
    return RefusedError(closedWords(j.latestClosed()), "period " + j.latestClosed() + " is closed");
}

// A voucher in words, for the log: "记-3 2026-04-01 外埠采购：借 材料费用 100.00；贷 …".
std::string described(const Voucher& v) {
    std::string out = voucherName(v.number) + " " + v.date + " " + v.summary + "：";
    bool first = true;
    for (const Line& l : v.lines) {
        if (!first) out += "；";
        first = false;
        out += std::string(sideWord(l.side)) + " " + l.account + " " + yuan(l.amount);
    }
    return out;
}

std::string numberList(const std::vector<int>& numbers) {
    std::string out;
    for (int n : numbers) out += (out.empty() ? "" : "、") + voucherName(n);
    return out.empty() ? "无" : out;
}

// The balance (debit positive) of every first-level name at the end of a
// day, in the order of first posting, openings after.
std::vector<std::pair<std::string, Cents>> balancesAt(const Journal& j, std::string_view day) {
    std::vector<std::pair<std::string, Cents>> out;
    std::unordered_map<std::string, std::size_t> at;
    const auto slot = [&](std::string_view name) -> Cents& {
        auto [it, fresh] = at.try_emplace(std::string(name), out.size());
        if (fresh) out.emplace_back(std::string(name), j.opening(name));
        return out[it->second].second;
    };
    for (const Voucher& v : j.vouchers()) {
        if (v.date > day) continue;
        for (const Line& l : v.lines) {
            Cents& b = slot(firstLevel(l.account));
            b = addCents(b, l.side == Side::Debit ? l.amount : -l.amount);
        }
    }
    for (const Opening& o : j.openings()) slot(o.account);
    return out;
}
}  // namespace

std::vector<int> Workbook::post(const std::vector<Draft>& drafts) {
    for (const Draft& d : drafts) {
        if (const auto wrong = imbalance(d.lines)) throw BookError("凭证不平衡：" + *wrong + "。");
        if (!validDate(d.date)) throw BookError("日期 " + d.date + " 不是有效的日期。");
        for (const Line& l : d.lines)
            if (l.amount > kMaxLineCents || l.amount < -kMaxLineCents) throw BookError("金额超出了可以记账的范围。");
    }
    std::vector<int> numbers;
    change([&](Change& c) {
        numbers.clear();
        for (const Draft& d : drafts)
            if (journal_.locked(d.date)) throw closedError(journal_);
        const std::string at = now();
        for (const Draft& d : drafts) {
            numbers.push_back(c.nextNumber);
            c.added.push_back({c.nextNumber++, d.date, d.summary, d.lines, 0, {}});
            c.logged.push_back({at, "记账", described(c.added.back())});
        }
    });
    return numbers;
}

std::optional<Voucher> Workbook::remove(int number) {
    std::optional<Voucher> gone;
    change([&](Change& c) {
        gone.reset();
        if (const Voucher* v = journal_.find(number)) {
            if (journal_.locked(v->date)) throw closedError(journal_);
            if (const int r = journal_.reversalOf(number))
                throw RefusedError(voucherName(number) + " 已由 " + voucherName(r) + " 冲销，请先删除 " + voucherName(r) + "。",
                                   voucherName(number) + " is reversed by " + voucherName(r));
            gone = *v;
            c.removed.push_back(number);
            c.logged.push_back({now(), "删除", described(*v)});
        }
    });
    return gone;
}

void Workbook::restore(const Voucher& v) {
    change([&](Change& c) {
        if (journal_.find(v.number)) throw BookError("凭证 " + voucherName(v.number) + " 已经存在。");
        if (journal_.locked(v.date)) throw closedError(journal_);
        c.added.push_back(v);
        c.logged.push_back({now(), "恢复", described(v)});
    });
}

void Workbook::setOpening(const std::string& account, Cents debit) {
    if (account.empty() || firstLevel(account).size() != account.size())
        throw BookError("期初余额只能记在一级科目上（科目名称中不含“-”）。");
    if (debit > kMaxLineCents || debit < -kMaxLineCents) throw BookError("金额超出了可以记账的范围。");
    change([&](Change& c) {
        if (!journal_.closedMonths().empty())
            throw RefusedError(journal_.latestClosed() + " 已结账，期初余额不能再修改。如需更改，请先反结账。",
                               "period " + journal_.latestClosed() + " is closed");
        int order = 1;
        for (const Opening& o : journal_.openings()) {
            if (o.account == account) order = o.order;
            else order = std::max(order, o.order + 1);
        }
        c.openings.push_back({account, debit, order});
        c.logged.push_back({now(), "期初余额", account + " " + std::string(debit < 0 ? kCreditWord : kDebitWord) + " " +
                                                   yuan(debit < 0 ? -debit : debit)});
    });
}

int Workbook::reverse(int number, const std::string& date) {
    if (!validDate(date)) throw BookError("日期 " + date + " 不是有效的日期。");
    int made = 0;
    change([&](Change& c) {
        const Voucher* v = journal_.find(number);
        if (!v) throw RefusedError("没有凭证 " + voucherName(number) + "。", "no voucher " + voucherName(number));
        if (v->reverses)
            throw RefusedError(voucherName(number) + " 是冲销凭证，不能再冲销。", voucherName(number) + " is a reversal");
        if (const int r = journal_.reversalOf(number))
            throw RefusedError(voucherName(number) + " 已由 " + voucherName(r) + " 冲销。",
                               voucherName(number) + " is reversed already by " + voucherName(r));
        if (journal_.locked(date)) throw closedError(journal_);
        Voucher red{c.nextNumber++, date, "冲销" + voucherName(number), v->lines, number, {}};
        for (Line& l : red.lines) l.amount = -l.amount;
        made = red.number;
        c.logged.push_back({now(), "冲销", voucherName(red.number) + " 冲销 " + described(*v)});
        c.added.push_back(std::move(red));
    });
    return made;
}

std::vector<Workbook::Draft> Workbook::closingDrafts(const std::string& month) const {
    static constexpr std::string_view kProfit = "本年利润", kRetained = "利润分配-未分配利润";
    const std::string end = lastDay(month);
    std::vector<Draft> out;
    Draft income{end, "结转本月收入", {}}, expense{end, "结转本月费用", {}};
    Cents incomeTotal = 0, expenseTotal = 0;
    Cents profit = 0;  // 本年利润's balance, debit positive
    for (const auto& [name, balance] : balancesAt(journal_, end)) {
        if (name == kProfit) profit = addCents(profit, balance);
        const Placement p = place(name);
        if (!p.account || p.account->cls != AccountClass::ProfitLoss || balance == 0) continue;
        if (balance < 0) {  // a credit balance: carried by a debit
            income.lines.push_back({Side::Debit, name, -balance});
            incomeTotal = addCents(incomeTotal, -balance);
        } else {
            expense.lines.push_back({Side::Credit, name, balance});
            expenseTotal = addCents(expenseTotal, balance);
        }
    }
    if (!income.lines.empty()) {
        income.lines.push_back({Side::Credit, std::string(kProfit), incomeTotal});
        out.push_back(std::move(income));
    }
    if (!expense.lines.empty()) {
        expense.lines.insert(expense.lines.begin(), {Side::Debit, std::string(kProfit), expenseTotal});
        out.push_back(std::move(expense));
    }
    if (month.size() == 7 && month.substr(5) == "12") {
        profit = addCents(addCents(profit, -incomeTotal), expenseTotal);
        if (profit < 0)
            out.push_back({end, "结转本年利润", {{Side::Debit, std::string(kProfit), -profit}, {Side::Credit, std::string(kRetained), -profit}}});
        else if (profit > 0)
            out.push_back({end, "结转本年利润", {{Side::Debit, std::string(kRetained), profit}, {Side::Credit, std::string(kProfit), profit}}});
    }
    return out;
}

std::optional<RefusedError> Workbook::closeRefusal(const std::string& month) const {
    if (!validMonth(month)) return RefusedError(month + " 不是有效的月份（应为 YYYY-MM）。", "not a month YYYY-MM: " + month);
    const Journal& j = journal_;
    if (!j.closedMonths().empty() && month <= j.latestClosed()) return closedError(j);
    std::string open;  // the earliest month before this one with vouchers, still open
    for (const Voucher& v : j.vouchers()) {
        const std::string m(monthOf(v.date));
        if (m < month && !j.locked(v.date) && (open.empty() || m < open)) open = m;
    }
    if (!open.empty())
        return RefusedError(open + " 尚未结账：请先结账较早的月份。", "earlier month " + open + " is not closed");
    const std::string end = lastDay(month);
    Cents sum = 0;
    for (const auto& [name, balance] : balancesAt(j, end)) sum = addCents(sum, balance);
    if (sum != 0)
        return RefusedError("截至 " + end + " 的试算不平衡（借贷相差 " + yuan(sum < 0 ? -sum : sum) + "），不能结账。",
                            "the trial balance of " + month + " does not balance");
    for (const Voucher& v : j.vouchers()) {
        if (monthOf(v.date) != month) continue;
        for (const Line& l : v.lines) {
            const std::string first(firstLevel(l.account));
            const Placement p = place(first);
            if (!p.account)
                return RefusedError(voucherName(v.number) + " 的科目“" + first + "”不能归入科目表（" + p.reason + "），不能结账。",
                                    voucherName(v.number) + " names " + first + ", which the chart does not place: " + p.reason);
        }
    }
    return std::nullopt;
}

std::vector<int> Workbook::close(const std::string& month) {
    std::vector<int> numbers;
    change([&](Change& c) {
        numbers.clear();
        if (auto refused = closeRefusal(month)) throw *refused;
        for (Draft& d : closingDrafts(month)) {
            numbers.push_back(c.nextNumber);
            c.added.push_back({c.nextNumber++, d.date, d.summary, std::move(d.lines), 0, month});
        }
        c.closed.push_back(month);
        c.logged.push_back({now(), "结账", month + "，结转凭证 " + numberList(numbers)});
    });
    return numbers;
}

std::vector<int> Workbook::reopen(const std::string& month) {
    std::vector<int> removed;
    change([&](Change& c) {
        removed.clear();
        if (journal_.closedMonths().empty())
            throw RefusedError("没有已结账的月份。", "no month is closed");
        if (journal_.latestClosed() != month)
            throw RefusedError("只能反结账最近结账的月份 " + journal_.latestClosed() + "。",
                               month + " is not the latest closed month " + journal_.latestClosed());
        for (const Voucher& v : journal_.vouchers()) {
            if (v.closes != month) continue;
            // A closing voucher reversed by hand: the reversal goes first, so
            // that no reversal is left reversing nothing.
            if (const int r = journal_.reversalOf(v.number))
                throw RefusedError(voucherName(v.number) + " 已由 " + voucherName(r) + " 冲销，请先删除 " + voucherName(r) + "。",
                                   voucherName(v.number) + " is reversed by " + voucherName(r));
            removed.push_back(v.number);
        }
        c.removed = removed;
        c.reopened.push_back(month);
        c.logged.push_back({now(), "反结账", month + "，删除结转凭证 " + numberList(removed)});
    });
    return removed;
}

void Workbook::moveTo(std::unique_ptr<Store> store) {
    Journal fresh;
    store->begin(fresh);
    Change c;
    try {
        c.added = journal_.vouchers();
        c.openings = journal_.openings();
        c.nextNumber = journal_.nextNumber();
        c.closed = journal_.closedMonths();
        c.logged = log();
        store->commit(c);
    } catch (...) {
        store->rollback();
        throw;
    }
    store_ = std::move(store);
}

std::string csvField(std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(s);
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

void csvRow(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view f : fields) {
        if (!first) out += ',';
        first = false;
        out += csvField(f);
    }
    out += "\r\n";
}

namespace {
constexpr std::string_view kBom = kCsvBom;
}  // namespace

std::string vouchersCsv(const Journal& j) {
    std::string out(kBom);
    csvRow(out, {"凭证号", "日期", "摘要", "方向", "科目", "金额"});
    for (const Voucher& v : j.vouchers()) {
        const std::string name = voucherName(v.number);
        for (const Line& l : v.lines) csvRow(out, {name, v.date, v.summary, sideWord(l.side), l.account, yuan(l.amount)});
    }
    return out;
}

std::string trialCsv(const TrialBalance& t) {
    std::string out(kBom);
    csvRow(out, {"科目", "期初借方", "期初贷方", "本期借方", "本期贷方", "期末借方", "期末贷方"});
    auto row = [&](const TrialRow& r) {
        csvRow(out, {r.account, yuan(r.openDebit), yuan(r.openCredit), yuan(r.debit), yuan(r.credit), yuan(r.closeDebit),
                     yuan(r.closeCredit)});
    };
    for (const TrialRow& r : t.rows) row(r);
    row(t.total);
    csvRow(out, {t.balanced() ? "平衡" : "不平衡"});
    return out;
}

std::string logCsv(const std::vector<LogEntry>& log) {
    std::string out(kBom);
    csvRow(out, {"时间", "操作", "内容"});
    for (const LogEntry& e : log) csvRow(out, {e.at, e.action, e.detail});
    return out;
}

std::string now() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &tm);
    return buf;
}

bool validDate(std::string_view s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (s[i] < '0' || s[i] > '9') return false;
    const int y = std::stoi(std::string(s.substr(0, 4))), m = std::stoi(std::string(s.substr(5, 2))),
              d = std::stoi(std::string(s.substr(8, 2)));
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

}  // namespace kelmora::book
