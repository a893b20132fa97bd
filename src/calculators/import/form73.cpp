// Kelmora — raw materials imported: the entry when the price is still owed
// and when it is paid, then the month-end revaluation of the payable.
#include "core/window_registry.h"

namespace kelmora::form73 {

void compute(Window& w) {
    const Num price = w.field("Text1"), rate = w.field("Text2"), duty = w.field("Text3"), vat = w.field("Text4"),
              monthEndRate = w.field("Text5");
    const Num payable = rate * price;
    const Num materialCost = rate * price + duty;
    const Num taxesPaid = vat + duty;
    const Num fullPayment = materialCost + vat;
    const Num monthEndValue = monthEndRate * price;
    const Num adjustment = monthEndValue - payable;
    w.text("若未支付货款");
    w.amount("原材料（借）", materialCost);
    w.amount("应交税费-应交增值税（借）", vat);
    w.amount("银行存款-人民币（贷）", taxesPaid);
    w.amount("应付账款-外币（贷）", payable);
    w.blank();
    w.text("若支付货款");
    w.amount("原材料（借）", materialCost);
    w.amount("应交税费-应交增值税（借）", vat);
    w.amount("银行存款-人民币（贷）", fullPayment);
    w.blank();
    // A higher month-end rate makes the payable larger: a loss.
    w.text("月末结转");
    w.amountBySign("财务费用-汇兑损益（借）", "应付账款-外币（借）", adjustment);
    w.amountBySign("应付账款-外币（贷）", "财务费用-汇兑损益（贷）", adjustment);
}

WindowDef define() {
    FormBuilder b("Form73");
    b.field("Text1", "原材料货款")
        .field("Text2", "人民币汇率")
        .field("Text3", "关税")
        .field("Text4", "进口增值税")
        .field("Text5", "月末汇率");
    b.standardButtons(compute, "进口原材料");
    return b.build();
}

KELMORA_WINDOW(Form73, define);

}  // namespace kelmora::form73
