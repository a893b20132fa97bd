// The bookkeeping cycle without a display: the chart, reversal, locks,
// closing and reopening, statements, the 科目余额表, vouchers on paper and
// amounts in words.  Every figure expected here is worked out by hand in the
// comments beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "book/chart.h"
#include "book/journal.h"
#include "book/sqlite_store.h"
#include "book/statements.h"
#include "book/voucher_page.h"
#include "book/words.h"
#include "book_support.h"

using namespace kelmora;
using namespace kelmora::book;
using kelmora::testing::TempDir;

namespace {

constexpr Cents Y(long long yuan) { return yuan * 100; }

// ---- the chart ----

TEST(Chart, CodesUniqueClassesAndSidesAsTheStandardsGiveThem) {
    std::set<std::string_view> codes, names;
    // The first digit of a code is its class.
    const std::map<char, AccountClass> byDigit{{'1', AccountClass::Asset},  {'2', AccountClass::Liability},
                                               {'3', AccountClass::Common}, {'4', AccountClass::Equity},
                                               {'5', AccountClass::Cost},   {'6', AccountClass::ProfitLoss}};
    std::string_view last;
    for (const ChartAccount& a : chart()) {
        EXPECT_EQ(a.code.size(), 4u) << a.code;
        EXPECT_TRUE(codes.insert(a.code).second) << "code twice: " << a.code;
        EXPECT_TRUE(names.insert(a.name).second) << "name twice: " << a.name;
        EXPECT_LT(last, a.code) << "not in code order at " << a.code;
        last = a.code;
        ASSERT_TRUE(byDigit.count(a.code[0])) << a.code;
        EXPECT_EQ(a.cls, byDigit.at(a.code[0])) << a.code << ' ' << a.name;
        EXPECT_NE(a.side, Side::None) << a.code;
        EXPECT_EQ(chartByCode(a.code), &a);
        EXPECT_EQ(chartByName(a.name), &a);
        EXPECT_FALSE(a.name.find('-') != std::string_view::npos) << a.name;
    }
    // Accounts as the standards number and name them, the contra accounts
    // standing on the side opposite their class.
    const struct {
        const char* code;
        const char* name;
        AccountClass cls;
        Side side;
    } known[] = {
        {"1001", "库存现金", AccountClass::Asset, Side::Debit},
        {"1002", "银行存款", AccountClass::Asset, Side::Debit},
        {"1012", "其他货币资金", AccountClass::Asset, Side::Debit},
        {"1122", "应收账款", AccountClass::Asset, Side::Debit},
        {"1231", "坏账准备", AccountClass::Asset, Side::Credit},
        {"1405", "库存商品", AccountClass::Asset, Side::Debit},
        {"1471", "存货跌价准备", AccountClass::Asset, Side::Credit},
        {"1601", "固定资产", AccountClass::Asset, Side::Debit},
        {"1602", "累计折旧", AccountClass::Asset, Side::Credit},
        {"1702", "累计摊销", AccountClass::Asset, Side::Credit},
        {"1901", "待处理财产损溢", AccountClass::Asset, Side::Debit},
        {"2001", "短期借款", AccountClass::Liability, Side::Credit},
        {"2221", "应交税费", AccountClass::Liability, Side::Credit},
        {"2702", "未确认融资费用", AccountClass::Liability, Side::Debit},
        {"3101", "衍生工具", AccountClass::Common, Side::Debit},
        {"4001", "实收资本", AccountClass::Equity, Side::Credit},
        {"4103", "本年利润", AccountClass::Equity, Side::Credit},
        {"4104", "利润分配", AccountClass::Equity, Side::Credit},
        {"4201", "库存股", AccountClass::Equity, Side::Debit},
        {"5001", "生产成本", AccountClass::Cost, Side::Debit},
        {"5101", "制造费用", AccountClass::Cost, Side::Debit},
        {"5402", "工程结算", AccountClass::Cost, Side::Credit},
        {"6001", "主营业务收入", AccountClass::ProfitLoss, Side::Credit},
        {"6111", "投资收益", AccountClass::ProfitLoss, Side::Credit},
        {"6401", "主营业务成本", AccountClass::ProfitLoss, Side::Debit},
        {"6403", "税金及附加", AccountClass::ProfitLoss, Side::Debit},
        {"6602", "管理费用", AccountClass::ProfitLoss, Side::Debit},
        {"6702", "信用减值损失", AccountClass::ProfitLoss, Side::Debit},
        {"6711", "营业外支出", AccountClass::ProfitLoss, Side::Debit},
        {"6801", "所得税费用", AccountClass::ProfitLoss, Side::Debit},
        {"6901", "以前年度损益调整", AccountClass::ProfitLoss, Side::Debit},
    };
    for (const auto& k : known) {
        const ChartAccount* a = chartByCode(k.code);
        ASSERT_TRUE(a) << k.code;
        EXPECT_EQ(a->name, k.name);
        EXPECT_EQ(a->cls, k.cls) << k.code;
        EXPECT_EQ(a->side, k.side) << k.code;
    }
    EXPECT_EQ(chartByName("营业税金及附加"), nullptr);  // the old name is not the chart's
    EXPECT_EQ(classWord(AccountClass::Equity), "所有者权益");
}

TEST(Chart, OtherNamesPointIntoTheChartAndUnplacedNamesSayWhy) {
    std::set<std::string_view> seen;
    for (const OtherName& o : otherNames()) {
        EXPECT_TRUE(seen.insert(o.name).second) << o.name;
        EXPECT_FALSE(chartByName(o.name)) << o.name << " is a chart name";
        EXPECT_TRUE(chartByName(o.chartName)) << o.name << " → " << o.chartName;
    }
    for (const UnplacedName& u : unplacedNames()) {
        EXPECT_TRUE(seen.insert(u.name).second) << u.name;
        EXPECT_FALSE(chartByName(u.name)) << u.name;
        EXPECT_FALSE(u.reason.empty()) << u.name;
    }
    const struct {
        const char* name;
        const char* code;  // nullptr: unplaced
    } cases[] = {
        {"应交税金", "2221"},       {"营业税金及附加", "6403"}, {"主营业务税金及附加", "6403"},
        {"银行存款", "1002"},       {"股本", "4001"},           {"库存现金/银行存款", nullptr},
        {"材料费用", nullptr},      {"没有这个科目", nullptr},
    };
    for (const auto& c : cases) {
        const Placement p = place(c.name);
        if (c.code) {
            ASSERT_TRUE(p.account) << c.name;
            EXPECT_EQ(p.account->code, c.code) << c.name;
        } else {
            EXPECT_FALSE(p.account) << c.name;
            EXPECT_FALSE(p.reason.empty()) << c.name;
        }
    }
    EXPECT_EQ(codeOf("应交税金-应交增值税（进）"), "2221");
    EXPECT_EQ(codeOf("材料费用"), "");
}

// ---- a month worked by hand ----

Workbook::Draft d(const char* date, const char* summary, std::vector<Line> lines) { return {date, summary, std::move(lines)}; }
Line dr(const char* a, Cents c) { return {Side::Debit, a, c}; }
Line cr(const char* a, Cents c) { return {Side::Credit, a, c}; }

// Openings: 库存现金 2000, 银行存款 100000, 库存商品 30000 on the debit;
// 实收资本 120000, 利润分配 12000 on the credit.  February: one sale of
// 1000 (VAT 130).  March: a sale of 50000 (VAT 6500) at a cost of 20000;
// city tax 7 % and education levies 5 % of the VAT, 455 + 325 = 780; office
// costs 1200 in cash; advertising 3000 from the bank; interest 500 accrued;
// 30000 received from the customer; a fine of 800 received in cash; income
// tax 25 % of the profit before tax:
//   50000 − 20000 − 780 − 1200 − 3000 − 500 + 800 = 25320, tax 6330,
//   net profit 18990.
void postFebruaryAndMarch(Workbook& b) {
    b.setOpening("库存现金", Y(2000));
    b.setOpening("银行存款", Y(100000));
    b.setOpening("库存商品", Y(30000));
    b.setOpening("实收资本", -Y(120000));
    b.setOpening("利润分配", -Y(12000));
    b.post({d("2026-02-10", "销售", {dr("银行存款", Y(1130)), cr("主营业务收入", Y(1000)), cr("应交税费-应交增值税（销项税额）", Y(130))})});
    b.post({
        d("2026-03-05", "销售商品", {dr("应收账款-甲公司", Y(56500)), cr("主营业务收入", Y(50000)), cr("应交税费-应交增值税（销项税额）", Y(6500))}),
        d("2026-03-05", "结转成本", {dr("主营业务成本", Y(20000)), cr("库存商品", Y(20000))}),
        d("2026-03-10", "计提税金", {dr("税金及附加", Y(780)), cr("应交税费-应交城市维护建设税", Y(455)), cr("应交税费-应交教育费附加", Y(325))}),
        d("2026-03-15", "办公费", {dr("管理费用-办公费", Y(1200)), cr("库存现金", Y(1200))}),
        d("2026-03-20", "广告费", {dr("销售费用", Y(3000)), cr("银行存款", Y(3000))}),
        d("2026-03-25", "计提利息", {dr("财务费用-利息费用", Y(500)), cr("应付利息", Y(500))}),
        d("2026-03-28", "收回货款", {dr("银行存款", Y(30000)), cr("应收账款-甲公司", Y(30000))}),
        d("2026-03-31", "罚款收入", {dr("库存现金", Y(800)), cr("营业外收入", Y(800))}),
        d("2026-03-31", "所得税", {dr("所得税费用", Y(6330)), cr("应交税费-应交所得税", Y(6330))}),
    });
}

Cents balanceOf(const Journal& j, const std::string& account) { return j.ledger(account).back().balance.debit; }

TEST(Closing, AMonthClosesToTheProfitWorkedOutByHandAndReopensExactly) {
    Workbook b;
    postFebruaryAndMarch(b);
    // March cannot be closed while February, with a voucher, is open.
    const auto early = b.closeRefusal("2026-03");
    ASSERT_TRUE(early);
    EXPECT_EQ(early->line(), "earlier month 2026-02 is not closed");
    EXPECT_THROW(b.close("2026-03"), RefusedError);
    EXPECT_EQ(b.journal().vouchers().size(), 10u);

    // February: 1000 of revenue to 本年利润.
    EXPECT_EQ(b.close("2026-02"), std::vector<int>{11});
    EXPECT_EQ(b.journal().find(11)->date, "2026-02-28");
    EXPECT_EQ(b.journal().find(11)->closes, "2026-02");
    EXPECT_EQ(balanceOf(b.journal(), "本年利润"), -Y(1000));

    const std::vector<Voucher> before = b.journal().vouchers();
    const TrialBalance trialBefore = b.journal().trial();
    // March: revenue 50000 + 800 = 50800 credited to 本年利润, expenses
    // 20000 + 780 + 1200 + 3000 + 500 + 6330 = 31810 debited.
    const std::vector<int> closing = b.close("2026-03");
    ASSERT_EQ(closing, (std::vector<int>{12, 13}));
    const Voucher& income = *b.journal().find(12);
    const Voucher& expense = *b.journal().find(13);
    EXPECT_EQ(income.date, "2026-03-31");
    EXPECT_EQ(income.lines.back().account, "本年利润");
    EXPECT_EQ(income.lines.back().side, Side::Credit);
    EXPECT_EQ(income.lines.back().amount, Y(50800));
    EXPECT_EQ(expense.lines.front().account, "本年利润");
    EXPECT_EQ(expense.lines.front().amount, Y(31810));
    // 本年利润: 1000 + 18990 on the credit; every 损益 account is zero.
    EXPECT_EQ(balanceOf(b.journal(), "本年利润"), -Y(19990));
    for (const char* a : {"主营业务收入", "主营业务成本", "税金及附加", "管理费用", "销售费用", "财务费用", "营业外收入", "所得税费用"})
        EXPECT_EQ(balanceOf(b.journal(), a), 0) << a;
    EXPECT_EQ(b.journal().closedMonths(), (std::vector<std::string>{"2026-02", "2026-03"}));
    EXPECT_TRUE(b.journal().trial().balanced());

    // Only the latest close can be undone; undoing it removes exactly its
    // vouchers and the journal is as it was, numbers not given again.
    try {
        b.reopen("2026-02");
        ADD_FAILURE() << "reopened a month that is not the latest closed";
    } catch (const RefusedError& e) {
        EXPECT_EQ(e.line(), "2026-02 is not the latest closed month 2026-03");
    }
    EXPECT_EQ(b.reopen("2026-03"), closing);
    ASSERT_EQ(b.journal().vouchers().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(b.journal().vouchers()[i].number, before[i].number);
        EXPECT_EQ(b.journal().vouchers()[i].lines.size(), before[i].lines.size());
    }
    const TrialBalance trialAfter = b.journal().trial();
    ASSERT_EQ(trialAfter.rows.size(), trialBefore.rows.size());
    for (std::size_t i = 0; i < trialAfter.rows.size(); ++i) {
        EXPECT_EQ(trialAfter.rows[i].account, trialBefore.rows[i].account);
        EXPECT_EQ(trialAfter.rows[i].closeDebit, trialBefore.rows[i].closeDebit);
        EXPECT_EQ(trialAfter.rows[i].closeCredit, trialBefore.rows[i].closeCredit);
    }
    EXPECT_EQ(b.journal().latestClosed(), "2026-02");
    EXPECT_EQ(b.close("2026-03"), (std::vector<int>{14, 15}));
    // A closing voucher reversed by hand: its reversal has to go before the close is undone.
    const int red = b.reverse(15, "2026-04-01");
    try {
        b.reopen("2026-03");
        ADD_FAILURE() << "reopened under a reversal";
    } catch (const RefusedError& e) {
        EXPECT_EQ(e.line(), "记-15 is reversed by 记-16");
    }
    b.remove(red);

    // Each step is in the log.
    std::vector<std::string> actions;
    const std::vector<LogEntry> log = b.log();
    for (const LogEntry& e : log) actions.push_back(e.action);
    EXPECT_EQ(std::count(actions.begin(), actions.end(), "结账"), 3);
    EXPECT_EQ(std::count(actions.begin(), actions.end(), "冲销"), 1);
    EXPECT_EQ(std::count(actions.begin(), actions.end(), "反结账"), 1);
    const auto close = std::find_if(log.rbegin(), log.rend(), [](const LogEntry& e) { return e.action == "结账"; });
    EXPECT_NE(close->detail.find("记-14、记-15"), std::string::npos) << close->detail;
}

TEST(Closing, DecemberCarriesTheYearsProfitOrLossToRetainedEarnings) {
    // 本年利润 opens with January to November: a profit of 5000 (credit) or
    // a loss of 9000 (debit).  December: sales 2000, administration 300.
    //   profit: 5000 + 2000 − 300 = 6700 credit → 借 本年利润, 贷 利润分配-未分配利润 6700
    //   loss:  −9000 + 2000 − 300 = −7300 → 借 利润分配-未分配利润, 贷 本年利润 7300
    const struct {
        Cents profitOpening;  // debit positive
        Side retainedSide;
        Cents carried;
    } cases[] = {{-Y(5000), Side::Credit, Y(6700)}, {Y(9000), Side::Debit, Y(7300)}};
    for (const auto& c : cases) {
        Workbook b;
        b.setOpening("本年利润", c.profitOpening);
        b.setOpening("银行存款", -c.profitOpening);
        b.post({d("2026-12-05", "销售", {dr("银行存款", Y(2000)), cr("主营业务收入", Y(2000))}),
                d("2026-12-20", "办公费", {dr("管理费用", Y(300)), cr("银行存款", Y(300))})});
        const std::vector<int> posted = b.close("2026-12");
        ASSERT_EQ(posted.size(), 3u);
        const Voucher& carry = *b.journal().find(posted[2]);
        EXPECT_EQ(carry.date, "2026-12-31");
        ASSERT_EQ(carry.lines.size(), 2u);
        const Line& retained = carry.lines[0].account == "利润分配-未分配利润" ? carry.lines[0] : carry.lines[1];
        EXPECT_EQ(retained.account, "利润分配-未分配利润");
        EXPECT_EQ(retained.side, c.retainedSide);
        EXPECT_EQ(retained.amount, c.carried);
        EXPECT_EQ(balanceOf(b.journal(), "本年利润"), 0);
        EXPECT_EQ(balanceOf(b.journal(), "利润分配"), c.retainedSide == Side::Credit ? -c.carried : c.carried);
    }
}

TEST(Closing, RefusalsChangeNothing) {
    Workbook b;
    b.setOpening("库存现金", Y(500));
    b.setOpening("实收资本", -Y(400));
    b.post({d("2026-04-02", "x", {dr("库存现金", Y(1)), cr("银行存款", Y(1))})});
    EXPECT_EQ(b.closeRefusal("2026-04")->line(), "the trial balance of 2026-04 does not balance");
    b.setOpening("实收资本", -Y(500));
    b.post({d("2026-04-03", "外埠采购", {dr("材料费用", Y(100)), cr("其他货币资金", Y(100))})});
    const auto unplaced = b.closeRefusal("2026-04");
    ASSERT_TRUE(unplaced);
    EXPECT_NE(unplaced->line().find("记-2 names 材料费用"), std::string::npos) << unplaced->line();
    EXPECT_EQ(b.closeRefusal("2026-13")->line(), "not a month YYYY-MM: 2026-13");
    // The statements leave the unplaced name out, and say so.
    EXPECT_EQ(balanceSheet(b.journal(), "2026-04").unplaced, std::vector<std::string>{"材料费用"});
    EXPECT_EQ(b.journal().vouchers().size(), 2u);
    EXPECT_TRUE(b.journal().closedMonths().empty());
    // A month without vouchers closes, and locks what is before it.
    EXPECT_TRUE(b.close("2026-03").empty());
    EXPECT_EQ(b.closeRefusal("2026-02")->line(), "period 2026-03 is closed");
    EXPECT_EQ(b.closeRefusal("2026-03")->line(), "period 2026-03 is closed");
}

// ---- corrections ----

// Every account's figures of the trial balance, by name (rows with no
// figures are left out).
std::map<std::string, std::vector<Cents>> figures(const TrialBalance& t) {
    std::map<std::string, std::vector<Cents>> out;
    for (const TrialRow& r : t.rows) {
        std::vector<Cents> f{r.openDebit, r.openCredit, r.debit, r.credit, r.closeDebit, r.closeCredit};
        if (f != std::vector<Cents>(6, 0)) out[r.account] = f;
    }
    return out;
}

TEST(Reversal, TheTrialBalanceIsAsWithoutTheVoucherAndTheLedgerShowsBoth) {
    Workbook with, without;
    postFebruaryAndMarch(with);
    postFebruaryAndMarch(without);
    without.remove(5);  // 办公费 1200
    const int red = with.reverse(5, "2026-03-31");
    EXPECT_EQ(red, 11);
    const Voucher& r = *with.journal().find(red);
    EXPECT_EQ(r.summary, "冲销记-5");
    EXPECT_EQ(r.reverses, 5);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].side, Side::Debit);
    EXPECT_EQ(r.lines[0].account, "管理费用-办公费");
    EXPECT_EQ(r.lines[0].amount, -Y(1200));
    EXPECT_EQ(r.lines[1].amount, -Y(1200));
    EXPECT_EQ(figures(with.journal().trial()), figures(without.journal().trial()));
    // The ledger of 库存现金: opening 2000, 记-5 1200 out, 记-9 800 in, 记-11 −1200 out.
    const auto cash = with.journal().ledger("库存现金");
    ASSERT_EQ(cash.size(), 4u);
    EXPECT_EQ(cash[1].voucher, 5);
    EXPECT_EQ(cash[1].balance.debit, Y(800));
    EXPECT_EQ(cash[3].voucher, 11);
    EXPECT_EQ(cash[3].amount, -Y(1200));
    EXPECT_EQ(cash[3].balance.debit, Y(2800));
    EXPECT_EQ(with.journal().reversalOf(5), 11);

    const struct {
        int number;
        const char* date;
        const char* line;
    } refused[] = {
        {5, "2026-03-31", "记-5 is reversed already by 记-11"},
        {11, "2026-03-31", "记-11 is a reversal"},
        {99, "2026-03-31", "no voucher 记-99"},
    };
    for (const auto& c : refused) {
        try {
            with.reverse(c.number, c.date);
            ADD_FAILURE() << c.line;
        } catch (const RefusedError& e) {
            EXPECT_EQ(e.line(), c.line);
        }
    }
    // A reversed voucher is not deleted from under its reversal.
    EXPECT_THROW(with.remove(5), RefusedError);
    EXPECT_EQ(with.journal().vouchers().size(), 11u);
}

TEST(Reversal, AClosedMonthIsLockedAndCorrectedInAnOpenOne) {
    Workbook b;
    postFebruaryAndMarch(b);
    b.close("2026-02");
    const auto refusedLine = [](const std::function<void()>& f) -> std::string {
        try {
            f();
        } catch (const RefusedError& e) {
            return e.line();
        }
        return "done";
    };
    const std::string closed = "period 2026-02 is closed";
    EXPECT_EQ(refusedLine([&] { b.post({d("2026-02-27", "补记", {dr("库存现金", 1), cr("银行存款", 1)})}); }), closed);
    EXPECT_EQ(refusedLine([&] { b.post({d("2025-12-31", "补记", {dr("库存现金", 1), cr("银行存款", 1)})}); }), closed);
    EXPECT_EQ(refusedLine([&] { b.remove(1); }), closed);
    EXPECT_EQ(refusedLine([&] { b.reverse(1, "2026-02-28"); }), closed);
    EXPECT_EQ(refusedLine([&] { b.setOpening("库存现金", Y(1)); }), closed);
    EXPECT_EQ(b.journal().vouchers().size(), 11u);
    // The February sale corrected by a red reversal dated in March.
    const int red = b.reverse(1, "2026-03-31");
    EXPECT_EQ(b.journal().find(red)->date, "2026-03-31");
    // 主营业务收入: −1000 sold in February, +1000 carried, −50000 sold in March, +1000 reversed.
    EXPECT_EQ(balanceOf(b.journal(), "主营业务收入"), -Y(49000));
    // A March voucher may still be deleted, and the deletion stays in the log in full.
    ASSERT_TRUE(b.remove(6));
    const std::vector<LogEntry> log = b.log();
    const LogEntry last = log.back();
    EXPECT_EQ(last.action, "删除");
    EXPECT_NE(last.detail.find("记-6 2026-03-20 广告费：借 销售费用 3000.00；贷 银行存款 3000.00"), std::string::npos) << last.detail;
    EXPECT_EQ(last.at.size(), 19u);
    const std::string csv = logCsv(log);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("时间,操作,内容\r\n"), std::string::npos);
    EXPECT_NE(csv.find(",删除,记-6 2026-03-20 广告费"), std::string::npos);
}

// ---- statements ----

std::map<std::string, Cents> amounts(const FinancialStatement& s, bool other = false) {
    std::map<std::string, Cents> out;
    for (const StatementItem& i : s.items)
        if (!i.heading && !out.count(i.name)) out[i.name] = other ? i.other : i.amount;
    return out;
}

void expectItems(const FinancialStatement& s, const std::map<std::string, Cents>& expected, bool other = false) {
    const auto got = amounts(s, other);
    for (const auto& [name, value] : got) {
        const auto it = expected.find(name);
        EXPECT_EQ(value, it == expected.end() ? 0 : it->second) << s.title << ' ' << (other ? s.otherColumn : s.column) << ' ' << name;
    }
    for (const auto& [name, value] : expected) EXPECT_TRUE(got.count(name)) << "no item " << name;
}

TEST(Statements, TheHandWorkedMonthItemByItem) {
    Workbook b;
    postFebruaryAndMarch(b);
    for (bool closed : {false, true}) {
        if (closed) {
            b.close("2026-02");
            b.close("2026-03");
        }
        // 利润表, March; the closing entries are left out.
        const FinancialStatement income = incomeStatement(b.journal(), "2026-03");
        expectItems(income, {{"营业收入", Y(50000)},   {"营业成本", Y(20000)}, {"税金及附加", Y(780)},
                             {"销售费用", Y(3000)},    {"管理费用", Y(1200)},  {"财务费用", Y(500)},
                             {"利息费用", Y(500)},     {"营业利润", Y(24520)}, {"营业外收入", Y(800)},
                             {"利润总额", Y(25320)},   {"所得税费用", Y(6330)}, {"净利润", Y(18990)},
                             {"持续经营净利润", Y(18990)}, {"综合收益总额", Y(18990)}});
        // The year to March: February's 1000 of revenue besides.
        expectItems(income, {{"营业收入", Y(51000)},   {"营业成本", Y(20000)}, {"税金及附加", Y(780)},
                             {"销售费用", Y(3000)},    {"管理费用", Y(1200)},  {"财务费用", Y(500)},
                             {"利息费用", Y(500)},     {"营业利润", Y(25520)}, {"营业外收入", Y(800)},
                             {"利润总额", Y(26320)},   {"所得税费用", Y(6330)}, {"净利润", Y(19990)},
                             {"持续经营净利润", Y(19990)}, {"综合收益总额", Y(19990)}},
                    true);
        // 资产负债表 at 31 March:
        //   库存现金 2000 − 1200 + 800 = 1600; 银行存款 100000 + 1130 − 3000 + 30000 = 128130
        //   应收账款 56500 − 30000 = 26500; 库存商品 30000 − 20000 = 10000
        //   应交税费 130 + 6500 + 455 + 325 + 6330 = 13740; 应付利息 500
        //   未分配利润 12000 + 1000 + 18990 = 31990 (closed or not)
        const FinancialStatement sheet = balanceSheet(b.journal(), "2026-03");
        expectItems(sheet, {{"货币资金", Y(129730)},      {"应收账款", Y(26500)},       {"存货", Y(10000)},
                            {"流动资产合计", Y(166230)},  {"资产总计", Y(166230)},      {"应交税费", Y(13740)},
                            {"其他应付款", Y(500)},       {"流动负债合计", Y(14240)},   {"负债合计", Y(14240)},
                            {"实收资本", Y(120000)},      {"未分配利润", Y(31990)},     {"所有者权益合计", Y(151990)},
                            {"负债和所有者权益总计", Y(166230)}});
        // 年初余额: the openings.
        expectItems(sheet, {{"货币资金", Y(102000)}, {"存货", Y(30000)},       {"流动资产合计", Y(132000)},
                            {"资产总计", Y(132000)}, {"实收资本", Y(120000)}, {"未分配利润", Y(12000)},
                            {"所有者权益合计", Y(132000)}, {"负债和所有者权益总计", Y(132000)}},
                    true);
    }
    // Drill-down: the accounts behind 货币资金 and 应收账款.
    const FinancialStatement sheet = balanceSheet(b.journal(), "2026-03");
    const StatementItem* cash = sheet.item("货币资金");
    ASSERT_TRUE(cash);
    ASSERT_EQ(cash->sources.size(), 2u);
    EXPECT_EQ(cash->sources[0].account, "库存现金");
    EXPECT_EQ(cash->sources[0].amount, Y(1600));
    EXPECT_EQ(cash->sources[1].amount, Y(128130));
    ASSERT_EQ(sheet.item("应收账款")->sources.size(), 1u);
    EXPECT_EQ(sheet.item("应收账款")->sources[0].account, "应收账款-甲公司");
    EXPECT_FALSE(sheet.item("货币资金")->formula.empty());
    EXPECT_TRUE(sheet.unplaced.empty());
    const std::string csv = statementCsv(sheet);
    EXPECT_NE(csv.find("项目,期末余额,年初余额\r\n"), std::string::npos);
    EXPECT_NE(csv.find("  货币资金,129730.00,102000.00\r\n"), std::string::npos);
}

TEST(Statements, EveryAccountOfTheChartLandsInTheBalanceSheetAndItBalances) {
    // One voucher per account of the chart against 银行存款, the sides
    // alternating and every amount different: whatever the accounts, the
    // two sides of the balance sheet agree, at the month's end and at the
    // year's start.
    Workbook b;
    b.setOpening("银行存款", Y(1000000));
    b.setOpening("实收资本", -Y(1000000));
    int k = 0;
    for (const ChartAccount& a : chart()) {
        if (a.code == "1002") continue;
        ++k;
        const Cents amount = Y(100 + 7 * k) + k;
        const std::string name = std::string(a.name) + (k % 3 == 0 ? "-明细" : "");
        std::vector<Line> lines = k % 2 ? std::vector<Line>{{Side::Debit, name, amount}, {Side::Credit, "银行存款", amount}}
                                        : std::vector<Line>{{Side::Debit, "银行存款", amount}, {Side::Credit, name, amount}};
        b.post({{k < 80 ? "2025-06-30" : "2026-05-10", "x", lines}});
    }
    const FinancialStatement sheet = balanceSheet(b.journal(), "2026-05");
    EXPECT_EQ(sheet.item("资产总计")->amount, sheet.item("负债和所有者权益总计")->amount);
    EXPECT_EQ(sheet.item("资产总计")->other, sheet.item("负债和所有者权益总计")->other);
    EXPECT_NE(sheet.item("资产总计")->amount, sheet.item("资产总计")->other);
    // Form120's boxes take every account once: the 年末数 boxes of the
    // assets (Text35 … Text64) add up to 资产总计.
    Cents sum = 0;
    for (const auto& [box, text] : form120Figures(b.journal(), "2026-05").boxes) {
        const int n = std::stoi(box.substr(4));
        if (n >= 35 && n <= 64) sum += *parseAmount(text);
    }
    EXPECT_EQ(sum, sheet.item("资产总计")->amount);
}

TEST(Statements, ClosedMonthsCarryTheIncomeStatementsProfitToTheCent) {
    // Random vouchers over every account of the chart (以前年度损益调整,
    // which the 利润表 leaves out, and 本年利润 aside) in January to
    // November, every month closed in turn: each month's balance sheet
    // balances, the months' 净利润 add up to the year's, and 本年利润 holds it.
    std::mt19937 random(20261211);
    std::vector<std::string> names;
    for (const ChartAccount& a : chart())
        if (a.code != "4103" && a.code != "6901") names.emplace_back(a.name);
    Workbook b;
    b.setOpening("银行存款", Y(500000));
    b.setOpening("实收资本", -Y(500000));
    std::vector<Workbook::Draft> drafts;
    for (int i = 0; i < 600; ++i) {
        const auto pick = [&] {
            std::string n = names[std::uniform_int_distribution<std::size_t>(0, names.size() - 1)(random)];
            return random() % 3 == 0 ? n + "-明细" : n;
        };
        const Cents x = std::uniform_int_distribution<Cents>(1, 9999999)(random), y = std::uniform_int_distribution<Cents>(1, x)(random);
        char date[16];
        std::snprintf(date, sizeof date, "2026-%02d-%02d", static_cast<int>(random() % 11 + 1), static_cast<int>(random() % 28 + 1));
        drafts.push_back({date, "x", {{Side::Debit, pick(), x}, {Side::Credit, pick(), y}, {Side::Credit, pick(), x - y}}});
        if (drafts.back().lines[2].amount == 0) drafts.back().lines.pop_back();
    }
    b.post(drafts);
    Cents months = 0;
    for (int m = 1; m <= 11; ++m) {
        char month[8];
        std::snprintf(month, sizeof month, "2026-%02d", m);
        b.close(month);
        const FinancialStatement sheet = balanceSheet(b.journal(), month);
        EXPECT_EQ(sheet.item("资产总计")->amount, sheet.item("负债和所有者权益总计")->amount) << month;
        months += incomeStatement(b.journal(), month).item("净利润")->amount;
    }
    const Cents year = incomeStatement(b.journal(), "2026-11").item("净利润")->other;
    EXPECT_NE(year, 0);
    EXPECT_EQ(months, year);
    EXPECT_EQ(-balanceOf(b.journal(), "本年利润"), year);
    for (const ChartAccount& a : chart())
        if (a.cls == AccountClass::ProfitLoss) {
            EXPECT_EQ(balanceOf(b.journal(), std::string(a.name)), 0) << a.name;
        }
}

TEST(Statements, BalanceTableOfAMonth) {
    Workbook b;
    postFebruaryAndMarch(b);
    const BalanceTable t = balanceTable(b.journal(), "2026-03");
    EXPECT_TRUE(t.balanced());
    // By code: 1001 库存现金 first.  期初 2000, 本期 800 / 1200, 本年累计 the
    // same (nothing in January or February), 期末 1600.
    ASSERT_FALSE(t.rows.empty());
    EXPECT_EQ(t.rows[0].code, "1001");
    EXPECT_EQ(t.rows[0].openDebit, Y(2000));
    EXPECT_EQ(t.rows[0].debit, Y(800));
    EXPECT_EQ(t.rows[0].credit, Y(1200));
    EXPECT_EQ(t.rows[0].closeDebit, Y(1600));
    // 1002 银行存款: 期初 at 1 March 100000 + 1130; 本期 30000 / 3000; 本年累计 31130 / 3000.
    EXPECT_EQ(t.rows[1].account, "银行存款");
    EXPECT_EQ(t.rows[1].openDebit, Y(101130));
    EXPECT_EQ(t.rows[1].yearDebit, Y(31130));
    EXPECT_EQ(t.rows[1].yearCredit, Y(3000));
    EXPECT_EQ(t.rows[1].closeDebit, Y(128130));
    // 6001 主营业务收入: 本期 50000, 本年累计 51000, 期初 1000 credit.
    const auto revenue = std::find_if(t.rows.begin(), t.rows.end(), [](const BalanceRow& r) { return r.code == "6001"; });
    ASSERT_NE(revenue, t.rows.end());
    EXPECT_EQ(revenue->openCredit, Y(1000));
    EXPECT_EQ(revenue->credit, Y(50000));
    EXPECT_EQ(revenue->yearCredit, Y(51000));
    EXPECT_EQ(revenue->closeCredit, Y(51000));
    EXPECT_NE(balanceTableCsv(t).find("1001,库存现金,2000.00,0.00,800.00,1200.00,800.00,1200.00,1600.00,0.00\r\n"),
              std::string::npos);
}

// ---- on paper ----

TEST(Words, AmountsInWordsWorkedByHand) {
    const struct {
        Cents cents;
        const char* words;
    } cases[] = {
        {5, "伍分"},                         // 0.05
        {1000, "壹拾元整"},                  // 10
        {1050, "壹拾元伍角"},                // 10.5
        {10000007, "壹拾万元零柒分"},        // 100,000.07: the zeros of the yuan and the 角 are one 零
        {100000000, "壹佰万元整"},           // 1,000,000
        {100100010, "壹佰万零壹仟元壹角"},  // 1,001,000.10: one 零 for the zeros inside; none needed before the 角
        {11700, "壹佰壹拾柒元整"},
        {105, "壹元零伍分"},
        {0, "零元整"},
        {-11700, "负壹佰壹拾柒元整"},
        {1000000000000LL, "壹佰亿元整"},
        {1000000010000LL, "壹佰亿零壹佰元整"},
    };
    for (const auto& c : cases) EXPECT_EQ(amountInWords(c.cents), c.words) << c.cents;
}

TEST(VoucherPage, TheLayoutAndALongVoucherContinued) {
    Voucher v{7, "2026-04-01", "外埠采购", {dr("材料采购-甲", Y(100)), dr("应交税金-应交增值税（进）", Y(17)), cr("其他货币资金", Y(117))}, 0, {}};
    auto pages = voucherPages(v);
    ASSERT_EQ(pages.size(), 1u);
    const VoucherPage& p = pages[0];
    EXPECT_EQ(p.number, "记字第 7 号");
    EXPECT_EQ(p.date, "2026 年 04 月 01 日");
    ASSERT_EQ(p.lines.size(), 3u);
    EXPECT_EQ(p.lines[0].summary, "外埠采购");
    EXPECT_EQ(p.lines[0].code, "1401");
    EXPECT_EQ(p.lines[0].account, "材料采购");
    EXPECT_EQ(p.lines[0].subAccount, "甲");
    EXPECT_EQ(p.lines[1].code, "2221");
    EXPECT_EQ(p.lines[2].credit, Y(117));
    EXPECT_EQ(p.totalLabel, "合计");
    EXPECT_EQ(p.debitTotal, Y(117));
    EXPECT_EQ(p.totalWords, "人民币壹佰壹拾柒元整");
    EXPECT_EQ(p.signatures, (std::vector<std::string>{"会计主管", "记账", "审核", "出纳", "制单"}));

    for (int i = 0; i < 4; ++i) v.lines.insert(v.lines.begin(), dr("管理费用", Y(1)));
    v.lines.back().amount = Y(121);
    pages = voucherPages(v, 5);  // 7 lines: 5 and 2
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].number, "记字第 7-1/2 号");
    EXPECT_EQ(pages[1].number, "记字第 7-2/2 号");
    EXPECT_EQ(pages[0].totalLabel, "过次页");
    EXPECT_TRUE(pages[0].totalWords.empty());
    EXPECT_EQ(pages[1].continuation, "（续上页）");
    EXPECT_EQ(pages[1].lines.size(), 2u);
    EXPECT_EQ(pages[1].totalWords, "人民币壹佰贰拾壹元整");
}

// ---- the file ----

// A file of layout 2 as the program wrote it before: vouchers 2 and 5 (3
// and 4 deleted), openings entered 银行存款 first, then 库存现金.
void writeLayout2(const std::string& path) {
    kelmora::testing::sql(path,
                          "PRAGMA journal_mode=WAL; PRAGMA application_id=" + std::to_string(kApplicationId) +
                              "; CREATE TABLE meta(key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"
                              "INSERT INTO meta VALUES('next_number', 6);"
                              "CREATE TABLE vouchers(number INTEGER PRIMARY KEY, date TEXT NOT NULL, summary TEXT NOT NULL);"
                              "CREATE TABLE lines(voucher INTEGER NOT NULL, seq INTEGER NOT NULL,"
                              " side INTEGER NOT NULL CHECK(side IN (1, -1)), account TEXT NOT NULL, cents INTEGER NOT NULL,"
                              " PRIMARY KEY(voucher, seq)) WITHOUT ROWID;"
                              "CREATE TABLE openings(account TEXT PRIMARY KEY, debit INTEGER NOT NULL, seq INTEGER NOT NULL) WITHOUT ROWID;"
                              "INSERT INTO vouchers VALUES(2, '2026-01-05', '提现'), (5, '2026-01-31', '外埠采购');"
                              "INSERT INTO lines VALUES(2, 1, 1, '库存现金', 50000), (2, 2, -1, '银行存款', 50000),"
                              " (5, 1, 1, '原材料', 10000), (5, 2, 1, '应交税金-应交增值税（进）', 1700),"
                              " (5, 3, -1, '其他货币资金', 11700);"
                              "INSERT INTO openings VALUES('银行存款', 900000, 1), ('库存现金', 100000, 2), ('实收资本', -1000000, 3);"
                              "PRAGMA user_version=2;");
}

TEST(BookFile, ALayout2FileOpensUnchangedAndIsBroughtForward) {
    TempDir dir;
    const std::string path = dir.file("v2.kbook");
    writeLayout2(path);
    {
        Workbook b(SqliteStore::open(path));
        const Journal& j = b.journal();
        ASSERT_EQ(j.vouchers().size(), 2u);
        EXPECT_EQ(j.vouchers()[0].number, 2);
        EXPECT_EQ(j.vouchers()[1].number, 5);
        EXPECT_EQ(j.vouchers()[1].summary, "外埠采购");
        ASSERT_EQ(j.vouchers()[1].lines.size(), 3u);
        EXPECT_EQ(j.vouchers()[1].lines[1].account, "应交税金-应交增值税（进）");
        EXPECT_EQ(j.vouchers()[1].lines[1].amount, 1700);
        EXPECT_EQ(j.vouchers()[1].reverses, 0);
        EXPECT_EQ(j.nextNumber(), 6);
        ASSERT_EQ(j.openings().size(), 3u);
        EXPECT_EQ(j.openings()[0].account, "银行存款");
        EXPECT_EQ(j.openings()[1].account, "库存现金");
        EXPECT_TRUE(j.closedMonths().empty());
        // The new layout takes what the cycle writes.
        EXPECT_EQ(b.reverse(2, "2026-02-01"), 6);
        b.close("2026-01");
    }
    EXPECT_EQ(kelmora::testing::sql(path, "PRAGMA user_version"), "3");
    EXPECT_EQ(kelmora::testing::sql(path, "PRAGMA integrity_check"), "ok");
    Workbook again(SqliteStore::open(path));
    EXPECT_EQ(again.journal().find(6)->reverses, 2);
    EXPECT_EQ(again.journal().closedMonths(), std::vector<std::string>{"2026-01"});
    // The log read back from the file: the reversal and the close made above.
    const std::vector<LogEntry> log = again.log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].action, "冲销");
    EXPECT_EQ(log[1].action, "结账");
    EXPECT_TRUE(again.journal().locked("2026-01-31"));
}

TEST(BookFile, AMonthClosedByAnotherProgramIsLockedHereToo) {
    TempDir dir;
    const std::string path = dir.file("shared.kbook");
    Workbook a(SqliteStore::open(path)), b(SqliteStore::open(path));
    a.post({d("2026-03-02", "销售", {dr("银行存款", Y(10)), cr("主营业务收入", Y(10))})});
    b.refresh();
    a.close("2026-03");
    // b read the file before the close: its change reads the close in first.
    try {
        b.post({d("2026-03-31", "补记", {dr("库存现金", 1), cr("银行存款", 1)})});
        ADD_FAILURE() << "posted into a month another program closed";
    } catch (const RefusedError& e) {
        EXPECT_EQ(e.line(), "period 2026-03 is closed");
    }
    EXPECT_EQ(b.journal().latestClosed(), "2026-03");
    EXPECT_EQ(b.journal().vouchers().size(), 2u);
    EXPECT_THROW(b.close("2026-03"), RefusedError);
    EXPECT_EQ(b.reopen("2026-03"), std::vector<int>{2});
    a.refresh();
    EXPECT_TRUE(a.journal().closedMonths().empty());
    EXPECT_EQ(a.journal().vouchers().size(), 1u);
}

}  // namespace
