// Kelmora — purchase of goods and the freight paid for them.
#include "core/window_registry.h"

namespace kelmora::form62 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), freight = w.field("Text3");
    const Num total = vat + price;
    w.text("购进货物");
    w.amount("库存商品（借）", price);
    w.amount("应交税费-应交增值税（借）", vat);
    w.amount("银行存款/库存现金（贷）", total);
    w.blank();
    w.text("付运费");
    w.amount("应付账款（借）", freight);
    w.amount("银行存款/库存现金（贷）", freight);
}

WindowDef define() {
    FormBuilder b("Form62");
    b.field("Text1", "商品总价").field("Text2", "应交增值税（销）").field("Text3", "运费");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form62, define);

}  // namespace kelmora::form62
