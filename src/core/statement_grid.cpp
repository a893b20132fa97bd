#include "core/statement_grid.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "core/window.h"

namespace kelmora {

namespace grid_detail {

// The number at the end of a box name ("Text47" -> 47), for the ascending
// order in which boxes are read and emptied.
int boxNumber(const std::string& name) {
    std::size_t i = name.size();
    while (i > 0 && name[i - 1] >= '0' && name[i - 1] <= '9') --i;
    return i < name.size() ? std::atoi(name.c_str() + i) : 0;
}

std::vector<std::string> ascending(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return boxNumber(a) < boxNumber(b);
    });
    return names;
}

StatementRow makeRow(std::string caption, std::string text, std::vector<std::string> boxes, RowKind kind) {
    StatementRow r;
    r.caption = std::move(caption);
    r.text = std::move(text);
    r.boxes = std::move(boxes);
    r.kind = kind;
    return r;
}

void fail(const StatementGrid& g, const std::string& why) {
    const std::string first = g.heads.empty() ? std::string("?") : g.heads.front().box;
    throw std::logic_error("statement grid headed by " + first + ": " + why);
}

// A grid that does not add up is a mistake in its window's description; it is
// caught when the window is defined, not when a user clicks.
void validate(const StatementGrid& g) {
    if (g.columns() < 1) fail(g, "no number column");
    const int rows = static_cast<int>(g.rows.size());
    for (int i = 0; i < rows; ++i) {
        const StatementRow& r = g.rows[i];
        if (static_cast<int>(r.boxes.size()) != g.columns()) fail(g, r.caption + " has not one box per column");
        if (r.kind != RowKind::Total) {
            if (!r.formula.empty()) fail(g, r.caption + " has a formula but is no total");
            continue;
        }
        if (r.formula.empty() || r.formula.front() < 0) fail(g, r.caption + " must start with a row added");
        for (int term : r.formula) {
            const int at = std::abs(term) - 1;
            if (term == 0 || at >= rows) fail(g, r.caption + " names a row the grid does not have");
            const RowKind k = g.rows[at].kind;
            if (!(k == RowKind::Input || (k == RowKind::Total && at < i)))
                fail(g, r.caption + " adds a row that is neither an input nor an earlier total");
        }
    }
}

}  // namespace grid_detail

StatementRow inputRow(std::string caption, std::string text, std::vector<std::string> boxes,
                      std::optional<std::string> explanation) {
    StatementRow r = grid_detail::makeRow(std::move(caption), std::move(text), std::move(boxes), RowKind::Input);
    r.explanation = std::move(explanation);
    return r;
}

StatementRow totalRow(std::string caption, std::string text, std::vector<std::string> boxes,
                      std::vector<int> formula, std::optional<std::string> explanation) {
    StatementRow r = grid_detail::makeRow(std::move(caption), std::move(text), std::move(boxes), RowKind::Total);
    r.formula = std::move(formula);
    r.explanation = std::move(explanation);
    return r;
}

StatementRow sectionRow(std::string caption, std::string text, std::vector<std::string> boxes) {
    return grid_detail::makeRow(std::move(caption), std::move(text), std::move(boxes), RowKind::Section);
}

StatementRow unusedRow(std::string caption, std::string text, std::vector<std::string> boxes) {
    return grid_detail::makeRow(std::move(caption), std::move(text), std::move(boxes), RowKind::Unused);
}

StatementRow freeRow(std::string caption, std::string text, std::vector<std::string> boxes) {
    return grid_detail::makeRow(std::move(caption), std::move(text), std::move(boxes), RowKind::Free);
}

void addGrid(FormBuilder& b, const StatementGrid& g, int captionGroup) {
    grid_detail::validate(g);
    std::vector<ControlDef> cells;
    for (const ColumnHead& h : g.heads)
        cells.push_back({.name = h.box, .kind = ControlKind::TextBox, .text = h.text, .heads = true});
    for (std::size_t i = 0; i < g.rows.size(); ++i) {
        const StatementRow& r = g.rows[i];
        cells.push_back({.name = r.caption, .kind = ControlKind::TextBox, .text = r.text, .heads = true});
        const std::string initial = g.rowNumbers ? std::to_string(i + 1) : std::string();
        for (const auto& box : r.boxes) cells.push_back({.name = box, .kind = ControlKind::TextBox, .text = initial});
    }
    b.statementGrid(std::move(cells), g.columns(), captionGroup);
    for (const auto& r : g.rows) {
        if (!r.explanation) continue;
        const std::string message = *r.explanation;
        b.on(r.caption, [message](Window& w) { w.msgbox(message); });
    }
}

Num StatementValues::operator[](const std::string& box) const {
    auto it = values_.find(box);
    if (it == values_.end()) throw std::logic_error("no value read for " + box);
    return it->second;
}

StatementValues computeTotals(Window& w, const std::vector<StatementGrid>& grids) {
    std::vector<std::string> read;
    for (const auto& g : grids)
        for (const auto& r : g.rows)
            if (r.kind != RowKind::Free) read.insert(read.end(), r.boxes.begin(), r.boxes.end());

    StatementValues values;
    for (const auto& box : grid_detail::ascending(std::move(read))) values.set(box, w.field(box));

    for (const auto& g : grids) {
        for (const auto& r : g.rows) {
            if (r.kind != RowKind::Total) continue;
            for (int c = 0; c < g.columns(); ++c) {
                const auto term = [&](int row) { return values[g.rows[std::abs(row) - 1].boxes[c]]; };
                Num sum = term(r.formula.front());
                for (std::size_t t = 1; t < r.formula.size(); ++t) {
                    const int row = r.formula[t];
                    sum = row > 0 ? sum + term(row) : sum - term(row);
                }
                values.set(r.boxes[c], sum);
                w.writeField(r.boxes[c], sum);
            }
        }
    }
    return values;
}

void clearNumberBoxes(Window& w, const std::vector<StatementGrid>& grids) {
    std::vector<std::string> boxes;
    for (const auto& g : grids)
        for (const auto& r : g.rows) boxes.insert(boxes.end(), r.boxes.begin(), r.boxes.end());
    for (const auto& box : grid_detail::ascending(std::move(boxes))) w.writeText(box, "");
}

}  // namespace kelmora
