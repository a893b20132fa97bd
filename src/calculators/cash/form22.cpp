// Kelmora — materials issued to production, costed batch by batch (first in,
// first out, or each batch at its own price): the user lists the batches
// issued in the grid, unit price at the left and quantity at the right.
#include "calculators/cash/expenses.h"

namespace kelmora::form22 {

void compute(Window& w) {
    const Num t1 = w.field("Text1"), t2 = w.field("Text2"), t3 = w.field("Text3"), t4 = w.field("Text4"),
              t5 = w.field("Text5"), t6 = w.field("Text6"), t7 = w.field("Text7"), t8 = w.field("Text8"),
              t9 = w.field("Text9"), t10 = w.field("Text10");
    const Num cost = expenses::batchCost(t1, t2, t3, t4, t5, t6, t7, t8, t9, t10);
    w.amount("生产成本（借）", cost);
    w.amount("原材料（贷）", cost);
}

WindowDef define() {
    FormBuilder b("Form22");
    expenses::batchGrid(b);
    expenses::gridButtons(b, "先进先出/个别计价法", compute, 10);
    return b.build();
}

KELMORA_WINDOW(Form22, define);

}  // namespace kelmora::form22
