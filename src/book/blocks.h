// Kelmora — the entry blocks a window has printed, read from its surface.
//
// A block is a text row and the amount rows right under it, up to the first
// row that is not an amount row; amount rows with no text row right above
// their run make a block with an empty heading.  Only blocks that hold an
// amount row count; they are numbered 1, 2, … in print order.
#pragma once

#include <string>
#include <vector>

#include "book/journal.h"

namespace kelmora {
class Surface;
}

namespace kelmora::book {

inline constexpr std::string_view kDebitMark = "（借）", kCreditMark = "（贷）";

struct BlockRow {
    std::string label;    // as printed
    std::string account;  // the label without its side mark
    Side side = Side::None;
    CentsRead read = CentsRead::Empty;
    Cents amount = 0;  // when read is Ok
    // Whether the row goes into the voucher: an amount that is not empty or zero.
    bool counts() const { return read != CentsRead::Empty && !(read == CentsRead::Ok && amount == 0); }
};

struct Block {
    int number = 0;
    std::string heading;
    std::vector<BlockRow> rows;
    Cents debit = 0, credit = 0;  // totals of the rows with a side
    // The voucher's lines: the rows that count.
    std::vector<Line> lines() const;
    // nullopt when the block can be posted as printed, otherwise why not.
    std::optional<std::string> problem() const;
    bool balances() const { return !problem(); }
};

// The side an amount row's label carries, and the label without the mark.
Side sideOf(std::string_view label, std::string* account = nullptr);

std::vector<Block> blocksOf(const Surface& s);

}  // namespace kelmora::book
