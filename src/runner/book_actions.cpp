#include "runner/book_actions.h"

#include <charconv>
#include <ostream>

#include "book/blocks.h"
#include "book/chart.h"
#include "book/journal.h"
#include "book/statements.h"
#include "core/window.h"

namespace kelmora {

using book::BookError;

namespace {
std::vector<std::string> words(const std::string& s) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto sp = s.find(' ', i);
        if (sp != i) out.push_back(s.substr(i, sp == std::string::npos ? std::string::npos : sp - i));
        if (sp == std::string::npos) break;
        i = sp + 1;
    }
    return out;
}

std::string amountOn(book::Side want, const book::LedgerRow& r) {
    return r.side == want ? book::yuan(r.amount) : std::string();
}
}  // namespace

BookActions::BookActions() : date_(book::today()) {}

bool BookActions::handles(const std::string& action) {
    for (const char* a : {"book", "date", "blocks", "post", "delete", "opening", "vouchers", "ledger", "trial", "chart",
                          "account", "reverse", "close", "reopen", "statement"})
        if (action == a) return true;
    return false;
}

void BookActions::perform(const std::string& action, const std::string& rest, std::ostream& out,
                          const std::function<Window&(const std::string&)>& windowNamed) {
    try {
        act(action, rest, out, windowNamed);
    } catch (const book::RefusedError& e) {
        throw BookError(e.line());  // the runner's words for a refusal of the rules
    }
}

void BookActions::act(const std::string& action, const std::string& rest, std::ostream& out,
                      const std::function<Window&(const std::string&)>& windowNamed) {
    if (action == "book") {
        if (rest.empty()) throw BookError("expected book FILE");
        book::Workbook opened(book::openFile(rest));
        book_ = std::move(opened);
        out << "book " << rest << ' ' << book_.journal().vouchers().size() << '\n';
    } else if (action == "date") {
        if (!book::validDate(rest)) throw BookError("not a date YYYY-MM-DD: " + rest);
        date_ = rest;
    } else if (action == "blocks") {
        Window& w = windowNamed(rest);
        out << "blocks " << w.name() << '\n';
        for (const book::Block& b : book::blocksOf(w.surface())) {
            out << '|' << b.number << ' ' << b.heading << " 借 " << book::yuan(b.debit) << " 贷 " << book::yuan(b.credit);
            if (!b.balances()) out << " 不平衡";
            out << '\n';
        }
    } else if (action == "post") {
        const auto args = words(rest);
        if (args.size() < 2) throw BookError("expected post FormN K [K …]");
        Window& w = windowNamed(args[0]);
        const auto blocks = book::blocksOf(w.surface());
        std::vector<book::Workbook::Draft> drafts;
        std::vector<int> chosen;
        for (std::size_t i = 1; i < args.size(); ++i) {
            int k = 0;
            const auto r = std::from_chars(args[i].data(), args[i].data() + args[i].size(), k);
            if (r.ec != std::errc() || r.ptr != args[i].data() + args[i].size() || k < 1 ||
                k > static_cast<int>(blocks.size()))
                throw BookError(w.name() + " has no block " + args[i]);
            const book::Block& b = blocks[static_cast<std::size_t>(k - 1)];
            if (!b.balances()) throw BookError("block " + args[i] + " of " + w.name() + " does not balance");
            drafts.push_back({date_, b.heading, b.lines()});
            chosen.push_back(k);
        }
        const auto numbers = book_.post(drafts);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            out << "post " << book::voucherName(numbers[i]) << ' ' << w.name() << ' ' << chosen[i] << '\n';
        // What the transcript says is posted is in the file: a reader that
        // sees the line may rely on it even if the runner dies right after.
        out.flush();
    } else if (action == "delete") {
        const auto n = book::voucherNumber(rest);
        if (!n || !book_.remove(*n)) throw BookError("no voucher " + rest);
        out << "delete " << rest << '\n';
    } else if (action == "opening") {
        // The account may hold spaces: side and amount are the last two words.
        const auto sp2 = rest.rfind(' ');
        const auto sp1 = sp2 == std::string::npos || sp2 == 0 ? std::string::npos : rest.rfind(' ', sp2 - 1);
        if (sp1 == std::string::npos || sp1 == 0) throw BookError("expected opening ACCOUNT 借|贷 AMOUNT");
        const std::string account = rest.substr(0, sp1), side = rest.substr(sp1 + 1, sp2 - sp1 - 1);
        const auto amount = book::parseAmount(rest.substr(sp2 + 1));
        if (side != book::kDebitWord && side != book::kCreditWord) throw BookError("expected 借 or 贷, got " + side);
        if (!amount) throw BookError("not an amount: " + rest.substr(sp2 + 1));
        book_.setOpening(account, side == book::kDebitWord ? *amount : -*amount);
    } else if (action == "vouchers") {
        book_.refresh();
        out << "vouchers\n";
        for (const book::Voucher& v : book_.journal().vouchers()) {
            out << '|' << book::voucherName(v.number) << ' ' << v.date << ' ' << v.summary << '\n';
            for (const book::Line& l : v.lines)
                out << "|  " << book::sideWord(l.side) << ' ' << l.account << ' ' << book::yuan(l.amount) << '\n';
        }
    } else if (action == "ledger") {
        if (rest.empty()) throw BookError("expected ledger ACCOUNT");
        book_.refresh();
        out << "ledger " << rest << '\n';
        for (const book::LedgerRow& r : book_.journal().ledger(rest)) {
            if (r.voucher == 0)
                out << "|期初\t\t\t\t";
            else
                out << '|' << book::voucherName(r.voucher) << '\t' << r.date << '\t' << r.summary << '\t'
                    << amountOn(book::Side::Debit, r) << '\t' << amountOn(book::Side::Credit, r);
            out << '\t' << r.balance.word() << '\t' << book::yuan(r.balance.magnitude()) << '\n';
        }
    } else if (action == "trial") {
        book_.refresh();
        const book::TrialBalance t = book_.journal().trial();
        out << "trial\n|科目\t期初借方\t期初贷方\t本期借方\t本期贷方\t期末借方\t期末贷方\n";
        const auto row = [&](const book::TrialRow& r) {
            out << '|' << r.account;
            for (book::Cents c : {r.openDebit, r.openCredit, r.debit, r.credit, r.closeDebit, r.closeCredit})
                out << '\t' << book::yuan(c);
            out << '\n';
        };
        for (const book::TrialRow& r : t.rows) row(r);
        row(t.total);
        out << (t.balanced() ? "|平衡\n" : "|不平衡\n");
    } else if (action == "chart") {
        if (!rest.empty()) throw BookError("expected chart");
        out << "chart\n";
        for (const book::ChartAccount& a : book::chart())
            out << '|' << a.code << '\t' << a.name << '\t' << book::classWord(a.cls) << '\t' << book::sideWord(a.side) << '\n';
    } else if (action == "account") {
        if (rest.empty()) throw BookError("expected account NAME");
        // A sub-account's name books where its first level does.
        const book::Placement p = book::place(book::firstLevel(rest));
        if (!p.account) throw BookError(rest + " is not placed in the chart: " + p.reason);
        out << "account " << rest << ' ' << p.account->code << ' ' << p.account->name << '\n';
    } else if (action == "reverse") {
        const auto n = book::voucherNumber(rest);
        if (!n) throw BookError("no voucher " + rest);
        const int made = book_.reverse(*n, date_);
        out << "post " << book::voucherName(made) << " reverse " << rest << '\n';
        out.flush();
    } else if (action == "close") {
        for (int n : book_.close(rest)) out << "post " << book::voucherName(n) << " close " << rest << '\n';
        out << "close " << rest << '\n';
        out.flush();
    } else if (action == "reopen") {
        if (!book::validMonth(rest)) throw BookError("not a month YYYY-MM: " + rest);
        book_.reopen(rest);
        out << "reopen " << rest << '\n';
        out.flush();
    } else if (action == "statement") {
        const auto sp = rest.rfind(' ');
        const std::string name = sp == std::string::npos ? rest : rest.substr(0, sp);
        const std::string month = sp == std::string::npos ? std::string() : rest.substr(sp + 1);
        if (name != book::kBalanceSheet && name != book::kIncomeStatement)
            throw BookError("expected statement 资产负债表|利润表 YYYY-MM");
        if (!book::validMonth(month)) throw BookError("not a month YYYY-MM: " + month);
        book_.refresh();
        const book::FinancialStatement s = name == book::kBalanceSheet ? book::balanceSheet(book_.journal(), month)
                                                                       : book::incomeStatement(book_.journal(), month);
        out << "statement " << name << ' ' << month << '\n';
        for (const book::StatementItem& i : s.items)
            if (!i.heading) out << '|' << i.name << '\t' << book::yuan(i.amount) << '\n';
    }
}

}  // namespace kelmora
