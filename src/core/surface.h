// Kelmora — a window's output surface: printed rows and the print position.
//
// Rows are drawn from the top-left corner, one text line apart; nothing
// scrolls or wraps.  The surface keeps its rows so that a repaint never loses
// them; hiding the window erases them (the print position stays), and what is
// printed while the window is hidden is not kept, though the position moves on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

class Surface {
public:
    // Write s at the print position; end the line unless `continued`.
    void print(std::string_view s, bool keep, bool continued);
    // Erase everything and put the print position back at the top-left corner.
    void clear();
    // Erase the rows' text; the print position stays where it was.
    void eraseRows();

    // Rows 1 .. k: up to the row the print position is on when that row holds
    // continued text, otherwise up to the row above the print position.
    std::vector<std::string> rows() const;
    int positionRow() const { return row_; }
    bool midLine() const { return midLine_; }

private:
    std::vector<std::string> text_;
    int row_ = 0;
    bool midLine_ = false;
};

}  // namespace kelmora
