// Kelmora — goods sent out for processing.
// The goods come back valued at the freight plus the processing fee; the goods
// cost and the freight VAT are not part of that figure.
#include "core/window_registry.h"

namespace kelmora::form67 {

void compute(Window& w) {
    const Num goodsCost = w.field("Text1"), fee = w.field("Text2"), vat = w.field("Text3"),
              freight = w.field("Text4"), freightVat = w.field("Text5");

    w.text("交付劳务物资");
    w.amount("委托加工物资（借）", goodsCost);
    w.amount("库存商品（贷）", goodsCost);
    w.blank();

    w.text("支付加工费");
    const Num feeTotal = vat + fee;
    w.amount("委托加工物资（借）", fee);
    w.amount("应交税费-应交增值税（借）", vat);
    w.amount("应付账款（贷）", feeTotal);
    w.blank();

    w.text("支付运费");
    const Num netFreight = freight - freightVat;
    w.amount("委托加工物资（借）", netFreight);
    w.amount("应交税费-应交增值税（进）（借）", freightVat);
    w.amount("银行存款（贷）", freight);
    w.blank();

    w.text("收回货物");
    const Num returned = freight + fee;
    w.amount("库存商品（借）", returned);
    w.amount("委托加工物资（贷）", returned);
    w.blank();

    w.text("支付加工费");
    w.amount("应付账款（借）", feeTotal);
    w.amount("银行存款（贷）", feeTotal);
}

WindowDef define() {
    FormBuilder b("Form67");
    b.field("Text1", "物资成本")
        .field("Text2", "加工费")
        .field("Text3", "增值税")
        .field("Text4", "运费")
        .field("Text5", "运费增值税额");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form67, define);

}  // namespace kelmora::form67
