#include "book/blocks.h"

#include "core/surface.h"

namespace kelmora::book {

Side sideOf(std::string_view label, std::string* account) {
    const auto ends = [&](std::string_view mark) {
        return label.size() >= mark.size() && label.substr(label.size() - mark.size()) == mark;
    };
    Side side = Side::None;
    std::string_view name = label;
    if (ends(kDebitMark)) {
        side = Side::Debit;
        name.remove_suffix(kDebitMark.size());
    } else if (ends(kCreditMark)) {
        side = Side::Credit;
        name.remove_suffix(kCreditMark.size());
    }
    if (account) *account = std::string(name);
    return side;
}

std::vector<Line> Block::lines() const {
    std::vector<Line> out;
    for (const BlockRow& r : rows)
        if (r.counts() && r.read == CentsRead::Ok) out.push_back({r.side, r.account, r.amount});
    return out;
}

std::optional<std::string> Block::problem() const {
    for (const BlockRow& r : rows) {
        if (!r.counts()) continue;
        if (r.read == CentsRead::TooLarge) return "金额 " + r.label + " 超出了可以记账的范围";
        if (r.read != CentsRead::Ok) return "金额无法读取：" + r.label;
    }
    return imbalance(lines());
}

std::vector<Block> blocksOf(const Surface& s) {
    std::vector<Block> out;
    const std::size_t n = s.rowCount();
    Block* open = nullptr;  // the block amount rows are added to
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view row = s.row(i);
        const std::size_t at = s.amountAt(i);
        if (at == std::string_view::npos) {
            open = nullptr;
            // A text row heads a block when an amount row follows it.
            if (i + 1 < n && s.amountAt(i + 1) != std::string_view::npos) {
                out.push_back({static_cast<int>(out.size()) + 1, std::string(row), {}, 0, 0});
                open = &out.back();
            }
            continue;
        }
        if (!open) {
            out.push_back({static_cast<int>(out.size()) + 1, {}, {}, 0, 0});
            open = &out.back();
        }
        BlockRow r;
        r.label = std::string(row.substr(0, at));
        r.side = sideOf(r.label, &r.account);
        r.read = readCents(row.substr(at), r.amount);
        if (r.read == CentsRead::Ok && r.side == Side::Debit) open->debit = addCents(open->debit, r.amount);
        if (r.read == CentsRead::Ok && r.side == Side::Credit) open->credit = addCents(open->credit, r.amount);
        open->rows.push_back(std::move(r));
    }
    return out;
}

}  // namespace kelmora::book
