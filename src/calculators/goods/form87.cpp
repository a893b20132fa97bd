// Kelmora — replacement goods received against an earlier claim.
#include "core/window_registry.h"

namespace kelmora::form87 {

void compute(Window& w) {
    const Num value = w.field("Text1"), vat = w.field("Text2");
    const Num total = vat + value;
    w.text("商品退换");
    w.amount("库存商品（借）", value);
    w.amount("应交税费-应交增值税（进）（借）", vat);
    w.amount("其他应收款（贷）", total);
}

WindowDef define() {
    FormBuilder b("Form87");
    b.field("Text1", "退换总额").field("Text2", "增值税");
    b.standardButtons(compute, "商品退换");
    return b.build();
}

KELMORA_WINDOW(Form87, define);

}  // namespace kelmora::form87
