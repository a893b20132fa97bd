// Kelmora — what the expense windows have in common.
//
// The nine expense calculators are one shape with different words: a line of
// explanation at the top, the amount and its VAT, the standard buttons.  The
// three costing windows lay their inputs out as a grid of boxes with a "清空"
// button that empties the numeric part of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/window_registry.h"

namespace kelmora::expenses {

// The words that make one expense calculator what it is.
struct ExpenseWindow {
    const char* form;         // "Form13"
    const char* caption;      // title bar
    const char* explanation;  // Label3 at the top: the account and what it covers
    const char* text1Label;   // the amount (or the asset's value)
    const char* text2Label;   // its VAT (or the depreciation charged)
};

inline WindowDef calculator(const ExpenseWindow& e, Handler compute) {
    FormBuilder b(e.form, e.caption);
    // The explanation is Label3 and stands above everything else; the field
    // labels take the names left free before it.
    b.label("Label3", e.explanation).gap();
    b.field("Text1", e.text1Label).field("Text2", e.text2Label);
    b.standardButtons(std::move(compute));
    return b.build();
}

// What every expense calculator reads: the amount (Text1) and its VAT
// (Text2), and the total paid that most of them use.
struct Expense {
    Num amount, vat, total;
};

inline Expense readExpense(Window& w) {
    const Num amount = w.field("Text1"), vat = w.field("Text2");
    const Num total = vat + amount;
    return {amount, vat, total};
}

// The expense paid from the bank, VAT included.
inline void paidFromBank(Window& w, const Expense& e, std::string_view expenseDebit) {
    w.amount(expenseDebit, e.amount);
    w.amount("应交税费-应交增值税（借）", e.vat);
    w.amount("银行存款（贷）", e.total);
}

// The expense closed into the year's profit.
inline void closedToProfit(Window& w, const Expense& e, std::string_view heading, std::string_view expenseCredit) {
    w.blank();
    w.text(heading);
    w.amount("本年利润（借）", e.amount);
    w.amount(expenseCredit, e.amount);
}

// ---- Costing grids -------------------------------------------------------

// The batch grid of the first two costing windows: a heading row, then five
// rows of unit price (left) and quantity (right) preset to 1 … 10.
inline void batchGrid(FormBuilder& b) {
    std::vector<std::vector<GridCell>> rows{{gridHead("Text11", "单价"), gridHead("Text12", "数量")}};
    for (int row = 1; row <= 5; ++row) {
        const std::string price = std::to_string(2 * row - 1), quantity = std::to_string(2 * row);
        rows.push_back({{"Text" + price, price}, {"Text" + quantity, quantity}});
    }
    b.grid(rows);
}

// The compute button on a row of its own (its caption is long), then
// "取消", "清空" and "退出".
inline void gridButtons(FormBuilder& b, const char* computeCaption, Handler compute, int lastCleared) {
    b.gap().buttons({{.name = "Command1", .caption = computeCaption}});
    b.buttons({{.name = "Command2", .caption = "取消"}, {.name = "Command4", .caption = "清空"},
               {.name = "Command3", .caption = "退出"}});
    b.on("Command1", std::move(compute));
    b.on("Command2", FormBuilder::cancel);
    b.on("Command4", [lastCleared](Window& w) { w.clearBoxes(1, lastCleared); });
    b.on("Command3", FormBuilder::exit);
}

// Σ quantity × unit price over the five rows of the batch grid, in row order.
inline Num batchCost(Num t1, Num t2, Num t3, Num t4, Num t5, Num t6, Num t7, Num t8, Num t9, Num t10) {
    return t2 * t1 + t4 * t3 + t6 * t5 + t8 * t7 + t10 * t9;
}

}  // namespace kelmora::expenses
