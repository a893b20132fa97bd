// Kelmora — goods returned to the supplier at a renegotiated unit price.
// An agreed price above the one paid gives negative amounts on the same lines.
#include "core/window_registry.h"

namespace kelmora::form84 {

void compute(Window& w) {
    const Num quantity = w.field("Text1"), unitPrice = w.field("Text2"), agreedPrice = w.field("Text3"),
              rate = w.field("Text4");
    const Num amount = (unitPrice - agreedPrice) * quantity;
    const Num vat = amount * rate;
    const Num total = amount + vat;
    w.text("商品退货");
    w.amount("应收账款（借）", total);
    w.amount("库存商品（贷）", amount);
    w.amount("应交税费-应交增值税（进）（贷）", vat);
}

WindowDef define() {
    FormBuilder b("Form84");
    b.field("Text1", "数量").field("Text2", "单价").field("Text3", "协商单价").field("Text4", "增值税税率");
    b.standardButtons(compute, "商品退货");
    return b.build();
}

KELMORA_WINDOW(Form84, define);

}  // namespace kelmora::form84
