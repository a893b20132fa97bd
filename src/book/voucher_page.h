// Kelmora — a voucher as printed on paper (记账凭证), as plain data: what
// the desktop's painter and the web page draw, line for line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "book/journal.h"
#include "book/words.h"

namespace kelmora::book {

struct VoucherPageLine {
    std::string summary;     // 摘要 (on the voucher's first line; repeated on a continued page's first)
    std::string code;        // the first level's code; empty when the chart does not place it
    std::string account;     // 总账科目: the first level
    std::string subAccount;  // 明细科目: the rest after the first "-"
    Cents debit = 0, credit = 0;  // 借方金额, 贷方金额 (the other is 0 and printed empty)
    Side side = Side::None;
};

struct VoucherPage {
    std::string title;   // 记账凭证
    std::string number;  // 记字第 7 号; 记字第 7-1/2 号 for the first of two
    std::string date;    // 2026 年 04 月 01 日
    std::string attachments;  // 附单据 张, the count left for the pen
    int part = 1, parts = 1;
    std::string continuation;  // "（续上页）" on a page after the first, else empty
    std::vector<VoucherPageLine> lines;  // at most the page's lines; the painter draws the empty rows
    int rows = 0;                        // rows the page has for lines
    std::string totalLabel;              // 合计 on the last page, 过次页 on the others
    Cents debitTotal = 0, creditTotal = 0;  // the voucher's totals so far
    std::string totalWords;               // 合计 in words (last page only), with 人民币 before it
    std::vector<std::string> signatures;  // 会计主管 记账 审核 出纳 制单
    bool reversal = false;                // a red reversal: its figures are printed in red
};

// The pages of voucher v, linesPerPage lines each (5 on voucher paper).
std::vector<VoucherPage> voucherPages(const Voucher& v, int linesPerPage = 5);

}  // namespace kelmora::book
