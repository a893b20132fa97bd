// Kelmora — supplementary price paid for goods already received.
// The window's title reads "Form55", not its own name.
#include "core/window_registry.h"

namespace kelmora::form85 {

void compute(Window& w) {
    const Num supplement = w.field("Text1"), rate = w.field("Text2");
    const Num vat = rate * supplement;
    const Num total = supplement + vat;
    w.text("商品补价");
    w.amount("库存商品-库存出口商品（借）", supplement);
    w.amount("应交税费-应交增值税（进）（借）", vat);
    w.amount("应付账款（贷）", total);
}

WindowDef define() {
    FormBuilder b("Form85", "Form55");
    b.field("Text1", "补价总额").field("Text2", "增值税税率");
    b.standardButtons(compute, "商品补价");
    return b.build();
}

KELMORA_WINDOW(Form85, define);

}  // namespace kelmora::form85
