// Kelmora — materials issued to production at the month's weighted average
// price: the grid lists the month's receipts, Text13 the quantity issued.
#include "calculators/cash/expenses.h"

namespace kelmora::form23 {

void compute(Window& w) {
    const Num t1 = w.field("Text1"), t2 = w.field("Text2"), t3 = w.field("Text3"), t4 = w.field("Text4"),
              t5 = w.field("Text5"), t6 = w.field("Text6"), t7 = w.field("Text7"), t8 = w.field("Text8"),
              t9 = w.field("Text9"), t10 = w.field("Text10"), issued = w.field("Text13");
    const Num cost = expenses::batchCost(t1, t2, t3, t4, t5, t6, t7, t8, t9, t10);
    const Num quantity = t2 + t4 + t6 + t8 + t10;
    // With nothing received there is no average price; the issue then costs 0.
    Num average;
    if (quantity > 0) average = cost / quantity;
    const Num issuedCost = average * issued;
    w.amount("生产成本（借）", issuedCost);
    w.amount("原材料（贷）", issuedCost);
}

WindowDef define() {
    FormBuilder b("Form23");
    expenses::batchGrid(b);
    b.gap().field("Text13", "本月发出数量");
    expenses::gridButtons(b, "一次加权平均法", compute, 10);
    return b.build();
}

KELMORA_WINDOW(Form23, define);

}  // namespace kelmora::form23
