// Kelmora — long-term deferred expenses: an amount paid from the bank and
// spread over a number of periods, and the cost of a construction project
// (materials with their VAT, labour, the staff's pay) spread over years.
#include "calculators/cash/expenses.h"

namespace kelmora::form55 {

void compute(Window& w) {
    const Num deferred = w.field("Text1"), periods = w.field("Text2"), materials = w.field("Text3"),
              vat = w.field("Text4"), labour = w.field("Text5"), pay = w.field("Text6"), years = w.field("Text7");
    if (periods > 0) {
        const Num charge = deferred / periods;
        w.text("长期待摊费用");
        w.amount("长期待摊费用（借）", deferred);
        w.amount("银行存款（贷）", deferred);
        w.blank();
        w.amount("制造费用（借）", charge);
        w.amount("长期待摊费用（贷）", charge);
        w.blank();
    }
    if (years > 0) {
        const Num materialCost = vat + materials;
        w.amount("长期待摊费用（借）", materialCost);
        w.amount("原材料（贷）", materials);
        w.amount("应交税费-应交增值税（贷）", vat);
        w.blank();
        w.text("提供劳务");
        w.amount("长期待摊费用（借）", labour);
        w.amount("生产成本（贷）", labour);
        w.blank();
        w.text("计提薪酬");
        w.amount("长期待摊费用（借）", pay);
        w.amount("应付职工薪酬（贷）", pay);
        w.blank();
        const Num monthlyCharge = (vat + materials + labour + pay) / (years * 12);
        w.amount("管理费用（借）", monthlyCharge);
        w.amount("长期待摊费用（贷）", monthlyCharge);
    }
}

WindowDef define() {
    FormBuilder b("Form55");
    b.heading("长期待摊费用").field("Text1", "长期待摊费用").field("Text2", "待摊时间");
    b.heading("工程长期待摊费用")
        .field("Text3", "领用生产材料")
        .field("Text4", "增值税")
        .field("Text5", "劳务支出")
        .field("Text6", "工程人员薪酬")
        .field("Text7", "时间（年）");
    b.buttons({{"Command1", "确定"}, {"Command2", "取消"}, {"Command4", "退出"}});
    b.buttons({{"Command3", "退出"}});
    b.on("Command1", compute);
    b.on("Command2", FormBuilder::cancel);
    b.on("Command4", FormBuilder::exit);
    // The lower 退出 is a second way out and leaves exactly like the upper one.
    b.on("Command3", FormBuilder::exit);
    b.closeControl("Command4");
    return b.build();
}

KELMORA_WINDOW(Form55, define);

}  // namespace kelmora::form55
