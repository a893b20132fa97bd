// Kelmora — what the ledger is read into for a month: the 科目余额表, the
// balance sheet (资产负债表) and the income statement (利润表) in the current
// general-enterprise format, each item worked out by its formula through the
// chart; and the figures for the statement windows' boxes (Form119, Form120).
//
// A month is YYYY-MM.  Openings are the balances before every voucher; the
// year starts on 1 January of the month's year.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "book/journal.h"

namespace kelmora::book {

// ---- 科目余额表 ----

struct BalanceRow {
    std::string code;     // the chart's code; empty for a name it does not place
    std::string account;  // first level, as the vouchers name it
    Cents openDebit = 0, openCredit = 0;  // 期初: at the start of the month
    Cents debit = 0, credit = 0;          // 本期发生
    Cents yearDebit = 0, yearCredit = 0;  // 本年累计: 1 January to the month's end
    Cents closeDebit = 0, closeCredit = 0;  // 期末: at the month's end
};

struct BalanceTable {
    std::string month;
    std::vector<BalanceRow> rows;  // by code, names the chart does not place last (in the trial balance's order)
    BalanceRow total;              // account "合计"
    bool balanced() const;
};
BalanceTable balanceTable(const Journal& j, std::string_view month);
std::string balanceTableCsv(const BalanceTable& t);

// ---- statements ----

// What stands behind a figure: an account (first level as the vouchers name
// it, or a sub-account where the formula takes sub-accounts' balances) and
// what it adds to the figure, with the item's sign.
struct Source {
    std::string account;
    Cents amount = 0;
};

struct StatementItem {
    std::string label;  // as the format prints it ("一、营业收入", "减：营业成本", "流动资产：")
    std::string name;   // without numbering, 加：/减：/其中： and remarks ("营业收入")
    int level = 0;      // indentation in the format: 0, 1, 2
    bool heading = false;  // a section heading without a figure
    bool total = false;    // worked out from other items
    Cents amount = 0;      // 期末余额 (balance sheet), 本期金额 (income statement)
    Cents other = 0;       // 年初余额, 本年累计金额
    std::vector<Source> sources, otherSources;  // the accounts behind amount and other
    std::string formula;   // how the item is worked out, in words
};

struct FinancialStatement {
    std::string title;  // 资产负债表 or 利润表
    std::string month;
    std::string column, otherColumn;  // "期末余额", "年初余额" / "本期金额", "本年累计金额"
    std::vector<StatementItem> items;  // in the format's order, headings included
    // Accounts with figures that the chart leaves unplaced (or does not
    // know): left out of every item, so the statement is incomplete.
    std::vector<std::string> unplaced;
    // The item of that name (the first, where a name stands twice); null
    // when there is none.
    const StatementItem* item(std::string_view name) const;
};

// The balance sheet at the end of month (and at the start of its year).
FinancialStatement balanceSheet(const Journal& j, std::string_view month);
// The income statement of month (and of the year to its end), leaving out
// every voucher with a 本年利润 line.
FinancialStatement incomeStatement(const Journal& j, std::string_view month);
// Both columns, headings and all (UTF-8 with a byte-order mark, as the other exports).
std::string statementCsv(const FinancialStatement& s);
// The statement's names as the runner writes them: "资产负债表" or "利润表".
inline constexpr std::string_view kBalanceSheet = "资产负债表", kIncomeStatement = "利润表";

// ---- the statement windows' boxes ----

// Texts for boxes of a window, control name and figure in yuan ("117.00"):
// what 填入报表窗口 types into the window.
struct BoxFigures {
    std::string form;
    std::vector<std::pair<std::string, std::string>> boxes;
};
// Form120 (资产负债表汇总): every input box, 年初数 and 年末数, from the balance sheet.
BoxFigures form120Figures(const Journal& j, std::string_view month);
// Form119: the income statement's 本期 column (the month) and the short
// balance sheet's 期初 (the year's start) and 期末 columns.
BoxFigures form119Figures(const Journal& j, std::string_view month);

}  // namespace kelmora::book
