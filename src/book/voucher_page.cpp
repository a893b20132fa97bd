#include "book/voucher_page.h"

#include <algorithm>

#include "book/chart.h"

namespace kelmora::book {

std::vector<VoucherPage> voucherPages(const Voucher& v, int linesPerPage) {
    linesPerPage = std::max(linesPerPage, 1);
    const int count = static_cast<int>(v.lines.size());
    const int parts = std::max(1, (count + linesPerPage - 1) / linesPerPage);
    std::vector<VoucherPage> pages;
    std::string date;
    if (validDate(v.date)) date = v.date.substr(0, 4) + " 年 " + v.date.substr(5, 2) + " 月 " + v.date.substr(8, 2) + " 日";
    Cents debit = 0, credit = 0;
    for (int part = 1; part <= parts; ++part) {
        VoucherPage p;
        p.title = "记账凭证";
        p.number = parts == 1 ? "记字第 " + std::to_string(v.number) + " 号"
                              : "记字第 " + std::to_string(v.number) + "-" + std::to_string(part) + "/" +
                                    std::to_string(parts) + " 号";
        p.date = date;
        p.attachments = "附单据    张";
        p.part = part;
        p.parts = parts;
        if (part > 1) p.continuation = "（续上页）";
        p.rows = linesPerPage;
        p.reversal = v.reverses != 0;
        for (int i = (part - 1) * linesPerPage; i < std::min(count, part * linesPerPage); ++i) {
            const Line& l = v.lines[static_cast<std::size_t>(i)];
            VoucherPageLine line;
            // The 摘要 on the voucher's first line, and again at the top of a continued page.
            if (i == (part - 1) * linesPerPage) line.summary = v.summary;
            const std::string_view first = firstLevel(l.account);
            line.account = std::string(first);
            line.code = std::string(codeOf(first));
            if (first.size() < l.account.size()) line.subAccount = l.account.substr(first.size() + 1);
            line.side = l.side;
            (l.side == Side::Debit ? line.debit : line.credit) = l.amount;
            (l.side == Side::Debit ? debit : credit) = addCents(l.side == Side::Debit ? debit : credit, l.amount);
            p.lines.push_back(std::move(line));
        }
        p.debitTotal = debit;
        p.creditTotal = credit;
        if (part == parts) {
            p.totalLabel = "合计";
            p.totalWords = "人民币" + amountInWords(debit);
        } else {
            p.totalLabel = "过次页";
        }
        p.signatures = {"会计主管", "记账", "审核", "出纳", "制单"};
        pages.push_back(std::move(p));
    }
    return pages;
}

}  // namespace kelmora::book
