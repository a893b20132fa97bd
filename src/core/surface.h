// Kelmora — a window's output surface: printed rows and the print position.
//
// Rows are drawn from the top-left corner, one text line apart.  The surface
// keeps its rows so that a repaint never loses them; hiding the window erases
// them (the print position stays), and what is printed while the window is
// hidden is not kept, though the position moves on.
//
// The print position only ever moves forward, so every row but the one it is
// on is final: the rows' text lives in one buffer, each row a span of it, and
// holding a hundred thousand rows costs no allocation per row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

class Surface {
public:
    // Whether what is written is kept: a hidden window's surface only moves
    // its print position.
    enum class Keep { Text, PositionOnly };

    // Continued text: writes s and leaves the position behind it on its line.
    void write(std::string_view s, Keep keep);
    // Writes s and moves the position to the start of the next line.
    void writeLine(std::string_view s, Keep keep);
    // An amount line: the label, then the amount's number text (empty for an
    // unset quantity), then the next line.  The row remembers where its
    // amount starts, so that it can be copied as a table.
    void writeAmount(std::string_view label, std::string_view amount, Keep keep);

    // Erase everything and put the print position back at the top-left corner.
    void clear();
    // Erase the rows' text; the print position stays where it was.
    void eraseRows();

    // Rows 1 .. k: up to the row the print position is on when that row holds
    // continued text, otherwise up to the row above the print position.
    std::size_t rowCount() const { return static_cast<std::size_t>(row_) + (midLine_ ? 1 : 0); }
    // Row i (0-based, below rowCount()); a view into the surface, valid until
    // the next change.
    std::string_view row(std::size_t i) const;
    // Where the amount of an amount line starts within row i; npos for a row
    // that holds no amount line (a text line, a blank or an erased row).
    std::size_t amountAt(std::size_t i) const;

    // Every row as a copy (tests, the runner's dump, the clipboard).
    std::vector<std::string> rows() const;

private:
    struct Span {
        std::uint32_t begin = 0, end = 0;
        std::int32_t amount = -1;  // offset of the amount in the row, or -1
    };
    Span& current();
    void endLine();

    std::string text_;
    std::vector<Span> spans_;
    int row_ = 0;
    bool midLine_ = false;
};

// The rows "复制为表格" copies: a header row 科目, 借方, 贷方, 金额, then one
// row per printed row, its columns separated by tabs.  An amount line whose
// label ends in "（借）" or "（贷）" puts its amount under 借方 or 贷方 (the
// mark taken off the label), any other amount line under 金额; a text line
// fills the first column; a blank row stays an empty line.
std::vector<std::string> journalTable(const Surface& s);

}  // namespace kelmora
