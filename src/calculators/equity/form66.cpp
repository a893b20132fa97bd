// Kelmora — goods received from an investor, valued with their VAT.
#include "core/window_registry.h"

namespace kelmora::form66 {

void compute(Window& w) {
    const Num registered = w.field("Text1"), share = w.field("Text2"), valuation = w.field("Text3"),
              rate = w.field("Text4");
    // Everything is worked out before the first line, so a VAT rate of -1
    // (a zero divisor) leaves the surface untouched.
    const Num capital = share * registered;
    const Num premium = valuation - capital;
    const Num net = valuation / (rate + 1);
    const Num vat = valuation - net;
    w.text("接受投资物");
    w.amount("库存商品（借）", net);
    w.amount("应交税费-应交增值税（进）", vat);
    w.amount("实收资本（贷）", capital);
    w.amount("资本公积-资本溢价（贷）", premium);
}

WindowDef define() {
    FormBuilder b("Form66");
    b.field("Text1", "注册资本").field("Text2", "投资占比").field("Text3", "产品总估值").field("Text4", "增值税税率");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form66, define);

}  // namespace kelmora::form66
