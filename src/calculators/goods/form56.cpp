// Kelmora — purchase paid with a cash discount.
// The discount is either typed as a sum (rate 0) or worked out from a rate on
// the whole invoice; a negative rate matches neither and prints nothing.
#include "core/window_registry.h"

namespace kelmora::form56 {

void settle(Window& w, Num price, Num vat, Num payment, Num discount) {
    w.amount("应付账款（借）", price);
    w.amount("应交税金-应交增值税（进）（借）", vat);
    w.amount("银行存款（贷）", payment);
    w.amount("财务费用（贷）", discount);
    w.blank();
    w.text("结转财务费用");
    w.amount("财务费用（借）", discount);
    w.amount("本年利润（贷）", discount);
}

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), discountSum = w.field("Text3"),
              rate = w.field("Text4");
    if (rate == 0) {
        const Num payment = vat + price - discountSum;
        settle(w, price, vat, payment, discountSum);
    }
    if (rate > 0) {
        const Num discount = rate * (vat + price);
        const Num payment = vat + price - discount;
        settle(w, price, vat, payment, discount);
    }
}

WindowDef define() {
    FormBuilder b("Form56");
    b.field("Text1", "购买价格").field("Text2", "增值税").field("Text3", "折扣（元）").field("Text4", "折扣率 (比如0.1)");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form56, define);

}  // namespace kelmora::form56
