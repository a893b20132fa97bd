// Kelmora — statement grids: a financial statement laid out as a grid of text
// boxes, described as data.
//
// A statement window holds one or more grids.  Each row of a grid has a
// caption box (an ordinary editable text box holding the item's name, never
// read) and one number box per column.  A row is an input row, a total row
// with its formula, a section heading, an unused row or a free row.  From that
// description a grid
//   - adds its controls to a window in rows that abut (addGrid),
//   - computes every total from the input boxes of the same click and writes
//     it into its total box as text (computeTotals),
//   - empties its number boxes (clearNumberBoxes),
//   - shows a row's explanation in a message box when the user clicks into
//     its caption box (wired by addGrid; captions without one do nothing).
//
// Handlers then work with the values computeTotals returns, by box name, so a
// window's analysis reads like its formulas: values["Text14"] is the revenue.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/num.h"
#include "core/window_def.h"

namespace kelmora {

class Window;

enum class RowKind {
    Input,    // read; used by the totals and the analysis
    Total,    // written from its formula on every compute
    Section,  // section heading: its boxes are read but play no part
    Unused,   // read, plays no part
    Free,     // never read nor written; only emptied by a clear
};

struct StatementRow {
    std::string caption;             // caption box
    std::string text;                // the caption box's initial text
    std::vector<std::string> boxes;  // one number box per column
    RowKind kind = RowKind::Input;
    // Total rows: the rows that make up the total, in the order they are
    // added, as 1-based row numbers of the same grid; a negative number
    // subtracts that row.  The first term is taken as it is.
    std::vector<int> formula;
    // The message a click into the caption box shows (it may be empty: an
    // empty message box); none: the click does nothing.
    std::optional<std::string> explanation;
};

StatementRow inputRow(std::string caption, std::string text, std::vector<std::string> boxes,
                      std::optional<std::string> explanation = std::nullopt);
StatementRow totalRow(std::string caption, std::string text, std::vector<std::string> boxes,
                      std::vector<int> formula, std::optional<std::string> explanation = std::nullopt);
StatementRow sectionRow(std::string caption, std::string text, std::vector<std::string> boxes);
StatementRow unusedRow(std::string caption, std::string text, std::vector<std::string> boxes);
StatementRow freeRow(std::string caption, std::string text, std::vector<std::string> boxes);

struct ColumnHead {
    std::string box;   // a caption box
    std::string text;
};

struct StatementGrid {
    std::vector<ColumnHead> heads;  // the caption column's head first, then one per number column
    std::vector<StatementRow> rows;
    bool rowNumbers = false;  // number boxes start out holding their row number ("1", "2", ...)

    int columns() const { return static_cast<int>(heads.size()) - 1; }
};

// Adds the grid's caption boxes and number boxes to the builder's current
// column, row by row, and wires the explanations of its caption boxes.  Grids
// of one caption group (> 0) share the width of their caption column, so
// that grids one above the other line up.  Throws std::logic_error for a grid
// that does not add up (a row without a box per column, a formula naming a
// row that is not an input or an earlier total).
void addGrid(FormBuilder& b, const StatementGrid& g, int captionGroup = 0);

// The number boxes' values of one click, by box name; totals hold their
// freshly computed values.
class StatementValues {
public:
    Num operator[](const std::string& box) const;  // std::logic_error for a box not read
    void set(const std::string& box, Num x) { values_[box] = x; }

private:
    std::map<std::string, Num> values_;
};

// Reads every number box of the grids except the free rows' (the boxes in
// ascending order of their number, so that a failing read stops before the
// later ones), then computes each total and writes it into its box in text
// form: grids in the order given, rows from the top, columns from the left.
// A total uses the freshly computed values of the totals it contains.
StatementValues computeTotals(Window& w, const std::vector<StatementGrid>& grids);

// Empties every number box of the grids, free rows included, in ascending
// order of the box number.  Caption boxes keep their text.
void clearNumberBoxes(Window& w, const std::vector<StatementGrid>& grids);

}  // namespace kelmora
