// Kelmora — materials issued, from the monthly materials summary table: main
// and auxiliary materials split among two products, overheads and
// administration.  The compute button also fills in the table's totals.
#include "calculators/cash/expenses.h"

namespace kelmora::form24 {

void compute(Window& w) {
    // Every numeric box is read, though the main materials of rows 3 and 4
    // and the totals do not enter the figures.
    Num t[16];
    for (int n = 1; n <= 15; ++n) t[n] = w.field("Text" + std::to_string(n));
    const Num productA = t[1] + t[6];
    const Num productB = t[2] + t[7];
    w.writeField("Text11", productA);
    w.writeField("Text12", productB);
    w.writeField("Text13", t[8]);
    w.writeField("Text14", t[9]);
    const Num mainTotal = t[2] + t[1];
    const Num auxiliaryTotal = t[7] + t[6] + t[8] + t[9];
    const Num grandTotal = mainTotal + auxiliaryTotal;
    w.writeField("Text15", grandTotal);
    w.writeField("Text5", mainTotal);
    w.writeField("Text10", auxiliaryTotal);
    w.amount("生产成本-A（借）", productA);
    w.amount("生产成本-B（借）", productB);
    w.amount("制造费用（借）", t[8]);
    w.amount("管理费用（借）", t[9]);
    w.amount("原材料-主要材料（贷）", mainTotal);
    w.amount("原材料-辅助材料（贷）", auxiliaryTotal);
}

WindowDef define() {
    // Row by row: the account heading, main materials, auxiliary materials,
    // total.  The first row and the first column are headings, never read.
    FormBuilder b("Form24");
    b.heading("材料汇总表");
    b.grid({
        {gridHead("Text24", "科目"), gridHead("Text16", "主要材料"), gridHead("Text17", "辅助材料"),
         gridHead("Text18", "合计")},
        {gridHead("Text19", "生产成本-A"), {"Text1", "1"}, {"Text6", "6"}, {"Text11", ""}},
        {gridHead("Text20", "生产成本-B"), {"Text2", "2"}, {"Text7", "7"}, {"Text12", ""}},
        {gridHead("Text21", "制造费用"), {"Text3", ""}, {"Text8", "8"}, {"Text13", ""}},
        {gridHead("Text22", "管理费用"), {"Text4", ""}, {"Text9", "9"}, {"Text14", ""}},
        {gridHead("Text23", "合计"), {"Text5", ""}, {"Text10", ""}, {"Text15", ""}},
    });
    expenses::gridButtons(b, "原材料支出", compute, 15);
    return b.build();
}

KELMORA_WINDOW(Form24, define);

}  // namespace kelmora::form24
