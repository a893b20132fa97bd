// Kelmora — goods sent back to the supplier for a refund.
#include "core/window_registry.h"

namespace kelmora::form86 {

void compute(Window& w) {
    const Num refund = w.field("Text1"), vat = w.field("Text2");
    const Num total = vat + refund;
    w.text("商品退还");
    w.amount("其他应收款（借）", total);
    w.amount("库存商品（贷）", refund);
    w.amount("应交税费-应交增值税（进）（贷）", vat);
    w.blank();
    w.text("收到货款");
    w.amount("银行存款（借）", total);
    w.amount("其他应收款（贷）", total);
}

WindowDef define() {
    FormBuilder b("Form86");
    b.field("Text1", "退款总额").field("Text2", "增值税");
    b.standardButtons(compute, "商品退还");
    return b.build();
}

KELMORA_WINDOW(Form86, define);

}  // namespace kelmora::form86
