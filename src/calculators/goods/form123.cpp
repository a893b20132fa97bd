// Kelmora — taxable goods processed by another party on commission.  Taken
// back for further taxable production, the consumption tax the processor
// withheld is a deductible tax debit; taken back for sale, it is part of the
// goods' cost.
#include "core/window_registry.h"

namespace kelmora::form123 {

void compute(Window& w) {
    const Num cost = w.field("Text1"), fee = w.field("Text2"), rate = w.field("Text3"), tax = w.field("Text4");
    w.text("用于生产应税消费品");
    w.amount("委托加工物资（借）", cost);
    w.amount("原材料（贷）", cost);
    w.blank();
    const Num vat = rate * fee;
    const Num payable = fee + vat + tax;
    w.amount("委托加工物资（借）", fee);
    w.amount("应交税费-应交增值税（进）（借）", vat);
    w.amount("应交税费-应交消费税（借）", tax);
    w.amount("应付账款（贷）", payable);
    w.blank();
    const Num returned = fee + cost;
    w.amount("原材料（借）", returned);
    w.amount("委托加工物资（贷）", returned);
    w.blank();
    w.blank();
    w.blank();
    w.text("用于销售");
    w.amount("委托加工物资（借）", cost);
    w.amount("原材料（贷）", cost);
    w.blank();
    const Num charged = fee + tax;
    w.amount("委托加工物资（借）", charged);
    w.amount("应交税费-应交增值税（借）", vat);
    w.amount("应付账款（贷）", payable);
    w.blank();
    const Num returnedForSale = charged + cost;
    w.amount("原材料（借）", returnedForSale);
    w.amount("委托加工物资（贷）", returnedForSale);
}

WindowDef define() {
    FormBuilder b("Form123");
    b.field("Text1", "成本").field("Text2", "应付加工费").field("Text3", "增值税税率").field("Text4", "消费税额");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form123, define);

}  // namespace kelmora::form123
