#include "book/journal.h"

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

Cents Journal::opening(std::string_view account) const {
    for (const Opening& o : openings_)
        if (o.account == account) return o.debit;
    return 0;
}

void Journal::replace(std::vector<Voucher> vouchers, std::vector<Opening> openings, int nextNumber) {
    vouchers_ = std::move(vouchers);
    openings_ = std::move(openings);
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
        for (const Draft& d : drafts) {
            numbers.push_back(c.nextNumber);
            c.added.push_back({c.nextNumber++, d.date, d.summary, d.lines});
        }
    });
    return numbers;
}

std::optional<Voucher> Workbook::remove(int number) {
    std::optional<Voucher> gone;
    change([&](Change& c) {
        if (const Voucher* v = journal_.find(number)) {
            gone = *v;
            c.removed.push_back(number);
        }
    });
    return gone;
}

void Workbook::restore(const Voucher& v) {
    change([&](Change& c) {
        if (journal_.find(v.number)) throw BookError("凭证 " + voucherName(v.number) + " 已经存在。");
        c.added.push_back(v);
    });
}

void Workbook::setOpening(const std::string& account, Cents debit) {
    if (account.empty() || firstLevel(account).size() != account.size())
        throw BookError("期初余额只能记在一级科目上（科目名称中不含“-”）。");
    if (debit > kMaxLineCents || debit < -kMaxLineCents) throw BookError("金额超出了可以记账的范围。");
    change([&](Change& c) {
        int order = 1;
        for (const Opening& o : journal_.openings()) {
            if (o.account == account) order = o.order;
            else order = std::max(order, o.order + 1);
        }
        c.openings.push_back({account, debit, order});
    });
}

void Workbook::moveTo(std::unique_ptr<Store> store) {
    Journal fresh;
    store->begin(fresh);
    Change c;
    try {
        c.added = journal_.vouchers();
        c.openings = journal_.openings();
        c.nextNumber = journal_.nextNumber();
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
constexpr std::string_view kBom = kCsvByteOrderMark;
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
